#include "JetTestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include <sys/wait.h>

namespace jettest {

namespace fs = std::filesystem;

std::vector<mardex::ProfileRow> uniformProfile(double rho, double bottom, double U) {
    return {{0.0, rho / 1000.0, 0.0, U}, {bottom, rho / 1000.0, 0.0, U}};
}

JetInput makeJet(double D, double Uj, double rho0, double phiDeg, double thetaDeg, double depth,
                 std::vector<mardex::ProfileRow> profile, double meanCurrent) {
    JetInput j;
    j.name = "test jet";
    j.diameter = D;
    j.flow = Uj * kPi * D * D / 4.0;
    j.ports = 1;
    j.verticalAngle = phiDeg;
    j.horizontalAngle = thetaDeg;
    j.depth = depth;
    j.currentSpeed = meanCurrent;
    j.maxSteps = 5000;
    j.effluentValue = rho0 / 1000.0;
    j.effluentTemperature = 0.0;
    j.profile = std::move(profile);
    return j;
}

double volumeFlux(const JetResult& r, const mardex::TrajectoryPoint& p) {
    return p.state[mardex::State::Volume] / r.setting.tau;
}

double fitThroughOrigin(const std::vector<double>& x, const std::vector<double>& y) {
    double sxy = 0, sxx = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxy += x[i] * y[i];
        sxx += x[i] * x[i];
    }
    return sxy / sxx;
}

double logLogSlope(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double lx = std::log(x[i]), ly = std::log(y[i]);
        sx += lx;
        sy += ly;
        sxx += lx * lx;
        sxy += lx * ly;
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

double geometricMeanRatio(const std::vector<double>& x, const std::vector<double>& y) {
    double s = 0;
    for (std::size_t i = 0; i < x.size(); ++i) s += std::log(y[i] / x[i]);
    return std::exp(s / static_cast<double>(x.size()));
}

void expectWithin(double got, double nominal, double tol, const char* what) {
    EXPECT_GE(got, nominal * (1.0 - tol)) << what;
    EXPECT_LE(got, nominal * (1.0 + tol)) << what;
    std::printf("  %-44s %.4f (law %.4f +-%.0f %%)\n", what, got, nominal, tol * 100);
}

std::string udfBlock(const JetInput& j) {
    // The control line: 31 characters.
    std::string control = "0 0 1      0 0 0 0 0  0 0 0 0 0";
    control[30] = j.continuous ? '1' : '0';
    char buf[512];
    std::string out = j.name + "\n" + control + "\n";
    std::snprintf(buf, sizeof buf, "%f %.0f %f %f %f\n", j.flow, j.ports, j.diameter, j.verticalAngle, j.depth);
    out += buf;
    std::snprintf(buf, sizeof buf, "%f  %f  %f\n", j.currentSpeed, j.horizontalAngle, 999.0);
    if (j.portSpacing != 0.0 || j.rowAxis != 0.0)  // a row: the two optional numbers
        std::snprintf(buf, sizeof buf, "%f  %f  %f  %.17g  %.17g\n", j.currentSpeed, j.horizontalAngle, 999.0,
                      j.portSpacing, j.rowAxis);
    out += buf;
    std::snprintf(buf, sizeof buf, "%s %d %d\n", "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1 ",
                  static_cast<int>(j.maxSteps), 100);
    out += buf;
    std::snprintf(buf, sizeof buf, "%d %f %f\n", static_cast<int>(j.profile.size()), j.effluentValue,
                  j.effluentTemperature);
    out += buf;
    for (const mardex::ProfileRow& r : j.profile) {
        std::snprintf(buf, sizeof buf, "%f     %f     %f    %f\n", r.depth, r.value, r.temperature, r.current);
        out += buf;
    }
    return out;
}

int runBinary(const fs::path& dir, const std::string& args) {
    const std::string cmd = std::string("\"") + MARDEX2K_EXE + "\" -C \"" + dir.string() + "\" " + args + " >\"" +
                            (dir / "stdout.txt").string() + "\" 2>\"" + (dir / "stderr.txt").string() + "\"";
    const int rc = std::system(cmd.c_str());
    return WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
}

fs::path freshDirectory(const std::string& tag) {
    std::random_device rd;
    for (int i = 0; i < 100; ++i) {
        const fs::path p =
            fs::temp_directory_path() / ("mardex2k-test-" + tag + "-" + std::to_string(rd() % 100000000u));
        std::error_code ec;
        if (fs::create_directory(p, ec)) return p;
    }
    return {};
}

void writeText(const fs::path& p, const std::string& text) {
    std::ofstream f(p, std::ios::binary);
    f << text;
}

std::string readText(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

// ---------------------------------------------------------------------------
// Tiny readers.

namespace {

// The number at `index` of a table row: skip blanks, then
// the longest run of digits, '.', '-', 'E'.
std::string numberAt(const char* line, std::size_t index) {
    const std::size_t len = std::strlen(line);
    std::size_t i = index;
    while (i < len && line[i] == ' ') ++i;
    std::string run;
    while (i < len &&
           (std::isdigit(static_cast<unsigned char>(line[i])) || line[i] == '.' || line[i] == '-' || line[i] == 'E'))
        run += line[i++];
    return run;
}

}  // namespace

SummaryOutcome parseSummaryBlock(std::FILE* f, KeyRecord& rec) {
    SummaryOutcome out;
    char line[130];  // fgets of at most 127 characters
    // 1. page start
    for (;;) {
        if (!std::fgets(line, 128, f)) {
            out.message = "Suspend File Format Error!";
            return out;
        }
        if (line[0] == '1') break;
    }
    // 2. rejected jet
    if (std::strstr(line, "COMPUTATIONS CEASE FOR:")) {
        if (std::fgets(line, 128, f)) out.rejectedDigit = std::strlen(line) > 15 ? line[15] - '0' : -1;
        if (std::fgets(line, 128, f)) {
            std::string s = line;
            s = s.size() >= 2 ? s.substr(0, s.size() - 2) : std::string();
            out.status = s;
        }
        out.message =
            "Computations Cease for:JET" + std::to_string(out.rejectedDigit) + out.status + " Reported by MARDEX";
        return out;
    }
    // 3. skip two lines, the jet number line, the title line
    for (int i = 0; i < 3; ++i)
        if (!std::fgets(line, 128, f)) return out;
    if (!std::fgets(line, 128, f)) return out;
    std::string title = std::strlen(line) > 12 ? std::string(line + 12) : std::string();
    while (!title.empty() && (title.back() == ' ' || title.back() == '\r' || title.back() == '\n')) title.pop_back();
    // 4. the table
    for (;;) {
        if (!std::fgets(line, 128, f)) {
            out.message = "Suspend File Format Error!";
            return out;
        }
        if (std::strncmp(line, " Total Q", 8) == 0) break;
    }
    KeyRecord r;
    r.title = title;
    for (int row = 0; row < 13; ++row) {
        if (row > 0 && !std::fgets(line, 128, f)) {
            out.message = "Suspend File Format Error!";
            return out;
        }
        const std::string lv = numberAt(line, 13);
        const std::string rv = numberAt(line, 45);
        if (row == 1) r.ports = std::atoi(lv.c_str());
        r.left[static_cast<std::size_t>(row)] = std::atof(lv.c_str());
        r.right[static_cast<std::size_t>(row)] = std::atof(rv.c_str());
    }
    // 6. the step count: every digit of the line
    for (;;) {
        if (!std::fgets(line, 128, f)) {
            out.message = "Suspend File Format Error!";
            return out;
        }
        if (std::strstr(line, "NUMBER OF STEPS")) break;
    }
    int steps = 0;
    for (const char* c = line; *c; ++c)
        if (std::isdigit(static_cast<unsigned char>(*c))) steps = steps * 10 + (*c - '0');
    r.steps = steps;
    // 7. the stop reason within 7 lines
    out.status.clear();
    for (int i = 0; i < 7; ++i) {
        if (!std::fgets(line, 128, f)) {
            out.message =
                "No `Computations Cease' output in suspend file!,Please inspect the suspend "
                "file!";
            return out;
        }
        if (std::strstr(line, "COMPUTATIONS CEASE:")) {
            std::string s = line;
            out.status = s.size() >= 23 ? s.substr(21, s.size() - 23) : std::string();
            break;
        }
    }
    rec = r;
    out.ok = true;
    return out;
}

bool readDiskLine(const char* line, Disk& d) {
    std::string copy(line);
    double* fields[12] = {&d.x,        &d.y,         &d.z,       &d.radius,  &d.hAngle,   &d.vAngle,
                          &d.velocity, &d.thickness, &d.unnamed, &d.maxConc, &d.meanConc, &d.dilution};
    char* save = nullptr;
    char* tok = strtok_r(copy.data(), " \t\r\n", &save);
    for (int i = 0; i < 12; ++i) {
        if (!tok || tok[0] == '*') return false;
        double v = std::atof(tok);
        if (i == 4 || i == 5) v *= 3.1415926 / 180.0;
        if (i == 9 && v >= 1.0) v = 1.0;
        *fields[i] = v;
        tok = strtok_r(nullptr, " \t\r\n", &save);
    }
    return true;
}

TrajectoryOutcome readTrajectory(std::FILE* f, int steps) {
    TrajectoryOutcome out;
    out.steps = steps;
    char line[131];  // lines of at most 128 characters
    bool found = false;
    while (std::fgets(line, 129, f))
        if (std::strstr(line, "Jet")) {
            found = true;
            break;
        }
    if (!found || !std::fgets(line, 129, f) || !std::strstr(line, "X(M)")) {
        out.message = std::string("unexpected data in plxdata file--\n") + (found ? line : "");
        return out;
    }
    for (int i = 0; i < steps; ++i) {
        Disk d;
        char one[129];  // ReadLine: one line of at most 127 characters
        if (std::fgets(one, 128, f) && readDiskLine(one, d)) {
            out.disks.push_back(d);
            continue;
        }
        out.message = "Improper result data,there are " + std::to_string(steps - i + 1) +
                      " steps being not processed,please inspect the plxdata file.";
        const int k = i > 0 ? i - 1 : 0;
        for (int skip = k + 1; skip < steps; ++skip)
            if (!std::fgets(line, 129, f)) break;
        out.steps = k;
        break;
    }
    return out;
}

}  // namespace jettest
