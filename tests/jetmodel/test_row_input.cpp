// How a row of ports reaches the program: the two optional numbers of line 4,
// their rejections, the --capabilities answer, and runs without a row that
// stay byte for byte what the program wrote before it knew rows.
#include "JetTestSupport.h"
#include "Udf.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace jettest;
namespace fs = std::filesystem;

#ifndef JETMODEL_CORPUS
#error "JETMODEL_CORPUS must name tests/jetmodel/corpus"
#endif

namespace {

const fs::path kUnmerged = fs::path(JETMODEL_CORPUS) / "unmerged";

std::string block(const std::string& line3, const std::string& line4) {
    return "J\n0 0 1      0 0 0 0 0  0 0 0 0 0\n" + line3 + "\n" + line4 +
           "\n0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100\n1 1.0 0\n0 1.0246 0 0.05\n";
}

// Every line of `text` whose start is none of `skip`.
std::string without(const std::string& text, std::initializer_list<const char*> skip) {
    std::istringstream in(text);
    std::string out, line;
    while (std::getline(in, line)) {
        bool keep = true;
        for (const char* s : skip) keep = keep && line.rfind(s, 0) != 0;
        if (keep) out += line + "\n";
    }
    return out;
}

}  // namespace

// The reference outputs were written by the program before it read rows;
// with three numbers on line 4, and with n = 50 and "0 90" appended (s = 0:
// no row), the program writes them again (the second run differs only in the
// table's Total Q and N. Ports).
TEST(RowInput, RunsWithoutARowAreByteIdenticalToTheSinglePortProgram) {
    const std::string udf = readText(kUnmerged / "UDF");
    const std::string suspend = readText(kUnmerged / "Suspend"), plxdata = readText(kUnmerged / "Plxdata");
    ASSERT_FALSE(udf.empty());
    ASSERT_FALSE(plxdata.empty());
    const fs::path dir = freshDirectory("unmerged");
    writeText(dir / "UDF", udf);
    ASSERT_EQ(runBinary(dir), 0) << readText(dir / "stderr.txt");
    EXPECT_TRUE(readText(dir / "Suspend") == suspend);
    EXPECT_TRUE(readText(dir / "Plxdata") == plxdata);

    // n = 50 on every line 3 and "0 90" after every line 4.
    std::vector<std::string> lines;
    std::istringstream in(udf);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    for (std::size_t i = 0; i + 5 < lines.size(); i += 6 + std::stoul(lines[i + 5])) {
        std::istringstream l3(lines[i + 2]);
        std::string q, n, rest;
        l3 >> q >> n;
        std::getline(l3, rest);
        lines[i + 2] = q + " 50" + rest;
        lines[i + 3] += " 0 90";
    }
    std::string rows;
    for (const std::string& line : lines) rows += line + "\n";
    writeText(dir / "UDF", rows);
    ASSERT_EQ(runBinary(dir), 0) << readText(dir / "stderr.txt");
    EXPECT_TRUE(readText(dir / "Plxdata") == plxdata);
    const std::string got = readText(dir / "Suspend");
    EXPECT_NE(got, suspend);
    EXPECT_EQ(without(got, {" Total Q", " N. Ports"}), without(suspend, {" Total Q", " N. Ports"}));
    EXPECT_NE(got.find(" N. Ports  = 50 "), std::string::npos);
    fs::remove_all(dir);
}

TEST(RowInput, LineFourTakesThreeOrFiveNumbers) {
    mardex::UdfParse p = mardex::parseUdf(block("0.0138 50 0.1 0 20", "0.05 0 999.0 4.5 -30"));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.jets[0].ports, 50.0);
    EXPECT_EQ(p.jets[0].portSpacing, 4.5);
    EXPECT_EQ(p.jets[0].rowAxis, -30.0);
    p = mardex::parseUdf(block("0.0138 50 0.1 0 20", "0.05 0 999.0"));
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.jets[0].portSpacing, 0.0);
    for (const char* bad : {"0.05 0 999.0 4.5", "0.05 0 999.0 4.5 90 1", "0.05 0 999.0 4.5 90 1 2"}) {
        p = mardex::parseUdf(block("0.0138 50 0.1 0 20", bad));
        EXPECT_FALSE(p.ok) << bad;
        EXPECT_EQ(p.errorLine, 4) << bad;
        EXPECT_NE(p.error.find("expected 3 or 5 numbers 'Ua theta 999.0 [s psi]'"), std::string::npos) << p.error;
    }
    // Text where a number must be keeps its message.
    p = mardex::parseUdf(block("0.0138 50 0.1 0 20", "0.05 0 999.0 x 90"));
    EXPECT_FALSE(p.ok);
    EXPECT_NE(p.error.find("expected 3 numbers 'Ua theta 999.0'"), std::string::npos) << p.error;

    // The real binary: exit 2 with the line number, no output.
    const fs::path dir = freshDirectory("line4");
    writeText(dir / "UDF", block("0.0138 50 0.1 0 20", "0.05 0 999.0 4.5"));
    EXPECT_EQ(runBinary(dir), 2);
    EXPECT_NE(readText(dir / "stderr.txt").find("UDF:4: expected 3 or 5 numbers"), std::string::npos)
        << readText(dir / "stderr.txt");
    EXPECT_FALSE(fs::exists(dir / "Suspend"));
    fs::remove_all(dir);
}

// Overlapping ports (0 < s < D), a negative or non-finite spacing and an axis
// that is not finite are rejected; s = 0 and N = 1 are no row.
TEST(RowInput, RejectedRowValues) {
    const fs::path dir = freshDirectory("rowreject");
    std::string udf;
    for (const char* l4 : {"0.05 0 999.0 0.05 90", "0.05 0 999.0 -1 90", "0.05 0 999.0 4 nan", "0.05 0 999.0 inf 90",
                           "0.05 0 999.0 0 90", "0.05 0 999.0 0.1 90"})
        udf += block("0.0138 50 0.1 0 20", l4);
    writeText(dir / "UDF", udf);
    ASSERT_EQ(runBinary(dir), 0) << readText(dir / "stderr.txt");
    const std::string s = readText(dir / "Suspend");
    for (int k = 1; k <= 4; ++k)
        EXPECT_NE(
            s.find("COMPUTATIONS CEASE FOR:\r\n JET NUMBER    " + std::to_string(k) + "\r\n Value out of range\r\n"),
            std::string::npos)
            << k;
    EXPECT_NE(s.find(" JET NO.    5\r\n"), std::string::npos);
    EXPECT_NE(s.find(" JET NO.    6\r\n"), std::string::npos);  // s = D: ports touch, allowed
    fs::remove_all(dir);
}

// The host asks the program whether it reads the row before it writes one.
TEST(RowInput, CapabilitiesNameThePortRow) {
    const fs::path dir = freshDirectory("caps");
    ASSERT_EQ(runBinary(dir, "--capabilities"), 0);
    EXPECT_EQ(readText(dir / "stdout.txt"), "port-row\n");
    EXPECT_FALSE(fs::exists(dir / "Suspend"));
    ASSERT_EQ(runBinary(dir, "--help"), 0);
    EXPECT_NE(readText(dir / "stdout.txt").find("--capabilities"), std::string::npos);
    fs::remove_all(dir);
}
