// The seam between reading a run's output and changing the case: a result
// read from the model's files touches no jet until it is applied, applying
// it finds the jets by identity, and a job that did not complete applies
// nothing even when output files lie in its working directory.
#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTimer>
#include <algorithm>

#include "ResultFiles.h"
#include "RunFixture.h"
#include "base/DocObserver.h"
#include "run/ModelProcess.h"
#include "run/RunJob.h"
#include "run/RunResult.h"

namespace {
class EventKinds : public CDocObserver {
public:
    void OnDocEvent(const DocEvent& e) override {
        m_Kinds.push_back(e.m_eKind);
        if (e == DocEvent::ResultsChanged) m_nChangedCount = e.m_nCount;
    }
    bool Has(DocEvent::Kind k) const { return std::find(m_Kinds.begin(), m_Kinds.end(), k) != m_Kinds.end(); }
    std::vector<DocEvent::Kind> m_Kinds;
    int m_nChangedCount = -1;
};

class RunResultTest : public RunFixture {
protected:
    void SetUp() override {
        MakeJets(3);
        m_doc.SetModifiedFlag(false);
        GiveOldResults();
        m_doc.AddObserver(&m_events);
    }
    void TearDown() override { m_doc.RemoveObserver(&m_events); }
    // Output for the three jets: 3, 4 and 5 steps, each with its own reason.
    void WriteOutput() {
        std::string summary, trajectory;
        const char* reasons[] = {"Plume reached the water surface", "Plume hit the sea bed",
                                 "Plume reached its terminal level"};
        for (int n = 1; n <= 3; ++n) {
            SummaryPage page;
            page.m_nNumber = n;
            page.m_strName = "Jet" + std::to_string(n);
            page.m_nSteps = n + 2;
            page.m_strReason = reasons[n - 1];
            summary += PageText(page);
            trajectory += SectionText(n, page.m_strName, n + 2, 10.0 * n);
        }
        WriteText(Path("Suspend"), summary);
        WriteText(Path("Plxdata"), trajectory);
    }
    RunPlan AllJetsPlan() {
        RunPlan plan = ReadingPlan(true);
        m_doc.ForEachJet([&plan](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
        return plan;
    }
    RunResult ReadFinished(const RunPlan& plan) {
        ModelResult finished;
        finished.m_eOutcome = ModelOutcome::Finished;
        return ReadRunResult(m_doc, plan, Settings(), finished, nullptr);
    }
    EventKinds m_events;
};
}  // namespace

TEST_F(RunResultTest, AResultReadFromTheFilesChangesNothingUntilApplied) {
    WriteOutput();
    m_doc.m_strStatus = "before";
    const RunPlan plan = AllJetsPlan();
    const RunResult result = ReadFinished(plan);
    ASSERT_EQ(result.m_eStatus, RunStatus::Completed);
    ASSERT_EQ(result.m_Jets.size(), 3u);
    EXPECT_EQ(result.m_Jets[1].m_KeyParams.m_nSteps, 4);
    EXPECT_EQ(result.m_Jets[1].m_Disks.size(), 4u);
    EXPECT_EQ(result.m_Jets[1].m_strStatus, "Plume hit the sea bed");
    EXPECT_EQ(result.m_strLastStopReason, "Plume reached its terminal level");
    // The case is as it was: old results, no event, not modified.
    ExpectOldResults();
    EXPECT_EQ(m_doc.m_strStatus, "before");
    EXPECT_TRUE(m_events.m_Kinds.empty());
    EXPECT_FALSE(m_doc.IsModified());

    const RunReport report = ApplyRunResult(m_doc, plan, result);
    EXPECT_EQ(report.m_eStatus, RunStatus::Completed);
    EXPECT_EQ(report.m_nJetsRead, 3);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(JetAt(k).GetSteps(), k + 3);
        ASSERT_EQ(JetAt(k).GetDiskCount(), k + 3);
        EXPECT_DOUBLE_EQ(JetAt(k).m_pDisplay->m_Disks[0].m_dX, 10.0 * (k + 1));
    }
    EXPECT_EQ(JetAt(2).m_strStatus, "Plume reached its terminal level");
    EXPECT_EQ(m_doc.m_strStatus, "Plume reached its terminal level");
    EXPECT_TRUE(m_events.Has(DocEvent::ResultsReady));
    EXPECT_EQ(m_events.m_nChangedCount, 3);
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(RunResultTest, ApplyingSkipsAJetDeletedAfterTheReading) {
    WriteOutput();
    const RunPlan plan = AllJetsPlan();
    const RunResult result = ReadFinished(plan);
    ASSERT_EQ(result.m_Jets.size(), 3u);
    EXPECT_EQ(result.m_nJetsSkipped, 0);

    // The middle jet goes before the result is applied.
    m_doc.GetCurrentRiser()->m_nCurrentJet = 1;
    m_doc.Delete(TreeLevel::Jet);
    ASSERT_EQ(m_doc.GetJetCount(), 2);
    m_events.m_Kinds.clear();

    const RunReport report = ApplyRunResult(m_doc, plan, result);
    EXPECT_EQ(report.m_eStatus, RunStatus::Completed);
    EXPECT_EQ(report.m_nJetsRead, 2);
    EXPECT_EQ(report.m_nJetsSkipped, 1);
    EXPECT_EQ(m_events.m_nChangedCount, 2);
    // Each remaining jet has its own results, not its former neighbour's.
    EXPECT_EQ(JetAt(0).GetSteps(), 3);
    EXPECT_EQ(JetAt(1).GetSteps(), 5);
    ASSERT_EQ(JetAt(1).GetDiskCount(), 5);
    EXPECT_DOUBLE_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 30.0);
    EXPECT_EQ(JetAt(1).m_strStatus, "Plume reached its terminal level");
}

TEST_F(RunResultTest, AResultThatDidNotCompleteChangesNoJet) {
    WriteOutput();
    const RunPlan plan = AllJetsPlan();
    RunResult result = ReadFinished(plan);
    ASSERT_EQ(result.m_Jets.size(), 3u);
    // The same jets, but the run was cancelled: nothing of it may land.
    result.m_eStatus = RunStatus::Cancelled;
    const RunReport report = ApplyRunResult(m_doc, plan, result);
    EXPECT_EQ(report.m_eStatus, RunStatus::Cancelled);
    EXPECT_EQ(report.m_nJetsRead, 0);
    ExpectOldResults();
    EXPECT_FALSE(m_events.Has(DocEvent::ResultsReady));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(RunResultTest, ACancelledJobAppliesNothingThoughOutputLiesReady) {
    ::setenv("PLUMEX_FAKE_MODE", "never", 1);
    Settings().m_strModelProgram = PLUMEX_FAKE_MODEL;
    m_doc.SetProfile({{0.0, 33.0, 20.0, 0.05}, {30.0, 34.0, 12.0, 0.05}});
    m_doc.GetOutfall(0)->m_dDepth = 25.0;
    m_doc.SetModifiedFlag(false);
    m_events.m_Kinds.clear();
    {
        CRunJob job(m_doc, m_pSettings);
        ASSERT_TRUE(job.Start(true));
        EXPECT_EQ(&job.Settings(), m_pSettings.get());
        EXPECT_EQ(job.Plan().m_Jets.size(), 3u);
        // Complete output appears while the model still runs.
        WriteOutput();
        QEventLoop loop;
        QObject::connect(&job, &CRunJob::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(0, &job, &CRunJob::Cancel);
        loop.exec();
        EXPECT_EQ(job.Report().m_eStatus, RunStatus::Cancelled);
        EXPECT_EQ(job.Report().m_nJetsRead, 0);
    }
    ExpectOldResults();
    EXPECT_FALSE(m_events.Has(DocEvent::ResultsReady));
    EXPECT_FALSE(m_doc.IsRunInFlight());

    // A job dropped while its model runs ends the same way.
    {
        CRunJob job(m_doc, m_pSettings);
        ASSERT_TRUE(job.Start(true));
        WriteOutput();
    }
    ExpectOldResults();
    EXPECT_FALSE(m_events.Has(DocEvent::ResultsReady));
    EXPECT_FALSE(m_doc.IsRunInFlight());
    ::unsetenv("PLUMEX_FAKE_MODE");
}
