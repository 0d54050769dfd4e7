#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "RecordingProgress.h"
#include "ResultFiles.h"
#include "RunFixture.h"
#include "run/ReadingMeter.h"

namespace {
class ReadResultsTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(3);
        m_pProgress = &m_progress;
    }
    void WriteResults(const std::string& summary, const std::string& trajectory) {
        WriteText(Path("Suspend"), summary);
        WriteText(Path("Plxdata"), trajectory);
    }
    static SummaryPage Page(int n, int steps, const std::string& reason) {
        SummaryPage p;
        p.m_nNumber = n;
        p.m_strName = "Jet" + std::to_string(n);
        p.m_nSteps = steps;
        p.m_strReason = reason;
        return p;
    }
    CRecordingProgress m_progress;
};
}  // namespace

TEST_F(ReadResultsTest, MissingSummaryFileTouchesNoJet) {
    JetAt(0).m_KeyParams.m_nSteps = 9;
    JetAt(0).m_pDisplay->m_Disks.resize(4);
    JetAt(0).m_strStatus = "old";
    EXPECT_FALSE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_EQ(m_prompt.Entries()[0].text, "Unable to read suspend file");
    EXPECT_EQ(m_prompt.Entries()[0].icon, PromptIcon::Exclamation);
    EXPECT_EQ(JetAt(0).GetSteps(), 9);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 4);
    EXPECT_EQ(JetAt(0).m_strStatus, "old");
    EXPECT_FALSE(ReadResultsJets(0, 0, 0, 1));
    EXPECT_TRUE(m_progress.m_Calls.empty());
}

TEST_F(ReadResultsTest, AllJetsWithARejectedJetInTheMiddle) {
    JetAt(1).m_pDisplay->m_Disks.resize(7);
    WriteResults(PageText(Page(1, 4, "Plume reached the water surface")) +
                     RejectedPageText(2, "Flow must be positive") + PageText(Page(3, 2, "Plume hit the sea bed")),
                 SectionText(1, "Jet1", 4) + SectionText(3, "Jet3", 2, 30.0));
    ASSERT_TRUE(ReadResultsAll());
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"Computations Cease for:JET2 Flow must be positive Reported by MARDEX"});
    EXPECT_EQ(JetAt(0).GetSteps(), 4);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 4);
    EXPECT_EQ(JetAt(0).m_strStatus, "Plume reached the water surface");
    EXPECT_EQ(JetAt(1).GetSteps(), 0);
    EXPECT_EQ(JetAt(1).GetDiskCount(), 0);  // old disks are gone
    EXPECT_EQ(JetAt(1).m_strStatus, " Flow must be positive");
    EXPECT_EQ(JetAt(2).GetDiskCount(), 2);
    EXPECT_EQ(JetAt(2).m_pDisplay->m_Disks[0].m_dX, 30.0);
    EXPECT_EQ(JetAt(2).m_strStatus, "Plume hit the sea bed");
    // The range follows each jet; the status bar shows the last jet's reason.
    EXPECT_EQ(m_progress.m_Calls,
              (std::vector<std::string>{"begin 0 0", "begin 0 4", "pos 0", "begin 0 2", "pos 0", "end"}));
    EXPECT_EQ(m_progress.m_strStatus, "Plume hit the sea bed");
}

TEST_F(ReadResultsTest, TheShareOfAReadingOnAnotherThreadOnlyGrows) {
    // The meter a run job gives a reading on another thread: one part per
    // jet of an all-jets reading, and one before the first.
    class Recording : public CReadingMeter {
    public:
        using CReadingMeter::CReadingMeter;
        void Begin(int lower, int upper) override {
            CReadingMeter::Begin(lower, upper);
            m_Shares.push_back(Fraction());
        }
        void SetPosition(int position) override {
            CReadingMeter::SetPosition(position);
            m_Shares.push_back(Fraction());
        }
        void End() override {
            CReadingMeter::End();
            m_Shares.push_back(Fraction());
        }
        std::vector<double> m_Shares;
    } meter(4);
    m_pProgress = &meter;
    WriteResults(PageText(Page(1, 120, "a")) + PageText(Page(2, 60, "b")) + PageText(Page(3, 200, "c")),
                 SectionText(1, "Jet1", 120) + SectionText(2, "Jet2", 60) + SectionText(3, "Jet3", 200));
    ASSERT_TRUE(ReadResultsAll());
    ASSERT_GT(meter.m_Shares.size(), 6u);
    for (std::size_t k = 1; k < meter.m_Shares.size(); ++k)
        EXPECT_GE(meter.m_Shares[k], meter.m_Shares[k - 1]) << "call " << k;
    // Half way through the second jet: past a quarter; the end is the whole.
    EXPECT_GT(meter.m_Shares[meter.m_Shares.size() / 2], 0.25);
    EXPECT_LT(meter.m_Shares[meter.m_Shares.size() / 2], 0.9);
    EXPECT_DOUBLE_EQ(meter.m_Shares.back(), 1.0);
}

TEST_F(ReadResultsTest, ContinuousModeReadsOneStepLessPerJet) {
    m_doc.SetRunOptions(RunOptions{true, m_doc.MaxTimeSteps()});
    WriteResults(
        PageText(Page(1, 5, "Maximum number of steps reached")) + PageText(Page(2, 3, "x")) + PageText(Page(3, 3, "y")),
        SectionText(1, "Jet1", 5) + SectionText(2, "Jet2", 3) + SectionText(3, "Jet3", 3));
    ASSERT_TRUE(ReadResultsAll());
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(JetAt(0).GetSteps(), 4);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 4);
    EXPECT_EQ(JetAt(2).GetDiskCount(), 2);
}

TEST_F(ReadResultsTest, AStepCountCutShortOfTheTrajectoryLeavesTheJetNotComputed) {
    // Jet 1's summary halves its count; its 8 rows must not pass for the jet
    // as its first 4. The next jets still find their own sections.
    WriteResults(
        PageText(Page(1, 4, "Plume reached the water surface")) + PageText(Page(2, 3, "x")) + PageText(Page(3, 2, "y")),
        SectionText(1, "Jet1", 8) + SectionText(2, "Jet2", 3, 30.0) + SectionText(3, "Jet3", 2));
    ASSERT_TRUE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0],
              "The jet model's summary gives 4 steps for a jet whose trajectory has 8 rows; its results were not "
              "kept.");
    EXPECT_EQ(JetAt(0).GetSteps(), 0);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 0);
    EXPECT_EQ(JetAt(0).m_strStatus, "not computed: the jet model's step count disagrees with its trajectory");
    EXPECT_EQ(JetAt(1).GetDiskCount(), 3);
    EXPECT_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 30.0);
    EXPECT_EQ(JetAt(1).m_strStatus, "x");
    EXPECT_EQ(JetAt(2).GetDiskCount(), 2);
}

TEST_F(ReadResultsTest, ResultsTheCaseMayNotHoldLeaveTheJetNotComputed) {
    // Jet 2's centres lie 2,000 km away: the case file could not hold them.
    WriteResults(PageText(Page(1, 3, "a")) + PageText(Page(2, 3, "b")) + PageText(Page(3, 3, "c")),
                 SectionText(1, "Jet1", 3) + SectionText(2, "Jet2", 3, 2e6) + SectionText(3, "Jet3", 3));
    ASSERT_TRUE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("disk 1: the centre x 2e+06 is out of range"), std::string::npos)
        << m_prompt.Texts()[0];
    EXPECT_EQ(JetAt(1).GetDiskCount(), 0);
    EXPECT_EQ(JetAt(1).GetSteps(), 0);
    EXPECT_EQ(JetAt(1).m_strStatus.rfind("not computed: its results are out of range", 0), 0u);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 3);
    EXPECT_EQ(JetAt(2).GetDiskCount(), 3);
}

TEST_F(ReadResultsTest, AnUnreadablePageSaysSoInsteadOfThePreviousJetsReason) {
    SummaryPage broken = Page(2, 3, "b");
    std::string text = PageText(Page(1, 3, "Plume reached its terminal level"));
    const std::string page2 = PageText(broken);
    text += page2.substr(0, page2.find(" Total Q"));  // cut before its table
    WriteResults(text, SectionText(1, "Jet1", 3) + SectionText(2, "Jet2", 3));
    ASSERT_TRUE(ReadResultsAll());
    EXPECT_EQ(JetAt(0).m_strStatus, "Plume reached its terminal level");
    EXPECT_EQ(JetAt(1).m_strStatus, "not computed: the jet model's summary of this jet could not be read");
    EXPECT_EQ(JetAt(2).m_strStatus, "not computed: the jet model's summary of this jet could not be read");
    EXPECT_EQ(JetAt(1).GetDiskCount(), 0);
}

TEST_F(ReadResultsTest, SelectedJetOnlyWithProgressOverThePreviousStepCounts) {
    JetAt(0).m_KeyParams.m_nSteps = 11;
    JetAt(1).m_KeyParams.m_nSteps = 120;
    JetAt(1).m_strName = "Port B";
    WriteResults(PageText(Page(1, 60, "Plume reached its terminal level")), SectionText(1, "Port B", 60));
    ASSERT_TRUE(ReadResultsJets(0, 0, 1, 1));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(JetAt(0).GetSteps(), 11);
    EXPECT_EQ(JetAt(1).GetSteps(), 60);
    EXPECT_EQ(JetAt(1).GetDiskCount(), 60);
    EXPECT_EQ(m_progress.m_Calls, (std::vector<std::string>{"begin 0 120", "pos 0", "pos 50", "end"}));
    EXPECT_EQ(m_progress.m_strStatus, "Plume reached its terminal level");
    // Out-of-range selections read nothing but still succeed on the file.
    EXPECT_TRUE(ReadResultsJets(0, 3, 0, 1));
    EXPECT_TRUE(ReadResultsJets(5, 0, 0, 1));
}

TEST_F(ReadResultsTest, StepCountsBeyondTheRunsLimitAreRefusedAndTheNextJetStillReads) {
    m_doc.SetRunOptions(RunOptions{m_doc.IsContinuous(), 50});
    WriteResults(PageText(Page(1, 12000000, "Maximum number of steps reached")) +
                     PageText(Page(2, 51, "Maximum number of steps reached")) +
                     PageText(Page(3, 2, "Plume hit the sea bed")),
                 SectionText(1, "Jet1", 60) + SectionText(2, "Jet2", 51, 20.0) + SectionText(3, "Jet3", 2, 30.0));
    ASSERT_TRUE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("12000000 steps"), std::string::npos) << m_prompt.Texts()[0];
    EXPECT_NE(m_prompt.Texts()[0].find("\"Riser1 / Jet1\""), std::string::npos) << m_prompt.Texts()[0];
    EXPECT_EQ(JetAt(0).GetSteps(), 0);
    EXPECT_EQ(JetAt(0).GetDiskCount(), 0);
    // One closing row beyond the limit is the model's own.
    EXPECT_EQ(JetAt(1).GetDiskCount(), 51);
    EXPECT_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 20.0);
    ASSERT_EQ(JetAt(2).GetDiskCount(), 2);
    EXPECT_EQ(JetAt(2).m_pDisplay->m_Disks[0].m_dX, 30.0);
}

TEST_F(ReadResultsTest, OutputsThatAreNotRegularFilesAreRefusedWithoutWaiting) {
    JetAt(0).m_KeyParams.m_nSteps = 9;
    // A FIFO without a writer would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo(Path("Suspend").c_str(), 0600), 0);
    EXPECT_FALSE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("is not a regular file"), std::string::npos);

    // A summary that is fine and a trajectory linked to an endless device.
    m_prompt.Clear();
    ASSERT_EQ(::unlink(Path("Suspend").c_str()), 0);
    WriteText(Path("Suspend"), PageText(Page(1, 3, "x")) + PageText(Page(2, 3, "x")) + PageText(Page(3, 3, "x")));
    ASSERT_EQ(::symlink("/dev/zero", Path("Plxdata").c_str()), 0);
    EXPECT_FALSE(ReadResultsAll());
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("Plxdata\" is not a regular file"), std::string::npos);
    EXPECT_EQ(JetAt(0).GetSteps(), 9);
}
