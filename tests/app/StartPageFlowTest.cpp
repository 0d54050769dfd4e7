// The start page and the help window in the program: when the page comes
// up, what its links do, and the help commands.
#include <QApplication>
#include <QCheckBox>
#include <QDockWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/MainFrame.h"
#include "gui/ResultsHost.h"
#include "gui/RunController.h"
#include "gui/StartPageHost.h"
#include "results_ui/PlotsWidget.h"
#include "ui/HelpBrowser.h"
#include "ui/HelpWindow.h"
#include "ui/QuitConfirmDlg.h"
#include "ui/StartPage.h"

namespace {
bool PageShown(CMainFrame& frame) {
    CStartPage* page = frame.StartPages().Page();
    return page && page->isVisible();
}
}  // namespace

class StartPageFlow : public GuiFixture {
protected:
    // Starts the program again with the given ShowBegin.
    void Restart(bool showBegin) {
        m_app.reset();
        SetShowBegin(showBegin);
        StartApp();
        Settle();
    }
    int StoredShowBegin() const {
        return QSettings(m_options.m_strProfilePath, QSettings::IniFormat).value("PLUMEX/ShowBegin", -1).toInt();
    }
};

TEST_F(StartPageFlow, ShownAtStartAndAgainWhenTheLastCaseCloses) {
    Restart(true);
    EXPECT_TRUE(PageShown(Frame()));
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    EXPECT_FALSE(PageShown(Frame()));
    ASSERT_TRUE(m_app->CloseDocument(*m_app->Documents().front()));
    Settle();
    EXPECT_TRUE(PageShown(Frame()));
}

TEST_F(StartPageFlow, ClearedShowOnStartupKeepsThePageAwayUntilAskedFor) {
    Restart(true);
    ASSERT_TRUE(PageShown(Frame()));
    // Unticking the box takes effect at once and is kept.
    QCheckBox* box = Frame().StartPages().Page()->ShowOnStartupBox();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_FALSE(m_app->ShowStartPage());
    EXPECT_EQ(StoredShowBegin(), 0);

    Restart(false);
    EXPECT_FALSE(PageShown(Frame()));
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    ASSERT_TRUE(m_app->CloseDocument(*m_app->Documents().front()));
    Settle();
    EXPECT_FALSE(PageShown(Frame()));

    // "Open startup Tips Window" makes the page and sets ShowBegin again.
    ClickMenu("&File", "Open startup Tips Window");
    EXPECT_TRUE(PageShown(Frame()));
    EXPECT_EQ(StoredShowBegin(), 1);
    EXPECT_TRUE(m_app->ShowStartPage());
}

TEST_F(StartPageFlow, NewCaseLinkAsksAboutTheModifiedCaseAndCancelChangesNothing) {
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    doc->Doc().SetModifiedFlag(true);
    Frame().Action("file.startPage")->trigger();
    ASSERT_TRUE(PageShown(Frame()));

    m_prompt.QueueAnswer(PromptAnswer::Cancel);
    Frame().StartPages().Page()->Browser()->FollowLink(QUrl(CHelpBrowser::kNewCase));
    Settle();
    ASSERT_EQ(m_prompt.Entries().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0].rfind("Close the file ", 0), 0u) << m_prompt.Texts()[0];
    EXPECT_FALSE(PageShown(Frame()));
    ASSERT_EQ(m_app->Documents().size(), 1);
    EXPECT_EQ(m_app->Documents().front(), doc);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(StartPageFlow, OpenLinkAndCancelledOpenBringThePageBack) {
    Restart(true);
    ASSERT_TRUE(PageShown(Frame()));
    // The link hides the page; the dialog cancelled with no case shows it again.
    Frame().StartPages().Page()->Browser()->FollowLink(QUrl(CHelpBrowser::kOpenCase));
    Settle();
    EXPECT_TRUE(PageShown(Frame()));
    // The link with a file chosen opens it, and the page stays hidden.
    m_chooser.m_Open << CopyExample("demo.pmx");
    Frame().StartPages().Page()->Browser()->FollowLink(QUrl(CHelpBrowser::kOpenCase));
    Settle();
    EXPECT_FALSE(PageShown(Frame()));
    EXPECT_EQ(m_app->Documents().size(), 1);
    // With a case open a cancelled Open leaves the page away.
    ClickMenu("&File", "&Open...");
    EXPECT_FALSE(PageShown(Frame()));
}

TEST_F(StartPageFlow, HelpCommandsOpenTheHelpWindow) {
    SettleActive();
    EXPECT_EQ(Frame().StartPages().Help(), nullptr);
    QTest::keyClick(&Frame(), Qt::Key_F1);
    Settle();
    ASSERT_NE(Frame().StartPages().Help(), nullptr);
    EXPECT_TRUE(Frame().StartPages().Help()->isVisible());
    Frame().StartPages().Help()->close();
    // The tutorial link of the start page uses the same window.
    CHelpWindow* help = Frame().StartPages().Help();
    Frame().Action("file.startPage")->trigger();
    Frame().StartPages().Page()->Browser()->FollowLink(QUrl(CHelpBrowser::kTutorial));
    Settle();
    EXPECT_EQ(Frame().StartPages().Help(), help);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(StartPageFlow, ExitAfterACaseWasOpenedLeavesNoWindowOpen) {
    Restart(true);
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    SettleActive();
    QTest::keyClick(&Frame(), Qt::Key_F1);
    Frame().Action("view.profile")->trigger();
    Frame().Action("file.startPage")->trigger();
    Settle();
    ASSERT_TRUE(Frame().StartPages().Help()->isVisible());
    Frame().Action("file.exit")->trigger();
    Settle();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->isVisible()) << w->metaObject()->className() << " " << w->objectName().toStdString();
}

TEST_F(StartPageFlow, ThePagesExitQuitsTheProgramOnceConfirmed) {
    Restart(true);
    ASSERT_TRUE(PageShown(Frame()));
    bool confirmed = false;
    QTimer::singleShot(50, [&confirmed] {
        auto* dlg = qobject_cast<CQuitConfirmDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        confirmed = true;
        QTest::mouseClick(dlg->ExitButton(), Qt::LeftButton);
    });
    QTest::mouseClick(Frame().StartPages().Page()->ExitButton(), Qt::LeftButton);
    Settle(50);
    // The program ends, not only the page.
    EXPECT_TRUE(confirmed);
    EXPECT_FALSE(Frame().isVisible());
    EXPECT_FALSE(PageShown(Frame()));
}

class PlotsInTheWindow : public GuiFixture {};

TEST_F(PlotsInTheWindow, TheDockFollowsTheActiveCaseAndLetsGoOfAClosedOne) {
    QAction* toggle = Frame().Action("view.plots");
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->text(), "Plots");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* demo = m_app->Documents().front();
    ClickMenu("&View", "Plots");
    EXPECT_TRUE(Frame().Results().Dock()->isVisible());
    EXPECT_EQ(Frame().Results().Shown(), &demo->Doc());

    // A run's results reach the shown plots without any further command.
    const size_t before = Frame().Results().Plots()->Plot().m_Curves.size();
    qputenv("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
    ASSERT_TRUE(Frame().Runs().RunAllJets(*demo));
    for (int i = 0; i < 1000 && Frame().Runs().IsRunning(); ++i) QTest::qWait(20);
    qunsetenv("PLUMEX_MODEL");
    Settle();
    EXPECT_GT(Frame().Results().Plots()->Plot().m_Curves.size(), before);

    // A second case in its own window: the plots show the active one.
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx", "other"), false));
    Settle();
    ASSERT_EQ(m_app->Documents().size(), 2);
    CCaseDocument* other = m_app->Documents().back();
    EXPECT_EQ(Frame().Results().Shown(), &other->Doc());

    ASSERT_TRUE(m_app->CloseDocument(*other));
    Settle();
    EXPECT_EQ(Frame().Results().Shown(), &demo->Doc());
    m_prompt.QueueAnswer(PromptAnswer::No);  // not saving the computed case
    ASSERT_TRUE(m_app->CloseDocument(*demo));
    Settle();
    EXPECT_EQ(Frame().Results().Shown(), nullptr);
    EXPECT_FALSE(Frame().Results().Dock()->isVisible());
}
