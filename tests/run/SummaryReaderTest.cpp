#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ResultFiles.h"
#include "RunFixture.h"
#include "model/KeyParameters.h"
#include "run/SummaryParser.h"

namespace {
class SummaryReaderTest : public RunFixture {
protected:
    void TearDown() override {
        if (m_file) std::fclose(m_file);
        g_strEol = "\r\n";
    }
    std::FILE* Open(const std::string& text) {
        WriteText(Path("Suspend"), text);
        m_file = std::fopen(Path("Suspend").c_str(), "rb");
        return m_file;
    }
    bool Parse(CKeyParameters& rec) { return ParseSummaryBlock(rec, m_file, m_prompt, m_strStopReason); }

    std::FILE* m_file = nullptr;
    std::string m_strStopReason;  // carried from page to page
    CKeyParameters m_rec{};
};

const char* kFormatError = "Suspend File Format Error!";
}  // namespace

TEST_F(SummaryReaderTest, CompletePageFillsEveryFieldOfTheRecord) {
    SummaryPage p;
    p.m_strName = "Jet7";
    p.m_nSteps = 345;
    Open(PageText(p));
    ASSERT_TRUE(Parse(m_rec));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_STREQ(m_rec.m_szTitle, "Jet7");
    EXPECT_EQ(m_rec.m_nSteps, 345);
    EXPECT_EQ(m_strStopReason, "Plume reached the water surface");
    // Left value of row r is 10.25 + r, right value 100.5 + r; row 1 left is an integer.
    const std::pair<double, double> rec[13] = {{m_rec.m_dTotalQ, m_rec.m_dQj},   {0, m_rec.m_dMj},
                                               {m_rec.m_dDepth, m_rec.m_dBj},    {m_rec.m_dDiameter, m_rec.m_dlQ},
                                               {m_rec.m_dUj, m_rec.m_dlm},       {m_rec.m_dUa, m_rec.m_dlb},
                                               {m_rec.m_ddpPa, m_rec.m_dlM},     {m_rec.m_dpo, m_rec.m_dSm},
                                               {m_rec.m_dpa, m_rec.m_dSb},       {m_rec.m_dVAngle, m_rec.m_dlQlm},
                                               {m_rec.m_dHAngle, m_rec.m_dlQlM}, {m_rec.m_dFd, m_rec.m_dlmlb},
                                               {m_rec.m_dUjUa, m_rec.m_dlMlb}};
    for (int r = 0; r < 13; ++r) {
        if (r != 1) {
            EXPECT_EQ(rec[r].first, 10.25 + r) << "row " << r;
        }
        EXPECT_EQ(rec[r].second, 100.5 + r) << "row " << r;
    }
    EXPECT_EQ(m_rec.m_nPorts, 1);
    EXPECT_EQ(m_rec.m_nPad1, 0);
    EXPECT_EQ(m_rec.m_nPad2, 0);
}

TEST_F(SummaryReaderTest, NumberEdgeCases) {
    SummaryPage p;
    p.m_Left[11] = "1.5E+03";  // the '+' ends the number
    p.m_Right[7] = "2.5E03";
    p.m_Left[1] = "4 ports";
    p.m_Right[0] = "-0.75abc";
    std::string text = PageText(p);
    const std::string steps = " NUMBER OF STEPS = " + std::to_string(p.m_nSteps);
    text.replace(text.find(steps), steps.size(), " NUMBER OF STEPS =   1 2 0");
    Open(text);
    ASSERT_TRUE(Parse(m_rec));
    EXPECT_EQ(m_rec.m_dFd, 1.5);
    EXPECT_EQ(m_rec.m_dSm, 2500.0);
    EXPECT_EQ(m_rec.m_nPorts, 4);
    EXPECT_EQ(m_rec.m_dQj, -0.75);
    EXPECT_EQ(m_rec.m_nSteps, 120);
}

TEST_F(SummaryReaderTest, RejectedJetIsReportedAndTheNextPageStillReads) {
    SummaryPage p;
    p.m_nNumber = 2;
    p.m_strName = "Port A";
    Open(RejectedPageText(1, "Port is above the water surface") + PageText(p));
    EXPECT_FALSE(Parse(m_rec));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0], "Computations Cease for:JET1 Port is above the water surface Reported by MARDEX");
    EXPECT_EQ(m_strStopReason, " Port is above the water surface");
    CKeyParameters second{};
    ASSERT_TRUE(Parse(second));
    EXPECT_STREQ(second.m_szTitle, "Port A");
}

TEST_F(SummaryReaderTest, EveryRowOfTheFailureTable) {
    const SummaryPage p;
    const std::string page = PageText(p);
    struct Case {
        const char* what;
        std::string text;
        std::string message;
    };
    const std::string cut = page.substr(0, page.find(" COMPUTATIONS CEASE:"));
    std::string noReason = cut + " A\r\n B\r\n C\r\n D\r\n E\r\n F\r\n G\r\n COMPUTATIONS CEASE: late\r\n";
    const Case cases[] = {
        {"empty file", "", kFormatError},
        {"no page start", " JET NO.    1\r\n Total Q   = 1\r\n", kFormatError},
        {"no Total Q", page.substr(0, page.find(" Total Q")), kFormatError},
        {"no step count", page.substr(0, page.find(" NUMBER OF STEPS")), kFormatError},
        {"end within seven lines", cut + " FINAL\r\n",
         "No `Computations Cease' output in suspend file!,Please inspect the suspend file!"},
    };
    for (const Case& c : cases) {
        m_prompt.Clear();
        if (m_file) std::fclose(m_file);
        Open(c.text);
        EXPECT_FALSE(Parse(m_rec)) << c.what;
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{c.message}) << c.what;
    }
    // Seven lines without a stop reason: success, empty status.
    m_prompt.Clear();
    std::fclose(m_file);
    Open(noReason);
    m_strStopReason = "old";
    EXPECT_TRUE(Parse(m_rec));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(m_strStopReason, "");
}

TEST_F(SummaryReaderTest, LinesTooShortForTheirFixedPositionsAreFormatErrors) {
    const std::string page = PageText(SummaryPage());
    const std::string shortTitle = "1 x\r\n\r\n\r\n JET NO.    1\r\n JET\r\n";
    const std::string shortNumber = "1 x\r\n\r\n\r\n JET\r\n JET NAME:  A\r\n";
    const std::string shortRejected = "1 COMPUTATIONS CEASE FOR:\r\n JET\r\n reason\r\n";
    std::string shortRow = page;
    shortRow.replace(shortRow.find(" Uj "), shortRow.find("\r\n", shortRow.find(" Uj ")) - shortRow.find(" Uj "),
                     " Uj        = 1.0");
    for (const std::string& text : {shortTitle, shortNumber, shortRejected, shortRow}) {
        m_prompt.Clear();
        if (m_file) std::fclose(m_file);
        Open(text);
        EXPECT_FALSE(Parse(m_rec));
        EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{kFormatError}) << text;
    }
}

// Also with the rejection mark on a line of its own.
TEST_F(SummaryReaderTest, LfLineEndsReadLikeCrLf) {
    g_strEol = "\n";
    SummaryPage p;
    p.m_strReason = "Plume hit the sea bed";
    Open(RejectedPageText(3, "Flow must be positive", true) + PageText(p));
    EXPECT_FALSE(Parse(m_rec));
    EXPECT_EQ(m_prompt.Texts()[0], "Computations Cease for:JET3 Flow must be positive Reported by MARDEX");
    ASSERT_TRUE(Parse(m_rec));
    EXPECT_EQ(m_strStopReason, "Plume hit the sea bed");
    EXPECT_STREQ(m_rec.m_szTitle, "Jet1");
    EXPECT_EQ(m_rec.m_dlMlb, 112.5);
}

TEST_F(SummaryReaderTest, LongTitleIsCutToTheRecordAndLongLinesAreNotSplit) {
    SummaryPage p;
    p.m_strName = std::string(300, 'N');
    std::string text = PageText(p);
    // A 400-character free line before the table must not turn into a
    // page start or a table row when read in pieces.
    text.insert(text.find(" Total Q"), " " + std::string(126, 'x') + " Total Q   = 99\r\n");
    Open(text);
    ASSERT_TRUE(Parse(m_rec));
    EXPECT_EQ(std::strlen(m_rec.m_szTitle), 127u);
    EXPECT_EQ(m_rec.m_dTotalQ, 10.25);
}

TEST_F(SummaryReaderTest, RandomBytesNeverReadPastALine) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int n = static_cast<int>(rng() % 3000);
        for (int i = 0; i < n; ++i) {
            const unsigned v = rng() % 20;
            // Mostly bytes, sometimes pieces the parser looks for.
            if (v == 0) text += "\r\n1";
            else if (v == 1) text += "\n Total Q";
            else if (v == 2) text += "NUMBER OF STEPS 9";
            else if (v == 3) text += "COMPUTATIONS CEASE";
            else text += static_cast<char>(rng() & 0xff);
        }
        if (m_file) std::fclose(m_file);
        Open(text);
        CKeyParameters rec{};
        for (int k = 0; k < 5; ++k) Parse(rec);
        EXPECT_LT(std::strlen(rec.m_szTitle), sizeof rec.m_szTitle);
    }
}

// The model writes " JET NAME:  " and nothing after it for a jet without a
// name: the page is complete, the title empty.
TEST_F(SummaryReaderTest, JetWithoutANameReadsWithAnEmptyTitle) {
    SummaryPage p;
    p.m_strName = "";
    std::string text = PageText(p);
    const std::string padded = " JET NAME:     \r\n";
    ASSERT_NE(text.find(padded), std::string::npos);
    text.replace(text.find(padded), padded.size(), " JET NAME:  \r\n");
    std::strcpy(m_rec.m_szTitle, "old");
    Open(text);
    ASSERT_TRUE(Parse(m_rec));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_STREQ(m_rec.m_szTitle, "");
    EXPECT_EQ(m_rec.m_nSteps, p.m_nSteps);
    EXPECT_EQ(m_rec.m_dSb, 108.5);
}

namespace {
const char* kRowLine = " PORT ROW: N = 50, SPACING = 4.0000 M, AXIS = 90.00 DEG";
const char* kMergeLine = " PLUMES MERGE AT S = 12.3456 M, X = 1.2345 M, Z = 11.4000 M, DILUTION = 45.678";
const char* kFieldLine = " MERGED FIELD AT END: HALF WIDTH ACROSS = 2.3456 M, HALF LENGTH ALONG THE ROW = 100.3456 M";

// A page of a jet computed in a row: the row lines after the page's other
// free lines, as the model writes them, and the page's closing blank line.
std::string RowPage(int number, const std::vector<std::string>& rowLines) {
    SummaryPage p;
    p.m_nNumber = number;
    p.m_strName = "Port " + std::to_string(number);
    p.m_Left[1] = "50";
    std::string text = PageText(p);
    for (const std::string& l : rowLines) text += l + g_strEol;
    return text + " " + g_strEol;
}
}  // namespace

TEST_F(SummaryReaderTest, RowLinesTellWhereThePlumesMergeAndBelongToTheirOwnPage) {
    // Merged, not merged, alone: each page keeps its own row.
    Open(RowPage(1, {kRowLine, kMergeLine, kFieldLine}) + RowPage(2, {kRowLine, " PLUMES DO NOT MERGE"}) +
         RowPage(3, {}) + RowPage(4, {kRowLine, kMergeLine}));
    ASSERT_TRUE(Parse(m_rec));
    const CRowMerging& r = m_rec.m_Row;
    EXPECT_EQ(r.m_nPorts, 50);
    EXPECT_EQ(r.m_dSpacing, 4.0);
    EXPECT_EQ(r.m_dAxisDeg, 90.0);
    EXPECT_TRUE(r.m_bMerged);
    EXPECT_EQ(r.m_dArc, 12.3456);
    EXPECT_EQ(r.m_dX, 1.2345);
    EXPECT_EQ(r.m_dZ, 11.4);
    EXPECT_EQ(r.m_dDilution, 45.678);
    EXPECT_EQ(r.m_dHalfWidth, 2.3456);
    EXPECT_EQ(r.m_dHalfLength, 100.3456);
    EXPECT_EQ(m_rec.m_nPorts, 50);

    CKeyParameters second{}, third{}, fourth{};
    ASSERT_TRUE(Parse(second));
    EXPECT_STREQ(second.m_szTitle, "Port 2");
    EXPECT_EQ(second.m_Row.m_nPorts, 50);
    EXPECT_FALSE(second.m_Row.m_bMerged);
    EXPECT_EQ(second.m_Row.m_dZ, 0.0);

    ASSERT_TRUE(Parse(third));
    EXPECT_STREQ(third.m_szTitle, "Port 3");
    EXPECT_FALSE(third.m_Row.HasRow());

    // The merged field's line is missing: the row stands, its size unknown.
    ASSERT_TRUE(Parse(fourth));
    EXPECT_STREQ(fourth.m_szTitle, "Port 4");
    EXPECT_TRUE(fourth.m_Row.m_bMerged);
    EXPECT_EQ(fourth.m_Row.m_dZ, 11.4);
    EXPECT_EQ(fourth.m_Row.m_dHalfWidth, 0.0);
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(SummaryReaderTest, RowLinesThatCannotBeReadLeaveTheJetWithoutARow) {
    const std::string merge = kMergeLine;
    const std::vector<std::vector<std::string>> broken = {
        {" PORT ROW: N = many, SPACING = 4.0000 M, AXIS = 90.00 DEG", kMergeLine},
        {" PORT ROW: N = 0, SPACING = 4.0000 M, AXIS = 90.00 DEG", " PLUMES DO NOT MERGE"},
        {" PORT ROW: N = 50, SPACING = 4.0000 M", " PLUMES DO NOT MERGE"},
        // Merged, but not where: not shown as merged nor as apart.
        {kRowLine, merge.substr(0, merge.find(", Z ="))},
        {kRowLine, " PLUMES MERGE AT S = 1 M, X = 1 M, Z = nan M, DILUTION = 2"},
        // A row line of the page after a row's lines starts that row afresh.
        {kRowLine, kMergeLine, " PORT ROW: N = 2, SPACING = x M, AXIS = 0.00 DEG"},
    };
    std::string text;
    for (std::size_t k = 0; k < broken.size(); ++k) text += RowPage(static_cast<int>(k) + 1, broken[k]);
    Open(text + RowPage(99, {kRowLine, kMergeLine}));
    for (std::size_t k = 0; k < broken.size(); ++k) {
        CKeyParameters rec{};
        ASSERT_TRUE(Parse(rec)) << k;
        EXPECT_FALSE(rec.m_Row.HasRow()) << k;
        EXPECT_FALSE(rec.m_Row.m_bMerged) << k;
    }
    CKeyParameters last{};
    ASSERT_TRUE(Parse(last));
    EXPECT_STREQ(last.m_szTitle, "Port 99");
    EXPECT_TRUE(last.m_Row.m_bMerged);
    EXPECT_TRUE(m_prompt.Empty());
}
