// New, Open, Close, Save, Save As and Exit with their questions, answered
// by a scripted prompt: Cancel keeps everything, nothing is lost.
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSettings>
#include <QStatusBar>
#include <QTest>

#include <vector>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/Profile.h"
#include "gui/RunController.h"
#include "model/CaseFile.h"
#include "support/CaseStream.h"

class FileCommands : public GuiFixture {
protected:
    // Opens a copy of the demo case and changes it (one more jet).
    CCaseDocument* OpenModified(const QString& sub = QString()) {
        const QString path = CopyExample("demo.pmx", sub);
        EXPECT_TRUE(m_app->OpenFile(path, false));
        CCaseDocument* doc = m_app->Documents().back();
        doc->Doc().Add(TreeLevel::Jet);
        doc->Doc().SetModifiedFlag(true);
        SettleActive();
        return doc;
    }
    // A file named like a case that holds none.
    QString BrokenCase() const {
        const QString path = TempPath("broken.pmx");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a case");
        return path;
    }
    std::string CloseText(const CCaseDocument* d) const { return "Close the file " + d->Path().toStdString() + "?"; }
    std::string SaveText(const CCaseDocument* d) const { return "Save the file " + d->Path().toStdString() + "?"; }
};

TEST_F(FileCommands, NewAsksToCloseACaseAndCancelStartsNothing) {
    CCaseDocument* doc = OpenModified();
    const auto before = StreamOf(doc->Path());
    m_prompt.QueueAnswer(PromptAnswer::Cancel);
    QTest::keyClick(&Frame(), Qt::Key_N, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{CloseText(doc)});
    // Its buttons say what they do.
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    const CScriptedPrompt::Entry& question = m_prompt.Entries()[0];
    EXPECT_EQ(question.kind, "choice");
    EXPECT_EQ(question.choices.m_strYes, "Close");
    EXPECT_EQ(question.choices.m_strNo, "Keep open");
    EXPECT_EQ(question.choices.m_strCancel, "Cancel");
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(Frame().CaseWindows().size(), 1);
    EXPECT_EQ(StreamOf(doc->Path()), before);
}

TEST_F(FileCommands, NewWithNoLeavesTheCaseOpenBesideTheNewOne) {
    CCaseDocument* doc = OpenModified();
    m_prompt.QueueAnswer(PromptAnswer::No);
    ClickMenu("&File", "&New");
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{CloseText(doc)});
    ASSERT_EQ(m_app->Documents().size(), 2);
    EXPECT_EQ(m_app->Documents().back()->Title(), "Plumex1");
    EXPECT_EQ(Frame().ActiveDocument(), m_app->Documents().back());
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(FileCommands, ClosingAModifiedCaseWithYesAsksToSaveFirstAndCancelKeepsIt) {
    CCaseDocument* doc = OpenModified();
    const QString path = doc->Path();
    const auto before = StreamOf(path);
    m_prompt.QueueAnswer(PromptAnswer::Yes);     // close it
    m_prompt.QueueAnswer(PromptAnswer::Cancel);  // but not unsaved
    ClickMenu("&File", "&New");
    EXPECT_EQ(m_prompt.Texts(), (std::vector<std::string>{CloseText(doc), SaveText(doc)}));
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(m_app->Documents().front(), doc);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(StreamOf(path), before);

    // Yes, Yes: saved, then closed, then the new case.
    const int jets = doc->Doc().GetJetCount();
    m_prompt.Clear();
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    ClickMenu("&File", "&New");
    EXPECT_EQ(m_prompt.Texts().size(), 2u);
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_TRUE(m_app->Documents().front()->Path().isEmpty());
    CAppState state;
    CScriptedPrompt quiet;
    CPlumexDoc reread(state, quiet);
    ASSERT_TRUE(reread.OpenCase(path.toStdString()));
    EXPECT_EQ(reread.GetJetCount(), jets);
}

TEST_F(FileCommands, ClosingWithYesAndNotSavingDropsTheChanges) {
    CCaseDocument* doc = OpenModified();
    const QString path = doc->Path();
    const auto before = StreamOf(path);
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    m_prompt.QueueAnswer(PromptAnswer::No);
    m_chooser.m_Open << CopyExample("diffuser.pmx");
    ClickMenu("&File", "&Open...");
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(QFileInfo(m_app->Documents().front()->Path()).fileName(), "diffuser.pmx");
    EXPECT_EQ(StreamOf(path), before);
}

TEST_F(FileCommands, ATutorialCaseAndAnUntouchedNewCaseCloseWithoutQuestions) {
    OpenModified("Tutorial Files");
    ClickMenu("&File", "&New");  // the untouched new case, computed at once
    ASSERT_EQ(m_app->Documents().size(), 1);
    for (int k = 0; k < 1000 && Frame().Runs().IsRunning(); ++k) QTest::qWait(20);
    EXPECT_GT(m_app->Documents().front()->Doc().GetCurrentJet()->m_KeyParams.m_nSteps, 1);
    m_chooser.m_Open << CopyExample("demo.pmx");
    ClickMenu("&File", "&Open...");
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(QFileInfo(m_app->Documents().front()->Path()).fileName(), "demo.pmx");
}

TEST_F(FileCommands, TheOpenDialogStartsInTheFolderOfTheLastCase) {
    const QString path = CopyExample("demo.pmx", "cases/north");
    m_chooser.m_Open << path;
    ClickMenu("&File", "&Open...");
    ASSERT_EQ(m_app->Documents().size(), 1);
    m_chooser.m_Open << QString();  // the dialog cancelled
    ClickMenu("&File", "&Open...");
    EXPECT_EQ(m_chooser.m_strOpenFolder, QFileInfo(path).path());
}

TEST_F(FileCommands, FileCloseAsksToSaveAModifiedCase) {
    CCaseDocument* doc = OpenModified();
    m_prompt.QueueAnswer(PromptAnswer::Cancel);
    QTest::keyClick(&Frame(), Qt::Key_W, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{SaveText(doc)});
    ASSERT_EQ(m_app->Documents().size(), 1);
    m_prompt.QueueAnswer(PromptAnswer::No);
    ClickMenu("&File", "&Close");
    EXPECT_TRUE(m_app->Documents().isEmpty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

TEST_F(FileCommands, SaveWritesTheCaseAndSaveAsMovesItToTheNewFile) {
    CCaseDocument* doc = OpenModified();
    const QString path = doc->Path();
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    Settle();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(StreamOf(path), doc->Doc().SaveToBytes());
    EXPECT_EQ(ActiveChild()->windowTitle(), "demo.pmx[*]");
    EXPECT_FALSE(ActiveChild()->isWindowModified());
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Saved " + path);

    const QString other = TempPath("renamed");  // the extension is added
    m_chooser.m_SaveAs << other;
    ClickMenu("&File", "Save &As...");
    EXPECT_EQ(doc->Path(), other + ".pmx");
    EXPECT_EQ(ActiveChild()->windowTitle(), "renamed.pmx[*]");
    EXPECT_EQ(StreamOf(other + ".pmx"), doc->Doc().SaveToBytes());
    EXPECT_EQ(m_app->Profile().RecentFiles().front(), other + ".pmx");
    EXPECT_EQ(Frame().statusBar()->currentMessage(), "Saved " + other + ".pmx");

    // A new case is saved through Save As; cancelling it keeps the case unsaved.
    m_prompt.QueueAnswer(PromptAnswer::Yes);  // close the saved case
    ClickMenu("&File", "&New");
    SettleActive();
    CCaseDocument* fresh = Frame().ActiveDocument();
    for (int k = 0; k < 1000 && Frame().Runs().IsRunning(); ++k) QTest::qWait(20);
    EXPECT_FALSE(fresh->IsModified()) << "its first run is no change of the user's";
    fresh->Doc().SetModifiedFlag(true);
    QTest::keyClick(&Frame(), Qt::Key_S, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(fresh->Path().isEmpty());
    EXPECT_TRUE(fresh->IsModified());
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{"Close the file " + (other + ".pmx").toStdString() + "?"});
}

TEST_F(FileCommands, ExitCancelledKeepsTheProgramAndWritesNoDockingDescription) {
    CCaseDocument* doc = OpenModified();
    m_prompt.QueueAnswer(PromptAnswer::Cancel);
    ClickMenu("&File", "E&xit");
    EXPECT_EQ(m_prompt.Texts(), std::vector<std::string>{SaveText(doc)});
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(m_app->Documents().size(), 1);
    EXPECT_TRUE(m_app->Profile().InputPosition().isEmpty());

    // Yes saves, then the program closes and writes the description.
    m_prompt.QueueAnswer(PromptAnswer::Yes);
    const QString path = doc->Path();
    const auto bytes = doc->Doc().SaveToBytes();
    QTest::keyClick(&Frame(), Qt::Key_Q, Qt::ControlModifier);
    Settle();
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_EQ(StreamOf(path), bytes);
    QSettings ini(TempPath("plumex.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value("System Controls/Input_Position").toString(), "[ L:400 T:400 R:500 B:500 ; RIGHT | SHOW]");
}

TEST_F(FileCommands, AFileThatCannotBeReadIsReportedAndLeavesNothingOpen) {
    const QString bad = BrokenCase();
    m_chooser.m_Open << bad;
    ClickMenu("&File", "&Open...");
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_EQ(m_prompt.Entries()[0].kind, "inform");
    EXPECT_NE(m_prompt.Texts()[0].find("broken.pmx"), std::string::npos);
    EXPECT_TRUE(m_app->Documents().isEmpty());
    EXPECT_TRUE(Frame().MdiArea()->subWindowList().isEmpty());
}

TEST_F(FileCommands, OpenReadsTheNewFileBeforeClosingAnyCase) {
    CCaseDocument* kept = OpenModified();
    const QString keptPath = kept->Path();
    const QString bad = BrokenCase();
    m_chooser.m_Open << bad;
    ClickMenu("&File", "&Open...");
    // Refused without a question about the open case, which stays as it was.
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_EQ(m_prompt.Entries()[0].kind, "inform");
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(m_app->Documents()[0]->Path(), keptPath);
    EXPECT_TRUE(m_app->Documents()[0]->IsModified());
}

TEST_F(FileCommands, OpenTakesACaseTextAsANewUntitledCase) {
    const QString text = QString(PLUMEX_EXAMPLES_SOURCE) + "/demo.json";
    m_chooser.m_Open << text;
    ClickMenu("&File", "&Open...");
    EXPECT_TRUE(m_prompt.Entries().empty()) << (m_prompt.Texts().empty() ? "" : m_prompt.Texts()[0]);
    ASSERT_EQ(m_app->Documents().size(), 1);
    CCaseDocument* doc = m_app->Documents()[0];
    EXPECT_TRUE(doc->Path().isEmpty());
    EXPECT_EQ(doc->Title(), QString("demo"));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Doc().GetJetCount(), 8);

    // A text with a refused value opens nothing and names the field.
    const QString bad = TempPath("bad.json");
    QFile in(text), out(bad);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(in.readAll().replace("\"outfalls\"", "\"outfallz\""));
    out.close();
    m_chooser.m_Open << bad;
    ClickMenu("&File", "&Open...");
    ASSERT_FALSE(m_prompt.Texts().empty());
    EXPECT_NE(m_prompt.Texts().back().find("bad.json"), std::string::npos) << m_prompt.Texts().back();
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(m_app->Documents()[0], doc);
}
