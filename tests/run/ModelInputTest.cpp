#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <vector>

#include "ResultFiles.h"
#include "RunFixture.h"
#include "run/InputRows.h"
#include "run/RunPlan.h"
#include "run/RunPreparation.h"

namespace {
class ModelInputTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(1);
        m_doc.GetOutfall(0)->m_dDepth = 21.0;
        m_doc.SetProfile({{0.0, 1.0246, 0.0, 0.05}});
    }
    std::string Input() { return ReadText(Path("UDF")); }
};

const char* kExample =
    "Jet1\n"
    "0 0 1      0 0 0 0 0  0 0 0 0 0\n"
    "0.013800 1 0.100000 0.000000 20.000000\n"
    "0.050000  0.000000  999.000000\n"
    "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100\n"
    "1 1.000000 0.000000\n"
    "0.000000     1.024600     0.000000    0.050000\n";
}  // namespace

TEST_F(ModelInputTest, DefaultJetGivesTheDocumentedBlockByteForByte) {
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_EQ(Input(), kExample);
}

TEST_F(ModelInputTest, ZeroRowsContinuousModeAndNegativeDepth) {
    m_doc.SetProfile({});
    m_doc.SetRunOptions(RunOptions{true, 77});
    JetAt(0).m_dPortHeight = 25.5;  // above the 21 m deep outfall's water line
    JetAt(0).m_dCurrent = 0.7;
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_EQ(Input(),
              "Jet1\n"
              "0 0 1      0 0 0 0 0  0 0 0 0 1\n"
              "0.013800 1 0.100000 0.000000 -4.500000\n"
              "0.000000  0.000000  999.000000\n"
              "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  77 100\n"
              "0 1.000000 0.000000\n");
    // The mean written is also what the jet keeps.
    EXPECT_EQ(JetAt(0).m_dCurrent, 0.0);
}

TEST_F(ModelInputTest, CurrentIsTheProfileMeanAndRowsFollowTheProfile) {
    m_doc.SetProfile({{0.0, 33.0, 20.0, 0.10}, {10.0, 34.0, 15.0, 0.20}, {30.0, 35.0, 12.0, 0.60}});
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    const std::string in = Input();
    EXPECT_NE(in.find("\n0.300000  0.000000  999.000000\n"), std::string::npos) << in;
    EXPECT_NE(in.find("\n3 1.000000 0.000000\n"
                      "0.000000     33.000000     20.000000    0.100000\n"
                      "10.000000     34.000000     15.000000    0.200000\n"
                      "30.000000     35.000000     12.000000    0.600000\n"),
              std::string::npos)
        << in;
    EXPECT_DOUBLE_EQ(JetAt(0).m_dCurrent, 0.3);
}

TEST_F(ModelInputTest, AllJetsInOutfallRiserJetOrderEachWithItsOutfallDepth) {
    m_doc.Add(TreeLevel::Jet);      // Jet2 on Riser1
    m_doc.Add(TreeLevel::Riser);    // Riser2 copies the jets
    m_doc.Add(TreeLevel::Outfall);  // Outfall_2 copies the risers
    m_doc.GetOutfall(1)->m_dDepth = 31.0;
    int n = 0;
    m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { j.m_strName = "J" + std::to_string(++n); });
    ASSERT_EQ(n, 8);
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings()));
    const std::string in = Input();
    std::vector<std::size_t> at;
    for (int k = 1; k <= 8; ++k) {
        const std::string key = "J" + std::to_string(k) + "\n";
        const std::size_t p = in.compare(0, key.size(), key) == 0 ? 0 : in.find("\n" + key);
        ASSERT_NE(p, std::string::npos) << key;
        at.push_back(p);
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    // Jets of the second outfall stand 31 - 1 m deep.
    const std::size_t j5 = in.find("\nJ5\n");
    EXPECT_NE(in.find(" 30.000000\n", j5), std::string::npos);
    EXPECT_LT(in.find(" 20.000000\n"), j5);
}

TEST_F(ModelInputTest, SelectedJetsOnlyAndNamesStayOnOneLine) {
    m_doc.Add(TreeLevel::Jet);
    m_doc.Add(TreeLevel::Jet);
    JetAt(1).m_strName = "Port\nB";
    ASSERT_TRUE(WriteInputJets(m_doc, Settings(), 0, 0, 1, 1));
    const std::string in = Input();
    EXPECT_EQ(in.compare(0, 7, "Port B\n"), 0) << in;
    EXPECT_EQ(in.find("Jet1"), std::string::npos);
    EXPECT_EQ(in.find("Jet3"), std::string::npos);
    // Seven lines: one profile row.
    EXPECT_EQ(std::count(in.begin(), in.end(), '\n'), 7);
}

TEST_F(ModelInputTest, UnwritableDirectoryFailsQuietly) {
    Settings().m_strWorkDir = Path("does/not/exist");
    EXPECT_FALSE(WriteInputAllJets(m_doc, Settings()));
    EXPECT_TRUE(m_prompt.Empty());
}

// With rows of ports: the port count and the row on lines 3 and 4 when the
// model reads them, and otherwise the blocks of jets alone, byte for byte,
// with the run told why merging was not computed.
namespace {
// The same jet as one of a row of two ports 20 m apart across the current.
const char* kInRow =
    "Jet1\n"
    "0 0 1      0 0 0 0 0  0 0 0 0 0\n"
    "0.013800 2 0.100000 0.000000 20.000000\n"
    "0.050000  0.000000  999.000000  20.000000  90.000000\n"
    "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100\n"
    "1 1.000000 0.000000\n"
    "0.000000     1.024600     0.000000    0.050000\n";

// One outfall with two risers 20 m apart, one default jet each.
class ModelInputRowTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(1);
        m_doc.Add(TreeLevel::Riser);
        m_doc.GetOutfall(0)->m_dDepth = 21.0;
        m_doc.SetProfile({{0.0, 1.0246, 0.0, 0.05}});
    }
    std::string Input() { return ReadText(Path("UDF")); }
    std::string Twice(const char* block) { return std::string(block) + block; }
};
}  // namespace

#ifdef PLUMEX_REAL_MODEL
TEST_F(ModelInputRowTest, AModelThatReadsRowsGetsThePortCountSpacingAndAxis) {
    Settings().m_strModelProgram = PLUMEX_REAL_MODEL;
    InputNotes notes;
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings(), &notes));
    EXPECT_EQ(Input(), Twice(kInRow));
    EXPECT_TRUE(notes.m_Problems.empty());
    const CBase& second = *m_doc.GetOutfall(0)->GetRiser(1);
    EXPECT_EQ(notes.m_RowJets, (std::vector<JetId>{JetAt(0).Id(), second.GetJet(0)->Id()}));

    // A run of one jet gives it the row of its outfall.
    ASSERT_TRUE(WriteInputJets(m_doc, Settings(), 0, 1, 0, 1, &notes));
    EXPECT_EQ(Input(), kInRow);
    EXPECT_EQ(notes.m_RowJets, std::vector<JetId>{second.GetJet(0)->Id()});
}

TEST_F(ModelInputRowTest, WithMergingOffTheBlocksAreThoseOfJetsAlone) {
    Settings().m_strModelProgram = PLUMEX_REAL_MODEL;
    m_doc.SetRunOptions(RunOptions{m_doc.IsContinuous(), m_doc.MaxTimeSteps(), false});
    InputNotes notes;
    ASSERT_TRUE(WriteInputAllJets(m_doc, Settings(), &notes));
    EXPECT_EQ(Input(), Twice(kExample));
    EXPECT_TRUE(notes.m_Problems.empty());
    EXPECT_TRUE(notes.m_RowJets.empty());
}
#endif

TEST_F(ModelInputRowTest, AModelThatCannotReadRowsGetsTheBlocksOfJetsAloneAndTheRunIsTold) {
    for (const std::string& program : {std::string(PLUMEX_FAKE_MODEL), Path("no-such-model")}) {
        SCOPED_TRACE(program);
        Settings().m_strModelProgram = program;
        InputNotes notes;
        ASSERT_TRUE(WriteInputAllJets(m_doc, Settings(), &notes));
        EXPECT_EQ(Input(), Twice(kExample));
        EXPECT_EQ(notes.m_Problems, std::vector<std::string>{kMergingNotComputed});
        EXPECT_TRUE(notes.m_RowJets.empty());
        // The stand-in took the question for a run in a directory of its own.
        EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("Suspend"))));
    }
}

TEST_F(ModelInputRowTest, TheRunsProblemsBeginWithWhatThePreparationFound) {
    Settings().m_strModelProgram = PLUMEX_FAKE_MODEL;
    m_doc.SetProfile({{0.0, 1.0246, 0.0, 0.05}, {30.0, 1.0246, 0.0, 0.05}});
    RunPlan plan;
    ASSERT_TRUE(PrepareRun(m_doc, Settings(), true, plan));
    EXPECT_EQ(plan.m_Problems, std::vector<std::string>{kMergingNotComputed});
    m_doc.SetRunInFlight(false);

    // A whole run with the stand-in shows it with the run's other messages.
    m_prompt.Clear();
    EXPECT_TRUE(Run(true));
    const std::vector<std::string> texts = m_prompt.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find(kMergingNotComputed), std::string::npos) << texts[0];

    // Nothing is said when there is nothing to merge.
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 0.0;
    m_prompt.Clear();
    EXPECT_TRUE(Run(true));
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
}
