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

namespace {

// The union's per-port area, perimeter and inner-strip area at b, with one
// asin and one sqrt.
struct Union {
  double area = 0, perimeter = 0, strips = 0, angle = 0;  // angle = asin(a/b)
  double curvature = 0;                                   // dP_N/db
};

Union unionAt(double b, double a, int n)
{
  Union u;
  if (b <= a) {
    u.area = kPi * b * b;
    u.perimeter = 2.0 * kPi * b;
    u.strips = (n - 1) * u.area;
    u.angle = 0.5 * kPi;
    u.curvature = 2.0 * kPi;
    return u;
  }
  u.angle = std::asin(a / b);
  const double root = std::sqrt(std::max(0.0, b * b - a * a));
  const double strip = 2.0 * (a * root + b * b * u.angle);
  u.strips = (n - 1) * strip;
  u.area = (u.strips + kPi * b * b) / n;
  u.perimeter = ((n - 1) * 4.0 * b * u.angle + 2.0 * kPi * b) / n;
  u.curvature = root > 0.0 ? ((n - 1) * 4.0 * (u.angle - a / root) + 2.0 * kPi) / n : -HUGE_VAL;
  return u;
}

// b with A_N(b) = area, from the bracket [lo, hi] and a first guess, by
// Halley's method (Newton's with the curvature P_N' of A_N) kept inside the
// bracket (bisection where a step leaves it). Returns the union at b, or at
// the b before the last step when that step was below the tolerance.
Union solveRadius(double area, double a, int n, double& b)
{
  double lo = std::sqrt(area / kPi);
  double hi = std::max(lo, std::min(n * area / (2.0 * a * (n - 1)), std::sqrt(n * area / kPi)));
  // First guess from A_s ~ 4ab - (4 - pi)a^2 (exact at b = a, and to
  // (2/3) a^3/b for b >> a): a quadratic in b, within 7 % of the root.
  const double m = n - 1;
  const double c = n * area + m * (4.0 - kPi) * a * a;
  b = (std::sqrt(4.0 * m * m * a * a + kPi * c) - 2.0 * m * a) / kPi;
  if (!(b > lo && b < hi))
    b = 0.5 * (lo + hi);
  Union u = unionAt(b, a, n);
  for (int i = 0; i < kMaxRadiusIterations; ++i) {
    const double f = u.area - area;
    if (f > 0.0)
      hi = b;
    else
      lo = b;
    const double newton = f / u.perimeter;
    const double denominator = 1.0 - 0.5 * newton * u.curvature / u.perimeter;
    const double step = denominator > 0.5 ? newton / denominator : newton;
    if (std::fabs(step) <= kRadiusTolerance * b) {
      b -= step;  // converged: the union moves by round-off
      break;
    }
    b -= step;
    if (!(b > lo && b < hi))
      b = 0.5 * (lo + hi);
    u = unionAt(b, a, n);
  }
  return u;
}

}  // namespace

double stripArea(double b, double a)
{
  return unionAt(b, a, 2).strips;
}

double stripPerimeter(double b, double a)
{
  if (b <= a)
    return 2.0 * kPi * b;
  return 4.0 * b * std::asin(a / b);
}

double rowArea(double b, double a, int n)
{
  return unionAt(b, a, n).area;
}

double rowPerimeter(double b, double a, int n)
{
  return unionAt(b, a, n).perimeter;
}

double rowRadius(double area, double a, int n)
{
  const double round = std::sqrt(area / kPi);
  if (n < 2 || round <= a)
    return round;
  double b = round;
  solveRadius(area, a, n, b);
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
  double b = radius;
  const Union u = solveRadius(kPi * radius * radius, a, n, b);
  const double round = kPi * b * b;
  shape.merged = true;
  shape.perimeterShare = u.perimeter / (2.0 * kPi * b);
  shape.areaPerPerimeter = u.area / u.perimeter;
  shape.perimeterInside = 1.0 - 2.0 / kPi * u.angle;
  shape.lineWeight = shape.perimeterInside * u.strips / (u.strips + round);
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
