// Helpers of the jet model tests: jets of the kinds the validation laws
// needs, the UDF text Plumex writes, least-squares fits, and
// tiny readers that follow the program's own reading rules for both output files.
#pragma once

#include "Constants.h"
#include "Jet.h"
#include "JetInput.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace jettest {

using mardex::JetInput;
using mardex::JetResult;

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kG = 9.81;

// A jet of diameter D (m) and port depth H (m) with an effluent of density
// rho0 (kg/m^3) and velocity Uj, vertical angle phi and horizontal angle theta
// (deg), in a profile (given by the caller), 5000 steps allowed.
JetInput makeJet(double D, double Uj, double rho0, double phiDeg, double thetaDeg, double depth,
                 std::vector<mardex::ProfileRow> profile, double meanCurrent = 0.0);

// A uniform profile of density rho (kg/m^3) and current U from 0 to `bottom` m.
std::vector<mardex::ProfileRow> uniformProfile(double rho, double bottom, double U = 0.0);

// Volume flux Vol/tau (m^3/s) of a trajectory point.
double volumeFlux(const JetResult& r, const mardex::TrajectoryPoint& p);

// y = a x fitted by least squares (a = sum xy / sum x^2).
double fitThroughOrigin(const std::vector<double>& x, const std::vector<double>& y);
// Slope of ln y against ln x by least squares.
double logLogSlope(const std::vector<double>& x, const std::vector<double>& y);
// exp(mean ln(y/x)): the coefficient of y = a x with every case weighted alike.
double geometricMeanRatio(const std::vector<double>& x, const std::vector<double>& y);

// Expects `got` within nominal*(1 -+ tol) and prints the figure.
void expectWithin(double got, double nominal, double tol, const char* what);

// The UDF block of a jet, written with the program's input formats.
std::string udfBlock(const JetInput& jet);

// A fresh empty directory under the system's temporary directory.
std::filesystem::path freshDirectory(const std::string& tag);
void writeText(const std::filesystem::path& p, const std::string& text);
std::string readText(const std::filesystem::path& p);

// Runs the real binary with -C dir and `args`; its standard output and error
// go to dir/stdout.txt and dir/stderr.txt. Returns the exit status.
int runBinary(const std::filesystem::path& dir, const std::string& args = "");

// ---- Tiny readers ----

// The 344-byte key-parameter record, as named values.
struct KeyRecord {
    std::string title;
    std::array<double, 13> left{};   // table rows 0..12, left values
    std::array<double, 13> right{};  // table rows 0..12, right values
    int ports = 0;                   // row 1 left, read with atoi
    int steps = 0;
};

struct SummaryOutcome {
    bool ok = false;
    std::string status;      // the document's status text
    std::string message;     // what the program would show, if anything
    int rejectedDigit = -1;  // the digit at index 15 of a rejection page
};

// Reads the next page from `f` (opened "rb") into `rec`, as the program's summary reader does.
SummaryOutcome parseSummaryBlock(std::FILE* f, KeyRecord& rec);

// One trajectory disk: the twelve columns, angles converted to radians with
// pi taken as 3.1415926, c.max limited to 1.
struct Disk {
    double radius = 0, x = 0, y = 0, z = 0, meanConc = 0, dilution = 0, velocity = 0, vAngle = 0, hAngle = 0,
           unnamed = 0, thickness = 0, maxConc = 0;
};

// CJetDisk::ReadLine on one line of text.
bool readDiskLine(const char* line, Disk& d);

struct TrajectoryOutcome {
    std::vector<Disk> disks;
    int steps = 0;        // the jet's number of steps afterwards
    std::string message;  // what the program would show, if anything
};

// CJet::ReadTrajectory: reads the jet's section from `f` given its step count.
TrajectoryOutcome readTrajectory(std::FILE* f, int steps);

}  // namespace jettest
