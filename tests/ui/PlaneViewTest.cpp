// The plane view with real mouse events: fitting the section image after
// each new section, zooming and panning by drags, probing under the cursor,
// and what it paints.
#include <gtest/gtest.h>

#include <QCursor>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "SectionCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "image/Dib.h"
#include "support/ScriptedPrompt.h"
#include "ui/DocEventBridge.h"
#include "ui/PlaneView.h"
#include "ui/SectionScale.h"

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
    // The section's size in image pixels (the image may keep spare pixels).
    int ImageW() const { return m_doc.m_CutPlane.ImageWidth(); }
    int ImageH() const { return m_doc.m_CutPlane.ImageHeight(); }
    // The whole section inside the plot, the margin free around it, filling
    // the plot one way, at one scale both ways.
    void ExpectFitted(const QString& where) {
        SCOPED_TRACE(where.toStdString());
        const CRect r = m_view.ImageRect();
        const QRect plot = m_view.PlotArea();
        const int m = m_view.FitMargin();
        // The source rectangle is whole image pixels: centring it may be
        // half an image pixel off, on top of a pixel of rounding.
        const int slack = 1 + static_cast<int>(std::ceil(0.5 / m_view.ScaleX()));
        EXPECT_GE(r.left, plot.left() + m - slack);
        EXPECT_GE(r.top, plot.top() + m - slack);
        EXPECT_LE(r.right, plot.left() + plot.width() - m + slack);
        EXPECT_LE(r.bottom, plot.top() + plot.height() - m + slack);
        const bool fillsAcross = std::abs(r.Width() - (plot.width() - 2 * m)) <= 2;
        const bool fillsUp = std::abs(r.Height() - (plot.height() - 2 * m)) <= 2;
        EXPECT_TRUE(fillsAcross || fillsUp)
            << r.Width() << " x " << r.Height() << " in " << plot.width() << " x " << plot.height();
        EXPECT_DOUBLE_EQ(m_view.ScaleX(), m_view.ScaleY());
        EXPECT_NEAR(r.Width() * m_view.ScaleX(), ImageW(), 2.0 * m_view.ScaleX() + 1.0);
        EXPECT_NEAR(r.Height() * m_view.ScaleY(), ImageH(), 2.0 * m_view.ScaleY() + 1.0);
    }
    // The first jet's axis lies 1.5 m (margin and radius) from the left of
    // the 6 m wide section, at the middle of its height.
    QPoint OnFirstJet() const {
        const CRect r = m_view.ImageRect();
        return QPoint(r.left + r.Width() / 4, r.top + r.Height() / 2);
    }
    QPoint BetweenTheJets() const {
        const CRect r = m_view.ImageRect();
        return QPoint(r.left + r.Width() / 2, r.top + r.Height() / 2);
    }
};
}  // namespace

TEST_F(PlaneViewTest, TheWholeSectionFitsInsideThePlotWithAMarginAtAnyAspect) {
    // Sections 2:1 and 11:1 wide in square, wide and tall panes.
    for (double apart : {3.0, 30.0})
        for (QSize client : {QSize(211, 211), QSize(420, 150), QSize(160, 400)}) {
            ShowSection(apart, client);
            ExpectFitted(QString("apart %1 in %2 x %3").arg(apart).arg(client.width()).arg(client.height()));
        }
}

TEST_F(PlaneViewTest, APaneThatChangesSizeFitsTheSectionAgainUntilTheUserZooms) {
    ShowSection(3.0, QSize(211, 211));
    // The pane grows (the window laid out after the section was made) and shrinks.
    m_view.resize(500, 300);
    ExpectFitted("grown");
    m_view.resize(180, 160);
    ExpectFitted("shrunk");
    // Zoomed in by the user: a new size keeps the zoom.
    QTest::mousePress(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(90, 100));
    QTest::mouseMove(&m_view, QPoint(90, 70));
    QTest::mouseRelease(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(90, 70));
    const double zoomed = m_view.ScaleX();
    m_view.resize(300, 250);
    EXPECT_DOUBLE_EQ(m_view.ScaleX(), zoomed);
    // A double click, like every new section, fits the whole section again.
    QTest::mouseDClick(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    ExpectFitted("double click");
    QTest::mousePress(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(90, 100));
    QTest::mouseMove(&m_view, QPoint(90, 60));
    QTest::mouseRelease(&m_view, Qt::LeftButton, Qt::NoModifier, QPoint(90, 60));
    m_view.OnSectionChanged();
    ExpectFitted("new section");
}

TEST_F(PlaneViewTest, DragDownHalfTheHeightZoomsOutByOneAndAHalfAndTooFarUpIsIgnored) {
    ShowSection(3.0, QSize(211, 411));
    if (m_view.Dest().Height() % 2) m_view.resize(211, 412);
    const int dh = m_view.Dest().Height();
    ASSERT_EQ(dh % 2, 0);
    const int fittedWidth = m_view.ImageRect().Width();
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
    EXPECT_LT(m_view.ImageRect().Width(), fittedWidth);
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
}

TEST_F(PlaneViewTest, ProbingReportsThePointAndTheValueAndZeroWithoutAValidSection) {
    ShowSection(3.0, QSize(211, 211));
    // The pointer may stand where an earlier test left it, and a move to
    // where it stands is no move: start from a corner.
    QTest::mouseMove(&m_view, QPoint(1, 1));
    QSignalSpy spy(&m_view, &CPlaneView::probed);
    const QPoint onJet = OnFirstJet();
    // The pointer moves through the X server: its event may come a moment later.
    QTest::mouseMove(&m_view, onJet);
    if (spy.isEmpty()) spy.wait(1000);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_NEAR(m_view.ProbeValue(), 0.5, 1e-4);
    const double planeX = m_doc.m_CutPlane.m_dDistance;
    EXPECT_NEAR(m_view.ProbeX(), planeX, 0.002);
    EXPECT_DOUBLE_EQ(spy.last().at(3).toDouble(), m_view.ProbeValue());
    EXPECT_FLOAT_EQ(m_doc.m_CutPlane.m_fProbe[0], static_cast<float>(m_view.ProbeX()));

    // Between the jets there is no value.
    QTest::mouseMove(&m_view, BetweenTheJets());
    if (spy.count() < 2) spy.wait(1000);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(m_view.ProbeValue(), 0.0) << spy.last().at(0).toDouble() << " " << spy.last().at(1).toDouble();

    m_doc.m_CutPlane.m_bValid = false;
    QTest::mouseMove(&m_view, onJet);
    if (spy.count() < 3) spy.wait(1000);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(m_view.ProbeValue(), 0.0);
    EXPECT_NEAR(m_view.ProbeX(), planeX, 0.002);
}

TEST_F(PlaneViewTest, PaintsTheSectionInItsPaletteWithAxesInMetresAndALegend) {
    ShowSection(3.0, QSize(320, 240));
    const QImage shot = m_view.grab().toImage();
    const QColor jet = shot.pixelColor(OnFirstJet());
    // The value 0.5 maps to an entry of the blue section table, not the white background.
    const CCutPlane& plane = m_doc.m_CutPlane;
    auto paletteColour = [&plane](double v) {
        const PALETTEENTRY& entry = plane.Palette()->m_entries.at(plane.ColourIndex(v));
        return QColor(entry.peRed, entry.peGreen, entry.peBlue);
    };
    EXPECT_EQ(jet, paletteColour(0.5));
    EXPECT_NE(jet, QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(BetweenTheJets()), QColor(Qt::white));

    // The axes: green along the bottom of the plot, blue up its left side,
    // labelled below and left of them.
    const QRect plot = m_view.PlotArea();
    EXPECT_EQ(shot.pixelColor(plot.center().x(), plot.bottom() + 1), QColor(0, 255, 0));
    EXPECT_EQ(shot.pixelColor(plot.left() - 1, plot.center().y()), QColor(0, 0, 255));
    auto darkIn = [&shot](const QRect& r) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += qGray(shot.pixel(x, y)) < 100;
        return n;
    };
    EXPECT_GT(darkIn(QRect(plot.left(), plot.bottom() + 3, plot.width(), m_view.height() - plot.bottom() - 3)), 30);
    EXPECT_GT(darkIn(QRect(0, plot.top(), plot.left() - 3, plot.height())), 30);
    // The scale is the section's: its left edge stands at the plane x where
    // the section begins, its top at the height where it ends, one pixel a
    // twentieth of a metre times the scale.
    const CRect r = m_view.ImageRect();
    const double metresPerPixel = m_view.ScaleX() / plane.m_dScale;
    EXPECT_NEAR(m_view.AcrossMap().ValueAt(r.left), plane.m_dExtent[0], metresPerPixel);
    EXPECT_NEAR(m_view.AcrossMap().ValueAt(r.right), plane.m_dExtent[1], metresPerPixel);
    EXPECT_NEAR(m_view.UpMap().ValueAt(r.top), -plane.m_dExtent[2], metresPerPixel);
    EXPECT_NEAR(m_view.UpMap().ValueAt(r.bottom), -plane.m_dExtent[3], metresPerPixel);
    EXPECT_NEAR(m_view.AcrossMap().perPixel, metresPerPixel, metresPerPixel * 0.01);

    // The legend, over the concentrations the colours are scaled to (the
    // jets here hold one value: a range is set): the highest at the top of
    // its bar, the lowest at the bottom, labelled beside.
    m_doc.m_CutPlane.m_fLevelMin.m_fConc = 0.1f;
    m_doc.m_CutPlane.m_fLevelMax.m_fConc = 0.9f;
    const QImage legend = m_view.grab().toImage();
    const QRect bar = LegendBar(m_view.LegendArea(), m_view.fontMetrics());
    EXPECT_TRUE(m_view.rect().contains(bar));
    EXPECT_GE(bar.left(), plot.right());
    const int rows = bar.height();
    for (int row : {1, rows / 2, rows - 2}) {
        const double v = 0.9 - 0.8 * row / (rows - 1);
        EXPECT_EQ(legend.pixelColor(bar.center().x(), bar.top() + row), paletteColour(v)) << "row " << row;
    }
    EXPECT_NE(paletteColour(0.9), paletteColour(0.1));
    int labels = 0;
    for (int y = bar.top() - 6; y < bar.top() + 6; ++y)
        for (int x = bar.right() + 2; x < m_view.width(); ++x) labels += qGray(legend.pixel(x, y)) < 100;
    EXPECT_GT(labels, 5);
}

TEST(SectionScaleTest, TicksFallOnRoundMetresAtLeastTheGapApartWithTheDecimalsTheirStepNeeds) {
    EXPECT_DOUBLE_EQ(NiceStep(0.7), 1.0);
    EXPECT_DOUBLE_EQ(NiceStep(1.3), 2.0);
    EXPECT_DOUBLE_EQ(NiceStep(3.0), 5.0);
    EXPECT_DOUBLE_EQ(NiceStep(7.0), 10.0);
    EXPECT_DOUBLE_EQ(NiceStep(0.013), 0.02);
    EXPECT_DOUBLE_EQ(NiceStep(0.0), 1.0);
    // 5 cm a pixel from -2 m at pixel 0: 40 pixels are 2 m.
    const AxisMap map{-2.0, 0.05};
    EXPECT_EQ(AxisTicks(map, map.ValueAt(0), map.ValueAt(200), 40), (std::vector<double>{-2, 0, 2, 4, 6, 8}));
    // Reversed (an axis growing upwards) gives the same ticks.
    EXPECT_EQ(AxisTicks(map, map.ValueAt(200), map.ValueAt(0), 40).size(), 6u);
    EXPECT_DOUBLE_EQ(map.CoordinateOf(4.0), 120.0);
    EXPECT_EQ(TickLabel(2.5, 0.5), "2.5");
    EXPECT_EQ(TickLabel(3.0, 0.05), "3.00");
    EXPECT_EQ(TickLabel(-0.0001, 1.0), "0");
    EXPECT_EQ(TickLabel(-20.0, 10.0), "-20");
}
