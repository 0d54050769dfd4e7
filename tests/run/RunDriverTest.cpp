#include <gtest/gtest.h>
#include <QDir>

#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "RecordingProgress.h"
#include "ResultFiles.h"
#include "RunFixture.h"
#include "base/DocObserver.h"
#include "model/CameraFraming.h"
#include "model/ViewControl.h"

namespace {
class EventLog : public CDocObserver {
public:
    void OnDocEvent(const DocEvent& e) override { m_Events.push_back(e); }
    bool Has(DocEvent::Kind k) const {
        return std::any_of(m_Events.begin(), m_Events.end(), [k](const DocEvent& e) { return e == k; });
    }
    std::vector<DocEvent> m_Events;
};

void BuildCase(CCase& doc, double flowBase) {
    doc.SetProfile({{0.0, 33.0, 20.0, 0.05}, {30.0, 34.0, 12.0, 0.05}});
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    doc.Add(TreeLevel::Jet);
    doc.GetOutfall(0)->m_dDepth = 25.0;
    int n = 0;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { j.m_dFlow = flowBase + 0.001 * n++; });
}

class RunDriverTest : public RunFixture {
protected:
    void SetUp() override {
        ::setenv("PLUMEX_FAKE_MODE", "echo", 1);
        Settings().m_strModelProgram = PLUMEX_FAKE_MODEL;
        m_pProgress = &m_progress;
        m_doc.AddObserver(&m_log);
        BuildCase(m_doc, 0.010);
        m_prompt.SetDefaultAnswer(PromptAnswer::Yes);
    }
    void TearDown() override {
        m_doc.RemoveObserver(&m_log);
        ::unsetenv("PLUMEX_FAKE_MODE");
    }
    void ExpectOldResults() {
        RunFixture::ExpectOldResults();
        EXPECT_FALSE(m_log.Has(DocEvent::ResultsReady));
    }
    static bool ProcessGone(const std::string& pidFile) {
        const int pid = std::atoi(ReadText(pidFile).c_str());
        EXPECT_GT(pid, 0);
        return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
    }
    CRecordingProgress m_progress;
    EventLog m_log;
};
}  // namespace

TEST_F(RunDriverTest, AllJetsResultsArriveAndTheViewsHear) {
    // A case without results has nothing out of date.
    m_doc.MarkResultsOutOfDate();
    EXPECT_FALSE(m_doc.AreResultsOutOfDate());
    GiveOldResults();
    m_doc.MarkResultsOutOfDate();
    EXPECT_TRUE(m_doc.AreResultsOutOfDate());
    ASSERT_TRUE(Run(true));
    EXPECT_FALSE(m_doc.AreResultsOutOfDate());
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
    EXPECT_EQ(JetAt(0).GetSteps(), 3);
    EXPECT_EQ(JetAt(1).GetSteps(), 4);
    ASSERT_EQ(JetAt(1).GetDiskCount(), 4);
    EXPECT_DOUBLE_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 11.0);
    EXPECT_DOUBLE_EQ(JetAt(1).m_KeyParams.m_dSb, 11.0);
    EXPECT_EQ(JetAt(1).m_strStatus, "Plume reached the water surface");
    EXPECT_TRUE(m_doc.IsModified());
    EXPECT_TRUE(m_doc.m_bResultsDrawable);
    EXPECT_TRUE(m_log.Has(DocEvent::ResultsReady));
    EXPECT_TRUE(m_log.Has(DocEvent::ViewsUpdate));
    EXPECT_TRUE(m_log.Has(DocEvent::ProfileChanged));
    // The model saw the profile mean as its current speed.
    EXPECT_DOUBLE_EQ(JetAt(0).m_dCurrent, 0.05);
}

TEST_F(RunDriverTest, CurrentJetOnly) {
    GiveOldResults();
    m_doc.GetOutfall(0)->GetRiser(0)->m_nCurrentJet = 1;
    ASSERT_TRUE(Run(false));
    EXPECT_EQ(JetAt(0).GetSteps(), 42);
    EXPECT_EQ(JetAt(1).GetSteps(), 3);  // the only block of the input
    EXPECT_DOUBLE_EQ(JetAt(1).m_pDisplay->m_Disks[0].m_dX, 11.0);
    EXPECT_EQ(ReadText(Path("UDF")).rfind("Jet2\n", 0), 0u);
}

TEST_F(RunDriverTest, StaleResultsAreNeverReadAsNew) {
    GiveOldResults();
    WriteText(Path("Suspend"), PageText(SummaryPage()) + PageText(SummaryPage()));
    WriteText(Path("Plxdata"), SectionText(1, "Jet1", 3) + SectionText(2, "Jet2", 3));
    ::setenv("PLUMEX_FAKE_MODE", "silent", 1);
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Unable to read suspend file"});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("Plxdata"))));
    ExpectOldResults();
    EXPECT_FALSE(m_doc.m_bResultsDrawable);
}

TEST_F(RunDriverTest, InputThatCannotBeWrittenStopsTheRun) {
    GiveOldResults();
    // An old input and old results in the working directory, and the input
    // path taken by a folder so the new input cannot be written.
    WriteText(Path("Suspend"), PageText(SummaryPage()) + PageText(SummaryPage()));
    WriteText(Path("Plxdata"), SectionText(1, "Jet1", 3) + SectionText(2, "Jet2", 3));
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(Path("UDF"))));
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0].rfind("Unable to write the model input file", 0), 0u) << m_prompt.Texts()[0];
    ExpectOldResults();
}

TEST_F(RunDriverTest, ModelErrorShowsItsMessageAndChangesNothing) {
    GiveOldResults();
    m_doc.MarkResultsOutOfDate();
    ASSERT_TRUE(m_doc.AreResultsOutOfDate());
    ::setenv("PLUMEX_FAKE_MODE", "fail", 1);
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("exit status 3"), std::string::npos);
    EXPECT_NE(m_prompt.Texts()[0].find("UDF line 3: expected a number"), std::string::npos);
    ExpectOldResults();

    m_prompt.Clear();
    ::setenv("PLUMEX_FAKE_MODE", "crash", 1);
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts().size(), 1u);
    ExpectOldResults();

    m_prompt.Clear();
    Settings().m_strModelProgram = Path("no-such-model");
    EXPECT_FALSE(Run(true));
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0].rfind("Unable to start Mardex", 0), 0u);
    ExpectOldResults();
    // The old results still do not match the input.
    EXPECT_TRUE(m_doc.AreResultsOutOfDate());
}

TEST_F(RunDriverTest, TimeOutShowsTheMessageAndStopsTheProcess) {
    GiveOldResults();
    ::setenv("PLUMEX_FAKE_MODE", "never", 1);
    Settings().m_nMaxWaits = 20;
    Settings().m_nWaitMs = 50;
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts(),
              std::vector<std::string>{"Mardex did not finish within 1.0 s and was stopped; no results were read."});
    EXPECT_TRUE(ProcessGone(Path("pid")));
    ExpectOldResults();
}

TEST_F(RunDriverTest, CancelStopsTheProcessAndChangesNothing) {
    GiveOldResults();
    ::setenv("PLUMEX_FAKE_MODE", "never", 1);
    m_progress.m_nCancelAfter = 3;
    EXPECT_FALSE(Run(true));
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_EQ(m_progress.m_nQueries, 4);
    EXPECT_TRUE(ProcessGone(Path("pid")));
    ExpectOldResults();
}

TEST_F(RunDriverTest, ChecksBeforeTheRun) {
    // Unstable stratification: No ends the run before anything is written.
    m_doc.SetProfile({{0.0, 1.025, 0.0, 0.0}, {30.0, 1.020, 0.0, 0.0}});
    m_prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Invalid ambient density of row 1 and row 2"});
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("UDF"))));
    // ... and Yes goes on.
    m_prompt.Clear();
    EXPECT_TRUE(Run(true));
    EXPECT_EQ(m_prompt.Texts().size(), 1u);

    m_prompt.Clear();
    m_doc.SetProfile({{0.0, 1.02, 0.0, 0.0}, {0.0, 1.025, 0.0, 0.0}});
    EXPECT_FALSE(Run(true));
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Invalid ambient depth of row 1 and row 2"});
}

TEST_F(RunDriverTest, OutfallWithoutRiserDoesNothingSilently) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    doc.SetProfile({});
    doc.Create(TreeLevel::Outfall);
    doc.GetOutfall(0)->m_Risers.clear();
    EXPECT_FALSE(RunAndWait(doc, true));
    EXPECT_TRUE(prompt.Empty());
    EXPECT_TRUE(doc.m_bResultsDrawable);
}

TEST_F(RunDriverTest, TwoDocumentsRunInTheirOwnPrivateDirectories) {
    CAppState app;
    CScriptedPrompt prompt;
    std::string firstDir;
    {
        auto a = std::make_unique<CCase>(app, prompt);
        CCase b(app, prompt);
        auto settingsA = std::make_shared<CRunSettings>();
        auto settingsB = std::make_shared<CRunSettings>();
        BuildCase(*a, 0.020);
        BuildCase(b, 0.030);
        for (CRunSettings* s : {settingsA.get(), settingsB.get()}) s->m_strModelProgram = PLUMEX_FAKE_MODEL;
        ASSERT_TRUE(settingsA->EnsureWorkDir());
        ASSERT_TRUE(settingsB->EnsureWorkDir());
        firstDir = settingsA->m_strWorkDir;
        EXPECT_NE(firstDir, settingsB->m_strWorkDir);
        const QFileInfo info(QString::fromStdString(firstDir));
        EXPECT_TRUE(info.isDir());
        EXPECT_EQ(info.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteOther), 0);
        // Interleaved: a writes its input, b runs completely, then a runs.
        ASSERT_TRUE(WriteInputAllJets(*a, *settingsA));
        ASSERT_TRUE(RunAndWait(b, true, settingsB));
        ASSERT_TRUE(RunAndWait(*a, true, settingsA));
        EXPECT_TRUE(prompt.Empty());
        EXPECT_DOUBLE_EQ(a->GetOutfall(0)->GetRiser(0)->GetJet(1)->m_KeyParams.m_dSb, 21.0);
        EXPECT_DOUBLE_EQ(b.GetOutfall(0)->GetRiser(0)->GetJet(1)->m_KeyParams.m_dSb, 31.0);
        a.reset();
        settingsA.reset();
        // The directory goes with the run settings that made it.
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(firstDir)));
    }
}

TEST_F(RunDriverTest, TheFirstRunOfANewCaseFramesItsJetsAndTheCameraStaysThere) {
    // A new case still looks through the camera the program gave it.
    ASSERT_TRUE(m_doc.m_bCameraFramed);
    const CViewControl fresh = m_doc.m_ViewControl;
    ASSERT_TRUE(Run(true));
    EXPECT_FALSE(m_doc.m_bCameraFramed);
    EXPECT_EQ(m_doc.m_nCameraFramings, 1u);
    // Framed on the computed jets: the target is among them, not at the
    // origin the fresh camera looks at.
    CViewControl expected = fresh;
    FrameCase(m_doc, expected);
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(m_doc.m_ViewControl.m_dEye[i], expected.m_dEye[i]) << i;
        EXPECT_DOUBLE_EQ(m_doc.m_ViewControl.m_dTarget[i], expected.m_dTarget[i]) << i;
    }
    EXPECT_NE(m_doc.m_ViewControl.m_dTarget[0], fresh.m_dTarget[0]);

    // The next run (other flows, other plumes) leaves the camera alone.
    const CViewControl first = m_doc.m_ViewControl;
    m_doc.SetJetFlowAll(0.05);
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(m_doc.m_nCameraFramings, 1u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(m_doc.m_ViewControl.m_dEye[i], first.m_dEye[i]);

    // A case read from its file keeps the camera the file holds, results or not.
    CCase read(m_app, m_prompt);
    BuildCase(read, 0.02);
    const std::string path = Path("kept.pmx");
    ASSERT_TRUE(read.SaveCase(path));
    ASSERT_TRUE(read.OpenCase(path));
    EXPECT_FALSE(read.m_bCameraFramed);
    const CViewControl kept = read.m_ViewControl;
    ASSERT_TRUE(RunAndWait(read, true, m_pSettings));
    EXPECT_EQ(read.m_nCameraFramings, 0u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(read.m_ViewControl.m_dEye[i], kept.m_dEye[i]);
}
