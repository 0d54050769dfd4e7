// Two 3-D views on one case (as two windows on it show it), with real mouse
// events under Xvfb: each view looks through its own camera, and the case
// keeps the camera, client size included, of the view the user moved last.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QTest>

#include <QWheelEvent>

#include <cmath>
#include <memory>

#include "../scene/SyntheticCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "model/CameraFraming.h"
#include "model/ViewControl.h"
#include "support/ScriptedPrompt.h"
#include "ui/MouseMode.h"
#include "ui/PlumexView.h"

namespace {
// Every value the case file's camera block holds but the unused bytes.
void ExpectSameCameraBlock(const CViewControl& a, const CViewControl& b) {
    EXPECT_EQ(a.m_nWidth, b.m_nWidth);
    EXPECT_EQ(a.m_nHeight, b.m_nHeight);
    EXPECT_EQ(a.m_dAspect, b.m_dAspect);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(a.m_dEye[i], b.m_dEye[i]) << "eye " << i;
        EXPECT_EQ(a.m_dTarget[i], b.m_dTarget[i]) << "target " << i;
        EXPECT_EQ(a.m_dUp[i], b.m_dUp[i]) << "up " << i;
    }
    EXPECT_EQ(a.m_fFieldOfView, b.m_fFieldOfView);
    EXPECT_EQ(a.m_fInitFieldOfView, b.m_fInitFieldOfView);
    EXPECT_EQ(a.m_fNear, b.m_fNear);
    EXPECT_EQ(a.m_fFar, b.m_fFar);
}

bool SameEye(const CViewControl& a, const CViewControl& b) {
    return a.m_dEye[0] == b.m_dEye[0] && a.m_dEye[1] == b.m_dEye[1] && a.m_dEye[2] == b.m_dEye[2];
}

class ViewCameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb")
            GTEST_SKIP() << "GL widgets need the xcb platform (run under xvfb-run)";
        BuildSyntheticCase(doc, 2, 300);
        doc.PrepareJetDisplays();
        initial = doc.m_ViewControl;
    }

    std::unique_ptr<CPlumexView> ShowView(QSize size) {
        auto view = std::make_unique<CPlumexView>(doc);
        view->resize(size);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->grabFramebuffer();  // the context exists and a frame was drawn
        return view;
    }

    static void Drag(CPlumexView& view, QPoint a, QPoint b) {
        QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, a);
        QMouseEvent move(QEvent::MouseMove, QPointF(b), view.mapToGlobal(QPointF(b)), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
        QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, b);
    }

    static int DeviceWidth(const CPlumexView& v) { return int(v.width() * v.devicePixelRatioF()); }

    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc{app, prompt};
    CViewControl initial;
};
}  // namespace

TEST_F(ViewCameraTest, MovingOneViewLeavesTheOtherWhereItLooksFrom) {
    auto first = ShowView({400, 300});
    auto second = ShowView({400, 300});
    const QImage before = second->grabFramebuffer();
    EXPECT_EQ(first->grabFramebuffer(), before) << "both views start from the case's camera";

    first->SetMouseMode(int(MouseMode::Rotate));
    Drag(*first, {200, 150}, {260, 150});
    EXPECT_FALSE(SameEye(first->Camera(), initial)) << "the rotate drag moved the first view";
    EXPECT_TRUE(SameEye(second->Camera(), initial));
    EXPECT_EQ(second->Camera().m_fFieldOfView, initial.m_fFieldOfView);
    // The second view draws what it drew before; the first one another picture.
    EXPECT_EQ(second->grabFramebuffer(), before);
    EXPECT_NE(first->grabFramebuffer(), before);
    ExpectSameCameraBlock(doc.m_ViewControl, first->Camera());

    // A zoom of the second view: the first keeps its rotated camera, and the
    // case now holds the second's.
    const CViewControl rotated = first->Camera();
    second->SetMouseMode(int(MouseMode::Zoom));
    Drag(*second, {200, 150}, {200, 120});
    EXPECT_FALSE(SameEye(second->Camera(), initial));
    ExpectSameCameraBlock(first->Camera(), rotated);
    ExpectSameCameraBlock(doc.m_ViewControl, second->Camera());
    EXPECT_NE(first->grabFramebuffer(), second->grabFramebuffer());
    // Looking around is no change of the case.
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewCameraTest, OnlyTheViewMovedLastGivesTheCaseItsClientSize) {
    auto first = ShowView({400, 300});
    auto second = ShowView({300, 200});
    first->SetMouseMode(int(MouseMode::Zoom));
    Drag(*first, {200, 150}, {200, 130});
    ASSERT_EQ(doc.m_ViewControl.m_nWidth, DeviceWidth(*first));

    // The other view is resized and drawn: the case keeps the moved view's size.
    second->resize(350, 250);
    second->grabFramebuffer();
    EXPECT_EQ(second->Camera().m_nWidth, DeviceWidth(*second));
    ExpectSameCameraBlock(doc.m_ViewControl, first->Camera());

    // The moved view is resized: its new size goes with its camera.
    first->resize(420, 320);
    first->grabFramebuffer();
    EXPECT_EQ(doc.m_ViewControl.m_nWidth, DeviceWidth(*first));
    ExpectSameCameraBlock(doc.m_ViewControl, first->Camera());
}

TEST_F(ViewCameraTest, ASingleViewKeepsTheCasesCameraAsItAlwaysDid) {
    auto view = ShowView({400, 300});
    // Drawn once: the case's camera has the view's client size and nothing else changed.
    CViewControl expected = initial;
    expected.SetWindowSize(DeviceWidth(*view), int(view->height() * view->devicePixelRatioF()));
    ExpectSameCameraBlock(doc.m_ViewControl, expected);

    view->SetMouseMode(int(MouseMode::Rotate));
    Drag(*view, {200, 150}, {200, 180});  // vertical: about the side axis
    expected.OrbitAboutSide(-30.0 / view->height() * 100.0);
    ExpectSameCameraBlock(view->Camera(), expected);
    ExpectSameCameraBlock(doc.m_ViewControl, expected);

    // A view opened later starts from the camera the case holds now.
    auto later = ShowView({400, 300});
    ExpectSameCameraBlock(later->Camera(), expected);
}

namespace {
double EyeToTarget(const CViewControl& c) {
    double s = 0.0;
    for (int i = 0; i < 3; ++i) s += (c.m_dEye[i] - c.m_dTarget[i]) * (c.m_dEye[i] - c.m_dTarget[i]);
    return std::sqrt(s);
}

void Wheel(CPlumexView& view, int angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(view.width() / 2.0, view.height() / 2.0);
    QWheelEvent e(at, view.mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(&view, &e);
}

bool SamePose(const CViewControl& a, const CViewControl& b) {
    for (int i = 0; i < 3; ++i)
        if (a.m_dEye[i] != b.m_dEye[i] || a.m_dTarget[i] != b.m_dTarget[i] || a.m_dUp[i] != b.m_dUp[i]) return false;
    return a.m_fFieldOfView == b.m_fFieldOfView;
}
}  // namespace

TEST_F(ViewCameraTest, TheWheelMovesTheEyeAlongItsLineOfSight) {
    auto view = ShowView({400, 300});
    const double start = EyeToTarget(view->Camera());
    // Forward: closer, as a zoom drag downwards; the target stays.
    Wheel(*view, 120);
    EXPECT_NEAR(EyeToTarget(view->Camera()), start * (1.0 - CPlumexView::kWheelStep), 1e-9);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(view->Camera().m_dTarget[i], initial.m_dTarget[i]);
    ExpectSameCameraBlock(doc.m_ViewControl, view->Camera());
    EXPECT_FALSE(doc.m_bCameraFramed) << "a camera the user moved is the user's";
    // Two notches back: farther than at the start.
    Wheel(*view, -240);
    EXPECT_NEAR(EyeToTarget(view->Camera()), start / (1.0 - CPlumexView::kWheelStep), 1e-9);
    // With Ctrl the field of view narrows; the eye stays.
    const CViewControl before = view->Camera();
    Wheel(*view, 120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view->Camera().m_fFieldOfView, before.m_fFieldOfView * (1.0f - float(CPlumexView::kWheelStep)));
    EXPECT_TRUE(SameEye(view->Camera(), before));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewCameraTest, HomeGoesBackToTheFirstCameraAndFitAllFramesTheCase) {
    auto view = ShowView({400, 300});
    view->SetMouseMode(int(MouseMode::Rotate));
    Drag(*view, {200, 150}, {260, 170});
    Wheel(*view, 360);
    ASSERT_FALSE(SamePose(view->Camera(), initial));
    view->setFocus();
    QTest::keyClick(view.get(), Qt::Key_Home);
    EXPECT_TRUE(SamePose(view->Camera(), initial));
    ExpectSameCameraBlock(doc.m_ViewControl, view->Camera());

    // Fit All from a camera in the middle of the jets: it looks the same way
    // from farther off, at the case.
    for (int k = 0; k < 12; ++k) Wheel(*view, 120);
    const CViewControl close = view->Camera();
    view->FitAll();
    EXPECT_GT(EyeToTarget(view->Camera()), EyeToTarget(close));
    CViewControl expected = close;
    FitCase(doc, expected);
    EXPECT_TRUE(SamePose(view->Camera(), expected));
    ExpectSameCameraBlock(doc.m_ViewControl, view->Camera());
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewCameraTest, ViewsTakeOverTheCameraTheFirstRunOfANewCaseFrames) {
    auto first = ShowView({400, 300});
    auto second = ShowView({300, 200});
    // What the first run of a new case does to the case's camera.
    FrameCase(doc, doc.m_ViewControl);
    doc.m_bCameraFramed = false;
    ++doc.m_nCameraFramings;
    const CViewControl framed = doc.m_ViewControl;
    first->grabFramebuffer();
    second->grabFramebuffer();
    EXPECT_TRUE(SamePose(first->Camera(), framed));
    EXPECT_TRUE(SamePose(second->Camera(), framed));
    EXPECT_EQ(second->Camera().m_nWidth, DeviceWidth(*second)) << "each view keeps its own client size";
    // The framed camera is now the first camera Home goes back to.
    EXPECT_TRUE(SamePose(second->HomeCamera(), framed));
    Wheel(*second, 240);
    second->GoHome();
    EXPECT_TRUE(SamePose(second->Camera(), framed));
    // Neither view jumps again until the case is framed anew.
    Wheel(*first, 120);
    const CViewControl moved = first->Camera();
    first->grabFramebuffer();
    EXPECT_TRUE(SamePose(first->Camera(), moved));
}
