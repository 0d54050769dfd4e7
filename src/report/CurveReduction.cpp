#include "report/CurveReduction.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

// The angle a - b brought into (-pi, pi].
double AngleBetween(double a, double b) {
    double d = a - b;
    while (d > kPi) d -= 2.0 * kPi;
    while (d <= -kPi) d += 2.0 * kPi;
    return d;
}
}  // namespace

// Sleeve fitting, in one pass: from the last kept point, every following
// point narrows the window of directions in which a line passes within
// tolerance of it; the first point whose own direction lies outside the
// window (or that lies back towards the kept point) ends the stretch, and
// the point before it is kept.
QPolygonF ReducedPolyline(const QPolygonF& line, double tolerance) {
    const int n = static_cast<int>(line.size());
    if (n < 3 || !(tolerance > 0.0)) return line;
    QPolygonF reduced;
    reduced << line[0];
    int anchor = 0;
    double base = 0.0, lo = 0.0, hi = 0.0, reach = 0.0;
    bool open = false;  // a direction is set for the stretch from the anchor
    for (int i = 1; i < n; ++i) {
        const QPointF d = line[i] - line[anchor];
        const double distance = std::hypot(d.x(), d.y());
        if (distance <= tolerance && !open) continue;
        const double direction = std::atan2(d.y(), d.x());
        if (!open) {
            base = direction;
            lo = -kPi;
            hi = kPi;
            reach = 0.0;
            open = true;
        }
        const double angle = AngleBetween(direction, base);
        const bool fits = distance > tolerance ? angle >= lo && angle <= hi : true;
        if (!fits || distance + tolerance < reach) {
            // The stretch ends at the point before; this one starts anew.
            anchor = i - 1;
            reduced << line[anchor];
            open = false;
            --i;
            continue;
        }
        if (distance > tolerance) {
            const double width = std::asin(tolerance / distance);
            lo = std::max(lo, angle - width);
            hi = std::min(hi, angle + width);
        }
        reach = std::max(reach, distance);
    }
    if (anchor != n - 1) reduced << line[n - 1];
    return reduced;
}
