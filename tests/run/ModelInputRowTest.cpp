// The input file with rows of ports: the port count and the row on lines 3
// and 4 when the model reads them, and otherwise the blocks of jets alone,
// byte for byte, with the run told why merging was not computed.
#include <gtest/gtest.h>

#include <QFile>

#include "ResultFiles.h"
#include "RunFixture.h"
#include "run/InputRows.h"
#include "run/RunPlan.h"
#include "run/RunPreparation.h"

namespace {
// The block of a default jet alone, as the input file has always held it.
const char* kAlone =
    "Jet1\n"
    "0 0 1      0 0 0 0 0  0 0 0 0 0\n"
    "0.013800 1 0.100000 0.000000 20.000000\n"
    "0.050000  0.000000  999.000000\n"
    "0.0 2 3    200        0 0 0. 0.5 0. -1. 1. .1  1500 100\n"
    "1 1.000000 0.000000\n"
    "0.000000     1.024600     0.000000    0.050000\n";

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
    EXPECT_EQ(Input(), Twice(kAlone));
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
        EXPECT_EQ(Input(), Twice(kAlone));
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
