// Untrusted input: truncated files, counts that do not match, a
// name line of 10 MB, numbers like 1e308, NaN and -0. Never a crash, never an
// endless loop, never a half file: either a rejection page (values that
// parse) or exit 2 with one clear line (structure that does not parse).
#include "JetTestSupport.h"
#include "Run.h"
#include "SuspendWriter.h"
#include "Udf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <sstream>

using namespace jettest;
namespace fs = std::filesystem;

namespace {

const char* const kControl = "0 0 1      0 0 0 0 0  0 0 0 0 0";
const char* const kLine5 = "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100";

// A block with the given lines 3, 4 and rows.
std::string block(const std::string& name, const std::string& l3,
                  const std::string& l4 = "0.050000  0.000000  999.000000",
                  const std::string& l6 = "1 1.000000 0.000000",
                  const std::string& rows = "0.000000     1.024600     0.000000    0.050000\n") {
    return name + "\n" + kControl + "\n" + l3 + "\n" + l4 + "\n" + kLine5 + "\n" + l6 + "\n" + rows;
}

std::string goodBlock(const std::string& name = "Jet1") {
    return block(name, "0.013800 1 0.100000 0.000000 20.000000");
}

// Runs the model on `udf` in a fresh directory; returns exit code and stderr.
struct RunResult {
    int code = -1;
    std::string err, suspend, plxdata;
    bool suspendExists = false, plxdataExists = false;
};

RunResult runOn(const std::string& udf) {
    RunResult out;
    const fs::path dir = freshDirectory("bad");
    writeText(dir / "UDF", udf);
    std::ostringstream err;
    out.code = mardex::runModel(dir, err);
    out.err = err.str();
    out.suspendExists = fs::exists(dir / "Suspend");
    out.plxdataExists = fs::exists(dir / "Plxdata");
    if (out.suspendExists) out.suspend = readText(dir / "Suspend");
    if (out.plxdataExists) out.plxdata = readText(dir / "Plxdata");
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string n = e.path().filename().string();
        EXPECT_TRUE(n == "UDF" || n == "Suspend" || n == "Plxdata") << "left behind: " << n;
    }
    fs::remove_all(dir);
    return out;
}

void expectStructureError(const RunResult& r, const std::string& where) {
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(where), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "exactly one line: " << r.err;
    EXPECT_LT(r.err.size(), 400u);
    EXPECT_FALSE(r.suspendExists);
    EXPECT_FALSE(r.plxdataExists);
}

// The reason line of the rejection page of the only jet.
std::string rejection(const RunResult& r) {
    EXPECT_EQ(r.code, 0) << r.err;
    const std::size_t p = r.suspend.find("COMPUTATIONS CEASE FOR:\r\n");
    if (p == std::string::npos) return "(computed)";
    const std::size_t l2 = r.suspend.find("\r\n", p) + 2;   // jet number line
    const std::size_t l3 = r.suspend.find("\r\n", l2) + 2;  // reason line
    const std::size_t e = r.suspend.find("\r\n", l3);
    return r.suspend.substr(l3, e - l3);
}

}  // namespace

TEST(JetBadInput, ParserReadsThePlumexExampleWithLfOrCrLf) {
    for (const std::string eol : {"\n", "\r\n"}) {
        std::string text = goodBlock() + goodBlock("Second jet");
        std::string conv;
        for (char c : text) conv += c == '\n' ? eol : std::string(1, c);
        const mardex::UdfParse p = mardex::parseUdf(conv + eol + "   " + eol);
        ASSERT_TRUE(p.ok) << p.error;
        ASSERT_EQ(p.jets.size(), 2u);
        EXPECT_EQ(p.jets[1].name, "Second jet");
        EXPECT_DOUBLE_EQ(p.jets[0].flow, 0.0138);
        EXPECT_DOUBLE_EQ(p.jets[0].depth, 20.0);
        EXPECT_DOUBLE_EQ(p.jets[0].maxSteps, 1500);
        EXPECT_EQ(p.jets[0].profile.size(), 1u);
        EXPECT_FALSE(p.jets[0].continuous);
        EXPECT_EQ(p.jets[1].firstLine, 8);
    }
    EXPECT_TRUE(mardex::parseUdf("").ok);
}

TEST(JetBadInput, EveryTruncationEitherParsesWholeBlocksOrFailsCleanly) {
    const std::string text = goodBlock() + goodBlock("Jet2");
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        const mardex::UdfParse p = mardex::parseUdf(text.substr(0, cut), "UDF");
        if (p.ok) {
            EXPECT_LE(p.jets.size(), 2u);
        } else {
            EXPECT_EQ(p.error.rfind("UDF:", 0), 0u) << p.error;
            EXPECT_EQ(p.error.find('\n'), std::string::npos);
        }
    }
    const RunResult r = runOn(goodBlock() + "Jet2\n" + kControl + "\n0.0138 1 0.1\n");
    expectStructureError(r, "UDF:10: expected 5 numbers");
    const RunResult t = runOn(goodBlock() + "Jet2\n" + kControl + "\n");
    expectStructureError(t, "UDF:10: unexpected end of file, expected the line 'Q n D phi depth'");
}

TEST(JetBadInput, CountThatDoesNotMatchItsRows) {
    // Two rows announced, one given, then the next jet.
    const std::string few =
        block("Jet1", "0.0138 1 0.1 0 20", "0.05 0 999", "2 1.0 0.0", "0 1.0246 0 0.05\n") + goodBlock("Jet2");
    expectStructureError(runOn(few), "UDF:8: expected 4 numbers in profile row 2 of 2");
    // One row announced, two given.
    const std::string many =
        block("Jet1", "0.0138 1 0.1 0 20", "0.05 0 999", "1 1.0 0.0", "0 1.0246 0 0.05\n10 1.0250 0 0.05\n") +
        goodBlock("Jet2");
    const RunResult r = runOn(many);
    expectStructureError(r, "UDF:9:");
    EXPECT_NE(r.err.find("row count"), std::string::npos) << r.err;
    // Announced rows missing at the end of the file.
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "3 1.0 0.0")),
                         "unexpected end of file, expected profile row 2 of 3");
    // Counts that cannot be counts.
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "-1 1.0 0.0")),
                         "UDF:6: expected a whole number of profile rows");
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "1e308 1.0 0.0")), "UDF:6:");
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "nan 1.0 0.0")), "UDF:6:");
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "1.5 1.0 0.0")), "UDF:6:");
}

TEST(JetBadInput, NameLineOf10MegabytesAndLongNumbers) {
    const std::string huge(10 * 1024 * 1024, 'N');
    const auto t0 = std::chrono::steady_clock::now();
    const RunResult r = runOn(goodBlock(huge) + goodBlock("Jet2"));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(20));
    ASSERT_EQ(r.code, 0) << r.err;
    // Every output line fits the readers' 127 characters.
    std::istringstream s(r.suspend + r.plxdata);
    std::string line;
    int lines = 0;
    while (std::getline(s, line)) {
        ++lines;
        ASSERT_LE(line.size() + 1, 127u);
    }
    EXPECT_GT(lines, 100);
    EXPECT_NE(r.suspend.find(" JET NAME:  " + std::string(mardex::kMaxNameOutput, 'N') + "\r\n"), std::string::npos);
    // 10 MB where a number must be: one short line.
    const RunResult n = runOn(block("J", "0.0138 1 0.1 0 " + huge));
    expectStructureError(n, "UDF:3: expected 5 numbers");
    const RunResult d = runOn(block("J", "0.0138 1 0.1 0 " + std::string(1000000, '1')));
    expectStructureError(d, "UDF:3:");
    // The control line of 10 MB is a control line; the jet is computed.
    std::string longControl = std::string(kControl) + huge;
    const RunResult c =
        runOn("J\n" + longControl + "\n0.0138 1 0.1 0 20\n0.05 0 999\n" + kLine5 + "\n1 1.0 0.0\n0 1.0246 0 0.05\n");
    EXPECT_EQ(c.code, 0) << c.err;
}

TEST(JetBadInput, HugeNaNAndNegativeZeroValuesGiveRejectionPages) {
    const auto l3 = [](const std::string& Q, const std::string& D, const std::string& depth) {
        return Q + " 1 " + D + " 0 " + depth;
    };
    EXPECT_EQ(rejection(runOn(block("J", l3("1e308", "0.1", "20")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "1e308", "20")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "0.1", "1e308")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "0.1", "1e999")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("nan", "0.1", "20")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "0.1", "-nan")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "0.1", "-inf")))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "0.1", "-0")))), " Port is above the water surface");
    EXPECT_EQ(rejection(runOn(block("J", l3("0.0138", "-0", "20")))), " Jet diameter must be positive");
    EXPECT_EQ(rejection(runOn(block("J", l3("-0", "0.1", "20")))), " Flow must be positive");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 0 0.1 0 20"))), " Number of ports must be at least 1");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1e308 0.1 0 20"))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1 0.1 1e308 20"))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "0 1.0 0.0", ""))), " No ambient profile");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "1 1.0 0.0", "0 1e308 0 0.05\n"))),
              " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0 999", "1 nan 0.0"))), " Value out of range");
    EXPECT_EQ(rejection(runOn(block("J", "0.0138 1 0.1 0 20", "1e308 0 999"))), " Value out of range");
    // -0 where zero is fine: computed, and no "-0" written.
    const RunResult z = runOn(block("J", "0.0138 1 0.1 -0 20", "-0 -0 999", "1 1.0 -0", "-0 1.0246 -0 -0\n"));
    EXPECT_EQ(rejection(z), "(computed)");
    EXPECT_EQ(z.suspend.find("-0.0\r"), std::string::npos);
    EXPECT_EQ(z.plxdata.find(" -0.000000"), std::string::npos);
    // Tiny but positive values: rejected or computed, never stuck.
    const auto t0 = std::chrono::steady_clock::now();
    runOn(block("J", l3("1e-300", "1e-300", "1e-300")));
    runOn(block("J", l3("1e-12", "1e-4", "5")));
    runOn(block("J", l3("1e5", "100", "11000")));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(20));
}

TEST(JetBadInput, TextWhereANumberMustBeAndBrokenControlLines) {
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 twenty")), "UDF:3: expected 5 numbers");
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20 7")), "UDF:3:");
    expectStructureError(runOn(block("J", "0.0138,1,0.1,0,20")), "UDF:3:");
    expectStructureError(runOn(block("J", "0.0138 1 0.1 0 20", "0.05 0")), "UDF:4:");
    expectStructureError(runOn("J\n0 0 1\n0.0138 1 0.1 0 20\n"), "UDF:2: expected the control line");
    std::string nul = goodBlock();
    nul[nul.find("20.000000")] = '\0';
    expectStructureError(runOn(nul), "UDF:3:");
}

// A small in-process fuzz: random byte mutations of a valid file never crash
// and always finish quickly (the libFuzzer target goes further).
TEST(JetBadInput, RandomMutationsNeverCrashOrHang) {
    const std::string seed = goodBlock() + goodBlock("Jet2");
    std::mt19937 rng(1234);
    const char alphabet[] = "0123456789.-+eE \n\r\tnaif*x1";
    const auto t0 = std::chrono::steady_clock::now();
    int parsed = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string t = seed;
        const int edits = 1 + static_cast<int>(rng() % 4);
        for (int e = 0; e < edits; ++e) {
            const std::size_t pos = rng() % t.size();
            switch (rng() % 3) {
            case 0:
                t[pos] = alphabet[rng() % (sizeof alphabet - 1)];
                break;
            case 1:
                t.erase(pos, 1 + rng() % 8);
                break;
            default:
                t.insert(pos, 1, alphabet[rng() % (sizeof alphabet - 1)]);
                break;
            }
            if (t.empty()) t = "x";
        }
        const mardex::UdfParse p = mardex::parseUdf(t);
        if (!p.ok) continue;
        ++parsed;
        for (const JetInput& j : p.jets) {
            const JetResult r = computeJet(j);
            std::string page;
            mardex::appendSuspendPage(page, 1, j, r);
            if (!r.rejected()) {
                ASSERT_GE(r.rows.size(), 1u);
                ASSERT_LE(r.rows.size(), static_cast<std::size_t>(j.maxSteps));
            }
        }
    }
    EXPECT_GT(parsed, 100);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(60));
}

TEST(JetBadInput, AJetThatVanishesAtThePortIsRejectedNotComputedWithoutRows) {
    // Continuous mode, 0.002 m^3/s through a 50 m port (1.02e-6 m/s, just
    // above the velocity bound), discharged 20 degrees below the horizontal:
    // held in the water column, the jet vanishes before its first row.
    std::string udf = block("Wide", "0.002000 1 50.000000 200.000000 20.000000", "0.050000  800090.000000  999.000000");
    const std::size_t control = udf.find('\n') + 1;
    udf[control + 30] = '1';  // the continuous mode flag of the control line
    const mardex::UdfParse p = mardex::parseUdf(udf);
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.jets.size(), 1u);
    const JetResult r = computeJet(p.jets[0]);
    ASSERT_TRUE(r.rejected()) << "rows: " << r.rows.size();
    EXPECT_EQ(r.rejection, "Jet velocity vanished at the port");
    std::string page;
    mardex::appendSuspendPage(page, 1, p.jets[0], r);
    EXPECT_NE(page.find("COMPUTATIONS CEASE FOR:"), std::string::npos) << page;
    // The same jet with a usual port computes.
    const mardex::UdfParse usual = mardex::parseUdf(goodBlock());
    ASSERT_TRUE(usual.ok);
    EXPECT_FALSE(computeJet(usual.jets[0]).rejected());
}
