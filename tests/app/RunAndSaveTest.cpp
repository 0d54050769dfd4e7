// Runs from the program's commands with the stand-in model, and a save
// that is killed half-way.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include <csignal>

#include "GuiFixture.h"
#include "app/CaseDocument.h"
#include "app/MainFrame.h"
#include "app/RunController.h"
#include "model/CaseFile.h"
#include "model/PlumexDoc.h"
#include "ui/StatusProgress.h"

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

class Runs : public GuiFixture {};

TEST_F(Runs, RunAllJetsFromTheToolBarComputesTheCase) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    ClickToolButton(Frame().Action("run.allJets"));
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
    EXPECT_TRUE(doc->IsModified());
    doc->Doc().ForEachJet([](int, int, int, CRiser&, CBase&, CJet& jet) { EXPECT_GT(jet.m_KeyParams.m_nSteps, 0); });
    EXPECT_TRUE(Frame().Progress().isHidden());
    EXPECT_FALSE(Frame().Runs().IsRunning());
}

TEST_F(Runs, CancelStopsARunningModelAndOtherCommandsWaitMeanwhile) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "never");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    SettleActive();
    const auto before = Snapshot(doc->Doc());
    bool sawMeter = false, newIgnored = false;
    // While the model runs: the meter shows, File > New (Ctrl+N) does nothing,
    // and the Cancel button stops the run.
    QTimer::singleShot(600, [&] {
        sawMeter = Frame().Progress().isVisible() && Frame().Runs().IsRunning();
        QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
        newIgnored = m_app->Documents().size() == 1 && m_prompt.Empty();
        QTest::mouseClick(Frame().Progress().CancelButton(), Qt::LeftButton);
    });
    QElapsedTimer clock;
    clock.start();
    ClickToolButton(Frame().Action("run.allJets"));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_TRUE(sawMeter);
    EXPECT_TRUE(newIgnored);
    EXPECT_FALSE(Frame().Runs().IsRunning());
    EXPECT_TRUE(Frame().Progress().isHidden());
    EXPECT_EQ(Snapshot(doc->Doc()), before);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(Runs, AFailingModelShowsItsMessageAndChangesNoJet) {
    ModelEnvironment model(PLUMEX_FAKE_MODEL, "fail");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    const auto before = Snapshot(doc->Doc());
    ClickMenu("&Option", "Run all jets");
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_NE(m_prompt.Texts()[0].find("exit status 3"), std::string::npos) << m_prompt.Texts()[0];
    EXPECT_EQ(Snapshot(doc->Doc()), before);
    EXPECT_FALSE(doc->IsModified());
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
