// Finding one's way in the 3-D view of the program: the first camera after
// the first run of a new case, View > Fit All and View > Home, the wheel.
#include <QElapsedTimer>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

#include "GuiFixture.h"
#include "document/PlumexDoc.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/MainFrame.h"
#include "gui/RunController.h"
#include "model/CameraFraming.h"
#include "model/RunOptions.h"
#include "model/ViewControl.h"
#include "support/CaseInPicture.h"
#include "ui/PlumexView.h"

namespace {
bool SamePose(const CViewControl& a, const CViewControl& b) {
    for (int i = 0; i < 3; ++i)
        if (a.m_dEye[i] != b.m_dEye[i] || a.m_dTarget[i] != b.m_dTarget[i] || a.m_dUp[i] != b.m_dUp[i]) return false;
    return a.m_fFieldOfView == b.m_fFieldOfView;
}

class ViewNavigation : public GuiFixture {
protected:
    void TearDown() override {
        qunsetenv("PLUMEX_MODEL");
        GuiFixture::TearDown();
    }
    bool WaitForRunEnd() {
        QElapsedTimer clock;
        clock.start();
        while (Frame().Runs().IsRunning() && clock.elapsed() < 30000) QTest::qWait(20);
        return !Frame().Runs().IsRunning();
    }
    void Wheel(CPlumexView& view, int angle) {
        const QPointF at(view.width() / 2.0, view.height() / 2.0);
        QWheelEvent e(at, view.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&view, &e);
        Settle();
    }
};
}  // namespace

TEST_F(ViewNavigation, AfterTheFirstRunOfANewCaseTheViewShowsTheWholeCase) {
    // The demo case from its text, continuous: plumes that travel far.
    qputenv("PLUMEX_MODEL", PLUMEX_MODEL_EXE);
    ASSERT_TRUE(m_app->OpenFile(QString(PLUMEX_EXAMPLES_SOURCE) + "/demo.json"));
    CCaseDocument* doc = m_app->Documents().front();
    CPlumexDoc& d = doc->Doc();
    RunOptions options = d.GetRunOptions();
    options.m_bContinuous = true;
    d.SetRunOptions(options);
    SettleActive();
    CPlumexView* view = ActiveChild()->SceneView();
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    Settle(100);
    ASSERT_GT(d.GetCurrentJet()->GetDiskCount(), 100);
    EXPECT_EQ(WholeCaseSeen(d, view->Camera()), "");
    EXPECT_TRUE(SamePose(view->HomeCamera(), view->Camera()));

    // Closer with the wheel, into the plumes; Fit All shows all again, seen
    // the way the view looked.
    for (int k = 0; k < 14; ++k) Wheel(*view, 120);
    EXPECT_NE(WholeCaseSeen(d, view->Camera()), "");
    CViewControl expected = view->Camera();
    FitCase(d, expected);
    ClickMenu("&View", "Fit All");
    EXPECT_TRUE(SamePose(view->Camera(), expected));
    EXPECT_EQ(WholeCaseSeen(d, view->Camera()), "");

    // Home: the first camera, which the case now keeps too.
    Wheel(*view, 360);
    ClickMenu("&View", "Home");
    EXPECT_TRUE(SamePose(view->Camera(), view->HomeCamera()));
    EXPECT_TRUE(SamePose(d.m_ViewControl, view->HomeCamera()));
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts().front();
}

TEST_F(ViewNavigation, ASavedCaseOpensAndRunsWithTheCameraItKept) {
    qputenv("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
    qputenv("PLUMEX_FAKE_MODE", "echo");
    ASSERT_TRUE(m_app->OpenFile(CopyExample("demo.pmx")));
    CCaseDocument* doc = m_app->Documents().front();
    SettleActive();
    CPlumexView* view = ActiveChild()->SceneView();
    const CViewControl kept = doc->Doc().m_ViewControl;
    ClickToolButton(Frame().Action("run.allJets"));
    ASSERT_TRUE(WaitForRunEnd());
    Settle(100);
    qunsetenv("PLUMEX_FAKE_MODE");
    EXPECT_TRUE(SamePose(view->Camera(), kept));
    EXPECT_TRUE(SamePose(view->HomeCamera(), kept));
    EXPECT_TRUE(SamePose(doc->Doc().m_ViewControl, kept));
}
