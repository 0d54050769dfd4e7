#include "ui/SectionScale.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

#include "ui/Units.h"

namespace {
constexpr int kTick = 4;
constexpr int kGap = 3;
constexpr int kBarWidth = 10;
const QColor kAcross(0, 255, 0);
const QColor kUp(0, 0, 255);
// The widest tick label the axes are made room for.
const char* const kWidestLabel = "-000.0";
// The widest legend label.
const char* const kWidestValue = "0.000000";  // "0.000226", "2.26e-05"
const char* const kLegendTitle = "Conc.";

QString LegendLabel(double v) { return QString::number(v, 'g', 3); }
}  // namespace

double NiceStep(double rough) {
    if (!(rough > 0.0) || !std::isfinite(rough)) return 1.0;
    const double magnitude = std::pow(10.0, std::floor(std::log10(rough)));
    for (double f : {1.0, 2.0, 5.0, 10.0})
        if (f * magnitude >= rough * (1.0 - 1e-9)) return f * magnitude;
    return 10.0 * magnitude;
}

std::vector<double> AxisTicks(const AxisMap& map, double from, double to, int minGap) {
    std::vector<double> ticks;
    const double lo = std::min(from, to), hi = std::max(from, to);
    const double step = NiceStep(std::fabs(map.perPixel) * minGap);
    if (!(hi > lo) || !std::isfinite(step)) return ticks;
    for (double k = std::ceil(lo / step - 1e-9); k * step <= hi + 1e-9 * step && ticks.size() < 1000; k += 1.0)
        ticks.push_back(k * step == 0.0 ? 0.0 : k * step);
    return ticks;
}

QString TickLabel(double value, double step) {
    const int decimals = step >= 1.0 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    const QString text = QString::number(value, 'f', decimals);
    return text == "-0" ? QString("0") : text;
}

int VerticalAxisWidth(const QFontMetrics& fm) { return fm.horizontalAdvance(kWidestLabel) + kTick + 2 * kGap; }

int HorizontalAxisHeight(const QFontMetrics& fm) { return fm.height() + kTick + 2 * kGap; }

int LegendWidth(const QFontMetrics& fm) {
    return std::max(kBarWidth + kGap + fm.horizontalAdvance(kWidestValue), fm.horizontalAdvance(kLegendTitle)) +
           3 * kGap;
}

void DrawAxisArrows(QPainter& p, const QRect& plot) {
    const int x0 = plot.left() - 1, y0 = plot.bottom() + 1;
    QPen across(kAcross, 1);
    across.setCosmetic(true);
    p.setPen(across);
    p.drawLine(x0, y0, plot.right(), y0);
    p.drawPolyline(
        QPolygon({QPoint(plot.right() - 5, y0 - 4), QPoint(plot.right(), y0), QPoint(plot.right() - 5, y0 + 4)}));
    QPen up(kUp, 1);
    up.setCosmetic(true);
    p.setPen(up);
    p.drawLine(x0, y0, x0, plot.top());
    p.drawPolyline(QPolygon({QPoint(x0 - 4, plot.top() + 5), QPoint(x0, plot.top()), QPoint(x0 + 4, plot.top() + 5)}));
}

void DrawMetreAxes(QPainter& p, const QRect& plot, const AxisMap& across, const AxisMap& up) {
    DrawAxisArrows(p, plot);
    const QFontMetrics fm = p.fontMetrics();
    const int x0 = plot.left() - 1, y0 = plot.bottom() + 1;
    p.setPen(Qt::black);
    // Across: ticks below the axis, labels under them; "m" at the arrow.
    const int unitWidth = fm.horizontalAdvance(units::kMetre) + kGap;
    const int acrossGap = fm.horizontalAdvance(kWidestLabel) + 2 * kGap;
    const double stepAcross = NiceStep(std::fabs(across.perPixel) * acrossGap);
    for (double v :
         AxisTicks(across, across.ValueAt(plot.left()), across.ValueAt(plot.right() - unitWidth), acrossGap)) {
        const int x = static_cast<int>(std::lround(across.CoordinateOf(v)));
        p.drawLine(x, y0, x, y0 + kTick);
        const QString t = TickLabel(v, stepAcross);
        const int w = fm.horizontalAdvance(t);
        p.drawText(std::clamp(x - w / 2, 0, plot.right() - unitWidth - w), y0 + kTick + kGap + fm.ascent(), t);
    }
    p.drawText(plot.right() - unitWidth + kGap, y0 + kTick + kGap + fm.ascent(), units::kMetre);
    // Up: ticks left of the axis, labels right-aligned before them; "m" at the arrow.
    const int upGap = 2 * fm.height();
    const double stepUp = NiceStep(std::fabs(up.perPixel) * upGap);
    const int top = plot.top() + fm.height();
    for (double v : AxisTicks(up, up.ValueAt(plot.bottom()), up.ValueAt(top), upGap)) {
        const int y = static_cast<int>(std::lround(up.CoordinateOf(v)));
        p.drawLine(x0 - kTick, y, x0, y);
        const QString t = TickLabel(v, stepUp);
        p.drawText(x0 - kTick - kGap - fm.horizontalAdvance(t), y + (fm.ascent() - fm.descent()) / 2, t);
    }
    p.drawText(x0 - kTick - kGap - fm.horizontalAdvance(units::kMetre), plot.top() + fm.ascent(), units::kMetre);
}

QRect LegendBar(const QRect& area, const QFontMetrics& fm) {
    const int top = area.top() + fm.height() + kGap + fm.ascent() / 2;
    const int bottom = area.bottom() - fm.descent() - fm.ascent() / 2;
    return QRect(area.left() + 2 * kGap, top, kBarWidth, std::max(1, bottom - top));
}

void DrawConcentrationLegend(QPainter& p, const QRect& area, double lo, double hi,
                             const std::function<QColor(double)>& colourOf) {
    const QFontMetrics fm = p.fontMetrics();
    const QRect bar = LegendBar(area, fm);
    p.setPen(Qt::black);
    p.drawText(area.left() + kGap, area.top() + fm.ascent(), kLegendTitle);
    // One line per pixel row, the top row the highest value.
    const int rows = bar.height();
    for (int r = 0; r < rows; ++r) {
        const double v = rows > 1 ? hi - (hi - lo) * r / (rows - 1) : hi;
        p.setPen(colourOf(v));
        p.drawLine(bar.left(), bar.top() + r, bar.right(), bar.top() + r);
    }
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(bar.adjusted(0, 0, 0, -1));
    const int x = bar.right() + kGap + 1;
    auto label = [&](int y, double v) { p.drawText(x, y + (fm.ascent() - fm.descent()) / 2, LegendLabel(v)); };
    label(bar.top(), hi);
    label(bar.top() + rows / 2, (lo + hi) / 2);
    label(bar.bottom(), lo);
}
