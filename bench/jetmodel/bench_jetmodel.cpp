// Benchmark of the jet model mardex2k. Prints:
//  - time per jet and per step for a demo-like case: 30 m deep, stratified
//    summer profile, weak current 0.05-0.1 m/s, 8 ports of 0.1-0.15 m;
//  - the same with both outputs formatted, and that time against computing
//    only (goal: at most 1.5 times);
//  - the formatting alone of computed jets, per step and per field;
//  - the same for 100 jets (with their Suspend and Plxdata text);
//  - the time of whole runs of the real binary, process start to exit, for
//    1 and 100 jets.
#include "Jet.h"
#include "PlxdataWriter.h"
#include "SuspendWriter.h"
#include "Udf.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

std::vector<mardex::ProfileRow> summerProfile() {
    // Surface layer warm and light, thermocline at 10-20 m; current 0.1 at the
    // surface falling to 0.05 at the bed.
    return {{0.0, 1.0235, 0, 0.10}, {10.0, 1.0240, 0, 0.08}, {20.0, 1.0255, 0, 0.06}, {30.0, 1.0260, 0, 0.05}};
}

// Port k of a demo-like riser: diameters 0.10-0.15 m, flows 0.01-0.03 m^3/s,
// horizontal angles all around, vertical angles 0-20 degrees.
mardex::JetInput demoJet(int k) {
    mardex::JetInput j;
    j.name = "Demo port " + std::to_string(k + 1);
    j.diameter = 0.10 + 0.05 * ((k * 3) % 8) / 7.0;
    j.flow = 0.01 + 0.02 * ((k * 5) % 8) / 7.0;
    j.ports = 1;
    j.verticalAngle = 20.0 * ((k * 7) % 5) / 4.0;
    j.horizontalAngle = 45.0 * (k % 8) + 5.0 * (k / 8);
    j.depth = 28.0 - 0.1 * (k % 3);
    j.currentSpeed = 0.0725;
    j.maxSteps = 1500;
    j.effluentValue = 1.0;
    j.effluentTemperature = 0.0;
    j.profile = summerProfile();
    return j;
}

std::string udfBlock(const mardex::JetInput& j) {
    char buf[256];
    std::string out = j.name + "\n0 0 1      0 0 0 0 0  0 0 0 0 0\n";
    std::snprintf(buf, sizeof buf, "%f 1 %f %f %f\n%f  %f  %f\n", j.flow, j.diameter, j.verticalAngle, j.depth,
                  j.currentSpeed, j.horizontalAngle, 999.0);
    out += buf;
    std::snprintf(buf, sizeof buf, "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  %d 100\n",
                  static_cast<int>(j.maxSteps));
    out += buf;
    std::snprintf(buf, sizeof buf, "%d %f %f\n", static_cast<int>(j.profile.size()), j.effluentValue,
                  j.effluentTemperature);
    out += buf;
    for (const auto& r : j.profile) {
        std::snprintf(buf, sizeof buf, "%f     %f     %f    %f\n", r.depth, r.value, r.temperature, r.current);
        out += buf;
    }
    return out;
}

struct Timing {
    double perJetUs = 0, perStepNs = 0, stepsPerJet = 0;
    double cpuPerJetUs = 0;  // process CPU time: steadier than wall time on a shared machine
};

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Computes the jets `repeat` times; with `write` also formats both outputs.
Timing timeJets(const std::vector<mardex::JetInput>& jets, int repeat, bool write) {
    long long steps = 0;
    std::size_t sink = 0;
    const auto t0 = Clock::now();
    const double c0 = cpuSeconds();
    // As the program does: the summary pages kept, each trajectory section
    // made in one buffer (and written out; here only counted).
    std::string section;
    for (int r = 0; r < repeat; ++r) {
        std::string suspend;
        int n = 0;
        for (const auto& j : jets) {
            const mardex::JetResult res = mardex::computeJet(j);
            steps += static_cast<long long>(res.rows.size());
            if (write) {
                mardex::appendSuspendPage(suspend, ++n, j, res);
                section.clear();
                mardex::appendPlxdataSection(section, n, j, res);
                sink += section.size();
            }
        }
        sink += suspend.size();
    }
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = cpuSeconds() - c0;
    Timing t;
    const double jetsDone = static_cast<double>(jets.size()) * repeat;
    t.perJetUs = s / jetsDone * 1e6;
    t.cpuPerJetUs = cpu / jetsDone * 1e6;
    t.perStepNs = s / static_cast<double>(steps) * 1e9;
    t.stepsPerJet = static_cast<double>(steps) / jetsDone;
    if (sink == 1) std::printf(" ");
    return t;
}

// Formats the outputs of computed jets `repeat` times: the per-step and
// per-field cost of the text alone (process CPU time).
void timeFormatting(const std::vector<mardex::JetInput>& jets, int repeat) {
    std::vector<mardex::JetResult> results;
    long long steps = 0;
    for (const auto& j : jets) {
        results.push_back(mardex::computeJet(j));
        steps += static_cast<long long>(results.back().rows.size());
    }
    std::size_t sink = 0;
    const double c0 = cpuSeconds();
    std::string section;
    for (int r = 0; r < repeat; ++r) {
        std::string suspend;
        for (std::size_t n = 0; n < jets.size(); ++n) {
            mardex::appendSuspendPage(suspend, static_cast<int>(n) + 1, jets[n], results[n]);
            section.clear();
            mardex::appendPlxdataSection(section, static_cast<int>(n) + 1, jets[n], results[n]);
            sink += section.size();
        }
        sink += suspend.size();
    }
    const double ns = (cpuSeconds() - c0) * 1e9 / (static_cast<double>(steps) * repeat);
    std::printf("  %-34s %8.1f ns per step  %7.1f ns per field (process CPU time)\n", "8 ports, formatting only", ns,
                ns / mardex::OutputRow::Count);
    if (sink == 1) std::printf(" ");
}

// Wall time of one run of the binary, spawn to exit (ms); -1 on failure.
double runOnce(const fs::path& dir) {
    const std::string exe = MARDEX2K_EXE;
    const std::string d = dir.string();
    char* argv[] = {const_cast<char*>(exe.c_str()), const_cast<char*>("-C"), const_cast<char*>(d.c_str()), nullptr};
    const auto t0 = Clock::now();
    pid_t pid;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, environ) != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

void benchBinary(const std::vector<mardex::JetInput>& jets, const char* label) {
    const fs::path dir = fs::temp_directory_path() / ("bench_jetmodel_" + std::to_string(getpid()));
    fs::create_directories(dir);
    {
        std::ofstream f(dir / "UDF", std::ios::binary);
        for (const auto& j : jets) f << udfBlock(j);
    }
    std::vector<double> ms;
    for (int i = 0; i < 21; ++i) {
        const double t = runOnce(dir);
        if (t < 0) {
            std::printf("  %-34s run failed\n", label);
            fs::remove_all(dir);
            return;
        }
        ms.push_back(t);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-34s median %7.2f ms   min %7.2f ms   max %7.2f ms  (21 runs, Plxdata %ju bytes)\n", label,
                ms[ms.size() / 2], ms.front(), ms.back(), static_cast<std::uintmax_t>(fs::file_size(dir / "Plxdata")));
    fs::remove_all(dir);
}

}  // namespace

int main() {
    std::vector<mardex::JetInput> demo, hundred;
    for (int k = 0; k < 8; ++k) demo.push_back(demoJet(k));
    for (int k = 0; k < 100; ++k) hundred.push_back(demoJet(k));

    std::printf(
        "mardex2k benchmark: demo-like case (30 m deep, summer stratification, current "
        "0.05-0.1 m/s, ports 0.10-0.15 m)\n\n");
    std::printf("In-process model (mardex2k_core):\n");
    timeJets(demo, 20, false);  // warm-up
    const Timing d = timeJets(demo, 500, false);
    std::printf("  %-34s %8.1f us per jet  %7.1f ns per step  (%.0f steps per jet)\n", "8 ports, computing only",
                d.perJetUs, d.perStepNs, d.stepsPerJet);
    std::printf("  %-34s %8.1f us per jet (process CPU time)\n", "8 ports, computing only", d.cpuPerJetUs);
    const Timing dw = timeJets(demo, 500, true);
    std::printf("  %-34s %8.1f us per jet  %7.1f ns per step\n", "8 ports, with both outputs", dw.perJetUs,
                dw.perStepNs);
    std::printf("  %-34s %8.1f us per jet (process CPU time): %.2f times computing only (goal <= 1.5)\n",
                "8 ports, with both outputs", dw.cpuPerJetUs, dw.cpuPerJetUs / d.cpuPerJetUs);
    timeFormatting(demo, 500);
    const Timing h = timeJets(hundred, 40, true);
    std::printf("  %-34s %8.1f us per jet  %7.1f ns per step  (%.0f steps per jet, %.2f ms in all)\n",
                "100 jets, with both outputs", h.perJetUs, h.perStepNs, h.stepsPerJet, h.perJetUs * 100 / 1000.0);

    // The same ports as members of rows of 50 ports 1 m apart along y, whose
    // plumes merge: every computation past the first touch solves the row's
    // geometry at each stage. Goal: at most 1.5 times the per-jet time of the
    // ports alone.
    std::vector<mardex::JetInput> rows = demo;
    for (auto& j : rows) {
        j.ports = 50;
        j.portSpacing = 1.0;
        j.rowAxis = 90.0;
    }
    int merged = 0;
    for (const auto& j : rows) {
        const mardex::JetResult r = mardex::computeJet(j);
        for (const auto& p : r.trajectory.points)
            if (p.derived.row.merged) {
                ++merged;
                break;
            }
    }
    timeJets(rows, 20, false);  // warm-up
    const Timing m = timeJets(rows, 500, false);
    std::printf("  %-34s %8.1f us per jet  %7.1f ns per step  (%.0f steps per jet, %d of %zu merge)\n",
                "8 ports in rows, computing only", m.perJetUs, m.perStepNs, m.stepsPerJet, merged, rows.size());
    std::printf("  %-34s %8.1f us per jet (process CPU time): %.2f times the ports alone (goal <= 1.5)\n",
                "8 ports in rows, computing only", m.cpuPerJetUs, m.cpuPerJetUs / d.cpuPerJetUs);

    std::printf("\nWhole runs of %s (process start to exit):\n", MARDEX2K_EXE);
    benchBinary({demo.front()}, "1 jet");
    benchBinary(hundred, "100 jets");
    return 0;
}
