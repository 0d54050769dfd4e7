#include "Row.h"

#include "Constants.h"
#include "Element.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {
// The solve stops when its step is below this fraction of b.
constexpr double kRadiusTolerance = 1e-13;
constexpr int kMaxRadiusIterations = 200;
// A Halley step of relative size d leaves an error of about (1 + r^2) d^3;
// the solve stops when that is below this, and carries the union over the
// step to first order, whose error (d^2 times the union's curvature) stays
// below 1e-12 where the curvature is moderate: from b = 1.05 a on. Closer to
// the first touch the strips' perimeter turns infinitely fast and the solve
// iterates until the step itself is below 1e-13 b.
constexpr double kHalleyErrorLeft = 1e-18;
constexpr double kTrustedHalley = 1.05;
// The Taylor polynomial of the last shape is the first guess for round radii
// within this fraction of the last one; its error, about (dr/r)^3, then
// mostly lets the first Halley step end the solve.
constexpr double kTrendReach = 0.05;
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

// The union of N circles of radius b = x a, centres 2a apart, in units of a
// and summed over the N ports (so that one evaluation takes one asin, one
// sqrt and two divisions):
//   sum = N A_N / a^2, slope = d sum/dx = N P_N / a, curvature = d slope/dx,
//   strips = (N - 1) A_s / a^2, round = pi x^2, angle = asin(1/x).
struct Union {
  double sum = 0, slope = 0, curvature = 0, strips = 0, round = 0, angle = 0;
  double root = 0;  // sqrt(x^2 - 1)
};

Union unionAt(double x, int n)
{
  Union u;
  const double m = n - 1;
  u.round = kPi * x * x;
  if (x <= 1.0) {
    u.strips = m * u.round;
    u.sum = n * u.round;
    u.slope = 2.0 * kPi * x * n;
    u.curvature = 2.0 * kPi * n;
    u.angle = 0.5 * kPi;
    return u;
  }
  u.angle = std::asin(1.0 / x);
  const double root = std::sqrt(x * x - 1.0);
  u.root = root;
  u.strips = 2.0 * m * (root + x * x * u.angle);
  u.sum = u.strips + u.round;
  u.slope = 4.0 * m * x * u.angle + 2.0 * kPi * x;
  u.curvature = root > 0.0 ? 4.0 * m * (u.angle - 1.0 / root) + 2.0 * kPi : -HUGE_VAL;
  return u;
}

// The union at x + dx from the union at x, to first order: for the last,
// tiny step of the solve.
Union advance(const Union& u, double x, double dx, int n)
{
  Union v = u;
  if (x <= 1.0 || dx == 0.0)
    return v;
  const double m = n - 1;
  v.sum += u.slope * dx;
  v.slope += u.curvature * dx;
  v.strips += 4.0 * m * x * u.angle * dx;
  v.round += 2.0 * kPi * x * dx;
  v.angle -= dx / (x * u.root);
  return v;
}

// x > lo with sum(x) = target (target = N A / a^2, lo = sqrt(A/pi)/a >= 1) by
// Halley's method (Newton's with the curvature) from a first guess (`guess`
// when it lies above lo, else a closed-form estimate), kept in
// the bracket [lo, min(target/(2(N - 1)), sqrt(target/pi))] (bisection where
// a step leaves it). It stops when the step is below 1e-13 x, or when the
// error left after a Halley step of relative size d, about (1 + r^2) d^3
// with r = x P'/P, is below 1e-18 (from x = 1.05 on); the union is carried
// over the last step to first order.
Union solveScaled(double target, double lo, int n, double guess, double& x)
{
  const double m = n - 1;
  // The strips alone (A_s >= 2ab) and one circle shared by N ports (A_N >=
  // pi b^2/N) bound x from above; worked out only when a step needs it.
  double hi = HUGE_VAL;
  const auto upperBound = [&]() {
    const double byStrips = target / (2.0 * m);
    return std::max(lo, kPi * byStrips * byStrips > target ? std::sqrt(target / kPi) : byStrips);
  };
  x = guess;
  if (!(x > lo)) {
    // From A_s ~ 4ab - (4 - pi)a^2 (exact at b = a, and to (2/3) a^3/b for
    // b >> a): a quadratic, within 7 % of the root.
    x = (std::sqrt(4.0 * m * m + kPi * (target + m * (4.0 - kPi))) - 2.0 * m) * (1.0 / kPi);
    if (!(x > lo)) {
      hi = upperBound();
      x = 0.5 * (lo + hi);
    }
  }
  Union u = unionAt(x, n);
  for (int i = 0; i < kMaxRadiusIterations; ++i) {
    const double f = u.sum - target;
    if (f > 0.0)
      hi = x;
    else
      lo = x;
    const double slope2 = u.slope * u.slope, bend = f * u.curvature;
    const bool halley = slope2 > bend;
    const double step = halley ? 2.0 * f * u.slope / (2.0 * slope2 - bend) : f / u.slope;
    const double next = x - step;
    const bool inside = next > lo && next < hi;
    // |step| <= 1e-13 x, or (1 + r^2) (step/x)^3 <= 1e-18 with r = x P'/P,
    // written without divisions.
    const double s3 = step * step * std::fabs(step), x2 = x * x;
    const bool done =
        std::fabs(step) <= kRadiusTolerance * x ||
        (halley && x > kTrustedHalley &&
         (slope2 + x2 * u.curvature * u.curvature) * s3 <= kHalleyErrorLeft * slope2 * x2 * x);
    if (done) {
      // A step that would leave the bracket here is round-off: keep x.
      if (inside) {
        u = advance(u, x, -step, n);
        x = next;
      }
      break;
    }
    if (inside) {
      x = next;
    } else {
      if (hi == HUGE_VAL)
        hi = upperBound();
      x = 0.5 * (lo + hi);
    }
    u = unionAt(x, n);
  }
  return u;
}

// The first guess for the round radius lo from the last shape: its Taylor
// polynomial where lo lies close to the last one (the next stage of a step),
// else the last b/b_r; 0 (no guess) before the first shape and where the
// polynomial is not finite (a shape at the very first touch).
double trendGuess(const PortRow::Trend& t, double lo)
{
  if (!(t.round > 0.0))
    return 0.0;
  const double dr = lo - t.round;
  if (!(std::fabs(dr) <= kTrendReach * lo))
    return t.radius / t.round * lo;
  const double guess = t.radius + dr * (t.rise + 0.5 * dr * t.bend);
  return guess < HUGE_VAL ? guess : 0.0;
}

// The trend at a solved shape: from sum(x(r)) = N pi r^2,
// x' = 2 N pi r / slope and x'' = (2 N pi - curvature x'^2) / slope.
PortRow::Trend trendAt(double lo, double x, const Union& u, int n)
{
  PortRow::Trend t;
  const double perSlope = 1.0 / u.slope;
  t.round = lo;
  t.radius = x;
  t.rise = 2.0 * kPi * n * lo * perSlope;
  t.bend = (2.0 * kPi * n - u.curvature * t.rise * t.rise) * perSlope;
  return t;
}

}  // namespace

double stripArea(double b, double a)
{
  return a * a * unionAt(b / a, 2).strips;
}

double stripPerimeter(double b, double a)
{
  if (b <= a)
    return 2.0 * kPi * b;
  return 4.0 * b * std::asin(a / b);
}

double rowArea(double b, double a, int n)
{
  return a * a * unionAt(b / a, n).sum / n;
}

double rowPerimeter(double b, double a, int n)
{
  return a * unionAt(b / a, n).slope / n;
}

double rowRadius(double area, double a, int n)
{
  const double round = std::sqrt(area / kPi);
  if (n < 2 || round <= a)
    return round;
  double x = 0.0;
  solveScaled(n * area / (a * a), round / a, n, 0.0, x);
  return x * a;
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
  const double lo = radius / a;
  double x = lo;
  const Union u = solveScaled(n * kPi * lo * lo, lo, n, trendGuess(row.last, lo), x);
  row.last = trendAt(lo, x, u, n);
  const double b = x * a;
  shape.merged = true;
  shape.perimeterShare = u.slope / (2.0 * kPi * x * n);
  shape.areaPerPerimeter = a * u.sum / u.slope;
  shape.perimeterInside = 1.0 - 2.0 / kPi * u.angle;
  shape.lineWeight = shape.perimeterInside * u.strips / u.sum;
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
