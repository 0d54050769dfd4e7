// The plots window as a user works it: the selected jet by default, jets
// ticked in the list overlaid in their own colours, the cut plane marked,
// values under the cursor, zoom, and the three exports read back.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QXmlStreamReader>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <map>

#include "SyntheticCase.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "plot/FarFieldPlot.h"
#include "plot/JetPalette.h"
#include "results_ui/PlotChartView.h"
#include "results_ui/PlotsDock.h"
#include "results_ui/PlotsWidget.h"
#include "results_ui/ReportExport.h"
#include "support/ScriptedPrompt.h"

namespace {
class PlotsWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSyntheticCase(m_doc, 4, 60);
        m_doc.m_nCurrentOutfall = 0;
        m_doc.GetOutfall(0)->m_nCurrentRiser = 1;
        m_doc.GetOutfall(0)->GetRiser(1)->m_nCurrentJet = 0;  // the third jet of the case
        m_doc.PrepareJetDisplays();
        m_widget.resize(900, 600);
        m_widget.SetDocument(&m_doc);
        m_widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_widget));
    }
    // Clicks the check box of list row i.
    void Tick(int row) {
        QListWidget* list = m_widget.JetList();
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 8, r.center().y()));
    }
    // Pen colours of the chart's centreline dilution series of a jet.
    std::vector<QColor> CentrelineColours(int ordinal) {
        std::vector<QColor> out;
        for (QAbstractSeries* s : m_widget.ChartView()->chart()->series())
            if (auto* l = qobject_cast<QLineSeries*>(s);
                l && l->property("jetOrdinal").toInt() == ordinal && l->property("curve") == "centreline dilution")
                out.push_back(l->pen().color());
        return out;
    }
    static QColor Palette(int ordinal) {
        const JetColour c = JetPaletteColour(ordinal);
        return QColor(c.r, c.g, c.b);
    }
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc{m_app, m_prompt};
    CPlotsWidget m_widget;
    QTemporaryDir m_dir;
};

TEST_F(PlotsWidgetTest, SelectedJetByDefaultAndTickedJetsOverlaidInTheirColours) {
    m_widget.SetKind(PlotKind::DilutionAlongPath);
    EXPECT_EQ(m_widget.ShownJets(), (std::set<int>{2}));
    const int third = 2;
    ASSERT_EQ(CentrelineColours(third).size(), 1u);
    EXPECT_EQ(CentrelineColours(third)[0], Palette(2));

    Tick(0);
    EXPECT_EQ(m_widget.ShownJets(), (std::set<int>{0, 2}));
    ASSERT_EQ(CentrelineColours(0).size(), 1u);
    EXPECT_EQ(CentrelineColours(0)[0], Palette(0));
    EXPECT_EQ(CentrelineColours(third)[0], Palette(2));  // unchanged by the overlay
    // The series name their jet without the outfall they share, and the curve.
    bool named = false;
    for (QAbstractSeries* s : m_widget.ChartView()->chart()->series())
        named = named || s->name() == "Riser1 / Jet1 - centreline dilution";
    EXPECT_TRUE(named);

    // A refresh (after a run, say) keeps the user's choice.
    m_widget.Refresh();
    EXPECT_EQ(m_widget.ShownJets(), (std::set<int>{0, 2}));
    Tick(2);
    EXPECT_EQ(m_widget.ShownJets(), (std::set<int>{0}));
    EXPECT_TRUE(CentrelineColours(third).empty());
}

TEST_F(PlotsWidgetTest, TheLegendShowsEachJetInItsColourAndWhichLineIsWhichQuantity) {
    m_widget.SetKind(PlotKind::DilutionAlongPath);
    Tick(0);
    Tick(3);
    ASSERT_EQ(m_widget.ShownJets(), (std::set<int>{0, 2, 3}));
    QChart* chart = m_widget.ChartView()->chart();
    QTest::qWait(50);  // the legend lays its markers out when the events are handled
    QStringList texts;
    std::map<QString, QPen> pens;
    for (QLegendMarker* marker : chart->legend()->markers()) {
        if (!marker->isVisible()) continue;
        texts << marker->label();
        // Drawn from the series it stands for: its line in the series' pen.
        if (auto* line = qobject_cast<QLineSeries*>(marker->series())) pens[marker->label()] = line->pen();
    }
    // The jets once each, without the outfall they share; then the line styles.
    EXPECT_EQ(texts, (QStringList{"Riser1 / Jet1", "Riser2 / Jet1", "Riser2 / Jet2", "centreline dilution (solid)",
                                  "average dilution (dashed)"}));
    EXPECT_EQ(pens["Riser1 / Jet1"].color(), Palette(0));
    EXPECT_EQ(pens["Riser2 / Jet2"].color(), Palette(3));
    EXPECT_EQ(pens["centreline dilution (solid)"].style(), Qt::SolidLine);
    EXPECT_EQ(pens["average dilution (dashed)"].style(), Qt::DashLine);
    EXPECT_EQ(chart->legend()->markerShape(), QLegend::MarkerShapeFromSeries);
    // The drawn curves themselves follow the legend: the average is dashed.
    for (QAbstractSeries* s : chart->series()) {
        auto* l = qobject_cast<QLineSeries*>(s);
        if (l && l->property("curve") == "average dilution") {
            EXPECT_EQ(l->pen().style(), Qt::DashLine);
        }
    }
}

TEST_F(PlotsWidgetTest, CutPlaneIsMarkedOnThePlottedJet) {
    m_widget.SetKind(PlotKind::Elevation);
    auto markers = [&] {
        int n = 0;
        for (QAbstractSeries* s : m_widget.ChartView()->chart()->series())
            if (auto* sc = qobject_cast<QScatterSeries*>(s)) n += sc->count();
        return n;
    };
    EXPECT_EQ(markers(), 0);
    // A horizontal plane 6 m above the outfall's port level cuts every rising jet once.
    CCutPlane& plane = m_doc.m_CutPlane;
    const double portY = m_doc.GetOutfall(0)->GetRiser(1)->GetJet(0)->m_pDisplay->m_Placement[7];
    m_doc.SetCutPlane(90.0, 90.0, portY + 6.0, 0, CutPlaneKind::Horizontal, true);
    ASSERT_TRUE(plane.m_bValid);
    m_widget.Refresh();
    ASSERT_EQ(markers(), 1);
    for (QAbstractSeries* s : m_widget.ChartView()->chart()->series())
        if (auto* sc = qobject_cast<QScatterSeries*>(s); sc && !sc->property("legendOnly").toBool()) {
            EXPECT_NEAR(sc->at(0).y(), 6.0, 0.02);
        }
}

TEST_F(PlotsWidgetTest, CursorValuesAndWheelZoom) {
    m_widget.SetKind(PlotKind::WidthAndVelocity);
    CPlotChartView* view = m_widget.ChartView();
    QSignalSpy spy(view, &CPlotChartView::cursorValues);
    const QRectF area = view->chart()->plotArea();
    const QPoint centre = view->mapFromScene(view->chart()->mapToScene(area.center()));
    // Two moves: a move to where the pointer already is may not be delivered.
    QTest::mouseMove(view->viewport(), centre + QPoint(7, 5));
    QTest::mouseMove(view->viewport(), centre);
    for (int i = 0; i < 40 && spy.count() == 0; ++i) QTest::qWait(50);
    ASSERT_GE(spy.count(), 1);
    EXPECT_TRUE(spy.last().at(2).toBool());
    EXPECT_TRUE(m_widget.CursorLabel()->text().startsWith("Distance along the path (m) = "))
        << qPrintable(m_widget.CursorLabel()->text());

    auto* ax = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Horizontal).first());
    const double before = ax->max() - ax->min();
    QWheelEvent wheel(centre, view->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view->viewport(), &wheel);
    EXPECT_LT(ax->max() - ax->min(), before * 0.9);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_NEAR(ax->max() - ax->min(), before, before * 1e-6);

    // Dragging with the middle button pans: the same span, shifted.
    const double min0 = ax->min();
    QTest::mousePress(view->viewport(), Qt::MiddleButton, {}, centre);
    QTest::mouseMove(view->viewport(), centre + QPoint(80, 0));
    QTest::mouseRelease(view->viewport(), Qt::MiddleButton, {}, centre + QPoint(80, 0));
    EXPECT_NEAR(ax->max() - ax->min(), before, before * 1e-6);
    EXPECT_LT(ax->min(), min0 - before * 0.05);  // the content follows the mouse to the right
}

TEST_F(PlotsWidgetTest, ExportsReadBack) {
    Tick(0);
    m_widget.SetKind(PlotKind::Plan);
    QString error;
    const QString png = m_dir.filePath("plan.png"), svg = m_dir.filePath("plan.svg"), csv = m_dir.filePath("plan.csv");
    ASSERT_TRUE(m_widget.ExportPng(png, error)) << qPrintable(error);
    ASSERT_TRUE(m_widget.ExportSvg(svg, error)) << qPrintable(error);
    ASSERT_TRUE(m_widget.ExportCsv(csv, error)) << qPrintable(error);

    const QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), m_widget.ChartView()->size() * m_widget.ChartView()->devicePixelRatioF());
    // The picture shows the jets' colours, not a blank chart.
    int jetPixels = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - Palette(0).red()) + std::abs(c.green() - Palette(0).green()) +
                    std::abs(c.blue() - Palette(0).blue()) <
                30)
                ++jetPixels;
        }
    EXPECT_GT(jetPixels, 10);

    QFile s(svg);
    ASSERT_TRUE(s.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&s);
    bool root = false;
    int paths = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"svg") root = true;
        if (xml.isStartElement() && (xml.name() == u"path" || xml.name() == u"polyline")) ++paths;
    }
    EXPECT_FALSE(xml.hasError()) << qPrintable(xml.errorString());
    EXPECT_TRUE(root);
    EXPECT_GT(paths, 2);

    QFile c(csv);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(c.readAll()).split('\n', Qt::SkipEmptyParts);
    std::size_t points = 0;
    for (const PlotCurve& curve : m_widget.Plot().m_Curves)
        if (curve.m_Role != CurveRole::Arrow) points += curve.m_Points.size();
    EXPECT_EQ(std::size_t(lines.size()), points + 1);
    EXPECT_EQ(points, 120u);  // two jets of 60 disks
    const PlotPoint last = m_widget.Plot().m_Curves[0].m_Points.back();
    bool found = false;
    for (const QString& l : lines) {
        const QStringList cells = l.split(',');
        if (cells.size() == 5 && std::fabs(cells[2].toDouble() - last.x) < 1e-6 &&
            std::fabs(cells[4].toDouble() - last.y) < 1e-6)
            found = true;
    }
    EXPECT_TRUE(found);
    EXPECT_FALSE(m_widget.ExportCsv(m_dir.filePath("no/such/folder.csv"), error));
}

TEST_F(PlotsWidgetTest, ExportsRefuseDevicesFifosAndWriteProtectedFiles) {
    Tick(0);
    QString error;
    const QString fifo = m_dir.filePath("fifo.csv"), null = m_dir.filePath("null.png");
    const QString kept = m_dir.filePath("kept.svg");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(null).constData()), 0);
    {
        QFile f(kept);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_EQ(::chmod(QFile::encodeName(kept).constData(), 0444), 0);
    EXPECT_FALSE(m_widget.ExportCsv(fifo, error));
    EXPECT_TRUE(error.contains("not a regular file")) << qPrintable(error);
    EXPECT_FALSE(m_widget.ExportPng(null, error));
    EXPECT_TRUE(error.contains("not a regular file")) << qPrintable(error);
    EXPECT_FALSE(m_widget.ExportSvg(kept, error));
    EXPECT_TRUE(error.contains("write-protected")) << qPrintable(error);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    QFile f(kept);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
}

TEST_F(PlotsWidgetTest, ReportOfTheCaseAsItStandsWithTheViewsPicture) {
    QImage scene(320, 200, QImage::Format_RGB32);
    scene.fill(QColor(10, 20, 200));
    QString error;
    const QString html = m_dir.filePath("case.html");
    ASSERT_TRUE(WriteCaseReportFile(m_doc, "case.pmx", scene, html, false, error)) << qPrintable(error);
    QFile f(html);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(f.readAll());
    EXPECT_EQ(page.count("src=\"data:image/png;base64,"), 7);  // profile, five plots, the 3-D view
    EXPECT_TRUE(page.contains("Discharge report: case.pmx"));
    EXPECT_FALSE(page.contains("The 3-D picture is left out"));
    EXPECT_FALSE(WriteCaseReportFile(m_doc, "case.pmx", scene, m_dir.filePath("case.docx"), false, error));
}

TEST(PlotsDockTest, TheDockHoldsThePlotsOfTheCase) {
    QMainWindow window;
    CPlotsWidget* plots = nullptr;
    QDockWidget* dock = CreatePlotsDock(&window, nullptr, &plots);
    ASSERT_TRUE(dock && plots);
    EXPECT_EQ(dock->windowTitle(), "Plots");
    EXPECT_EQ(dock->widget(), plots);
    EXPECT_TRUE(dock->isHidden());
    EXPECT_TRUE(plots->ShownJets().empty());
    EXPECT_EQ(plots->CursorLabel()->text(), "Tick a computed jet to plot it.");
}
}  // namespace

// The last entry of the plot list draws the far field of the case's outfalls.
TEST_F(PlotsWidgetTest, TheFarFieldIsTheLastPlotOfTheList) {
    auto* kinds = m_widget.findChild<QComboBox*>();
    ASSERT_NE(kinds, nullptr);
    ASSERT_EQ(kinds->count(), kPlotKindCount + 1);
    EXPECT_EQ(kinds->itemText(kPlotKindCount), kFarFieldPlotTitle);
    kinds->setFocus();
    QTest::keyClick(kinds, Qt::Key_End);
    EXPECT_EQ(m_widget.Plot().m_strTitle, kFarFieldPlotTitle);
    int lines = 0;
    for (QAbstractSeries* s : m_widget.ChartView()->chart()->series())
        lines += qobject_cast<QLineSeries*>(s) != nullptr;
    // Every curve is drawn (the legend adds lines of its own).
    ASSERT_EQ(m_widget.Plot().m_Curves.size(), 3u);  // dilution, concentration, edge
    EXPECT_GE(lines, 3);
    QTest::keyClick(kinds, Qt::Key_Home);
    EXPECT_EQ(m_widget.Plot().m_strTitle, PlotKindTitle(PlotKind::Elevation));
}
