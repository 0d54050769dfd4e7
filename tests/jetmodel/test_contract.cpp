// The contract with Plumex: a run of
// several jets - one rejected, one named without the word "Jet", one in
// continuous mode - read back by readers that follow the program's own reading rules gives
// every jet its rows and key parameters. The real binary runs end to end.
#include "JetTestSupport.h"
#include "Run.h"
#include "Udf.h"
#include "WholeFileWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <sys/wait.h>

using namespace jettest;
namespace fs = std::filesystem;
using mardex::OutputRow;

#ifndef MARDEX2K_EXE
#error "MARDEX2K_EXE must name the mardex2k binary"
#endif

namespace {

std::vector<JetInput> contractJets() {
    std::vector<JetInput> jets;
    const std::vector<mardex::ProfileRow> summer = {
        {0.0, 1.0235, 0, 0.10}, {10.0, 1.0240, 0, 0.08}, {30.0, 1.0260, 0, 0.05}};
    JetInput a = makeJet(0.1, 1.757, 1000.0, 0.0, 0.0, 20.0, summer, 0.0767);
    a.name = "Jet1";
    jets.push_back(a);
    JetInput rejected = a;  // port above the surface
    rejected.name = "Jet2";
    rejected.depth = -1.0;
    jets.push_back(rejected);
    JetInput plain = a;  // named without the word
    plain.name = "Outfall A, port 3";
    plain.horizontalAngle = 90.0;
    plain.verticalAngle = 20.0;
    jets.push_back(plain);
    JetInput cont = a;  // continuous mode
    cont.name = "Jet4";
    cont.continuous = true;
    cont.maxSteps = 1500;
    jets.push_back(cont);
    JetInput salty =
        makeJet(0.15, 1.0, 0.0, 0.0, -45.0, 28.0, {{0.0, 35.0, 18.0, 0.1}, {30.0, 35.5, 12.0, 0.05}}, 0.075);
    salty.effluentValue = 0.5;  // salinity 0.5 ppt at 20 deg C
    salty.effluentTemperature = 20.0;
    salty.name = "5 salinity jet";
    jets.push_back(salty);
    return jets;
}

std::string udfOf(const std::vector<JetInput>& jets) {
    std::string udf;
    for (const JetInput& j : jets) udf += udfBlock(j);
    return udf;
}

// Reads a whole run back as Plumex's ReadResultFiles does for all jets.
struct ReadJet {
    SummaryOutcome summary;
    KeyRecord record;
    TrajectoryOutcome trajectory;
};

std::vector<ReadJet> readBack(const fs::path& dir, const std::vector<JetInput>& jets) {
    std::vector<ReadJet> out;
    std::FILE* s = std::fopen((dir / "Suspend").string().c_str(), "rb");
    std::FILE* p = std::fopen((dir / "Plxdata").string().c_str(), "rb");
    EXPECT_NE(s, nullptr);
    EXPECT_NE(p, nullptr);
    if (!s || !p) return out;
    for (const JetInput& j : jets) {
        ReadJet r;
        r.summary = parseSummaryBlock(s, r.record);
        // The document's continuous mode takes one step off.
        if (j.continuous) r.record.steps -= 1;
        if (r.summary.ok) r.trajectory = readTrajectory(p, r.record.steps);
        out.push_back(r);
    }
    std::fclose(s);
    std::fclose(p);
    return out;
}

// Expected values come from the jets as the UDF holds them (six decimals).
void checkContract(const fs::path& dir, const std::vector<JetInput>& written) {
    const mardex::UdfParse parsed = mardex::parseUdf(udfOf(written));
    ASSERT_TRUE(parsed.ok) << parsed.error;
    const std::vector<JetInput>& jets = parsed.jets;
    ASSERT_EQ(jets.size(), written.size());
    const std::vector<ReadJet> got = readBack(dir, jets);
    ASSERT_EQ(got.size(), jets.size());
    for (std::size_t k = 0; k < jets.size(); ++k) {
        SCOPED_TRACE("jet " + std::to_string(k + 1) + " " + jets[k].name);
        const JetResult want = computeJet(jets[k]);
        const ReadJet& r = got[k];
        if (want.rejected()) {
            EXPECT_FALSE(r.summary.ok);
            EXPECT_EQ(r.summary.rejectedDigit, static_cast<int>(k + 1));
            EXPECT_EQ(r.summary.status, " " + want.rejection);
            EXPECT_TRUE(r.trajectory.disks.empty());
            continue;
        }
        ASSERT_TRUE(r.summary.ok) << r.summary.message;
        EXPECT_TRUE(r.trajectory.message.empty()) << r.trajectory.message;
        EXPECT_EQ(r.record.title, jets[k].name);
        EXPECT_EQ(r.summary.status, mardex::stopText(want.trajectory.reason));
        const int steps = static_cast<int>(want.rows.size()) - (jets[k].continuous ? 1 : 0);
        EXPECT_EQ(r.record.steps, steps);
        ASSERT_EQ(static_cast<int>(r.trajectory.disks.size()), steps);
        // Key parameters.
        const auto rel = [](double a, double b) { return std::fabs(a - b) / std::max(std::fabs(b), 1e-12); };
        EXPECT_LT(rel(r.record.left[0], jets[k].flow), 1e-6);
        EXPECT_EQ(r.record.ports, 1);
        EXPECT_LT(rel(r.record.right[1], want.source.momentumFlux), 1e-6);
        EXPECT_LT(rel(r.record.right[2], want.source.buoyancyFlux), 1e-6);
        EXPECT_LT(rel(r.record.left[2], jets[k].depth), 1e-6);
        EXPECT_LT(rel(r.record.left[4], want.source.jetVelocity), 1e-6);
        EXPECT_LT(rel(r.record.left[11], want.source.densimetricFroude), 1e-6);
        EXPECT_LT(rel(r.record.right[6], want.source.lM), 1e-6);
        EXPECT_LT(rel(r.record.right[7], want.centrelineDilution()), 1e-6);
        EXPECT_LT(rel(r.record.right[8], want.averageDilution()), 1e-6);
        EXPECT_LT(rel(r.record.left[10], jets[k].horizontalAngle), 1e-6);
        // Rows.
        for (int i = 0; i < steps; ++i) {
            const Disk& d = r.trajectory.disks[static_cast<std::size_t>(i)];
            const OutputRow& row = want.rows[static_cast<std::size_t>(i)];
            const double tolL = 1e-3 * (std::fabs(row[OutputRow::X]) + std::fabs(row[OutputRow::Z])) + 1e-5;
            ASSERT_NEAR(d.x, row[OutputRow::X], tolL) << "row " << i;
            ASSERT_NEAR(d.y, row[OutputRow::Y], tolL + 1e-3 * std::fabs(row[OutputRow::Y]));
            ASSERT_NEAR(d.z, row[OutputRow::Z], tolL);
            ASSERT_NEAR(d.radius, row[OutputRow::Radius], 1e-3 * row[OutputRow::Radius] + 1e-6);
            ASSERT_NEAR(d.dilution, row[OutputRow::Dilution], 1e-3 * row[OutputRow::Dilution]);
            ASSERT_LE(d.maxConc, 1.0);
        }
    }
}

}  // namespace

TEST(JetContract, SeveralJetsReadBackByTheReadersOfParts23And24) {
    const fs::path dir = freshDirectory("contract");
    ASSERT_FALSE(dir.empty());
    const std::vector<JetInput> jets = contractJets();
    writeText(dir / "UDF", udfOf(jets));
    std::ostringstream err;
    ASSERT_EQ(mardex::runModel(dir, err), mardex::kExitOk) << err.str();
    EXPECT_TRUE(err.str().empty());
    checkContract(dir, jets);
    // Exactly the two outputs beside the input: no temporary file left.
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        ++files;
        const std::string n = e.path().filename().string();
        EXPECT_TRUE(n == "UDF" || n == "Suspend" || n == "Plxdata") << n;
    }
    EXPECT_EQ(files, 3);
    fs::remove_all(dir);
}

TEST(JetContract, RealBinaryEndToEndInATemporaryDirectory) {
    const fs::path dir = freshDirectory("e2e");
    ASSERT_FALSE(dir.empty());
    const std::vector<JetInput> jets = contractJets();
    writeText(dir / "UDF", udfOf(jets));
    ASSERT_EQ(runBinary(dir), 0) << readText(dir / "stderr.txt");
    EXPECT_EQ(readText(dir / "stderr.txt"), "");
    checkContract(dir, jets);
    // The binary writes exactly what the library writes.
    const fs::path twin = freshDirectory("e2e-twin");
    writeText(twin / "UDF", udfOf(jets));
    std::ostringstream err;
    ASSERT_EQ(mardex::runModel(twin, err), 0);
    EXPECT_EQ(readText(dir / "Suspend"), readText(twin / "Suspend"));
    EXPECT_EQ(readText(dir / "Plxdata"), readText(twin / "Plxdata"));
    fs::remove_all(twin);

    // --help / --version; a broken input: exit 2, one stderr line, no output.
    EXPECT_EQ(runBinary(dir, "--version"), 0);
    EXPECT_EQ(readText(dir / "stdout.txt").rfind("mardex2k ", 0), 0u);
    EXPECT_EQ(runBinary(dir, "--help"), 0);
    EXPECT_NE(readText(dir / "stdout.txt").find("Limitations: ports of one row only"), std::string::npos);
    EXPECT_EQ(runBinary(dir, "--bogus"), 2);
    fs::remove(dir / "Suspend");
    fs::remove(dir / "Plxdata");
    writeText(dir / "UDF", "Jet1\n0 0 1      0 0 0 0 0  0 0 0 0 0\n0.0138 1 0.1 abc 20\n");
    EXPECT_EQ(runBinary(dir), 2);
    const std::string e = readText(dir / "stderr.txt");
    EXPECT_NE(e.find("UDF:3:"), std::string::npos) << e;
    EXPECT_EQ(e.find('\n'), e.size() - 1) << "one line: " << e;
    EXPECT_FALSE(fs::exists(dir / "Suspend"));
    EXPECT_FALSE(fs::exists(dir / "Plxdata"));
    fs::remove_all(dir);
}

// The hidden option --step-factor F runs the same model with another step
// factor (for convergence checks on the real program); it is not in --help.
TEST(JetContract, StepFactorOptionOfTheRealBinary) {
    const fs::path dir = freshDirectory("step");
    ASSERT_FALSE(dir.empty());
    const std::vector<JetInput> jets = contractJets();
    writeText(dir / "UDF", udfOf(jets));
    ASSERT_EQ(runBinary(dir, "--step-factor 0.05"), 0) << readText(dir / "stderr.txt");
    const fs::path twin = freshDirectory("step-twin");
    writeText(twin / "UDF", udfOf(jets));
    std::ostringstream err;
    mardex::IntegratorOptions half;
    half.stepFactor = 0.05;
    ASSERT_EQ(mardex::runModel(twin, err, half), 0);
    EXPECT_EQ(readText(dir / "Plxdata"), readText(twin / "Plxdata"));
    ASSERT_EQ(mardex::runModel(twin, err), 0);
    EXPECT_NE(readText(dir / "Plxdata"), readText(twin / "Plxdata"));
    fs::remove_all(twin);
    for (const char* bad : {"--step-factor", "--step-factor 0", "--step-factor -0.1", "--step-factor 2",
                            "--step-factor nan", "--step-factor 0.1x"}) {
        EXPECT_EQ(runBinary(dir, bad), 2) << bad;
        EXPECT_NE(readText(dir / "stderr.txt").find("--step-factor"), std::string::npos) << bad;
    }
    EXPECT_EQ(runBinary(dir, "--help"), 0);
    EXPECT_EQ(readText(dir / "stdout.txt").find("step-factor"), std::string::npos);
    fs::remove_all(dir);
}

TEST(JetContract, MissingInputDirectoryFailsWithExit2) {
    const fs::path dir = freshDirectory("missing");
    EXPECT_EQ(runBinary(dir), 2);  // no UDF in it
    EXPECT_NE(readText(dir / "stderr.txt").find("UDF"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "Suspend"));
    fs::remove_all(dir);
}

TEST(JetContract, PlxdataThatCannotBeWrittenLeavesNoTemporaryFile) {
    const fs::path dir = freshDirectory("blocked");
    writeText(dir / "UDF", udfOf(contractJets()));
    fs::create_directory(dir / "Plxdata");  // the rename onto it fails
    fs::create_directory(dir / "Plxdata" / "keep");
    std::ostringstream err;
    EXPECT_EQ(mardex::runModel(dir, err), mardex::kExitOutputFailed);
    EXPECT_NE(err.str().find("Plxdata"), std::string::npos);
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos);
    fs::remove_all(dir);
}

// The trajectory file is written jet by jet under its temporary name: when
// the summary file then fails, neither output appears and nothing is left.
TEST(JetContract, SuspendThatCannotBeWrittenLeavesNoPlxdataAndNoTemporaryFile) {
    const fs::path dir = freshDirectory("blocked-suspend");
    writeText(dir / "UDF", udfOf(contractJets()));
    fs::create_directory(dir / "Suspend");
    fs::create_directory(dir / "Suspend" / "keep");
    std::ostringstream err;
    EXPECT_EQ(mardex::runModel(dir, err), mardex::kExitOutputFailed);
    EXPECT_NE(err.str().find("Suspend"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "Plxdata"));
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    fs::remove_all(dir);
}

TEST(JetContract, AWholeFileAppearsOnlyWhenCommitted) {
    const fs::path dir = freshDirectory("whole");
    {
        mardex::WholeFileWriter file(dir / "out");
        ASSERT_TRUE(file.ok()) << file.error();
        file.write("first ");
        file.write("second");
        EXPECT_FALSE(fs::exists(dir / "out"));
        ASSERT_TRUE(file.commit());
    }
    EXPECT_EQ(readText(dir / "out"), "first second");
    {
        mardex::WholeFileWriter dropped(dir / "out");
        dropped.write("never seen");
    }
    EXPECT_EQ(readText(dir / "out"), "first second");
    int files = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        ++files;
        EXPECT_EQ(e.path().filename().string(), "out");
    }
    EXPECT_EQ(files, 1);
    fs::remove_all(dir);
}
