// The case input pieces in the program: New through the wizard, the input
// bar beside the active case, the profile window and the time-steps dialog.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/MainFrame.h"
#include "gui/RunController.h"
#include "gui/StartPageHost.h"
#include "ui/InputBar.h"
#include "ui/MaxTimeStepsDlg.h"
#include "ui/NewCaseDlg.h"
#include "ui/ProfileWnd.h"
#include "ui/StartPage.h"

class CaseInputWiring : public GuiFixture {};

TEST_F(CaseInputWiring, NewMakesTheWizardsCaseAndRemembersItsScenario) {
    m_bFinishWizards = false;
    WhenModal<CNewCaseDlg>([](CNewCaseDlg& w) { QTest::mouseClick(w.CancelButton(), Qt::LeftButton); });
    ClickMenu("&File", "&New");
    EXPECT_TRUE(m_app->Documents().isEmpty());

    WhenModal<CNewCaseDlg>([](CNewCaseDlg& w) {
        QTest::mouseClick(w.AddLevelButton(), Qt::LeftButton);
        QTest::mouseClick(w.AddLevelButton(), Qt::LeftButton);
        QTest::mouseClick(w.NextButton(), Qt::LeftButton);
        QTest::mouseClick(w.ScenarioRadio(1), Qt::LeftButton);
        QTest::mouseClick(w.NextButton(), Qt::LeftButton);
        QTest::mouseClick(w.CreateButton(), Qt::LeftButton);
        QTest::mouseClick(w.FinishButton(), Qt::LeftButton);
    });
    ClickMenu("&File", "&New");
    Settle();
    ASSERT_EQ(m_app->Documents().size(), 1);
    CPlumexDoc& doc = m_app->Documents().front()->Doc();
    EXPECT_TRUE(doc.IsNoRiser());
    EXPECT_EQ(doc.GetJetCount(), 1);
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 20.0);
    EXPECT_EQ(QSettings(TempPath("plumex.ini"), QSettings::IniFormat).value("PLUMEX/Option").toInt(), 1);

    // The input bar shows the new case, its jet directly under the outfall.
    CInputBar* bar = Frame().InputBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(Frame().dockWidgetArea(bar), Qt::RightDockWidgetArea);
    EXPECT_EQ(bar->Case(), &doc);
    ASSERT_EQ(bar->Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(bar->Tree()->topLevelItem(0)->child(0)->text(0), "Jet1");

    // The new case is computed at once: its jet has results when the run ends.
    QElapsedTimer clock;
    clock.start();
    while ((Frame().Runs().IsRunning() || doc.GetCurrentJet()->m_KeyParams.m_nSteps == 0) && clock.elapsed() < 20000)
        QTest::qWait(20);
    EXPECT_FALSE(Frame().Runs().IsRunning());
    EXPECT_GT(doc.GetCurrentJet()->m_KeyParams.m_nSteps, 1);
}

TEST_F(CaseInputWiring, LeavingTheWizardFromItsFirstPageGoesBackToTheStartPage) {
    m_app.reset();
    SetShowBegin(true);
    StartApp();
    Settle();
    m_bFinishWizards = false;
    // Cancel and Back on the first page both give the new case up and show
    // the start page again over the empty window.
    for (bool back : {false, true}) {
        Frame().StartPages().Hide();
        WhenModal<CNewCaseDlg>(
            [back](CNewCaseDlg& w) { QTest::mouseClick(back ? w.BackButton() : w.CancelButton(), Qt::LeftButton); });
        ClickMenu("&File", "&New");
        Settle();
        EXPECT_TRUE(m_app->Documents().isEmpty());
        EXPECT_TRUE(Frame().StartPages().Page()->isVisible()) << (back ? "Back" : "Cancel");
    }
}

TEST_F(CaseInputWiring, ProfileWindowAndTimeStepsFollowTheActiveCase) {
    m_chooser.m_Open << CopyExample("demo.pmx");
    ClickMenu("&File", "&Open...");
    ASSERT_EQ(m_app->Documents().size(), 1);
    CCaseDocument* doc = m_app->Documents().front();
    ClickMenu("&View", "Profile of Ambient");
    EXPECT_TRUE(Frame().ProfileWindow()->isVisible());
    EXPECT_EQ(Frame().ProfileWindow()->Document(), &doc->Doc());

    WhenModal<CMaxTimeStepsDlg>([](CMaxTimeStepsDlg& d) {
        d.Field()->selectAll();
        QTest::keyClicks(d.Field(), "3000");
        QTest::keyClick(d.Field(), Qt::Key_Return);
    });
    ClickMenu("&Option", "Max number of time steps");
    EXPECT_EQ(doc->Doc().MaxTimeSteps(), 3000);

    m_prompt.QueueAnswer(PromptAnswer::No);  // do not save
    ClickMenu("&File", "&Close");
    Settle();
    ASSERT_TRUE(m_app->Documents().isEmpty());
    EXPECT_EQ(Frame().ProfileWindow()->Document(), nullptr);
    // With the last case the profile window leaves the screen too.
    EXPECT_FALSE(Frame().ProfileWindow()->isVisible());
    EXPECT_EQ(Frame().InputBar()->Case(), nullptr);
    EXPECT_FALSE(Frame().InputBar()->isVisible());
}
