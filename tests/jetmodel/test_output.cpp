// The output files: the exact columns of the "Suspend" page (parsed at
// indices 12, 13, 45, 15, 21 as Plumex's reader does) and the 120-character
// rows of "Plxdata".
#include "JetTestSupport.h"
#include "NumberFormat.h"
#include "PlxdataWriter.h"
#include "SuspendWriter.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

using namespace jettest;
using mardex::OutputRow;

namespace {

std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t e = text.find("\r\n", pos);
        EXPECT_NE(e, std::string::npos) << "every line ends with CR LF";
        if (e == std::string::npos) break;
        lines.push_back(text.substr(pos, e - pos));
        pos = e + 2;
    }
    return lines;
}

// The reader's number at `index`: skip blanks, then digits . - E.
double numberAt(const std::string& line, std::size_t index) {
    std::size_t i = index;
    while (i < line.size() && line[i] == ' ') ++i;
    std::string run;
    while (i < line.size() &&
           (std::isdigit(static_cast<unsigned char>(line[i])) || line[i] == '.' || line[i] == '-' || line[i] == 'E'))
        run += line[i++];
    EXPECT_FALSE(run.empty()) << line;
    return std::atof(run.c_str());
}

void expectRel(double got, double want, double tol = 1e-6) {
    EXPECT_NEAR(got, want, tol * std::max(std::fabs(want), 1e-12));
}

JetInput keyVectorJet() {
    // The source-quantity test vector: D 0.1, Q 0.0138, rho_0 1000, rho_a 1024.6, U_a 0.05.
    JetInput j = makeJet(0.1, 0.0, 1000.0, 0.0, 0.0, 20.0, {{0.0, 1.0246, 0.0, 0.05}}, 0.05);
    j.flow = 0.0138;
    j.name = "Jet1";
    return j;
}

}  // namespace

TEST(JetSuspendPage, ColumnsAtTheReadersFixedIndices) {
    const JetInput j = keyVectorJet();
    const JetResult r = computeJet(j);
    std::string page;
    mardex::appendSuspendPage(page, 7, j, r);
    const std::vector<std::string> L = splitCrLf(page);
    ASSERT_GE(L.size(), 22u);
    EXPECT_EQ(L[0][0], '1');
    for (std::size_t i = 1; i < L.size(); ++i) EXPECT_EQ(L[i][0], ' ') << "line " << i;
    EXPECT_EQ(L[3].substr(0, 12), " JET NO.    ");
    EXPECT_EQ(std::atoi(L[3].c_str() + 12), 7);  // index 12: the jet number
    EXPECT_EQ(L[4].substr(12), "Jet1");          // index 12: the title
    ASSERT_EQ(L[6].substr(0, 8), " Total Q");
    // Rows 0..12 at indices 13 and 45.
    const double want[13][2] = {
        {0.0138, 0.0138},
        {1, r.source.momentumFlux},
        {20.0, r.source.buoyancyFlux},
        {0.1, r.source.lQ},
        {r.source.jetVelocity, r.source.lm},
        {0.05, r.source.lb},
        {24.6 / 1024.6, r.source.lM},
        {1.0, r.centrelineDilution()},
        {1.0246, r.averageDilution()},
        {0.0, r.source.lQ_lm},
        {0.0, r.source.lQ_lM},
        {r.source.densimetricFroude, r.source.lm_lb},
        {r.source.velocityRatio, r.source.lM_lb},
    };
    for (int row = 0; row < 13; ++row) {
        const std::string& line = L[6 + static_cast<std::size_t>(row)];
        EXPECT_EQ(line[11], '=');
        EXPECT_EQ(line[43], '=');
        EXPECT_NE(line[13], ' ') << line;
        EXPECT_NE(line[45], ' ') << line;
        expectRel(numberAt(line, 13), want[row][0]);
        expectRel(numberAt(line, 45), want[row][1]);
    }
    EXPECT_EQ(std::atoi(L[7].c_str() + 13), 1);  // N. Ports with atoi
    // Key parameters of the test vector as read back (1e-4).
    expectRel(numberAt(L[7], 45), 0.024248, 1e-4);
    expectRel(numberAt(L[8], 45), 3.2503e-3, 1e-4);
    expectRel(numberAt(L[17], 13), 11.449, 1e-4);
    expectRel(numberAt(L[11], 45), 26.003, 1e-4);
    // The step count: every digit of its line.
    const std::string& steps = L[20];
    ASSERT_NE(steps.find("NUMBER OF STEPS"), std::string::npos);
    int n = 0;
    for (char c : steps)
        if (std::isdigit(static_cast<unsigned char>(c))) n = n * 10 + (c - '0');
    EXPECT_EQ(n, static_cast<int>(r.rows.size()));
    // The stop reason from index 21.
    ASSERT_EQ(L[21].substr(0, 21), " COMPUTATIONS CEASE: ");
    EXPECT_EQ(L[21].substr(21), mardex::stopText(r.trajectory.reason));
    for (const std::string& l : L) EXPECT_EQ(l.find('+'), std::string::npos) << l;
}

TEST(JetSuspendPage, InfiniteScalesRead1E10AndRejectionPageIndex15) {
    JetInput j = keyVectorJet();
    j.currentSpeed = 0.0;
    j.profile = {{0.0, 1.0, 0.0, 0.0}};  // no current, no buoyancy
    const JetResult r = computeJet(j);
    std::string page;
    mardex::appendSuspendPage(page, 1, j, r);
    const std::vector<std::string> L = splitCrLf(page);
    EXPECT_EQ(numberAt(L[11], 45), 1.0e10);  // lb
    EXPECT_EQ(numberAt(L[17], 13), 1.0e10);  // Fd
    EXPECT_EQ(numberAt(L[18], 13), 1.0e10);  // Uj/Ua
    EXPECT_NE(L[11].find("1.0E10"), std::string::npos);

    JetInput bad = keyVectorJet();
    bad.depth = -1.0;
    std::string rej;
    mardex::appendSuspendPage(rej, 3, bad, computeJet(bad));
    const std::vector<std::string> R = splitCrLf(rej);
    // The summary reader: the page-start line holds "COMPUTATIONS CEASE FOR:", the
    // next line the jet number at index 15, the one after the reason.
    ASSERT_EQ(R.size(), 3u);
    EXPECT_EQ(R[0][0], '1');
    EXPECT_NE(R[0].find("COMPUTATIONS CEASE FOR:"), std::string::npos);
    EXPECT_EQ(R[1].substr(0, 15), " JET NUMBER    ");
    EXPECT_EQ(R[1][15], '3');
    EXPECT_EQ(R[2], " Port is above the water surface");
}

TEST(JetPlxdata, RowsAre120CharactersOfTwelveFields) {
    JetInput j = keyVectorJet();
    j.horizontalAngle = -60.0;
    const JetResult r = computeJet(j);
    std::string text;
    mardex::appendPlxdataSection(text, 12, j, r);
    const std::vector<std::string> L = splitCrLf(text);
    ASSERT_EQ(L.size(), r.rows.size() + 2);
    EXPECT_EQ(L[0], " Jet   12  Jet1");
    EXPECT_EQ(L[1], mardex::kPlxdataColumns);
    for (std::size_t i = 2; i < L.size(); ++i) {
        const std::string& line = L[i];
        ASSERT_EQ(line.size(), 120u) << i;
        for (int f = 0; f < 12; ++f) {
            ASSERT_EQ(line[static_cast<std::size_t>(10 * f)], ' ');
            ASSERT_NE(line[static_cast<std::size_t>(10 * f + 9)], ' ');
        }
        EXPECT_EQ(line.find('*'), std::string::npos);
        EXPECT_EQ(line.find('+'), std::string::npos);
        Disk d;
        ASSERT_TRUE(readDiskLine(line.c_str(), d));
        const OutputRow& row = r.rows[i - 2];
        EXPECT_NEAR(d.x, row[OutputRow::X], 1e-3 * std::fabs(row[OutputRow::X]) + 1e-6);
        EXPECT_NEAR(d.y, row[OutputRow::Y], 1e-3 * std::fabs(row[OutputRow::Y]) + 1e-6);
        EXPECT_NEAR(d.dilution, row[OutputRow::Dilution], 1e-3 * row[OutputRow::Dilution]);
    }
    // The first row is the port.
    Disk first;
    ASSERT_TRUE(readDiskLine(L[2].c_str(), first));
    EXPECT_EQ(first.x, 0.0);
    EXPECT_EQ(first.z, 0.0);
    EXPECT_DOUBLE_EQ(first.radius, 0.05);
    EXPECT_DOUBLE_EQ(first.dilution, 1.0);
    EXPECT_NEAR(first.hAngle, 60.0 * 3.1415926 / 180.0, 1e-9);
    // A rejected jet has no section.
    JetInput bad = j;
    bad.flow = 0.0;
    std::string none;
    mardex::appendPlxdataSection(none, 13, bad, computeJet(bad));
    EXPECT_TRUE(none.empty());
}

TEST(JetPlxdata, HeadingHoldsJetWhateverTheNameAndFitsTheReader) {
    EXPECT_NE(mardex::sectionHeading(1, "").find("Jet"), std::string::npos);
    EXPECT_NE(mardex::sectionHeading(2, "Port A-3").find("Jet"), std::string::npos);
    const std::string longName(5000, 'x');
    EXPECT_LE(mardex::sectionHeading(9999, longName).size() + 2, 127u);
    EXPECT_EQ(mardex::printableName("a\tb\rc"), "a b c");
    // A UTF-8 sequence is not cut.
    std::string utf(99, 'a');
    utf += "\xC3\xA9";  // e acute at bytes 99..100
    EXPECT_EQ(mardex::printableName(utf), std::string(99, 'a'));
}
