// The plane view with real mouse events: fitting the section image after
// each new section, zooming and panning by drags, probing under the cursor,
// and what it paints.
#include <gtest/gtest.h>

#include <QCursor>
#include <QSignalSpy>
#include <QTest>

#include "SectionCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "image/Dib.h"
#include "support/ScriptedPrompt.h"
#include "ui/DocEventBridge.h"
#include "ui/PlaneView.h"

namespace {
class PlaneViewTest : public ::testing::Test {
protected:
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc{m_app, m_prompt};
    CDocEventBridge m_bridge{m_doc};
    CPlaneView m_view{m_doc};

    void SetUp() override {
        // The real pointer stays off the window: only the test's events move it.
        QCursor::setPos(1279, 1023);
        QObject::connect(&m_bridge, &CDocEventBridge::docEvent, &m_view, &CPlaneView::OnDocEvent);
    }
    // Jets of radius 1 side by side, `apart` metres between the axes, cut
    // normal to them: the image is (apart + 3) m wide and 3 m high.
    void ShowSection(double apart, QSize client) {
        StraightJet a, b;
        a.m_dRadius = b.m_dRadius = 1.0;
        b.m_dStart[1] = apart;
        BuildSectionCase(m_doc, {a, b});
        m_view.resize(client);
        m_view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
        double c[3];
        DiskCentre(*m_doc.GetCurrentRiser()->m_Jets[0], 90, c);
        m_doc.SetCutPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified, true);
        ASSERT_TRUE(m_doc.m_CutPlane.m_bValid);
    }
    int ImageW() const { return m_doc.m_CutPlane.Image()->Width(); }
    int ImageH() const { return m_doc.m_CutPlane.Image()->Height(); }
};
}  // namespace

TEST_F(PlaneViewTest, ImageTwiceAsWideAsHighFillsTheWidthAndHalfTheHeight) {
    // 211 x 211 leaves 200 x 200 beside and above the axis margins.
    ShowSection(3.0, QSize(211, 211));
    ASSERT_NEAR(static_cast<double>(ImageW()) / ImageH(), 2.0, 0.05);
    const CRect& d = m_view.Dest();
    EXPECT_EQ(d.left, CPlaneView::kAxisMargin);
    EXPECT_EQ(d.top, 0);
    EXPECT_EQ(d.Width(), 200);
    EXPECT_EQ(d.Height(), static_cast<int>(200.0 * ImageH() / ImageW()));
    EXPECT_DOUBLE_EQ(m_view.ScaleX(), static_cast<double>(ImageW()) / d.Width());
    EXPECT_EQ(m_view.Source().left, 0);
    EXPECT_EQ(m_view.Source().Width(), ImageW());
}

TEST_F(PlaneViewTest, AFittedSideBelowTwentyPixelsIsDrawnTwentyPixelsLong) {
    ShowSection(30.0, QSize(211, 211));
    ASSERT_LT(200.0 * ImageH() / ImageW(), 20.0);
    EXPECT_EQ(m_view.Dest().Height(), CPlaneView::kMinFittedSide);
    EXPECT_EQ(m_view.Dest().Width(), 200);
}

TEST_F(PlaneViewTest, DragDownHalfTheHeightZoomsOutByOneAndAHalfAndTooFarUpIsIgnored) {
    ShowSection(3.0, QSize(211, 411));
    const int dh = m_view.Dest().Height();
    ASSERT_EQ(dh % 2, 0);
    const double sx = m_view.ScaleX(), sy = m_view.ScaleY();
    QTest::mousePress(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    EXPECT_EQ(m_view.ModeNow(), CPlaneView::Zooming);
    // The magnifier is drawn for the screen's pixel ratio, not blown up.
    const QPixmap zoomCursor = m_view.cursor().pixmap();
    ASSERT_FALSE(zoomCursor.isNull());
    EXPECT_EQ(zoomCursor.devicePixelRatio(), m_view.devicePixelRatioF());
    QTest::mouseMove(&m_view, QPoint(100, 100 + dh / 2));
    EXPECT_DOUBLE_EQ(m_view.ScaleX(), 1.5 * sx);
    EXPECT_DOUBLE_EQ(m_view.ScaleY(), 1.5 * sy);
    // One move up by more than the destination height gives a negative factor.
    QTest::mouseMove(&m_view, QPoint(100, 100 + dh / 2 - dh - 10));
    EXPECT_DOUBLE_EQ(m_view.ScaleX(), 1.5 * sx);
    QTest::mouseRelease(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100 + dh / 2 - dh - 10));
    EXPECT_EQ(m_view.ModeNow(), CPlaneView::Idle);
    // More of the image in the same destination: it is drawn smaller.
    m_view.repaint();
    EXPECT_LT(m_view.ImageRect().Width(), m_view.Dest().Width());
}

TEST_F(PlaneViewTest, CtrlDragPansTheSourceAgainstTheMouse) {
    ShowSection(3.0, QSize(211, 211));
    const CRect before = m_view.Source();
    QTest::mousePress(&m_view, Qt::LeftButton, Qt::ControlModifier, QPoint(50, 50));
    EXPECT_EQ(m_view.ModeNow(), CPlaneView::Panning);
    EXPECT_FALSE(m_view.cursor().pixmap().isNull());
    QTest::mouseMove(&m_view, QPoint(70, 40));
    QTest::mouseRelease(&m_view, Qt::LeftButton, Qt::ControlModifier, QPoint(70, 40));
    EXPECT_EQ(m_view.Source().left, before.left - 20);
    EXPECT_EQ(m_view.Source().top, before.top + 10);
    EXPECT_EQ(m_view.Source().Width(), before.Width());
    EXPECT_DOUBLE_EQ(m_view.ScaleX(), static_cast<double>(ImageW()) / m_view.Dest().Width());
}

TEST_F(PlaneViewTest, ProbingReportsThePointAndTheValueAndZeroWithoutAValidSection) {
    ShowSection(3.0, QSize(211, 211));
    // The pointer may stand where an earlier test left it, and a move to
    // where it stands is no move: start from a corner.
    QTest::mouseMove(&m_view, QPoint(1, 1));
    QSignalSpy spy(&m_view, &CPlaneView::probed);
    // The first jet's axis lies 1.5 m (margin and radius) from the left of
    // the 6 m wide image, at the middle of its height.
    const CRect& d = m_view.Dest();
    const QPoint onJet(d.left + d.Width() / 4, d.Height() / 2);
    QTest::mouseMove(&m_view, onJet);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_NEAR(m_view.ProbeValue(), 0.5, 1e-4);
    const double planeX = m_doc.m_CutPlane.m_dDistance;
    EXPECT_NEAR(m_view.ProbeX(), planeX, 0.002);
    EXPECT_DOUBLE_EQ(spy.last().at(3).toDouble(), m_view.ProbeValue());
    EXPECT_FLOAT_EQ(m_doc.m_CutPlane.m_fProbe[0], static_cast<float>(m_view.ProbeX()));

    // Between the jets there is no value.
    QTest::mouseMove(&m_view, QPoint(d.left + d.Width() / 2, d.Height() / 2));
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(m_view.ProbeValue(), 0.0) << spy.last().at(0).toDouble() << " " << spy.last().at(1).toDouble();

    m_doc.m_CutPlane.m_bValid = false;
    QTest::mouseMove(&m_view, onJet);
    EXPECT_EQ(m_view.ProbeValue(), 0.0);
    EXPECT_NEAR(m_view.ProbeX(), planeX, 0.002);
}

TEST_F(PlaneViewTest, PaintsTheSectionInItsPaletteAndBothAxisArrows) {
    ShowSection(3.0, QSize(211, 211));
    const QImage shot = m_view.grab().toImage();
    const CRect& d = m_view.Dest();
    const QColor jet = shot.pixelColor(d.left + d.Width() / 4, d.Height() / 2);
    // The value 0.5 maps to an entry of the blue section table, not the white background.
    const int index = m_doc.m_CutPlane.ColourIndex(0.5);
    const PALETTEENTRY& entry = m_doc.m_CutPlane.Palette()->m_entries.at(index);
    EXPECT_EQ(jet, QColor(entry.peRed, entry.peGreen, entry.peBlue));
    EXPECT_NE(jet, QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(d.left + d.Width() / 2, d.Height() / 2), QColor(Qt::white));
    const int W = m_view.width(), H = m_view.height();
    EXPECT_EQ(shot.pixelColor(W / 2, H - 5), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(5, H / 2), QColor(0, 0, 255));
}
