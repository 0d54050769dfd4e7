#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// What the plane view draws around the section: two axes in metres along
// the left and bottom of the plot (green along the plane's x, blue along
// its height, as the plane's arrows in the 3-D scene) and a colour legend
// of the section's concentrations at the right.
#include <QColor>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

class QFontMetrics;
class QPainter;

// A value that changes linearly across the client: value = at0 + perPixel * coordinate.
struct AxisMap {
    double at0 = 0.0;
    double perPixel = 1.0;
    double ValueAt(double coordinate) const { return at0 + perPixel * coordinate; }
    double CoordinateOf(double value) const { return (value - at0) / perPixel; }
};

// A round step (1, 2 or 5 times a power of ten) of at least rough.
double NiceStep(double rough);
// The values of the ticks of a nice step between two values (either order),
// at least minGap pixels apart on the given map.
std::vector<double> AxisTicks(const AxisMap& map, double from, double to, int minGap);
// A tick's label: as many decimals as the step needs, a decimal point in any locale.
QString TickLabel(double value, double step);

// Widths the decoration needs beside the plot.
int VerticalAxisWidth(const QFontMetrics& fm);
int HorizontalAxisHeight(const QFontMetrics& fm);
int LegendWidth(const QFontMetrics& fm);

// The axes of plot: across along its bottom edge, up along its left edge;
// the ticks follow the maps, "m" ends each axis.
void DrawMetreAxes(QPainter& p, const QRect& plot, const AxisMap& across, const AxisMap& up);
// The axis lines and their arrow heads alone (no section to measure).
void DrawAxisArrows(QPainter& p, const QRect& plot);
// A legend in area (LegendWidth wide): a bar from lo (bottom) to hi (top) in
// the colours colourOf gives, with both ends and the middle labelled.
void DrawConcentrationLegend(QPainter& p, const QRect& area, double lo, double hi,
                             const std::function<QColor(double)>& colourOf);
// The bar of a legend drawn in area.
QRect LegendBar(const QRect& area, const QFontMetrics& fm);
