// A stand-in for the jet model program that honours its file contract: it
// reads "UDF" in its current directory and writes "Suspend" and then
// "Plxdata" (under a temporary name, renamed when complete). What it does
// is chosen by $PLUMEX_FAKE_MODE:
//   echo (default)  one page and section per input block; a jet named
//                   "reject" is rejected; jet k gets 2 + k steps, the x of
//                   its rows and its Sb value carry the jet's flow x 1000
//   slow            echo after 1.5 s
//   fail            a message on standard error, exit status 3, no output
//   silent          exit 0 without any output
//   never           writes its process id to "pid" and sleeps for 10 min
//   crash           aborts
//   wild            echo, but column $PLUMEX_FAKE_COLUMN (0 x, 3 half width,
//                   6 velocity, ...) of every row of jet 2 holds
//                   $PLUMEX_FAKE_VALUE: results no case may hold
//   cut             echo, but the summary file ends halfway through its
//                   pages
// Asked for --version it answers "fake model 1.0"; with
// $PLUMEX_FAKE_VERSION_CHILD naming a file it first starts a child that
// writes its process id and its folder there and sleeps for 10 min.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ResultFiles.h"

namespace {
struct Block {
    std::string name;
    double flow = 0.0;
};

bool ReadUdf(std::vector<Block>& blocks) {
    std::ifstream in("UDF");
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        Block b;
        b.name = line;
        std::string control, l3, l4, l5, l6;
        if (!std::getline(in, control) || !std::getline(in, l3) || !std::getline(in, l4) || !std::getline(in, l5) ||
            !std::getline(in, l6))
            return false;
        b.flow = std::atof(l3.c_str());
        const int rows = std::atoi(l6.c_str());
        for (int r = 0; r < rows; ++r)
            if (!std::getline(in, line)) return false;
        blocks.push_back(b);
    }
    return true;
}

// The rows of a section with one column set to a given value.
std::string WildSection(int number, const std::string& name, int steps, double tag) {
    const int column = std::atoi(std::getenv("PLUMEX_FAKE_COLUMN") ? std::getenv("PLUMEX_FAKE_COLUMN") : "0");
    const char* value = std::getenv("PLUMEX_FAKE_VALUE") ? std::getenv("PLUMEX_FAKE_VALUE") : "2e6";
    std::string text = SectionText(number, name, 0, tag);
    for (int i = 0; i < steps; ++i) {
        std::string row = TrajectoryRow(i, tag);
        // Every column is 10 characters wide: a blank and "%9.5f".
        row.replace(static_cast<std::size_t>(column) * 10, 10, std::string(" ") + value);
        text += row + g_strEol;
    }
    return text;
}

int Echo(bool wild, bool cut) {
    std::vector<Block> blocks;
    if (!ReadUdf(blocks)) {
        std::fprintf(stderr, "fake model: UDF: cannot parse\n");
        return 2;
    }
    std::string summary, trajectory;
    for (std::size_t k = 0; k < blocks.size(); ++k) {
        const int number = static_cast<int>(k) + 1;
        if (blocks[k].name == "reject") {
            summary += RejectedPageText(number, "Flow must be positive");
            continue;
        }
        SummaryPage p;
        p.m_nNumber = number;
        p.m_strName = blocks[k].name;
        p.m_nSteps = 2 + number;
        p.m_strReason = "Plume reached the water surface";
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6f", blocks[k].flow * 1000.0);
        p.m_Right[8] = buf;
        summary += PageText(p);
        trajectory += wild && number == 2 ? WildSection(number, blocks[k].name, p.m_nSteps, blocks[k].flow * 1000.0)
                                          : SectionText(number, blocks[k].name, p.m_nSteps, blocks[k].flow * 1000.0);
    }
    WriteText("Suspend", cut ? summary.substr(0, summary.size() / 2) : summary);
    WriteText("Plxdata.part", trajectory);
    return std::rename("Plxdata.part", "Plxdata") == 0 ? 0 : 4;
}
}  // namespace

int Version() {
    if (const char* note = std::getenv("PLUMEX_FAKE_VERSION_CHILD")) {
        if (fork() == 0) {
            char cwd[4096] = "";
            if (!getcwd(cwd, sizeof cwd)) cwd[0] = '\0';
            if (std::FILE* f = std::fopen(note, "w")) {
                std::fprintf(f, "%d\n%s\n", static_cast<int>(getpid()), cwd);
                std::fclose(f);
            }
            sleep(600);
            _exit(0);
        }
        usleep(200 * 1000);  // the child has written its note
    }
    std::printf("fake model 1.0\n");
    return 0;
}

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--version") return Version();
    const char* env = std::getenv("PLUMEX_FAKE_MODE");
    const std::string mode = env ? env : "echo";
    if (mode == "fail") {
        std::fprintf(stderr, "UDF line 3: expected a number\n");
        return 3;
    }
    if (mode == "silent") return 0;
    if (mode == "crash") std::abort();
    if (mode == "never") {
        std::FILE* f = std::fopen("pid", "w");
        if (f) {
            std::fprintf(f, "%d\n", static_cast<int>(getpid()));
            std::fclose(f);
        }
        sleep(600);
        return 0;
    }
    if (mode == "slow") usleep(1500 * 1000);
    return Echo(mode == "wild", mode == "cut");
}
