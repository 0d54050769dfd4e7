// The Lagrangian top-hat element of the jet: its state, the
// quantities derived from it, and the start state.
#pragma once

#include "Ambient.h"
#include "Row.h"

#include <array>

namespace mardex {

// Integrated variables. Time is carried along so that RK4 advances it too.
struct State {
  enum Index { Mass, Volume, Tracer, Px, Py, Pz, X, Y, Z, Arc, Time, Count };
  std::array<double, Count> v{};

  double& operator[](int i) { return v[static_cast<std::size_t>(i)]; }
  double operator[](int i) const { return v[static_cast<std::size_t>(i)]; }

  // this + f * other, component by component.
  State plus(const State& other, double f) const;
  // Linear interpolation: f = 0 gives a, f = 1 gives b.
  static State lerp(const State& a, const State& b, double f);
  bool finite() const;
};

// Where the element lives: the water column and the element's time scale.
struct Setting {
  const Ambient* ambient = nullptr;
  double portDepth = 0;    // H_p (m): the surface is at z = H_p
  double bedZ = 0;         // z of the sea bed, -(H_bed - H_p) (m)
  double tau = 0;          // thickness time scale (D/5)/U_j (s)
  double jetVelocity = 0;  // U_j (m/s), the scale of a real vertical velocity
  // The buoyancy at the port opposes the discharge's vertical direction (a
  // dense effluent discharged upward, a light one downward): the jet rises
  // against its buoyancy, turns and falls back (see Limbs.h).
  bool fountainLike = false;
  PortRow row;  // the row of ports the element belongs to (Row.h)
};

// Quantities derived from a state.
struct Derived {
  double ux = 0, uy = 0, uz = 0;  // velocity P/M (m/s)
  double speedRaw = 0;            // |u| as computed (stop rule 5 looks at it)
  double speed = 0;               // V = max(|u|, 1e-9)
  double ex = 1, ey = 0, ez = 0;  // axis direction u/V
  double density = 0;             // rho = M/Vol (kg/m^3)
  double thickness = 0;           // h = tau V (m)
  double radius = 0;              // b = sqrt(Vol/(pi h)) (m); in a merged row A_N(b) = Vol/h
  double dilution = 1;            // S = M/C
  double sinPhi = 0, cosPhi = 1;  // vertical angle phi = asin(e_z)
  double cosPsi = 1, sinPsi = 0;  // angle to the current: cos(Psi) = e_x
  double depth = 0;               // H_p - z (m)
  double ambientDensity = 0;      // rho_a at the element (kg/m^3)
  double current = 0;             // U_a at the element (m/s)
  double reducedGravity = 0;      // g' = g |rho_a - rho| / rho_a (m/s^2)
  RowShape row;                   // the cross-section's share of a merged row
};

Derived derive(const State& s, const Setting& where);

// An angle in degrees brought into (-180, 180]. fmod is exact and 360 is
// added or taken off only when needed, so +a and -a stay exactly opposite.
double wrapDegrees(double degrees);

// sin and cos of an angle in degrees, exact at multiples of 90 degrees so that
// a jet with theta = 0 has y = 0 exactly and +90/-90 mirror exactly.
void sinCosDegrees(double degrees, double& sinOut, double& cosOut);

// The element at the port: b = D/2, h = D/5, speed U_j along
// (cos phi cos theta, cos phi sin theta, sin phi), mass rho_0 pi b^2 h,
// tracer C = M, at the origin.
State startState(double diameter, double jetVelocity, double effluentDensity,
                 double verticalAngleDeg, double horizontalAngleDeg);

}  // namespace mardex
