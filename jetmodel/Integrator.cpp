#include "Integrator.h"

#include "Constants.h"

#include <algorithm>
#include <cmath>

namespace mardex {

double entrainmentRate(const State& s, const Derived& d, const FrozenStep& last)
{
  const double Es = shearEntrainment(d.ambientDensity, d.density, d.speed, d.current, d.cosPsi,
                                     d.sinPhi, d.radius, d.thickness);
  const double Ef = forcedEntrainment(d.ambientDensity, d.current, d.radius, d.thickness,
                                      d.cosPsi, d.sinPsi, s[State::Arc], last);
  return std::max(Es, Ef);
}

State rates(const State& s, const Setting& where, const FrozenStep& last)
{
  const Derived d = derive(s, where);
  const double E = entrainmentRate(s, d, last);
  State r;
  r[State::Mass] = E;
  r[State::Volume] = E / d.ambientDensity;
  r[State::Tracer] = 0.0;
  // No drag: the current bends the jet through the x momentum it entrains.
  r[State::Px] = E * d.current;
  r[State::Py] = 0.0;
  r[State::Pz] = kGravity * (d.ambientDensity - d.density) * s[State::Volume];
  r[State::X] = d.ux;
  r[State::Y] = d.uy;
  r[State::Z] = d.uz;
  r[State::Arc] = d.speedRaw;
  r[State::Time] = 1.0;
  return r;
}

double timeStep(const Derived& d, double stepFactor)
{
  const double scale =
      std::max({d.speed, std::sqrt(d.reducedGravity * d.radius), kStepVelocityFloor});
  return stepFactor * d.radius / scale;
}

State rk4Step(const State& s, double dt, const Setting& where, const FrozenStep& last)
{
  const State k1 = rates(s, where, last);
  const State k2 = rates(s.plus(k1, 0.5 * dt), where, last);
  const State k3 = rates(s.plus(k2, 0.5 * dt), where, last);
  const State k4 = rates(s.plus(k3, dt), where, last);
  State out = s;
  for (std::size_t i = 0; i < out.v.size(); ++i)
    out.v[i] += dt / 6.0 * (k1.v[i] + 2.0 * k2.v[i] + 2.0 * k3.v[i] + k4.v[i]);
  return out;
}

namespace {

bool finitePoint(const State& s, const Derived& d)
{
  return s.finite() && std::isfinite(d.radius) && std::isfinite(d.density) &&
         std::isfinite(d.speedRaw) && std::isfinite(d.ambientDensity) &&
         std::isfinite(d.current) && d.radius > 0.0 && d.density > 0.0;
}

// Continuous mode: the surface and the bed take the vertical
// momentum and hold the centre inside the water column. Returns true when
// the state changed.
bool holdInWaterColumn(State& s, const Derived& d, const Setting& where)
{
  bool changed = false;
  if (surfaceGap(s, d, where) >= 0.0 && d.uz > 0.0) {
    s[State::Pz] = 0.0;
    s[State::Z] = std::min(s[State::Z], where.portDepth);
    changed = true;
  } else if (sinking(d) && bedGap(s, d, where) >= 0.0) {
    s[State::Pz] = 0.0;
    s[State::Z] = std::max(s[State::Z], where.bedZ);
    changed = true;
  }
  return changed;
}

}  // namespace

Trajectory integrate(const State& start, const Setting& where, bool continuous, int maxRows,
                     const IntegratorOptions& options)
{
  Trajectory out;
  maxRows = std::max(1, maxRows);
  out.points.reserve(static_cast<std::size_t>(std::min(maxRows, 2048)));
  State cur = start;
  FrozenStep last;  // not valid before the first accepted step
  TerminalLevelWatch watch;
  bool terminalDone = false;  // continuous mode: the terminal level acts once

  for (;;) {
    Derived d = derive(cur, where);
    if (!finitePoint(cur, d)) {
      out.reason = StopReason::Vanished;
      break;
    }
    if (continuous) {
      bool changed = holdInWaterColumn(cur, d, where);
      if (!terminalDone && watch.check(d)) {
        cur[State::Pz] = 0.0;
        terminalDone = changed = true;
      }
      if (changed)
        d = derive(cur, where);
    }
    if (d.speedRaw < kVanishingSpeed || !finitePoint(cur, d)) {
      out.reason = StopReason::Vanished;
      break;
    }

    // Rules 1-3 (or the range in continuous mode): the first state that meets
    // one is moved back to the exact crossing and written as the last row.
    StopReason hit = StopReason::None;
    double f = 1.0;
    const TrajectoryPoint* prev = out.points.empty() ? nullptr : &out.points.back();
    if (!continuous) {
      if (surfaceGap(cur, d, where) >= 0.0) {
        hit = StopReason::Surface;
        if (prev)
          f = crossingFraction(surfaceGap(prev->state, prev->derived, where),
                               surfaceGap(cur, d, where));
      } else if (sinking(d) && bedGap(cur, d, where) >= 0.0) {
        hit = StopReason::Bed;
        if (prev)
          f = crossingFraction(bedGap(prev->state, prev->derived, where), bedGap(cur, d, where));
      } else if (watch.check(d)) {
        hit = StopReason::TerminalLevel;
        if (prev) {
          const double sg = buoyancyExcess(d) > 0 ? 1.0 : -1.0;
          f = crossingFraction(sg * buoyancyExcess(prev->derived), sg * buoyancyExcess(d));
        }
      }
    } else if (rangeGap(cur) >= 0.0) {
      hit = StopReason::Beyond800m;
      if (prev)
        f = crossingFraction(rangeGap(prev->state), rangeGap(cur));
    }
    if (hit != StopReason::None) {
      TrajectoryPoint p;
      p.state = (prev && f < 1.0) ? State::lerp(prev->state, cur, f) : cur;
      p.derived = derive(p.state, where);
      out.points.push_back(p);
      out.reason = hit;
      break;
    }

    out.points.push_back({cur, d});
    watch.accept(d);
    if (static_cast<int>(out.points.size()) >= maxRows) {
      out.reason = StopReason::MaxSteps;
      break;
    }

    const double dt = timeStep(d, options.stepFactor);
    cur = rk4Step(cur, dt, where, last);
    // The step is accepted: its end values are frozen through the stages of
    // the next step, so that Frick's growth terms (b - b_p)/(s - s_p) measure
    // the growth from the last accepted state to each stage. The first stage
    // of every step has s = s_p and so no growth terms.
    const Derived accepted = derive(cur, where);
    last.valid = true;
    last.radius = accepted.radius;
    last.cosPsi = accepted.cosPsi;
    last.arc = cur[State::Arc];
  }

  double rise = 0.0;
  for (const TrajectoryPoint& p : out.points)
    rise = std::max(rise, p.state[State::Z]);
  out.riseHeight = rise;
  return out;
}

}  // namespace mardex
