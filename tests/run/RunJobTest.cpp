// The run in its three steps, and the model process: what reaches the jets
// when the case changes while the model runs, cancel and time-out, and
// model programs that misbehave.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <cstdlib>
#include <fstream>

#include "ResultFiles.h"
#include "RunFixture.h"
#include "base/DocObserver.h"
#include "run/ModelProcess.h"
#include "run/RunJob.h"
#include "run/RunPlan.h"
#include "run/RunPreparation.h"

namespace {
// Gone: no such process, or only its zombie is left.
bool ProcessGone(int pid) {
    if (pid <= 0) return false;
    if (::kill(pid, 0) != 0) return errno == ESRCH;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string all((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t close = all.rfind(')');
    return close != std::string::npos && close + 2 < all.size() && all[close + 2] == 'Z';
}

// Waits up to two seconds for the process to go (a kill takes effect soon,
// not at once).
bool ProcessGoesAway(int pid) {
    QElapsedTimer clock;
    clock.start();
    while (!ProcessGone(pid)) {
        if (clock.elapsed() > 2000) return false;
        QThread::msleep(20);
    }
    return true;
}

class RunJobTest : public RunFixture {
protected:
    void SetUp() override {
        ::setenv("PLUMEX_FAKE_MODE", "echo", 1);
        Settings().m_strModelProgram = PLUMEX_FAKE_MODEL;
        m_doc.SetProfile({{0.0, 33.0, 20.0, 0.05}, {30.0, 34.0, 12.0, 0.05}});
        MakeJets(3);
        m_doc.GetOutfall(0)->m_dDepth = 25.0;
        for (int k = 0; k < 3; ++k) JetAt(k).m_dFlow = 0.010 + 0.001 * k;
    }
    void TearDown() override { ::unsetenv("PLUMEX_FAKE_MODE"); }

    // A stand-in model: a shell script in the test's folder.
    std::string Script(const std::string& name, const std::string& body) {
        const std::string path = Path(name);
        WriteText(path, "#!/bin/sh\n" + body);
        ::chmod(path.c_str(), 0700);
        return path;
    }
    // Runs the job's event loop until it has finished (as the GUI's loop would).
    static void AwaitFinished(CRunJob& job) {
        QEventLoop loop;
        QObject::connect(&job, &CRunJob::finished, &loop, &QEventLoop::quit);
        QTimer guard;
        QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);
        guard.start(30000);
        if (job.IsRunning()) loop.exec();
    }
    int PidFrom(const std::string& name) { return std::atoi(ReadText(Path(name)).c_str()); }
};
}  // namespace

TEST_F(RunJobTest, ResultsReachTheJetsOfThePlanByIdentity) {
    RunPlan plan;
    ASSERT_TRUE(PrepareRun(m_doc, Settings(), true, plan));
    EXPECT_TRUE(m_doc.IsRunInFlight());
    ASSERT_EQ(plan.m_Jets.size(), 3u);
    m_doc.Delete(TreeLevel::Jet);  // refused while the run is in flight
    EXPECT_EQ(m_doc.GetCurrentRiser()->GetJetCount(), 3);

    CModelProcess process;
    QEventLoop loop;
    QObject::connect(&process, &CModelProcess::finished, &loop, &QEventLoop::quit);
    ASSERT_TRUE(process.Start(PLUMEX_FAKE_MODEL, Settings().m_strWorkDir, 20000));
    loop.exec();
    ASSERT_EQ(process.Result().m_eOutcome, ModelOutcome::Finished);

    // Meanwhile the first jet was renamed and the second one deleted.
    JetAt(0).m_strName = "Renamed";
    auto& jets = m_doc.GetCurrentRiser()->m_Jets;
    jets.erase(jets.begin() + 1);
    const RunReport report =
        ApplyRunResult(m_doc, plan, ReadRunResult(m_doc, plan, Settings(), process.Result(), nullptr));
    EXPECT_EQ(report.m_eStatus, RunStatus::Completed);
    EXPECT_EQ(report.m_nJetsRead, 2);
    EXPECT_EQ(report.m_nJetsSkipped, 1);
    ASSERT_EQ(report.m_Problems.size(), 1u);
    EXPECT_NE(report.m_Problems[0].find("deleted"), std::string::npos);
    EXPECT_TRUE(m_prompt.Empty()) << "apply shows nothing itself";
    EXPECT_FALSE(m_doc.IsRunInFlight());

    // The fake model marks each jet's results with its flow.
    EXPECT_DOUBLE_EQ(JetAt(0).m_KeyParams.m_dSb, 10.0);
    EXPECT_EQ(JetAt(0).GetSteps(), 3);
    EXPECT_DOUBLE_EQ(JetAt(1).m_KeyParams.m_dSb, 12.0);  // the third block, not the second
    EXPECT_EQ(JetAt(1).GetSteps(), 5);
    ASSERT_EQ(JetAt(1).GetDiskCount(), 5);
    EXPECT_DOUBLE_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 12.0);
}

TEST_F(RunJobTest, TheJobRunsWithoutBlockingAndReportsOnce) {
    struct Log : CDocObserver {
        void OnDocEvent(const DocEvent& e) override {
            if (e == DocEvent::ResultsChanged) results.push_back(e.m_nCount);
        }
        std::vector<int> results;
    } log;
    m_doc.AddObserver(&log);
    ::setenv("PLUMEX_FAKE_MODE", "slow", 1);
    CRunJob job(m_doc, m_pSettings);
    std::vector<QString> status;
    int finished = 0, lastValue = -1, lastMax = -1;
    QObject::connect(&job, &CRunJob::statusChanged, [&](const QString& s) { status.push_back(s); });
    QObject::connect(&job, &CRunJob::finished, [&] { ++finished; });
    QObject::connect(&job, &CRunJob::progress, [&](int v, int m) {
        lastValue = v;
        lastMax = m;
    });
    ASSERT_TRUE(job.Start(true));
    // Start returned with the model still running.
    EXPECT_TRUE(job.IsRunning());
    EXPECT_TRUE(m_doc.IsRunInFlight());
    EXPECT_EQ(finished, 0);
    EXPECT_FALSE(job.Start(true)) << "one run at a time";
    m_doc.Add(TreeLevel::Jet);
    EXPECT_EQ(m_doc.GetCurrentRiser()->GetJetCount(), 3);

    AwaitFinished(job);
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(m_doc.IsRunInFlight());
    EXPECT_EQ(job.Report().m_eStatus, RunStatus::Completed);
    EXPECT_EQ(job.Report().m_nJetsRead, 3);
    EXPECT_TRUE(job.Report().m_Problems.empty());
    EXPECT_EQ(JetAt(2).GetSteps(), 5);
    EXPECT_EQ(log.results, std::vector<int>{3});
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status.front(), "Computing 3 jets");
    EXPECT_EQ(status.back().toStdString(), "3 of 3 jets computed");
    EXPECT_EQ(job.StatusText().toStdString(), "3 of 3 jets computed");
    EXPECT_GT(lastMax, 0);
    EXPECT_EQ(lastValue, lastMax);
    m_doc.RemoveObserver(&log);
}

TEST_F(RunJobTest, TheEventLoopGoesOnWhileTheResultsAreRead) {
    CRunJob job(m_doc, m_pSettings);
    bool finished = false, reading = false, handledWhileReading = false;
    QObject::connect(&job, &CRunJob::statusChanged, [&](const QString& s) {
        if (s != "Reading the results") return;
        reading = true;
        // An event posted as the reading starts: a click waiting in the queue.
        QTimer::singleShot(0, [&] { handledWhileReading = !finished; });
    });
    QObject::connect(&job, &CRunJob::finished, [&] { finished = true; });
    ASSERT_TRUE(job.Start(true));
    AwaitFinished(job);
    QCoreApplication::processEvents();
    ASSERT_TRUE(finished);
    EXPECT_TRUE(reading);
    EXPECT_TRUE(handledWhileReading) << "the event waited for the end of the run";
    EXPECT_EQ(job.Report().m_eStatus, RunStatus::Completed);
    EXPECT_EQ(JetAt(2).GetSteps(), 5);
}

TEST_F(RunJobTest, CancelWhileTheResultsAreReadChangesNoJet) {
    GiveOldResults();
    CRunJob job(m_doc, m_pSettings);
    QObject::connect(&job, &CRunJob::statusChanged, [&](const QString& s) {
        if (s == "Reading the results") QTimer::singleShot(0, &job, &CRunJob::Cancel);
    });
    ASSERT_TRUE(job.Start(true));
    AwaitFinished(job);
    EXPECT_EQ(job.Report().m_eStatus, RunStatus::Cancelled);
    EXPECT_EQ(job.StatusText().toStdString(), "Run cancelled");
    EXPECT_TRUE(job.Report().m_Problems.empty());
    ExpectOldResults();
    EXPECT_FALSE(m_doc.IsRunInFlight());
    EXPECT_TRUE(m_doc.m_bResultsDrawable);
}

TEST_F(RunJobTest, TheStatusCountsTheJetsThatReceivedResults) {
    // The model refuses the second jet: two of the three jets are computed.
    SummaryPage first, third;
    first.m_nSteps = 4;
    third.m_nNumber = 3;
    third.m_strName = "Jet3";
    third.m_nSteps = 2;
    WriteText(Path("ready-summary"), PageText(first) + RejectedPageText(2, "Flow must be positive") + PageText(third));
    WriteText(Path("ready-trajectory"), SectionText(1, "Jet1", 4) + SectionText(3, "Jet3", 2));
    Settings().m_strModelProgram =
        Script("two-of-three", "cp '" + Path("ready-summary") + "' '" + Settings().SummaryPath() + "'\ncp '" +
                                   Path("ready-trajectory") + "' '" + Settings().TrajectoryPath() + "'\n");
    CRunJob job(m_doc, m_pSettings);
    ASSERT_TRUE(job.Start(true));
    AwaitFinished(job);
    EXPECT_EQ(job.Report().m_eStatus, RunStatus::Completed);
    EXPECT_EQ(job.StatusText().toStdString(), "2 of 3 jets computed");
    EXPECT_EQ(JetAt(1).GetDiskCount(), 0);
}

TEST_F(RunJobTest, CancelAndTimeOutLeaveEveryJetAsItWas) {
    GiveOldResults();
    ::setenv("PLUMEX_FAKE_MODE", "never", 1);
    {
        CRunJob job(m_doc, m_pSettings);
        ASSERT_TRUE(job.Start(true));
        QTimer::singleShot(300, &job, &CRunJob::Cancel);
        AwaitFinished(job);
        EXPECT_EQ(job.Report().m_eStatus, RunStatus::Cancelled);
        EXPECT_TRUE(job.Report().m_Problems.empty());
        EXPECT_TRUE(ProcessGoesAway(PidFrom("pid")));
        ExpectOldResults();
        EXPECT_FALSE(m_doc.IsRunInFlight());
        EXPECT_TRUE(m_doc.m_bResultsDrawable);
    }
    QFile::remove(QString::fromStdString(Path("pid")));
    Settings().m_nMaxWaits = 10;
    Settings().m_nWaitMs = 50;
    CRunJob job(m_doc, m_pSettings);
    ASSERT_TRUE(job.Start(false));
    AwaitFinished(job);
    EXPECT_EQ(job.Report().m_eStatus, RunStatus::TimedOut);
    EXPECT_EQ(job.Report().m_Problems,
              std::vector<std::string>{"Mardex did not finish within 0.5 s and was stopped; no results were read."});
    EXPECT_TRUE(ProcessGoesAway(PidFrom("pid")));
    ExpectOldResults();
    EXPECT_FALSE(m_doc.IsRunInFlight());
}

TEST_F(RunJobTest, NothingTheModelStartedOutlivesTheRun) {
    // Normal exit: the model leaves a sleeping child behind.
    Settings().m_strModelProgram = Script("leaves-child", "sleep 600 &\necho $! > grandchild\nexit 0\n");
    EXPECT_FALSE(Run(true));  // it wrote no results
    EXPECT_TRUE(ProcessGoesAway(PidFrom("grandchild")));

    // Time-out: the model and its child both sleep.
    m_prompt.Clear();
    Settings().m_strModelProgram = Script("hangs", "sleep 600 &\necho $! > grandchild\necho $$ > pid\nwait\n");
    Settings().m_nMaxWaits = 10;
    Settings().m_nWaitMs = 50;
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"Mardex did not finish within 0.5 s and was stopped; no results were read."});
    EXPECT_TRUE(ProcessGoesAway(PidFrom("grandchild")));
    EXPECT_TRUE(ProcessGoesAway(PidFrom("pid")));
}

TEST_F(RunJobTest, MisbehavingOutputsAreRefusedAndStandardErrorIsBounded) {
    GiveOldResults();
    // The summary left as a FIFO: refused at once, no jet touched.
    Settings().m_strModelProgram = Script("fifo", "mkfifo Suspend\nexit 0\n");
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("Suspend\" is not a regular file"), std::string::npos) << m_prompt.Texts()[0];
    ExpectOldResults();

    // 20 MB on standard error: only its end is kept and shown.
    m_prompt.Clear();
    Settings().m_strModelProgram =
        Script("noisy", "head -c 20000000 /dev/zero | tr '\\000' x >&2\necho ' LAST LINE' >&2\nexit 7\n");
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    const std::string text = m_prompt.Texts()[0];
    EXPECT_NE(text.find("exit status 7"), std::string::npos);
    EXPECT_NE(text.find("LAST LINE"), std::string::npos);
    EXPECT_LE(text.size(), static_cast<std::size_t>(CModelProcess::kKeptErrorBytes) + 100);
    ExpectOldResults();
}
