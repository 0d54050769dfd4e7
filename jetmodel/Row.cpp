#include "Row.h"

#include "Constants.h"
#include "Element.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {
// Newton stops when the step is below this fraction of b.
constexpr double kRadiusTolerance = 1e-13;
constexpr int kMaxRadiusIterations = 200;
// A horizontal component of the axis normal shorter than this has no direction.
constexpr double kNoDirection = 1e-12;
}  // namespace

PortRow makePortRow(double ports, double spacing, double axisDeg, double diameter)
{
  PortRow row;
  row.ports = ports >= 1.0 && ports <= 1e9 ? static_cast<int>(ports) : 1;
  row.spacing = spacing > 0.0 ? spacing : 0.0;
  sinCosDegrees(axisDeg, row.axisY, row.axisX);
  row.minHalfGap = 0.5 * diameter;
  return row;
}

double stripArea(double b, double a)
{
  if (b <= a)
    return kPi * b * b;
  return 2.0 * (a * std::sqrt(std::max(0.0, b * b - a * a)) + b * b * std::asin(a / b));
}

double stripPerimeter(double b, double a)
{
  if (b <= a)
    return 2.0 * kPi * b;
  return 4.0 * b * std::asin(a / b);
}

double rowArea(double b, double a, int n)
{
  return ((n - 1) * stripArea(b, a) + kPi * b * b) / n;
}

double rowPerimeter(double b, double a, int n)
{
  return ((n - 1) * stripPerimeter(b, a) + 2.0 * kPi * b) / n;
}

double rowRadius(double area, double a, int n)
{
  double lo = std::sqrt(area / kPi);
  if (n < 2 || lo <= a)
    return lo;
  double hi = std::min(n * area / (2.0 * a * (n - 1)), std::sqrt(n * area / kPi));
  hi = std::max(hi, lo);
  double b = 0.5 * (lo + hi);
  for (int i = 0; i < kMaxRadiusIterations; ++i) {
    const double f = rowArea(b, a, n) - area;
    if (f > 0.0)
      hi = b;
    else
      lo = b;
    double next = b - f / rowPerimeter(b, a, n);
    if (!(next > lo && next < hi))
      next = 0.5 * (lo + hi);
    const double step = std::fabs(next - b);
    b = next;
    if (step <= kRadiusTolerance * b)
      break;
  }
  return b;
}

double halfGap(const PortRow& row, double ex, double ey)
{
  const double along = ex * row.axisX + ey * row.axisY;
  return std::max(0.5 * row.spacing * std::sqrt(std::max(0.0, 1.0 - along * along)),
                  row.minHalfGap);
}

RowShape rowShape(const PortRow& row, double ex, double ey, double& radius)
{
  RowShape shape;
  shape.areaPerPerimeter = 0.5 * radius;
  if (!row.active())
    return shape;
  const double a = halfGap(row, ex, ey);
  shape.halfGap = a;
  if (!(radius > a))
    return shape;
  const int n = row.ports;
  const double b = rowRadius(kPi * radius * radius, a, n);
  const double perimeter = rowPerimeter(b, a, n);
  const double strips = (n - 1) * stripArea(b, a);
  const double round = kPi * b * b;
  shape.merged = true;
  shape.perimeterShare = perimeter / (2.0 * kPi * b);
  shape.areaPerPerimeter = (strips + round) / n / perimeter;
  shape.perimeterInside = 1.0 - 2.0 / kPi * std::asin(std::min(1.0, a / b));
  shape.lineWeight = shape.perimeterInside * strips / (strips + round);
  radius = b;
  return shape;
}

double projectedWidth(const PortRow& row, const RowShape& shape, double b, double ex, double ey,
                      double ez, double sinPsi)
{
  const double n = row.ports;
  const double thickness = 2.0 * b * (1.0 - shape.perimeterInside * (1.0 - 1.0 / n));
  // The row's axis and the current's direction x, both seen across the jet axis.
  const double along = row.axisX * ex + row.axisY * ey;
  const double dx = row.axisX - along * ex, dy = row.axisY - along * ey, dz = -along * ez;
  const double dNorm = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (dNorm < kNoDirection || !(sinPsi > 0.0))
    return thickness;
  // With n = x - e_x e (|n| = sin Psi) and d perpendicular to e, d.n = d_x.
  const double cosGamma = std::clamp(dx / (dNorm * sinPsi), -1.0, 1.0);
  const double length = ((n - 1.0) * 2.0 * shape.halfGap + 2.0 * b) / n;
  const double sin2 = 1.0 - cosGamma * cosGamma;
  return std::sqrt(length * length * sin2 + thickness * thickness * cosGamma * cosGamma);
}

double centrelineFactor(double w)
{
  return w > 0.0 ? kCentrelineFactor + (kLineCentrelineFactor - kCentrelineFactor) * w
                 : kCentrelineFactor;
}

double forcedCoefficient(double w)
{
  return w > 0.0 ? 1.0 - (1.0 - kMergedForcedCoefficient) * w : 1.0;
}

}  // namespace mardex
