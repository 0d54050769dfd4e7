// Time integration of the element: the rates of the state, the
// step rule, the classical RK4 step, and the loop with the stop rules and the
// interpolation of the last row to the exact crossing.
#pragma once

#include "Element.h"
#include "Entrainment.h"
#include "StopRules.h"

#include <vector>

namespace mardex {

struct IntegratorOptions {
  double stepFactor = 0.1;  // arc-length step / b; kStepFactor
};

// Entrainment rate E = max(E_s, E_f) (kg/s) of the element in state s.
double entrainmentRate(const State& s, const Derived& d, const FrozenStep& last);

// d(state)/dt.
State rates(const State& s, const Setting& where, const FrozenStep& last);

// dt = factor * b / max(V, sqrt(g' b), 1e-6).
double timeStep(const Derived& d, double stepFactor);

// One classical four-stage Runge-Kutta step; `last` stays frozen through it.
State rk4Step(const State& s, double dt, const Setting& where, const FrozenStep& last);

// One accepted (written) state of the jet.
struct TrajectoryPoint {
  State state;
  Derived derived;
};

struct Trajectory {
  std::vector<TrajectoryPoint> points;  // the rows, the first at the port
  StopReason reason = StopReason::None;
  double riseHeight = 0;  // largest centre z of the rows (m above the port)
};

// Follows the element from `start` until a stop rule holds.
// maxRows >= 1 caps the points.
Trajectory integrate(const State& start, const Setting& where, bool continuous, int maxRows,
                     const IntegratorOptions& options = {});

}  // namespace mardex
