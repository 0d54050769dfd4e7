// Time integration of the element: the rates of the state, the
// step rule, the classical RK4 step, and the loop with the stop rules and the
// interpolation of the last row to the exact crossing.
#pragma once

#include "Element.h"
#include "Entrainment.h"
#include "Limbs.h"
#include "StopRules.h"

#include <vector>

namespace mardex {

struct IntegratorOptions {
  double stepFactor = 0.1;  // arc-length step / b; kStepFactor
};

// Counts of events of a computation, for tests and diagnostics.
struct IntegrationStats {
  long forcedFallbacks = 0;  // evaluations where A1 exceeded its bound
  long stepHalvings = 0;     // steps taken again with half the length
};

// Vertical force F_b = g (rho_a - rho) Vol on the element (N).
double buoyancyForce(const State& s, const Derived& d);

// The entrainment and the vertical force of the element in state s on its
// limb (Limbs.h): E = max(E_s, E*) with the limb's shear entrainment E_s, and
// the buoyancy force less what the rising limb sheds.
struct Forcing {
  double entrainment = 0;    // kg/s
  double buoyancyForce = 0;  // N
};
Forcing forcing(const State& s, const Derived& d, Limb limb = Limb::Plain,
                IntegrationStats* stats = nullptr);

// d(state)/dt.
State rates(const State& s, const Setting& where, IntegrationStats* stats = nullptr);
// The same with the quantities derived from s already at hand.
State rates(const State& s, const Derived& d, const Setting& where, IntegrationStats* stats);

// dt = factor * b / max(V, U_a, sqrt(g' b), 1e-6).
double timeStep(const Derived& d, double stepFactor);
// The same, and with the rates k of the state no longer than lets the mass
// grow by 0.5 factor M or the axis turn by factor radians: where a slow
// element is swept round by the current, its width alone does not bound
// the change of one step.
double timeStep(const State& s, const Derived& d, const State& k, double stepFactor);

// One classical four-stage Runge-Kutta step; `k1`, when given, holds the
// rates at s.
State rk4Step(const State& s, double dt, const Setting& where, IntegrationStats* stats = nullptr,
              const State* k1 = nullptr);

// One accepted (written) state of the jet.
struct TrajectoryPoint {
  State state;
  Derived derived;
};

struct Trajectory {
  std::vector<TrajectoryPoint> points;  // the rows, the first at the port
  StopReason reason = StopReason::None;
  double riseHeight = 0;  // largest centre z of the rows (m above the port)
  IntegrationStats stats;
};

// Follows the element from `start` until a stop rule holds.
// maxRows >= 1 caps the points.
Trajectory integrate(const State& start, const Setting& where, bool continuous, int maxRows,
                     const IntegratorOptions& options = {});

}  // namespace mardex
