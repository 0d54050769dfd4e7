// The case window's 3-D view with real mouse events (xcb under Xvfb): the
// drags of each mouse mode, picking (also at device pixel ratio 2 when the
// test runs with QT_SCALE_FACTOR=2), the fast display during a drag, the
// growth animation, the particles, the water surface and the saved picture.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <memory>

#include "../scene/SyntheticCase.h"
#include "base/AppState.h"
#include "base/MatrixFunctions.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "model/Jet.h"
#include "model/JetDispModal.h"
#include "scene/Water.h"
#include "support/ScriptedPrompt.h"
#include "ui/DataView.h"
#include "ui/DocEventBridge.h"
#include "ui/InfoField.h"
#include "ui/InputBar.h"
#include "ui/ModeCursors.h"
#include "ui/PlumexView.h"
#include "ui/WaterPropertiesDlg.h"

#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

namespace {
bool HaveGlPlatform() { return QGuiApplication::platformName() == "xcb"; }

#define REQUIRE_GL_PLATFORM()                                                             \
    if (!HaveGlPlatform())                                                                \
    GTEST_SKIP() << "GL widgets need the xcb platform (run under xvfb-run); platform is " \
                 << QGuiApplication::platformName().toStdString()

void ExpectSameCamera(const CViewControl& a, const CViewControl& b) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(a.m_dEye[i], b.m_dEye[i], 1e-9) << "eye " << i;
        EXPECT_NEAR(a.m_dTarget[i], b.m_dTarget[i], 1e-9) << "target " << i;
    }
    EXPECT_FLOAT_EQ(a.m_fFieldOfView, b.m_fFieldOfView);
}

class PlumexViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveGlPlatform()) return;
        BuildSyntheticCase(doc, 2, 300);
        doc.PrepareJetDisplays();
        view = std::make_unique<CPlumexView>(doc);
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->grabFramebuffer();  // the context exists and a frame was drawn
    }

    // A left-button drag from a to b in one move, with modifiers.
    void Drag(QPoint a, QPoint b, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::mousePress(view.get(), Qt::LeftButton, mods, a);
        // QTest::mouseMove sends no modifiers: the move with the button held goes directly.
        QMouseEvent move(QEvent::MouseMove, QPointF(b), view->mapToGlobal(QPointF(b)), Qt::NoButton, Qt::LeftButton,
                         mods);
        QCoreApplication::sendEvent(view.get(), &move);
        QTest::mouseRelease(view.get(), Qt::LeftButton, mods, b);
    }

    // Device pixel (from the top) of a scene point in the view's picture,
    // unrounded.
    QPointF ProjectF(const double p[3]) {
        view->makeCurrent();
        const qreal ratio = view->devicePixelRatioF();
        const int cx = int(view->width() * ratio), cy = int(view->height() * ratio);
        glViewport(0, 0, cx, cy);
        CViewControl camera = view->Camera();
        camera.SetWindowSize(cx, cy);
        camera.ApplyProjection();
        camera.ApplyCamera();
        double model[16], proj[16], wx, wy, wz;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, proj);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(p[0], p[1], p[2], model, proj, viewport, &wx, &wy, &wz);
        view->doneCurrent();
        return QPointF(wx, cy - wy);
    }
    QPoint Project(const double p[3]) {
        const QPointF d = ProjectF(p);
        return QPoint(int(std::lround(d.x())), int(std::lround(d.y())));
    }

    // The pixels where two pictures differ, and whether all of them lie in region.
    static int Differences(const QImage& a, const QImage& b, const QRect& region, int& outside) {
        int count = 0;
        outside = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    ++count;
                    outside += !region.contains(x, y);
                }
        return count;
    }

    // Screen box of every disk's centre, widened by reach x its radius in each
    // direction, with a margin of a few pixels.
    QRect JetsBox(double reach) {
        QRect box;
        doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& jet) {
            const CJetDispModal& disp = *jet.m_pDisplay;
            for (const CJetDisk& d : disp.m_Disks) {
                double m[16], c[3];
                const double origin[3] = {0, 0, 0};
                disp.DiskMatrix(d, m);
                MatTransformPoint(m, origin, c);
                const double r = d.m_dRadius * reach;
                for (int corner = 0; corner < 8; ++corner) {
                    const double p[3] = {c[0] + (corner & 1 ? r : -r), c[1] + (corner & 2 ? r : -r),
                                         c[2] + (corner & 4 ? r : -r)};
                    box |= QRect(Project(p), QSize(1, 1));
                }
            }
        });
        return box.adjusted(-3, -3, 3, 3);
    }

    // Widget point (logical pixels) of the centre of disk k of the jet.
    QPoint ScreenPointOfDisk(const CJet& jet, int k) {
        const CJetDispModal& disp = *jet.m_pDisplay;
        double m[16], centre[3];
        const double origin[3] = {0, 0, 0};
        disp.DiskMatrix(disp.m_Disks[k], m);
        MatTransformPoint(m, origin, centre);
        const qreal ratio = view->devicePixelRatioF();
        const QPointF d = ProjectF(centre);
        return QPoint(int(std::lround(d.x() / ratio)), int(std::lround(d.y() / ratio)));
    }

    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc{app, prompt};
    std::unique_ptr<CPlumexView> view;
};
}  // namespace

TEST_F(PlumexViewTest, EachCameraModeDragFollowsThePerCentArithmetic) {
    REQUIRE_GL_PLATFORM();
    const int w = view->width(), h = view->height();
    const QPoint a(200, 150), b(240, 140);  // dx = 40, dy = -10
    const double fx = 40.0 / w, fy = -10.0 / h;

    view->SetMouseMode(int(MouseMode::Move));
    CViewControl expected = view->Camera();
    Drag(a, b);
    expected.TurnTargetAboutUp(fx * 100.0);
    expected.TurnTargetAboutSide(fy * 100.0);
    ExpectSameCamera(view->Camera(), expected);

    view->SetMouseMode(int(MouseMode::Zoom));
    expected = view->Camera();
    Drag(a, b);
    expected.Dolly(1.0 - fy);
    ExpectSameCamera(view->Camera(), expected);
    // With Ctrl the field of view narrows or widens instead.
    expected = view->Camera();
    Drag(b, a, Qt::ControlModifier);
    expected.ScaleFieldOfView(1.0 + fy);
    ExpectSameCamera(view->Camera(), expected);
    EXPECT_NE(view->Camera().m_fFieldOfView, 40.0f);

    view->SetMouseMode(int(MouseMode::Rotate));
    expected = view->Camera();
    Drag(a, b);  // horizontal dominates: about the up axis
    expected.OrbitAboutUp(-fx * 100.0);
    ExpectSameCamera(view->Camera(), expected);
}

TEST_F(PlumexViewTest, DegenerateDragsMoveTheCameraAsTheRulesSay) {
    REQUIRE_GL_PLATFORM();
    const int h = view->height();
    // A zoom drag down by the full height would make the factor 0: nothing happens.
    view->SetMouseMode(int(MouseMode::Zoom));
    CViewControl before = view->Camera();
    Drag(QPoint(100, 0), QPoint(100, h));
    ExpectSameCamera(view->Camera(), before);

    // A diagonal rotate drag with |dx| = |dy| orbits about the side axis only.
    view->SetMouseMode(int(MouseMode::Rotate));
    CViewControl expected = view->Camera();
    Drag(QPoint(100, 100), QPoint(130, 130));
    expected.OrbitAboutSide(-30.0 / h * 100.0);
    ExpectSameCamera(view->Camera(), expected);
    EXPECT_GT(std::fabs(view->Camera().m_dEye[1] - before.m_dEye[1]), 1.0);
}

TEST_F(PlumexViewTest, PlaneDragsMoveAndTurnThePlane) {
    REQUIRE_GL_PLATFORM();
    view->SetMouseMode(int(MouseMode::Plane));
    EXPECT_TRUE(view->CutPlaneShown());
    CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(90.0, 0.0, 10.0, 200, CutPlaneKind::CrossSection, true);
    const int h = view->height();

    // Without Ctrl the distance falls by 5 x dy / height (a press in empty sky picks nothing).
    CEditHistory history(doc);
    view->SetHistory(&history);
    Drag(QPoint(5, 5), QPoint(5, 5 + h / 5));
    EXPECT_NEAR(plane.m_dDistance, CCutPlane::Truncate2(10.0 - 1.0), 0.011);
    // The drag is an edit of the case that can be taken back.
    ASSERT_EQ(history.Stack().count(), 1);
    EXPECT_EQ(history.Stack().undoText(), "Move Cut Plane");
    history.Stack().undo();
    EXPECT_NEAR(plane.m_dDistance, 10.0, 1e-9);
    history.Stack().redo();
    EXPECT_NEAR(plane.m_dDistance, CCutPlane::Truncate2(10.0 - 1.0), 0.011);
    view->SetHistory(nullptr);

    // With Ctrl a vertical drag lowers V (held at 0) and a horizontal one turns H.
    Drag(QPoint(5, 5), QPoint(5 + view->width() / 10, 5), Qt::ControlModifier);
    EXPECT_NEAR(plane.m_dHAngle, 95.0, 0.011);
    EXPECT_NEAR(plane.m_dVAngle, 0.0, 1e-9);
    Drag(QPoint(5, 50), QPoint(5, 5), Qt::ControlModifier);
    EXPECT_NEAR(plane.m_dVAngle, CCutPlane::Truncate2(45.0 / h * 50.0), 0.011);

    // A move that would take the distance past 50 m is dropped.
    doc.SetCutPlane(90.0, 0.0, 49.0, 200, CutPlaneKind::CrossSection, true);
    Drag(QPoint(5, h - 5), QPoint(5, 5));
    EXPECT_NEAR(plane.m_dDistance, 49.0, 1e-9);
}

TEST_F(PlumexViewTest, PickingSelectsTheJetUnderTheMouseAndNothingInEmptySpace) {
    REQUIRE_GL_PLATFORM();
    // The second run of these tests asks for twice the pixels.
    if (qEnvironmentVariableIntValue("QT_SCALE_FACTOR") == 2) {
        EXPECT_EQ(view->devicePixelRatioF(), 2.0);
    }
    view->SetMouseMode(int(MouseMode::Pick));
    CBase* riser = doc.GetCurrentRiser();
    ASSERT_NE(riser, nullptr);
    ASSERT_EQ(riser->GetJetCount(), 2);
    riser->m_nCurrentJet = 0;
    const CViewControl camera = view->Camera();

    // Empty water above the scene: nothing changes.
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(riser->m_nCurrentJet, 0);
    ExpectSameCamera(view->Camera(), camera);

    // The end of the second jet, seen from the default camera.
    CJet& jet = *riser->m_Jets[1];
    const int k = 100;
    const QPoint at = ScreenPointOfDisk(jet, k);
    ASSERT_TRUE(view->rect().contains(at)) << at.x() << "," << at.y();
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(riser->m_nCurrentJet, 1) << "device pixel ratio " << view->devicePixelRatioF();
    // The front surface of the tube is hit a few disks from the centre's own.
    EXPECT_NEAR(jet.m_nCurrentDisk, k, 8);
    ExpectSameCamera(view->Camera(), camera);
}

TEST_F(PlumexViewTest, APlaneClickOnAJetPutsThePlaneThroughThePickedDiskAndSaysSo) {
    REQUIRE_GL_PLATFORM();
    QSignalSpy placed(view.get(), &CPlumexView::planePlacedAtDisk);
    QSignalSpy pick(view.get(), &CPlumexView::pickModeEntered);
    view->SetMouseMode(int(MouseMode::Pick));
    EXPECT_EQ(pick.count(), 1);
    view->SetMouseMode(int(MouseMode::Plane));
    EXPECT_EQ(pick.count(), 1);
    // A click in empty water places nothing.
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(placed.count(), 0);
    CJet& jet = *doc.GetCurrentRiser()->m_Jets[1];
    const QPoint at = ScreenPointOfDisk(jet, 100);
    ASSERT_TRUE(view->rect().contains(at));
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, at);
    ASSERT_EQ(placed.count(), 1);
    EXPECT_EQ(doc.m_CutPlane.m_nDiskNo, jet.m_nCurrentDisk);
}

namespace {
// Pixels of the picked segment's colour within radius device pixels of centre.
int HighlightPixelsNear(const QImage& frame, QPoint centre, int radius) {
    int n = 0;
    for (int y = centre.y() - radius; y <= centre.y() + radius; ++y)
        for (int x = centre.x() - radius; x <= centre.x() + radius; ++x) {
            if (!frame.rect().contains(x, y)) continue;
            const QColor c = frame.pixelColor(x, y);
            n += std::abs(c.red() - 204) < 30 && std::abs(c.green() - 25) < 30 && std::abs(c.blue() - 153) < 30;
        }
    return n;
}
}  // namespace

TEST_F(PlumexViewTest, APickFillsTheDiskPageHighlightsTheJetAndNamesItInTheInputBar) {
    REQUIRE_GL_PLATFORM();
    // The panes hear the case as the program's windows do.
    CDocEventBridge events(doc);
    CDataView data(doc);
    CInputBar bar(prompt);
    bar.SetCase(&doc);
    QObject::connect(&events, &CDocEventBridge::docEvent, &data, &CDataView::OnDocEvent);
    QObject::connect(&events, &CDocEventBridge::docEvent, &bar, &CInputBar::OnDocEvent);
    auto* diskNumber = data.findChild<QLineEdit*>("diskNumber");
    ASSERT_NE(diskNumber, nullptr);

    view->SetMouseMode(int(MouseMode::Pick));
    CBase& riser = *doc.GetCurrentRiser();
    riser.m_nCurrentJet = 0;
    CJet& picked = *riser.m_Jets[1];
    const QPoint at = ScreenPointOfDisk(picked, 100);
    const QPoint device = at * view->devicePixelRatioF();
    EXPECT_EQ(HighlightPixelsNear(view->grabFramebuffer(), device, 25), 0) << "nothing picked yet";
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, at);
    QCoreApplication::processEvents();
    ASSERT_EQ(doc.GetCurrentJet(), &picked);
    const int disk = picked.m_nCurrentDisk;
    const CJetDisk& d = picked.m_pDisplay->m_Disks[disk];

    // The disk page shows the picked disk.
    EXPECT_EQ(diskNumber->text(), QString::number(disk));
    EXPECT_EQ(data.findChild<QLineEdit*>("diskMeanConc")->text(), QString::number(d.m_dMeanConc, 'g', 4));
    EXPECT_EQ(data.findChild<QLineEdit*>("diskDilution")->text(), QString::number(d.m_dDilution, 'f', 1));
    EXPECT_EQ(data.findChild<QScrollBar*>("diskScroller")->value(), disk);
    // The input bar names the jet and the disk's concentration.
    EXPECT_EQ(bar.PickLabel()->text(), QString::asprintf("<Outfall1.Riser1.Jet2-%6.4f>", d.m_dMeanConc));
    // The picked jet alone shows its picked disk, on screen at the click.
    EXPECT_EQ(picked.m_pDisplay->m_nPickedRing, disk);
    EXPECT_EQ(riser.m_Jets[0]->m_pDisplay->m_nPickedRing, -1);
    EXPECT_GT(HighlightPixelsNear(view->grabFramebuffer(), device, 25), 5);

    // Picking the same jet again elsewhere shows the new disk.
    const QPoint again = ScreenPointOfDisk(picked, 200);
    QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, again);
    QCoreApplication::processEvents();
    EXPECT_NEAR(picked.m_nCurrentDisk, 200, 8);
    EXPECT_EQ(diskNumber->text(), QString::number(picked.m_nCurrentDisk));
    EXPECT_EQ(picked.m_pDisplay->m_nPickedRing, picked.m_nCurrentDisk);
}

TEST_F(PlumexViewTest, DragsDrawFastAndRestoreTheSetting) {
    REQUIRE_GL_PLATFORM();
    view->SetFastDisplay(false);
    EXPECT_FALSE(view->FastDisplay());
    view->SetMouseMode(int(MouseMode::Rotate));
    QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_TRUE(view->FastDisplay());
    QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 100));
    EXPECT_FALSE(view->FastDisplay());
    // The sorted frame draws the jets colour-mapped: it differs from the fast one.
    const QImage sorted = view->grabFramebuffer();
    view->SetFastDisplay(true);
    EXPECT_NE(view->grabFramebuffer(), sorted);
}

TEST_F(PlumexViewTest, GrowthAnimationRunsToTheLargestRingCountAndStops) {
    REQUIRE_GL_PLATFORM();
    view->SetAnimationSpeed(0);
    view->StartGrowthAnimation();
    EXPECT_TRUE(view->IsAnimating());
    const int limit = view->AnimationLimit();
    int largest = 0;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        largest = std::max(largest, j.m_pDisplay->GetRingCount());
    });
    EXPECT_EQ(limit, largest);
    ASSERT_GT(limit, 1);
    // Plane and Pick are refused while it runs.
    view->SetMouseMode(int(MouseMode::Pick));
    EXPECT_EQ(view->MouseModeValue(), int(MouseMode::Zoom));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->IsAnimating(); }, 20000));
    EXPECT_EQ(view->AnimationStep(), limit + 1);
    doc.ForEachJet([](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        EXPECT_EQ(j.m_pDisplay->m_nRingInterval, CPlumexView::kNormalRingInterval);
    });
}

TEST_F(PlumexViewTest, DecliningTheDisturbanceLeavesItOff) {
    REQUIRE_GL_PLATFORM();
    prompt.QueueAnswer(PromptAnswer::No);
    view->ToggleDisturbance();
    EXPECT_FALSE(view->IsDisturbed());
    ASSERT_EQ(prompt.Entries().size(), 1u);
    EXPECT_EQ(prompt.Entries()[0].kind, "yesno");
    prompt.QueueAnswer(PromptAnswer::Yes);
    view->ToggleDisturbance();
    EXPECT_TRUE(view->IsDisturbed());
    view->ToggleDisturbance();
    EXPECT_FALSE(view->IsDisturbed());
}

TEST_F(PlumexViewTest, SavedPicturesReadBackWithTheViewsSize) {
    REQUIRE_GL_PLATFORM();
    QTemporaryDir dir;
    const QSize expected = view->size() * view->devicePixelRatioF();
    for (const char* name : {"scene.png", "scene.bmp"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(view->SavePicture(path)) << name;
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), QByteArray(name).endsWith("png") ? "png" : "bmp");
        const QImage back = reader.read();
        EXPECT_EQ(back.size(), expected) << name;
    }
    EXPECT_TRUE(prompt.Empty());
    // A folder that does not exist: the message names the file.
    const QString bad = dir.filePath("missing/scene.bmp");
    EXPECT_FALSE(view->SavePicture(bad));
    ASSERT_EQ(prompt.Entries().size(), 1u);
    EXPECT_EQ(prompt.Entries()[0].text, "Cannot save the BMP file <" + bad.toStdString() + "> !!!");
}

TEST_F(PlumexViewTest, ContextMenuChecksFollowTheView) {
    REQUIRE_GL_PLATFORM();
    view->SetMouseMode(int(MouseMode::Move));
    QMenu* menu = view->ContextMenu();
    auto action = [menu](const char* name) { return menu->findChild<QAction*>(name); };
    EXPECT_TRUE(action("mode1")->isChecked());
    EXPECT_FALSE(action("mode2")->isChecked());
    action("mode4")->trigger();
    EXPECT_EQ(view->MouseModeValue(), int(MouseMode::Rotate));
    action("displayCutPlane")->trigger();
    EXPECT_TRUE(view->CutPlaneShown());
    action("colour1")->trigger();
    EXPECT_EQ(doc.GetColourMode(), ColourMode::Velocity);
    EXPECT_TRUE(action("colour1")->isChecked());
}

TEST(ModeCursors, EachModeHasItsOwnPictureAtTheScreensPixelRatio) {
    QList<QImage> pictures;
    for (int mode : {1, 2, 4, 8}) {
        const QCursor cursor = ModeCursor(mode, 2.0);
        ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << mode;
        const QPixmap pixmap = cursor.pixmap();
        EXPECT_EQ(pixmap.size(), QSize(64, 64)) << mode;
        EXPECT_EQ(pixmap.devicePixelRatio(), 2.0) << mode;
        const QImage image = pixmap.toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(opaque, 200) << mode;
        for (const QImage& other : pictures) EXPECT_NE(image, other) << mode;
        pictures << image;
    }
    EXPECT_EQ(ModeCursor(int(MouseMode::Pick), 2.0).shape(), Qt::ArrowCursor);
}

TEST_F(PlumexViewTest, StreaksDrawWhereTheJetsAreAndNowhereElse) {
    REQUIRE_GL_PLATFORM();
    view->SetFastDisplay(false);
    const QImage plain = view->grabFramebuffer();
    view->ToggleParticles();
    ASSERT_TRUE(view->ParticlesRunning());
    EXPECT_TRUE(view->ParticleTimerActive());
    EXPECT_EQ(view->Particles().Count(), 2);
    for (int i = 0; i < 40; ++i) view->grabFramebuffer();  // every frame moves the particles on
    const QImage running = view->grabFramebuffer();
    int outside = 0;
    const QRect jets = JetsBox(1.0);
    EXPECT_GT(Differences(plain, running, jets, outside), 100);
    EXPECT_EQ(outside, 0) << "jets in " << jets.x() << ", " << jets.y() << " " << jets.width() << " x "
                          << jets.height();
    // Stopping leaves the jets drawn as before.
    view->ToggleParticles();
    EXPECT_FALSE(view->ParticleTimerActive());
    EXPECT_EQ(view->grabFramebuffer(), plain);
    EXPECT_TRUE(prompt.Empty());
}

TEST_F(PlumexViewTest, SmokeDrawsAroundTheJetsAndNowhereElse) {
    REQUIRE_GL_PLATFORM();
    const QImage plain = view->grabFramebuffer();
    view->ToggleParticles();
    const QImage smoke = view->grabFramebuffer();
    int outside = 0;
    // A sprite reaches its offset (a quarter of a normal value, in radii)
    // plus the corner of its quad (1.4 radii) from the disk's centre.
    EXPECT_GT(Differences(plain, smoke, JetsBox(4.0), outside), 100);
    EXPECT_EQ(outside, 0);
    // The sprites change from frame to frame.
    EXPECT_NE(view->grabFramebuffer(), smoke);
}

TEST_F(PlumexViewTest, DisturbedWaterChangesOnlyTheSurface) {
    REQUIRE_GL_PLATFORM();
    ASSERT_TRUE(view->Water().HasTexture());
    const QImage still = view->grabFramebuffer();
    view->Water().m_fWaveHeight = 1.0f;
    view->ToggleDisturbance();  // the prompt answers Yes
    ASSERT_TRUE(view->IsDisturbed());
    EXPECT_TRUE(view->DisturbanceTimerActive());
    for (int i = 0; i < 10; ++i) view->grabFramebuffer();
    const QImage waves = view->grabFramebuffer();
    // The surface's moving part: the grid inside its two still outer rings,
    // found by following each changed pixel's ray down to the water line.
    const CWater& water = view->Water();
    const CAmbient& a = *doc.Ambient();
    const double step = CWater::kExtent / water.m_nColumns;
    const double level = a.m_dWaterDepth + 0.1;
    view->makeCurrent();
    const int cx = still.width(), cy = still.height();
    CViewControl camera = view->Camera();
    camera.SetWindowSize(cx, cy);
    glViewport(0, 0, cx, cy);
    camera.ApplyProjection();
    camera.ApplyCamera();
    double model[16], proj[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, viewport);
    view->doneCurrent();
    auto onSurface = [&](int x, int y) {
        double n[3], f[3];
        gluUnProject(x + 0.5, cy - y - 0.5, 0.0, model, proj, viewport, &n[0], &n[1], &n[2]);
        gluUnProject(x + 0.5, cy - y - 0.5, 1.0, model, proj, viewport, &f[0], &f[1], &f[2]);
        if ((n[1] - level) * (f[1] - level) > 0.0) return false;
        const double t = (level - n[1]) / (f[1] - n[1]);
        const double gx = n[0] + t * (f[0] - n[0]) + a.m_dHalfExtentX, gz = n[2] + t * (f[2] - n[2]) + a.m_dHalfExtentZ;
        // The waves lift the surface a little: allow a grid step of slack.
        return gx > step && gz > step && gx < (water.m_nColumns - 2) * step && gz < (water.m_nRows - 2) * step;
    };
    int changed = 0, outside = 0;
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x)
            if (still.pixel(x, y) != waves.pixel(x, y)) {
                ++changed;
                outside += !onSurface(x, y);
            }
    EXPECT_GT(changed, 100);
    EXPECT_EQ(outside, 0);
    // The particles stop the waves (and their timer); stopping them brings both back.
    view->ToggleParticles();
    EXPECT_FALSE(view->DisturbanceTimerActive());
    view->ToggleParticles();
    EXPECT_TRUE(view->DisturbanceTimerActive());
}

TEST_F(PlumexViewTest, TimersStopWhileTheWindowIsMinimised) {
    REQUIRE_GL_PLATFORM();
    view->ToggleParticles();
    ASSERT_TRUE(view->ParticleTimerActive());
    view->showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(view->ParticleTimerActive());
    view->showNormal();
    QTest::qWait(50);
    EXPECT_TRUE(view->ParticleTimerActive());
    // The growth animation takes over from the particles.
    view->StartGrowthAnimation();
    EXPECT_FALSE(view->ParticlesRunning());
    EXPECT_FALSE(view->ParticleTimerActive());
    EXPECT_TRUE(view->GrowthTimerActive());
    view->showMinimized();
    QTest::qWait(50);
    EXPECT_FALSE(view->GrowthTimerActive());
}

TEST_F(PlumexViewTest, WaterPropertiesApplyEachControlAtOnce) {
    REQUIRE_GL_PLATFORM();
    view->ShowWaterProperties();
    CWaterPropertiesDlg* dialog = view->WaterProperties();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), "Water properties");
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->Slider("Height")->value(), 6);
    EXPECT_EQ(dialog->Slider("Frequency")->value(), 25);
    CWater& water = view->Water();

    // Keys: the height slider one step up, the frequency to its start.
    dialog->activateWindow();
    dialog->Slider("Height")->setFocus();
    QTest::keyClick(dialog->Slider("Height"), Qt::Key_Right);
    EXPECT_FLOAT_EQ(water.m_fWaveHeight, 0.7f);
    EXPECT_EQ(dialog->findChild<QLabel*>("HeightValue")->text(), "0.7");
    QTest::keyClick(dialog->Slider("Frequency"), Qt::Key_Home);
    EXPECT_EQ(water.m_nDropAttempts, 0);
    QTest::keyClick(dialog->Slider("B"), Qt::Key_End);
    QTest::keyClick(dialog->Slider("B"), Qt::Key_Left);
    EXPECT_FLOAT_EQ(water.m_fColour[2], 0.9f);

    // Clicks: texture and smooth off.
    QTest::mouseClick(dialog->findChild<QRadioButton*>("TextureOff"), Qt::LeftButton);
    EXPECT_FALSE(water.m_bTextured);
    QTest::mouseClick(dialog->findChild<QRadioButton*>("SmoothOff"), Qt::LeftButton);
    EXPECT_FALSE(water.m_bSmooth);
    EXPECT_TRUE(water.m_bTextured == false);
    QTest::mouseClick(dialog->findChild<QRadioButton*>("TextureOn"), Qt::LeftButton);
    EXPECT_TRUE(water.m_bTextured);
    EXPECT_FALSE(water.m_bSmooth);

    // Escape closes it; it comes back as it was.
    QTest::keyClick(dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    view->ShowWaterProperties();
    EXPECT_EQ(view->WaterProperties(), dialog);
    EXPECT_EQ(dialog->Slider("Height")->value(), 7);
}
