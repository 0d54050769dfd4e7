// Runs from the program's commands with the stand-in model, and a save
// that is killed half-way.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <functional>

#include <signal.h>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/RunController.h"
#include "model/CaseFile.h"
#include "model/CaseSection.h"
#include "model/RunOptions.h"
#include "run/RunSettings.h"
#include "ui/StatusProgress.h"
#include "ui/SummaryViewer.h"

namespace {
// The jets' stored results, to see that a run changed nothing.
std::vector<unsigned char> Snapshot(CPlumexDoc& doc) { return doc.SaveToBytes(); }

class ModelEnvironment {
public:
    ModelEnvironment(const char* program, const char* mode) {
        qputenv("PLUMEX_MODEL", program);
        qputenv("PLUMEX_FAKE_MODE", mode);
    }
    ~ModelEnvironment() {
        qunsetenv("PLUMEX_MODEL");
        qunsetenv("PLUMEX_FAKE_MODE");
    }
};
}  // namespace

class Runs : public GuiFixture {
protected:
    // Lets the program handle events until the run has ended.
    bool WaitForRunEnd(int ms = 20000) {
        return WaitUntil([this] { return !Frame().Runs().IsRunning(); }, ms);
    }
    static bool WaitUntil(const std::function<bool()>& done, int ms) {
        QElapsedTimer clock;
        clock.start();
        while (!done() && clock.elapsed() < ms) QTest::qWait(20);
        return done();
    }
    // The stand-in model's process id, which it writes when it starts.
    qint64 ModelPid(CCaseDocument& doc) {
        QFile f(QString::fromStdString(Frame().Runs().SettingsOf(doc).m_strWorkDir) + "/pid");
        if (!WaitUntil([&] { return f.exists() && f.size() > 0; }, 10000) || !f.open(QIODevice::ReadOnly)) return 0;
        return f.readAll().trimmed().toLongLong();
    }
    static bool ProcessGone(qint64 pid) { return ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }
};

TEST_F(Runs, RunAllJetsFromTheToolBarComputesTheCase) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    QLabel* note = ActiveChild()->OutOfDateNote();
    // Without results there is nothing to be out of date.
    doc->Doc().MarkResultsOutOfDate();
    EXPECT_FALSE(note->isVisible());
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
    // An input changed after the run: the view says so until the next run.
    doc->Doc().MarkResultsOutOfDate();
    EXPECT_TRUE(note->isVisible());
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_FALSE(note->isVisible());
    EXPECT_FALSE(doc->Doc().AreResultsOutOfDate());
    EXPECT_TRUE(doc->IsModified());
    doc->Doc().ForEachJet([](int, int, int, CRiser&, CBase&, CJet& jet) { EXPECT_GT(jet.m_KeyParams.m_nSteps, 0); });
    EXPECT_TRUE(Frame().Progress().isHidden());
    EXPECT_FALSE(doc->Doc().IsRunInFlight());
    EXPECT_TRUE(Frame().Action("file.new")->isEnabled());
}

TEST_F(Runs, ACaseKeepsItsRunDirectoryFromRunToRunUntilItCloses) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    SettleActive();
    ASSERT_TRUE(Frame().Runs().RunAllJets(*doc));
    ASSERT_TRUE(WaitForRunEnd());
    const QString dir = QString::fromStdString(Frame().Runs().SettingsOf(*doc).m_strWorkDir);
    ASSERT_FALSE(dir.isEmpty());
    // The last run's summary stays there to be viewed.
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Frame().Runs().SettingsOf(*doc).SummaryPath())));
    ASSERT_TRUE(Frame().Runs().RunCurrentJet(*doc));
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_EQ(QString::fromStdString(Frame().Runs().SettingsOf(*doc).m_strWorkDir), dir);
    EXPECT_TRUE(m_prompt.Empty());

    m_prompt.QueueAnswer(PromptAnswer::No);  // do not save
    ClickMenu("&File", "&Close");
    Settle();
    ASSERT_TRUE(m_app->Documents().isEmpty());
    EXPECT_FALSE(QDir(dir).exists()) << "the directory goes with its case";
}

TEST_F(Runs, TheSectionOnShowFollowsTheResultsOfEveryRun) {
    ModelEnvironment model(PLUMEX_MODEL_EXE, "");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    CPlumexDoc& d = doc->Doc();
    SettleActive();
    ASSERT_TRUE(Frame().Runs().RunAllJets(*doc));
    ASSERT_TRUE(WaitForRunEnd());
    // A cross-section through the current jet, then the jets computed again
    // with twice the flow: the figures shown are those of the new plumes.
    int disk = 60;
    double h = 0, v = 0, dist = 0;
    ASSERT_TRUE(d.PlaceCutPlaneAtDisk(disk, CutPlaneKind::CrossSection, h, v, dist));
    d.SetCutPlane(h, v, dist, disk, CutPlaneKind::CrossSection, true);
    const double before = d.m_SectionStats.m_dTotalArea;
    ASSERT_GT(before, 0.0);
    d.SetJetFlowAll(2.0 * d.GetCurrentJet()->m_dFlow);
    ASSERT_TRUE(Frame().Runs().RunAllJets(*doc));
    ASSERT_TRUE(WaitForRunEnd());
    const CSectionStats shown = d.m_SectionStats;
    const SectionResult fresh = ComputeSection(d, d.m_CutPlane);
    EXPECT_NE(shown.m_dTotalArea, before);
    EXPECT_DOUBLE_EQ(shown.m_dTotalArea, fresh.m_Stats.m_dTotalArea);
    EXPECT_DOUBLE_EQ(shown.m_dDilution, fresh.m_Stats.m_dDilution);
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(Runs, ViewSuspendFileShowsTheSummaryOfTheRunItStartsOnceThatRunHasEnded) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    SettleActive();
    auto* button = ActiveChild()->findChild<QPushButton*>("viewSuspend");
    ASSERT_NE(button, nullptr);
    button->click();
    ASSERT_TRUE(WaitForRunEnd());
    ASSERT_TRUE(WaitUntil([this] { return Frame().findChild<CSummaryViewer*>("summaryViewer") != nullptr; }, 5000));
    auto* viewer = Frame().findChild<CSummaryViewer*>("summaryViewer");
    CCaseDocument* doc = m_app->Documents().front();
    QFile summary(QString::fromStdString(Frame().Runs().SettingsOf(*doc).SummaryPath()));
    ASSERT_TRUE(summary.open(QIODevice::ReadOnly));
    // The viewer shows the file's lines (a text edit keeps no carriage returns).
    const QStringList lines = QString::fromLocal8Bit(summary.readAll()).remove('\r').split('\n');
    ASSERT_GT(lines.size(), 8);
    const QStringList shown = viewer->Text()->toPlainText().remove('\r').split('\n');
    ASSERT_GE(shown.size(), lines.size() - 1);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(shown[k].trimmed(), lines[k].trimmed()) << k;
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(Runs, WhileTheModelRunsTheWindowAnswersAndCancelChangesNoJet) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "never");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    SettleActive();
    const auto before = Snapshot(doc->Doc());
    ClickToolButton(Frame().Action("run.allJets"));
    // The command returns at once; the model runs on.
    ASSERT_TRUE(Frame().Runs().IsRunning());
    EXPECT_TRUE(doc->Doc().IsRunInFlight());
    EXPECT_TRUE(Frame().Progress().isVisible());
    const qint64 pid = ModelPid(*doc);
    ASSERT_GT(pid, 0);
    // The meter moves with the model's time.
    EXPECT_TRUE(WaitUntil([&] { return Frame().Progress().ShownValue() > 0; }, 5000));

    // Nothing may replace or close the case meanwhile: New (also its key),
    // Open, Close and Exit are off; the help and the views still answer.
    for (const char* name : {"file.new", "file.open", "file.close", "file.exit", "run.allJets", "run.currentJet"})
        EXPECT_FALSE(Frame().Action(name)->isEnabled()) << name;
    EXPECT_TRUE(Frame().Action("help.topics")->isEnabled());
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(m_app->Documents().size(), 1);
    EXPECT_TRUE(m_prompt.Empty());
    ClickMenu("&View", "Data View");
    EXPECT_FALSE(ActiveChild()->DataView()->isVisible());
    EXPECT_TRUE(Frame().Runs().IsRunning());

    QTest::mouseClick(Frame().Progress().CancelButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_TRUE(ProcessGone(pid));
    EXPECT_TRUE(Frame().Progress().isHidden());
    EXPECT_FALSE(doc->Doc().IsRunInFlight());
    EXPECT_EQ(Snapshot(doc->Doc()), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(m_prompt.Empty());
    EXPECT_TRUE(Frame().Action("file.new")->isEnabled());
}

TEST_F(Runs, TheStatusBarSaysHowTheRunEnded) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    SettleActive();
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    Settle(100);
    // As the command line says it: every jet of the run has its results.
    const int jets = doc->Doc().GetJetCount();
    ASSERT_GT(jets, 1);
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(),
              std::to_string(jets) + " of " + std::to_string(jets) + " jets computed");

    // Cancel clicked while the results are read: the click is handled at
    // once, no jet changes and the status bar says so. (The flows change, so
    // that results read would differ from those the jets hold.)
    doc->Doc().SetJetFlowAll(2.0 * doc->Doc().GetCurrentJet()->m_dFlow);
    const auto before = Snapshot(doc->Doc());
    QMetaObject::Connection clickOnce =
        QObject::connect(Frame().statusBar(), &QStatusBar::messageChanged, [this](const QString& text) {
            if (text != "Reading the results") return;
            QTimer::singleShot(0, [this] { QTest::mouseClick(Frame().Progress().CancelButton(), Qt::LeftButton); });
        });
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    Settle(100);
    QObject::disconnect(clickOnce);
    EXPECT_EQ(Snapshot(doc->Doc()), before);
    EXPECT_FALSE(doc->Doc().IsRunInFlight());
    EXPECT_EQ(Frame().statusBar()->currentMessage().toStdString(), "Run cancelled");
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(Runs, TheMeterOfARunNeverMovesBack) {
    // The demo case in continuous mode: long jets, so the reading of each
    // jet moves the meter many times.
    ModelEnvironment model(PLUMEX_MODEL_EXE, "");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    RunOptions options = doc->Doc().GetRunOptions();
    options.m_bContinuous = true;
    doc->Doc().SetRunOptions(options);
    SettleActive();
    auto* bar = Frame().Progress().findChild<QProgressBar*>();
    ASSERT_NE(bar, nullptr);
    // What the meter shows, as a share of its range, at every change.
    std::vector<double> shown;
    const auto record = [&] {
        const int span = bar->maximum() - bar->minimum();
        if (span > 0) shown.push_back(double(bar->value() - bar->minimum()) / span);
    };
    QObject::connect(bar, &QProgressBar::valueChanged, record);
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
    ASSERT_FALSE(shown.empty());
    for (std::size_t k = 1; k < shown.size(); ++k) EXPECT_GE(shown[k], shown[k - 1]) << "change " << k;
}

TEST_F(Runs, AFailingModelShowsItsMessageOnceAndChangesNoJet) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "fail");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    const auto before = Snapshot(doc->Doc());
    ClickMenu("&Option", "Run all jets");
    ASSERT_TRUE(WaitForRunEnd());
    Settle(100);
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("exit status 3"), std::string::npos) << m_prompt.Texts()[0];
    EXPECT_EQ(Snapshot(doc->Doc()), before);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(Runs, ClosingTheProgramDuringARunAsksAndNeverLeavesTheModelBehind) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "never");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    ClickToolButton(Frame().Action("run.allJets"));
    const qint64 pid = ModelPid(*doc);
    ASSERT_GT(pid, 0);

    // No: the program and the run go on.
    m_prompt.QueueAnswer(PromptAnswer::No);
    EXPECT_FALSE(Frame().close());
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_EQ(m_prompt.Entries()[0].kind, "yesno");
    EXPECT_TRUE(Frame().Runs().IsRunning());
    EXPECT_FALSE(ProcessGone(pid));

    // Closing the case's window asks the same; Yes stops the model first.
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    ActiveChild()->parentWidget()->close();
    Settle();
    EXPECT_FALSE(Frame().Runs().IsRunning());
    EXPECT_TRUE(ProcessGone(pid));
    EXPECT_TRUE(m_app->Documents().isEmpty());
}

TEST_F(Runs, EndingTheProgramDuringARunStopsTheModel) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "never");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    ClickToolButton(Frame().Action("run.allJets"));
    const qint64 pid = ModelPid(*m_app->Documents().front());
    ASSERT_GT(pid, 0);
    m_app.reset();
    EXPECT_TRUE(ProcessGone(pid));
}

namespace {
// True while the process has a save's temporary file open (Linux: /proc).
bool WritingTemporaryFile(qint64 pid, const QString& folder) {
    const QDir fds(QString("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = fd.symLinkTarget();
        if (target.startsWith(folder + "/") && !target.endsWith("/big.pmx")) return true;
    }
    return false;
}
}  // namespace

// The case file on disk is the old one or the new one, never half of each,
// even when the program dies in the middle of a save.
TEST(AtomicSave, AKilledSaveLeavesAReadableCaseFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("big.pmx");
    ASSERT_TRUE(QFile::copy(QString(PLUMEX_EXAMPLES_BUILT) + "/demo.pmx", path));
    QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    for (int round = 0; round < 3; ++round) {
        QProcess saver;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLUMEX_SAVE_LOOP", path);
        saver.setProcessEnvironment(env);
        saver.start(QCoreApplication::applicationFilePath(), {});
        ASSERT_TRUE(saver.waitForStarted(10000));
        // The first save through the program's Save command has finished...
        QElapsedTimer clock;
        clock.start();
        while (!saver.readAllStandardOutput().contains("saving")) {
            ASSERT_EQ(saver.state(), QProcess::Running) << saver.readAllStandardError().toStdString();
            ASSERT_LT(clock.elapsed(), 60000) << "the saving child never got going";
            saver.waitForReadyRead(100);
        }
        // ...then it is killed while it writes a later one.
        bool caught = false;
        clock.restart();
        while (!caught && clock.elapsed() < 30000) caught = WritingTemporaryFile(saver.processId(), dir.path());
        ::kill(pid_t(saver.processId()), SIGKILL);
        saver.waitForFinished(10000);
        ASSERT_TRUE(caught) << "no save was seen in progress";

        std::vector<unsigned char> bytes;
        std::string error;
        ASSERT_TRUE(CaseFile::Read(path.toStdString(), bytes, error)) << "round " << round << ": " << error;
        CAppState state;
        CScriptedPrompt prompt;
        CPlumexDoc doc(state, prompt);
        ASSERT_TRUE(doc.LoadFromBytes(bytes, error)) << "round " << round << ": " << error;
        EXPECT_GE(doc.GetJetCount(), 1000);
    }
}
