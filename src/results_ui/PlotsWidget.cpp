#include "results_ui/PlotsWidget.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSplitter>
#include <QSvgGenerator>
#include <QVBoxLayout>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>

#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"
#include "document/PlumexDoc.h"
#include "model/JetLabel.h"
#include "plot/FarFieldPlot.h"
#include "plot/JetPalette.h"
#include "plot/JetSeries.h"
#include "plot/PlotCsv.h"
#include "plot/PlotLegend.h"
#include "results_ui/PlotChartView.h"

namespace {
// Every export goes through the program's one file writer.
bool WriteExport(const QString& path, const QByteArray& bytes, QString& error) {
    std::string reason;
    if (WriteFileSafely(SystemPath(path), bytes.constData(), std::size_t(bytes.size()), reason)) return true;
    error = QString::fromStdString(reason);
    return false;
}

QColor PaletteColour(int ordinal) {
    if (ordinal < 0) return QColor(90, 90, 90);
    const JetColour c = JetPaletteColour(ordinal);
    return QColor(c.r, c.g, c.b);
}

QLineSeries* LineOf(const PlotCurve& c) {
    auto* s = new QLineSeries;
    for (const PlotPoint& p : c.m_Points)
        if (std::isfinite(p.x) && std::isfinite(p.y)) s->append(p.x, p.y);
    return s;
}

// Legend text: the jet (with its riser, see JetLabel), then what the curve shows.
QString SeriesName(const PlotCurve& c) {
    const QString name = QString::fromStdString(c.m_strName);
    if (c.m_strJet.empty()) return name;
    return QString::fromStdString(c.m_strJet) + " - " + name;
}

// An empty series that stands in the legend for one entry: a line in the
// entry's colour and style, a red ring, or a grey patch.
QAbstractSeries* LegendKey(const LegendEntry& e) {
    const QString text = QString::fromStdString(e.m_strText);
    if (e.m_Kind == LegendKind::Marker || e.m_Kind == LegendKind::BedContact) {
        const bool bed = e.m_Kind == LegendKind::BedContact;
        auto* ring = new QScatterSeries;
        ring->setMarkerShape(bed ? QScatterSeries::MarkerShapeTriangle : QScatterSeries::MarkerShapeCircle);
        ring->setColor(bed ? QColor(139, 69, 19) : QColor(Qt::transparent));
        ring->setBorderColor(bed ? Qt::black : Qt::red);
        ring->setName(text);
        return ring;
    }
    if (e.m_Kind == LegendKind::Band) {
        auto* band = new QAreaSeries(new QLineSeries);
        band->setBrush(QColor(200, 200, 200));
        band->setPen(QColor(200, 200, 200));
        band->setName(text);
        return band;
    }
    const QColor colour = e.m_Kind == LegendKind::Jet        ? PaletteColour(e.m_nOrdinal)
                          : e.m_Kind == LegendKind::LineKind ? QColor(Qt::black)
                          : e.m_Kind == LegendKind::Curve    ? PaletteColour(0)
                                                             : PaletteColour(-1);
    QPen pen(colour, e.m_Kind == LegendKind::Level ? 1.0 : 2.0);
    if (e.m_Line == LegendLine::Dashed) pen.setStyle(Qt::DashLine);
    if (e.m_Line == LegendLine::Dotted) pen.setStyle(Qt::DotLine);
    if (e.m_Kind == LegendKind::More) pen = QPen(Qt::transparent);
    auto* line = new QLineSeries;
    line->setPen(pen);
    line->setName(text);
    return line;
}

// An axis range with a margin that does not go below 0 for values that
// never do (distances, dilutions, widths, speeds).
void SetRange(QValueAxis* axis, double lo, double hi) {
    const double m = (hi - lo) * 0.05 + 1e-9;
    axis->setRange(lo >= 0.0 ? std::max(0.0, lo - m) : lo - m, hi + m);
    axis->applyNiceNumbers();
    if (lo >= 0.0 && axis->min() < 0.0) axis->setMin(0.0);
}
}  // namespace

CPlotsWidget::CPlotsWidget(QWidget* parent) : QWidget(parent) {
    setWindowTitle("Plots");
    m_pList = new QListWidget;
    m_pList->setToolTip("Tick the jets to plot");
    m_pKind = new QComboBox;
    for (int k = 0; k < kPlotKindCount; ++k) m_pKind->addItem(PlotKindTitle(static_cast<PlotKind>(k)));
    m_pKind->addItem(kFarFieldPlotTitle);  // after the jets' plots: the far field of every outfall
    m_pChart = new QChart;
    // Little frame around the chart: the room goes to the plot and its titles.
    m_pChart->setMargins(QMargins(4, 4, 4, 4));
    m_pChart->setBackgroundRoundness(0);
    // Beside the plot, one entry a line: the line entries show their style.
    m_pChart->legend()->setAlignment(Qt::AlignRight);
    m_pChart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    m_pChart->legend()->setShowToolTips(true);
    m_pView = new CPlotChartView(m_pChart);
    m_pView->setMinimumSize(320, 240);
    m_pCursor = new QLabel(" ");

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(new QLabel("Plot:"));
    leftLayout->addWidget(m_pKind);
    leftLayout->addWidget(new QLabel("Jets:"));
    leftLayout->addWidget(m_pList, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pCursor, 1);
    for (const char* kind : {"PNG", "SVG", "CSV"}) {
        auto* b = new QPushButton(QString("Export %1...").arg(kind));
        b->setObjectName(QString("export%1").arg(kind));
        connect(b, &QPushButton::clicked, this, [this, kind] { ExportWithDialog(kind); });
        buttons->addWidget(b);
    }
    auto* right = new QWidget;
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(m_pView, 1);
    rightLayout->addLayout(buttons);

    auto* split = new QSplitter;
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split);

    connect(m_pKind, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] { Rebuild(); });
    connect(m_pList, &QListWidget::itemChanged, this, &CPlotsWidget::OnItemChanged);
    connect(m_pView, &CPlotChartView::cursorValues, this, &CPlotsWidget::OnCursor);
    Rebuild();
}

void CPlotsWidget::SetDocument(CPlumexDoc* doc) {
    m_pDoc = doc;
    m_Chosen.clear();
    m_bUserChose = false;
    Refresh();
}

void CPlotsWidget::SetKind(PlotKind kind) { m_pKind->setCurrentIndex(static_cast<int>(kind)); }
PlotKind CPlotsWidget::Kind() const { return static_cast<PlotKind>(m_pKind->currentIndex()); }

std::set<int> CPlotsWidget::ShownJets() const {
    std::set<int> shown;
    for (int i = 0; i < m_pList->count(); ++i) {
        const QListWidgetItem* it = m_pList->item(i);
        if (it->checkState() == Qt::Checked) shown.insert(it->data(Qt::UserRole).toInt());
    }
    return shown;
}

void CPlotsWidget::Refresh() {
    FillList();
    Rebuild();
}

void CPlotsWidget::FillList() {
    m_bFilling = true;
    m_pList->clear();
    if (m_pDoc) {
        const CJet* current = m_pDoc->GetCurrentJet();
        int ordinal = 0;
        m_pDoc->ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
            const int place = ordinal++;
            auto* it = new QListWidgetItem(QString::fromStdString(JetLabel(*m_pDoc, o, r, k)));
            QPixmap swatch(12, 12);
            swatch.fill(PaletteColour(place));
            it->setIcon(QIcon(swatch));
            it->setData(Qt::UserRole, place);
            const bool computed = j.GetDiskCount() > 0;
            if (!computed) {
                it->setFlags(it->flags() & ~Qt::ItemIsEnabled);
                it->setToolTip(j.m_strStatus.empty() ? QString("not computed")
                                                     : "rejected: " + QString::fromStdString(j.m_strStatus));
            }
            it->setFlags(it->flags() | Qt::ItemIsUserCheckable);
            const bool shown = computed && (m_bUserChose ? m_Chosen.count(place) > 0 : &j == current);
            it->setCheckState(shown ? Qt::Checked : Qt::Unchecked);
            m_pList->addItem(it);
        });
    }
    m_pList->setMinimumWidth(std::min(m_pList->sizeHintForColumn(0) + 30, 320));
    m_bFilling = false;
}

void CPlotsWidget::OnItemChanged(QListWidgetItem*) {
    if (m_bFilling) return;
    m_bUserChose = true;
    m_Chosen = ShownJets();
    Rebuild();
}

void CPlotsWidget::Rebuild() {
    std::vector<JetSeries> series;
    if (m_pDoc) {
        const CCutPlane& plane = m_pDoc->m_CutPlane;
        const bool cut = plane.m_bValid && !plane.Polygons().empty();
        const std::set<int> shown = ShownJets();
        for (JetSeries& s : MakeCaseSeries(*m_pDoc, cut ? plane.m_dEquation : nullptr))
            if (shown.count(s.m_nOrdinal)) series.push_back(std::move(s));
    }
    if (m_pKind->currentIndex() == kPlotKindCount)
        m_Plot = m_pDoc ? BuildFarFieldPlot(ComputeFarField(*m_pDoc), m_pDoc->GetFarField()) : PlotData{};
    else m_Plot = BuildPlot(Kind(), series);

    m_pChart->removeAllSeries();
    for (QAbstractAxis* a : m_pChart->axes()) {
        m_pChart->removeAxis(a);
        delete a;
    }
    m_pChart->setTitle(QString::fromStdString(m_Plot.m_strTitle));
    auto* ax = new QValueAxis;
    auto* ay = new QValueAxis;
    ax->setTitleText(QString::fromStdString(m_Plot.m_strXTitle));
    ay->setTitleText(QString::fromStdString(m_Plot.m_strYTitle));
    ax->setLabelFormat("%g");
    ay->setLabelFormat("%g");
    m_pChart->addAxis(ax, Qt::AlignBottom);
    m_pChart->addAxis(ay, Qt::AlignLeft);
    QValueAxis* ay2 = nullptr;
    if (!m_Plot.m_strY2Title.empty()) {
        ay2 = new QValueAxis;
        ay2->setTitleText(QString::fromStdString(m_Plot.m_strY2Title));
        ay2->setLabelFormat("%g");
        m_pChart->addAxis(ay2, Qt::AlignRight);
    }
    // Each series says which jet and which curve it draws.
    auto attach = [&](QAbstractSeries* s, const PlotCurve& c) {
        const bool right = c.m_bRightAxis;
        s->setProperty("jetOrdinal", c.m_nOrdinal);
        s->setProperty("curve", QString::fromStdString(c.m_strName));
        m_pChart->addSeries(s);
        s->attachAxis(ax);
        s->attachAxis(right && ay2 ? ay2 : ay);
    };
    const auto& curves = m_Plot.m_Curves;
    for (std::size_t i = 0; i < curves.size(); ++i) {
        const PlotCurve& c = curves[i];
        const QColor colour = PaletteColour(c.m_nOrdinal);
        if (c.m_Role == CurveRole::BandLower) continue;
        if (c.m_Role == CurveRole::BandUpper && i + 1 < curves.size()) {
            auto* area = new QAreaSeries(LineOf(c), LineOf(curves[i + 1]));
            QColor fill = colour;
            fill.setAlpha(55);
            area->setBrush(fill);
            area->setPen(Qt::NoPen);
            area->setName(SeriesName(c) + " band");
            attach(area, c);
            continue;
        }
        if (c.m_Role == CurveRole::BedContact || c.m_Role == CurveRole::Marker) {
            // Cut plane crossings as red rings, the sea bed reached as brown
            // triangles.
            const bool bed = c.m_Role == CurveRole::BedContact;
            auto* s = new QScatterSeries;
            for (const PlotPoint& p : c.m_Points) s->append(p.x, p.y);
            s->setMarkerShape(bed ? QScatterSeries::MarkerShapeTriangle : QScatterSeries::MarkerShapeCircle);
            s->setMarkerSize(bed ? 11 : 10);
            s->setColor(bed ? QColor(139, 69, 19) : QColor(Qt::transparent));
            s->setBorderColor(bed ? Qt::black : Qt::red);
            s->setName(bed ? "reaches the sea bed" : "cut plane");
            attach(s, c);
            continue;
        }
        QLineSeries* s = nullptr;
        if (c.m_Role == CurveRole::Arrow && c.m_Points.size() == 2) {
            // The shaft and two head strokes, a fifth of the shaft long.
            const PlotPoint a = c.m_Points[0], b = c.m_Points[1];
            const double dx = b.x - a.x, dy = b.y - a.y;
            s = new QLineSeries;
            const double k = 0.2, w = 0.1;
            s->append(a.x, a.y);
            s->append(b.x, b.y);
            s->append(b.x - k * dx - w * dy, b.y - k * dy + w * dx);
            s->append(b.x, b.y);
            s->append(b.x - k * dx + w * dy, b.y - k * dy - w * dx);
        } else {
            s = LineOf(c);
        }
        QPen pen(colour, c.m_Role == CurveRole::Reference ? 1.0 : 2.0);
        if (c.m_bDashed) pen.setStyle(Qt::DashLine);
        if (c.m_Role == CurveRole::Reference) pen.setStyle(Qt::DotLine);
        s->setPen(pen);
        s->setName(SeriesName(c));
        attach(s, c);
    }
    // The drawn series stay out of the legend: it says which colour is
    // which jet and which line style which quantity, each once.
    for (QLegendMarker* marker : m_pChart->legend()->markers()) marker->setVisible(false);
    for (const LegendEntry& e : BuildLegend(m_Plot)) {
        QAbstractSeries* key = LegendKey(e);
        key->setProperty("legendOnly", true);
        m_pChart->addSeries(key);
        key->attachAxis(ax);
        key->attachAxis(ay);
        // A patch of the band's grey, not an outline.
        if (e.m_Kind == LegendKind::Band)
            for (QLegendMarker* marker : m_pChart->legend()->markers(key))
                marker->setShape(QLegend::MarkerShapeRectangle);
    }

    // Ranges: all points with a margin; the plan view at one scale both ways.
    double x0, x1, y0, y1;
    if (PlotBounds(m_Plot, false, x0, x1, y0, y1)) {
        double u0, u1, v0, v1;
        if (ay2 && PlotBounds(m_Plot, true, u0, u1, v0, v1)) {
            x0 = std::min(x0, u0), x1 = std::max(x1, u1);
            SetRange(ay2, v0, v1);
        }
        if (m_Plot.m_bEqualScale) {
            // One metre as long across as up, for the plot area as it is
            // laid out now; ticks at a round step from 0.
            const QRectF area = m_pChart->plotArea();
            const double aspect = area.width() > 10 && area.height() > 10 ? area.width() / area.height() : 1.0;
            const double sx = std::max(x1 - x0, (y1 - y0) * aspect) * 1.1 + 1e-9, sy = sx / aspect;
            const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
            ax->setRange(cx - sx / 2, cx + sx / 2);
            ay->setRange(cy - sy / 2, cy + sy / 2);
            const double raw = sx / 6.0, mag = std::pow(10.0, std::floor(std::log10(raw))), f = raw / mag;
            const double step = (f < 1.5 ? 1.0 : f < 3.5 ? 2.0 : f < 7.5 ? 5.0 : 10.0) * mag;
            for (QValueAxis* a : {ax, ay}) {
                a->setTickType(QValueAxis::TicksDynamic);
                a->setTickAnchor(0.0);
                a->setTickInterval(step);
            }
        } else {
            SetRange(ax, x0, x1);
            SetRange(ay, y0, y1);
        }
    }
    m_pCursor->setText(series.empty() ? QString("Tick a computed jet to plot it.") : QString(" "));
}

void CPlotsWidget::OnCursor(double x, double y, bool inside) {
    if (!inside || m_Plot.m_Curves.empty()) {
        m_pCursor->setText(" ");
        return;
    }
    m_pCursor->setText(QString("%1 = %2,  %3 = %4")
                           .arg(QString::fromStdString(m_Plot.m_strXTitle), QString::number(x, 'g', 5),
                                QString::fromStdString(m_Plot.m_strYTitle), QString::number(y, 'g', 5)));
}

bool CPlotsWidget::ExportPng(const QString& path, QString& error) const {
    const QPixmap picture = m_pView->grab();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) {
        error = "the picture cannot be made";
        return false;
    }
    return WriteExport(path, bytes, error);
}

bool CPlotsWidget::ExportSvg(const QString& path, QString& error) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(m_pView->size());
        svg.setViewBox(QRect(QPoint(0, 0), m_pView->size()));
        svg.setTitle(QString::fromStdString(m_Plot.m_strTitle));
        QPainter painter(&svg);
        m_pView->render(&painter);
    }
    return WriteExport(path, bytes, error);
}

bool CPlotsWidget::ExportCsv(const QString& path, QString& error) const {
    return WriteExport(path, QByteArray::fromStdString(PlotCsv(m_Plot)), error);
}

void CPlotsWidget::ExportWithDialog(const QString& kind) {
    const QString ext = kind.toLower();
    const QString path =
        QFileDialog::getSaveFileName(this, "Export " + kind, "plot." + ext, QString("%1 files (*.%2)").arg(kind, ext));
    if (path.isEmpty()) return;
    QString error;
    const bool ok = kind == "PNG"   ? ExportPng(path, error)
                    : kind == "SVG" ? ExportSvg(path, error)
                                    : ExportCsv(path, error);
    if (!ok) QMessageBox::warning(this, "Plots", QString("%1 was not written: %2").arg(path, error));
}
