// A row of N identical ports spaced s along a horizontal diffuser axis.
// Each port is still computed alone, as one element, but once its radius
// exceeds half the gap to its neighbours' axes the element's cross-section is
// its share of the union of the N overlapping circles the row forms: the
// entrainment is restricted to the free part of the perimeter (Yannopoulos &
// Noutsopoulos 2006, J. Hydraul. Res. 44(2)), made exact for a finite row at
// any angle between the row and the jet axis. Without a row nothing here runs.
#pragma once

#include "Constants.h"

namespace mardex {

// The row the element belongs to.
struct PortRow {
  int ports = 1;       // N
  double spacing = 0;  // s (m), along the axis; 0: no row
  double axisX = 1;    // horizontal unit vector d of the diffuser axis
  double axisY = 0;
  double minHalfGap = 0;  // D/2: ports discharging along the axis do not start merged
  // The last merged shape, in units of its half gap: the area q = (b_r/a)^2,
  // the radius x(q) and the derivatives x'(q), x''(q), x'''(q). In these units
  // x depends on q alone, whatever the half gap, and the stages of a step lie
  // close together: the Taylor polynomial of x about q is the next solve's
  // first guess and mostly leaves one evaluation of the union to do. Only the
  // solver's starting point: the shape is the same to 1e-13 whatever it holds.
  struct Trend {
    double area = 0, radius = 0, rise = 0, bend = 0, twist = 0;
  };
  mutable Trend last;
  // N >= 2 and s > 0.
  bool active() const { return ports >= 2 && spacing > 0.0; }
};

// A row from line 3's port count, the spacing and the axis angle (degrees,
// counter-clockwise from the current seen from above; psi and psi + 180 are
// the same row).
PortRow makePortRow(double ports, double spacing, double axisDeg, double diameter);

// Geometry of the union of N circles of radius b whose centres are 2a apart,
// per port (each inner circle owns the strip |y| <= a, the end circles add one
// full circle). For b <= a every value is the lone circle's.
double stripArea(double b, double a);            // 2 [a sqrt(b^2 - a^2) + b^2 asin(a/b)]
double stripPerimeter(double b, double a);       // 4 b asin(a/b)
double rowArea(double b, double a, int n);       // A_N = ((N - 1) A_s + pi b^2) / N
double rowPerimeter(double b, double a, int n);  // P_N = dA_N/db

// The radius b >= sqrt(A/pi) with rowArea(b, a, n) = A: Halley's method (Newton's
// with the curvature of A_N) safeguarded by bisection in the bracket
// [sqrt(A/pi), min(N A/(2a(N - 1)), sqrt(N A/pi))], to 1e-13 b.
double rowRadius(double area, double a, int n);

// The element's cross-section in the row.
struct RowShape {
  bool merged = false;
  double halfGap = 0;           // a (m): half the gap between neighbouring axes
  double perimeterShare = 1;    // P_N / (2 pi b): free share of the perimeter
  double areaPerPerimeter = 0;  // A_N / P_N (m): b/2 for a lone circle
  double perimeterInside = 0;   // chi: share of the circle inside the neighbours
  double lineWeight = 0;        // w = chi g in [0, 1): how far the element is a line plume
  double projectedWidth = 0;    // W (m), see projectedWidth(); set by derive() when merged
};

// Half gap a = max(s/2 sqrt(1 - (e.d)^2), D/2) for the axis e.
double halfGap(const PortRow& row, double ex, double ey);

// The shape for a round radius roundRadius = sqrt(A/pi); on return `radius`
// holds b (unchanged unless merged).
RowShape rowShape(const PortRow& row, double ex, double ey, double& radius);
// The same for an active row, in place of a lone circle's `shape` (as
// constructed), with the projected width of a merged shape for sin(Psi) of
// the axis e to the current, given the element's volume and pi h (radius =
// sqrt(volume / (pi h))).
void shapeInRow(const PortRow& row, double ex, double ey, double sinPsi, double volume,
                double piThickness, double& radius, RowShape& shape);

// Share of the row's projected width that one element presents to the current
// (m), for the (unit) axis e and sin(Psi) of the axis to the current:
// sqrt(W_r^2 sin^2 gamma + W_t^2 cos^2 gamma), W = 2b at the first touch.
double projectedWidth(const PortRow& row, const RowShape& shape, double radius, double ex,
                      double ey, double sinPsi);

// Centreline-to-average concentration ratio for the line weight w: the round
// value for w = 0, the merged line plume's for w = 1. Inline: every stage
// and every row asks for it.
inline double centrelineFactor(double w)
{
  return w > 0.0 ? kCentrelineFactor + (kLineCentrelineFactor - kCentrelineFactor) * w
                 : kCentrelineFactor;
}

// Coefficient of the forced entrainment for the line weight w: 1 for a round
// element, alpha_L for a fully merged wall.
inline double forcedCoefficient(double w)
{
  return w > 0.0 ? 1.0 - (1.0 - kMergedForcedCoefficient) * w : 1.0;
}

}  // namespace mardex
