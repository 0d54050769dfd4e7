#include "report/PlotPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/JetPalette.h"
#include "plot/PlotLegend.h"
#include "report/CurveReduction.h"

namespace {
// Curves are drawn through the points that lie farther than this from the
// line through their neighbours (picture pixels): closer ones change no
// pixel that can be seen.
constexpr double kPixelTolerance = 0.05;
QColor JetQColor(int ordinal) {
    if (ordinal < 0) return QColor(90, 90, 90);
    const JetColour c = JetPaletteColour(ordinal);
    return QColor(c.r, c.g, c.b);
}

// Tick values at a round step (1, 2 or 5 times a power of ten) over [lo, hi].
std::vector<double> Ticks(double lo, double hi) {
    std::vector<double> t;
    const double span = hi - lo;
    if (!(span > 0.0) || !std::isfinite(span)) return t;
    const double raw = span / 6.0;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double f = raw / mag;
    const double step = (f < 1.5 ? 1.0 : f < 3.5 ? 2.0 : f < 7.5 ? 5.0 : 10.0) * mag;
    for (double v = std::ceil(lo / step - 1e-9) * step; v <= hi + step * 1e-9; v += step)
        t.push_back(std::fabs(v) < step * 1e-9 ? 0.0 : v);
    return t;
}

struct Range {
    double lo = 0.0, hi = 1.0;
    void Pad() {
        if (!(hi > lo)) {
            const double d = std::max(std::fabs(lo) * 0.1, 1.0);
            lo -= d;
            hi += d;
        } else {
            const double d = (hi - lo) * 0.04;
            lo -= d;
            hi += d;
        }
    }
};

class Mapper {
public:
    Mapper(const QRectF& r, Range x, Range y, bool yDown) : m_r(r), m_x(x), m_y(y), m_bDown(yDown) {}
    QPointF operator()(double x, double y) const {
        const double u = (x - m_x.lo) / (m_x.hi - m_x.lo);
        double v = (y - m_y.lo) / (m_y.hi - m_y.lo);
        if (!m_bDown) v = 1.0 - v;
        return {m_r.left() + u * m_r.width(), m_r.top() + v * m_r.height()};
    }

private:
    QRectF m_r;
    Range m_x, m_y;
    bool m_bDown;
};

QString Num(double v) { return QString::number(v, 'g', 6); }

void DrawArrow(QPainter& p, QPointF a, QPointF b) {
    p.drawLine(a, b);
    const double ang = std::atan2(b.y() - a.y(), b.x() - a.x());
    const double h = 9.0;
    p.drawLine(b, b - QPointF(h * std::cos(ang - 0.45), h * std::sin(ang - 0.45)));
    p.drawLine(b, b - QPointF(h * std::cos(ang + 0.45), h * std::sin(ang + 0.45)));
}
}  // namespace

void PaintPlot(QPainter& p, const QRectF& area, const PlotData& plot) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QFont font = p.font();
    font.setPointSizeF(8.0);
    p.setFont(font);
    const QFontMetricsF fm(font, p.device());
    const double lh = fm.height();

    // Legend entries: one per jet (its colour), one per kind of line.
    struct Entry {
        QString text;
        QColor colour;
        Qt::PenStyle style;
        bool marker;
    };
    std::vector<Entry> legend;
    for (const LegendEntry& e : BuildLegend(plot)) {
        const QString text = QString::fromStdString(e.m_strText);
        const Qt::PenStyle style = e.m_Line == LegendLine::Dashed   ? Qt::DashLine
                                   : e.m_Line == LegendLine::Dotted ? Qt::DotLine
                                   : e.m_Line == LegendLine::None   ? Qt::NoPen
                                                                    : Qt::SolidLine;
        switch (e.m_Kind) {
        case LegendKind::Jet:
            legend.push_back({text, JetQColor(e.m_nOrdinal), style, false});
            break;
        case LegendKind::LineKind:
            legend.push_back({text, Qt::black, style, false});
            break;
        case LegendKind::Curve:
            legend.push_back({text, JetQColor(0), style, false});
            break;
        case LegendKind::Marker:
            legend.push_back({text, Qt::red, Qt::NoPen, true});
            break;
        case LegendKind::BedContact:
            legend.push_back({text, QColor(139, 69, 19), Qt::NoPen, true});
            break;
        case LegendKind::Band:
            legend.push_back({text, QColor(150, 150, 150), Qt::NoPen, false});
            break;
        case LegendKind::Level:
        case LegendKind::Arrow:
            legend.push_back({text, JetQColor(-1), style, false});
            break;
        case LegendKind::More:
            legend.push_back({text, Qt::transparent, Qt::NoPen, false});
            break;
        }
    }
    const double legendH = lh * (legend.size() + 1) / 2 + lh * 0.5;

    // Title on top, legend below, axis titles at the sides.
    QRectF frame = area.adjusted(0, 0, 0, -legendH);
    p.setPen(Qt::black);
    QFont bold = font;
    bold.setBold(true);
    bold.setPointSizeF(9.0);
    p.setFont(bold);
    p.drawText(QRectF(area.left(), area.top(), area.width(), lh * 1.4), Qt::AlignCenter,
               QString::fromStdString(plot.m_strTitle));
    p.setFont(font);
    const double left = fm.horizontalAdvance("-0000.00") + lh * 1.6;
    const double right = plot.m_strY2Title.empty() ? lh : fm.horizontalAdvance("-0000.00") + lh * 1.6;
    QRectF r = frame.adjusted(left, lh * 1.6, -right, -lh * 2.6);

    Range x, y, y2;
    bool anyLeft = PlotBounds(plot, false, x.lo, x.hi, y.lo, y.hi);
    double x2lo = 0, x2hi = 0;
    const bool anyRight = PlotBounds(plot, true, x2lo, x2hi, y2.lo, y2.hi);
    if (anyRight) {
        if (!anyLeft) x.lo = x2lo, x.hi = x2hi;
        x.lo = std::min(x.lo, x2lo), x.hi = std::max(x.hi, x2hi);
    }
    if (!anyLeft && !anyRight) {
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, "no computed jet");
        p.restore();
        return;
    }
    x.Pad();
    y.Pad();
    y2.Pad();
    if (plot.m_bEqualScale && r.width() > 0 && r.height() > 0) {
        // One metre is as long across as up.
        const double sx = (x.hi - x.lo) / r.width(), sy = (y.hi - y.lo) / r.height();
        if (sx > sy) {
            const double c = (y.lo + y.hi) / 2, h = sx * r.height() / 2;
            y.lo = c - h, y.hi = c + h;
        } else {
            const double c = (x.lo + x.hi) / 2, w = sy * r.width() / 2;
            x.lo = c - w, x.hi = c + w;
        }
    }
    const Mapper map(r, x, y, plot.m_bYDown), map2(r, x, y2, false);

    // Grid, ticks and tick labels.
    p.setPen(QPen(QColor(225, 225, 225), 0.6));
    const auto xt = Ticks(x.lo, x.hi), yt = Ticks(y.lo, y.hi);
    for (double v : xt) p.drawLine(map(v, y.lo), map(v, y.hi));
    for (double v : yt) p.drawLine(map(x.lo, v), map(x.hi, v));
    p.setPen(Qt::black);
    for (double v : xt) {
        const QPointF a = map(v, plot.m_bYDown ? y.hi : y.lo);
        p.drawText(QRectF(a.x() - 40, r.bottom() + 2, 80, lh), Qt::AlignHCenter | Qt::AlignTop, Num(v));
    }
    for (double v : yt) {
        const QPointF a = map(x.lo, v);
        p.drawText(QRectF(r.left() - left + lh * 1.4, a.y() - lh / 2, left - lh * 1.6, lh),
                   Qt::AlignRight | Qt::AlignVCenter, Num(v));
    }
    if (anyRight) {
        for (double v : Ticks(y2.lo, y2.hi)) {
            const QPointF a = map2(x.hi, v);
            p.drawText(QRectF(r.right() + 4, a.y() - lh / 2, right - lh * 1.4, lh), Qt::AlignLeft | Qt::AlignVCenter,
                       Num(v));
        }
    }
    p.drawRect(r);
    p.drawText(QRectF(r.left(), r.bottom() + lh, r.width(), lh * 1.4), Qt::AlignCenter,
               QString::fromStdString(plot.m_strXTitle));
    p.save();
    p.translate(area.left() + lh * 0.7, r.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-r.height() / 2, -lh * 0.7, r.height(), lh * 1.4), Qt::AlignCenter,
               QString::fromStdString(plot.m_strYTitle));
    p.restore();
    if (!plot.m_strY2Title.empty()) {
        p.save();
        p.translate(area.right() - lh * 0.7, r.center().y());
        p.rotate(90);
        p.drawText(QRectF(-r.height() / 2, -lh * 0.7, r.height(), lh * 1.4), Qt::AlignCenter,
                   QString::fromStdString(plot.m_strY2Title));
        p.restore();
    }

    // Curves, clipped to the frame.
    p.save();
    p.setClipRect(r);
    for (std::size_t i = 0; i < plot.m_Curves.size(); ++i) {
        const PlotCurve& c = plot.m_Curves[i];
        const Mapper& m = c.m_bRightAxis ? map2 : map;
        QColor colour = c.m_Role == CurveRole::Line && c.m_strJet.empty() ? JetQColor(0) : JetQColor(c.m_nOrdinal);
        if (c.m_Role == CurveRole::BandUpper && i + 1 < plot.m_Curves.size() &&
            plot.m_Curves[i + 1].m_Role == CurveRole::BandLower) {
            QPolygonF upper, lower;
            for (const PlotPoint& q : c.m_Points) upper << m(q.x, q.y);
            const auto& low = plot.m_Curves[i + 1].m_Points;
            for (auto it = low.rbegin(); it != low.rend(); ++it) lower << m(it->x, it->y);
            QPolygonF band = ReducedPolyline(upper, kPixelTolerance);
            band << ReducedPolyline(lower, kPixelTolerance);
            colour.setAlpha(35);
            p.setPen(Qt::NoPen);
            p.setBrush(colour);
            p.drawPolygon(band);
            p.setBrush(Qt::NoBrush);
            continue;
        }
        if (c.m_Role == CurveRole::BandLower) continue;
        if (c.m_Role == CurveRole::BedContact) {
            p.setPen(QPen(Qt::black, 1.0));
            p.setBrush(QColor(139, 69, 19));
            for (const PlotPoint& q : c.m_Points) {
                const QPointF a = m(q.x, q.y);
                p.drawPolygon(QPolygonF({a + QPointF(0, -6), a + QPointF(-5, 3), a + QPointF(5, 3)}));
            }
            p.setBrush(Qt::NoBrush);
            continue;
        }
        if (c.m_Role == CurveRole::Marker) {
            p.setPen(QPen(Qt::red, 1.4));
            p.setBrush(Qt::NoBrush);
            for (const PlotPoint& q : c.m_Points) {
                const QPointF a = m(q.x, q.y);
                p.drawEllipse(a, 4.0, 4.0);
                p.drawLine(a - QPointF(6, 0), a + QPointF(6, 0));
            }
            continue;
        }
        if (c.m_Role == CurveRole::Arrow && c.m_Points.size() == 2) {
            p.setPen(QPen(colour, 1.6));
            DrawArrow(p, m(c.m_Points[0].x, c.m_Points[0].y), m(c.m_Points[1].x, c.m_Points[1].y));
            continue;
        }
        QPen pen(colour, c.m_Role == CurveRole::Reference ? 1.0 : 1.5);
        if (c.m_bDashed) pen.setStyle(Qt::DashLine);
        if (c.m_Role == CurveRole::Reference) pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        QPolygonF line;
        for (const PlotPoint& q : c.m_Points)
            if (std::isfinite(q.x) && std::isfinite(q.y)) line << m(q.x, q.y);
        // A dashed line keeps every point: its dashes follow the length of
        // the line, which the reduction would shorten by a little.
        p.drawPolyline(c.m_bDashed ? line : ReducedPolyline(line, kPixelTolerance));
        if (c.m_Role == CurveRole::Reference && !line.isEmpty()) {
            p.setPen(JetQColor(-1));
            p.drawText(line.first() + QPointF(3, -3), QString::fromStdString(c.m_strName));
        }
    }
    p.restore();

    // Legend in two columns under the plot.
    const double colW = area.width() / 2;
    double ly = frame.bottom() + lh * 0.3;
    for (std::size_t i = 0; i < legend.size(); ++i) {
        const Entry& e = legend[i];
        const double lx = area.left() + lh + (i % 2) * colW;
        const double cy = ly + (i / 2) * lh + lh / 2;
        if (e.marker) {
            p.setPen(QPen(e.colour, 1.4));
            p.drawEllipse(QPointF(lx + 10, cy), 4.0, 4.0);
        } else if (e.style == Qt::NoPen && e.colour.alpha() > 0) {
            p.fillRect(QRectF(lx, cy - 4, 20, 8), QColor(200, 200, 200));
        } else if (e.style == Qt::NoPen) {
            // No key: a line of text only.
        } else {
            QPen pen(e.colour, 2.0);
            pen.setStyle(e.style);
            p.setPen(pen);
            p.drawLine(QPointF(lx, cy), QPointF(lx + 20, cy));
        }
        p.setPen(Qt::black);
        p.drawText(QRectF(lx + 26, cy - lh / 2, colW - lh - 30, lh), Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(e.text, Qt::ElideMiddle, colW - lh - 30));
    }
    p.restore();
}

QImage PlotImage(const PlotData& plot, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PaintPlot(p, QRectF(4, 4, width - 8, height - 8), plot);
    return image;
}
