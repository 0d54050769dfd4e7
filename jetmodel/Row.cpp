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
// The Taylor polynomial of the last shape is the first guess for areas within
// this fraction of the last one; its error, about (dq/q)^4, then mostly lets
// the first Halley step end the solve.
constexpr double kTrendReach = 0.1;
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
//   strips = (N - 1) A_s / a^2, round = pi x^2, angle = asin(1/x),
//   perRoot = 1/sqrt(x^2 - 1) (0 for x <= 1), turn = d angle/dx = -perRoot/x.
struct Union {
  double sum = 0, slope = 0, curvature = 0, strips = 0, round = 0, angle = 0;
  double perRoot = 0, turn = 0;
  double excess = 0;  // sum - target
};

// The union at x; `target` only enters `excess` = sum - target.
inline Union unionAt(double x, int n, double target = 0.0)
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
    u.excess = u.sum - target;
    return u;
  }
  // The asin first, so that little is kept across its call; each value is a
  // part that does not depend on the angle plus a multiple of it, so that
  // little waits for its result.
  const double t = 1.0 / x;
  const double angle = std::asin(t);
  const double root = std::sqrt(x * x - 1.0);
  const double perRoot = 1.0 / root;
  const double stripsBase = 2.0 * m * root, stripsPerAngle = 2.0 * m * x * x;
  u.angle = angle;
  u.perRoot = perRoot;
  u.strips = stripsBase + stripsPerAngle * angle;
  u.sum = (stripsBase + u.round) + stripsPerAngle * angle;
  u.excess = ((stripsBase + u.round) - target) + stripsPerAngle * angle;
  u.slope = 2.0 * kPi * x + 4.0 * m * x * angle;
  u.curvature = (2.0 * kPi - 4.0 * m * perRoot) + 4.0 * m * angle;
  u.turn = -t * perRoot;
  return u;
}

// The union at x + dx from the union at x, to first order: for the last,
// tiny step of the solve.
inline Union advance(const Union& u, double x, double dx, int n)
{
  Union v = u;
  if (x <= 1.0 || dx == 0.0)
    return v;
  const double m = n - 1;
  v.sum += u.slope * dx;
  v.excess += u.slope * dx;
  v.slope += u.curvature * dx;
  v.strips += 4.0 * m * x * u.angle * dx;
  v.round += 2.0 * kPi * x * dx;
  v.angle += u.turn * dx;
  return v;
}

// One Halley step (Newton's where the curvature would turn it back) from the
// union u at x towards its target, and whether the solve may end with it:
// when the step is below 1e-13 x, or when the error it leaves, about
// (1 + r^2) (step/x)^3 with r = x P'/P, is below 1e-18 (from x = 1.05 on),
// written without divisions.
struct HalleyStep {
  double excess = 0;  // sum - target
  double step = 0;    // x - next
  bool done = false;
};

inline HalleyStep halleyStep(const Union& u, double x)
{
  HalleyStep h;
  const double f = u.excess;
  const double slope2 = u.slope * u.slope, bend = f * u.curvature;
  const bool halley = slope2 > bend;
  const double step = halley ? 2.0 * f * u.slope / (2.0 * slope2 - bend) : f / u.slope;
  const double s3 = step * step * std::fabs(step), x2 = x * x;
  h.excess = f;
  h.step = step;
  h.done = std::fabs(step) <= kRadiusTolerance * x ||
           (halley && x > kTrustedHalley &&
            (slope2 + x2 * u.curvature * u.curvature) * s3 <= kHalleyErrorLeft * slope2 * x2 * x);
  return h;
}

// x > lo with sum(x) = target (target = N A / a^2, lo = sqrt(A/pi)/a >= 1) by
// Halley's method (Newton's with the curvature) from a first guess (`guess`
// when it lies above lo, else a closed-form estimate), kept in
// the bracket [lo, min(target/(2(N - 1)), sqrt(target/pi))] (bisection where
// a step leaves it) until halleyStep() lets it end; the union is carried
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
  if (!(x > lo && x < HUGE_VAL)) {
    // From A_s ~ 4ab - (4 - pi)a^2 (exact at b = a, and to (2/3) a^3/b for
    // b >> a): a quadratic, within 7 % of the root.
    x = (std::sqrt(4.0 * m * m + kPi * (target + m * (4.0 - kPi))) - 2.0 * m) * (1.0 / kPi);
    if (!(x > lo)) {
      hi = upperBound();
      x = 0.5 * (lo + hi);
    }
  }
  Union u = unionAt(x, n, target);
  for (int i = 0; i < kMaxRadiusIterations; ++i) {
    const HalleyStep h = halleyStep(u, x);
    if (h.excess > 0.0)
      hi = x;
    else
      lo = x;
    const double next = x - h.step;
    const bool inside = next > lo && next < hi;
    if (h.done) {
      // A step that would leave the bracket here is round-off: keep x.
      if (inside) {
        u = advance(u, x, -h.step, n);
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
    u = unionAt(x, n, target);
  }
  return u;
}

// The first guess for the area q from the last shape: the Taylor polynomial
// of x(q) where q lies close to the last one (the next stage of a step), else
// the last b/b_r; 0 (none) before the first shape.
double trendGuess(const PortRow::Trend& last, double q)
{
  if (!(last.area > 0.0))
    return 0.0;
  const double dq = q - last.area;
  if (std::fabs(dq) <= kTrendReach * q)
    return (last.radius + dq * last.rise) +
           dq * dq * (0.5 * last.bend + dq * (1.0 / 6.0) * last.twist);
  return last.radius * std::sqrt(q / last.area);
}

// The trend at a solved shape: from sum(x(q)) = N pi q, with S the slope, C
// the curvature and C' = 4 (N - 1) perRoot^3 / x = -4 (N - 1) perRoot^2 turn
// its derivative,
// x' = N pi / S, x'' = -C x'^2 / S and x''' = -(3 C x' x'' + C' x'^3) / S.
PortRow::Trend trendAt(double q, double x, const Union& u, double perSlope, int n)
{
  PortRow::Trend last;
  const double twistOfSlope = -4.0 * (n - 1) * u.perRoot * u.perRoot * u.turn;
  last.area = q;
  last.radius = x;
  last.rise = n * kPi * perSlope;
  last.bend = -u.curvature * last.rise * last.rise * perSlope;
  last.twist = -(3.0 * u.curvature * last.rise * last.bend +
                 twistOfSlope * last.rise * last.rise * last.rise) *
               perSlope;
  return last;
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

namespace {

// The gap between neighbouring axes for the axis e, with the parts the solve
// and the projected width share.
struct Gap {
  double along = 0;   // e.d
  double across = 0;  // 1 - (e.d)^2: |d - (e.d) e|^2
  double half = 0;    // a
  double square = 0;  // a^2, worked out without the square root in a
};

inline Gap gapFor(const PortRow& row, double ex, double ey)
{
  Gap g;
  g.along = ex * row.axisX + ey * row.axisY;
  g.across = std::max(0.0, 1.0 - g.along * g.along);
  const double half = 0.5 * row.spacing;
  g.half = std::max(half * std::sqrt(g.across), row.minHalfGap);
  g.square = std::max(half * half * g.across, row.minHalfGap * row.minHalfGap);
  return g;
}

// The union at the root of sum = target for q = (b_r/a)^2: from the trend's
// first guess one evaluation and one Halley step mostly end the solve (the
// first turn of solveScaled()'s loop, written out); else the whole solve.
Union solveFromTrend(const PortRow::Trend& last, double q, int n, double& x)
{
  const double target = n * kPi * q;
  const double guess = trendGuess(last, q);
  if (guess * guess > q && guess < HUGE_VAL) {
    const Union u = unionAt(guess, n, target);
    const HalleyStep h = halleyStep(u, guess);
    const double next = guess - h.step;
    // The bracket [sqrt(q), inf) narrowed by the guess.
    const bool inside = h.excess > 0.0 ? next * next > q && next < guess : next > guess;
    if (h.done) {
      x = inside ? next : guess;
      return inside ? advance(u, guess, -h.step, n) : u;
    }
    if (inside)
      return solveScaled(target, std::sqrt(q), n, next, x);
  }
  return solveScaled(target, std::sqrt(q), n, guess, x);
}

// Fills the merged shape for the gap a < b_r and q = (b_r/a)^2, and sets b.
void merge(RowShape& shape, const PortRow& row, const Gap& gap, double q, double& b)
{
  const double a = gap.half;
  const int n = row.ports;
  double x = 0.0;
  const Union u = solveFromTrend(row.last, q, n, x);
  const double perSlope = 1.0 / u.slope;
  row.last = trendAt(q, x, u, perSlope, n);
  shape.merged = true;
  shape.perimeterShare = u.slope / (2.0 * kPi * x * n);
  shape.areaPerPerimeter = a * u.sum * perSlope;
  shape.perimeterInside = 1.0 - 2.0 / kPi * u.angle;
  shape.lineWeight = shape.perimeterInside * u.strips / u.sum;
  b = x * a;
}

// The projected width of a merged shape (see projectedWidth()). The row's
// axis d and the current's direction x are both seen across the jet axis:
// d' = d - (e.d) e with |d'|^2 = 1 - (e.d)^2, n' = x - e_x e with |n'| =
// sin Psi, and d'.n' = d'_x, so cos^2 gamma = d'_x^2 / (|d'|^2 sin^2 Psi).
double widthAcross(const PortRow& row, const Gap& gap, const RowShape& shape, double b, double ex,
                   double sinPsi)
{
  const double n = row.ports, perPort = 1.0 / n;
  const double thickness = 2.0 * b * (1.0 - shape.perimeterInside * (1.0 - perPort));
  if (gap.across < kNoDirection * kNoDirection || !(sinPsi > 0.0))
    return thickness;
  const double dx = row.axisX - gap.along * ex;
  const double cos2 = std::min(1.0, dx * dx / (gap.across * sinPsi * sinPsi));
  const double length = ((n - 1.0) * 2.0 * shape.halfGap + 2.0 * b) * perPort;
  return std::sqrt(length * length * (1.0 - cos2) + thickness * thickness * cos2);
}

}  // namespace

double halfGap(const PortRow& row, double ex, double ey)
{
  return gapFor(row, ex, ey).half;
}

RowShape rowShape(const PortRow& row, double ex, double ey, double& radius)
{
  RowShape shape;
  shape.areaPerPerimeter = 0.5 * radius;
  if (!row.active())
    return shape;
  const Gap gap = gapFor(row, ex, ey);
  shape.halfGap = gap.half;
  if (radius > gap.half)
    merge(shape, row, gap, radius * radius / gap.square, radius);
  return shape;
}

void shapeInRow(const PortRow& row, double ex, double ey, double sinPsi, double volume,
                double piThickness, double& radius, RowShape& shape)
{
  shape.areaPerPerimeter = 0.5 * radius;
  const Gap gap = gapFor(row, ex, ey);
  shape.halfGap = gap.half;
  if (!(radius > gap.half))
    return;
  // q = (b_r/a)^2 = Vol / (pi h a^2): the solve waits for neither square root
  // nor a second division.
  merge(shape, row, gap, volume / (piThickness * gap.square), radius);
  shape.projectedWidth = widthAcross(row, gap, shape, radius, ex, sinPsi);
}

double projectedWidth(const PortRow& row, const RowShape& shape, double b, double ex, double ey,
                      double sinPsi)
{
  return widthAcross(row, gapFor(row, ex, ey), shape, b, ex, sinPsi);
}

}  // namespace mardex
