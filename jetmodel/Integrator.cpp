#include "Integrator.h"

#include "Constants.h"

#include <algorithm>
#include <cmath>

namespace mardex {

double buoyancyForce(const State& s, const Derived& d)
{
  return kGravity * (d.ambientDensity - d.density) * s[State::Volume];
}

Forcing forcing(const State& s, const Derived& d, Limb limb, IntegrationStats* stats)
{
  const double Es = shearEntrainment(d.ambientDensity, d.density, d.speed, d.current, d.cosPsi,
                                     d.sinPhi, d.radius, d.thickness, limb == Limb::Rising) *
                    shearEntrainmentFactor(limb, d) * d.row.perimeterShare;
  Forcing out;
  out.buoyancyForce = buoyancyForce(s, d);
  ForcedEntrainment Ef = forcedEntrainment(s, d, out.buoyancyForce);
  if (limb == Limb::Rising) {
    // The buoyancy shed at the lower edge is a feature of shear mixing: where
    // the current's entrainment dominates, the shedding fades out.
    const double shearShare = Ef.rate > Es ? Es / Ef.rate : 1.0;
    out.buoyancyForce *= buoyancyForceFactor(limb, d, shearShare);
    Ef = forcedEntrainment(s, d, out.buoyancyForce);
  }
  if (Ef.fallback && stats)
    ++stats->forcedFallbacks;
  out.entrainment = std::max(Es, Ef.rate);
  return out;
}

State rates(const State& s, const Setting& where, IntegrationStats* stats)
{
  return rates(s, derive(s, where), where, stats);
}

State rates(const State& s, const Derived& d, const Setting& where, IntegrationStats* stats)
{
  const Forcing f = forcing(s, d, limbOf(d, where), stats);
  const double E = f.entrainment;
  State r;
  r[State::Mass] = E;
  r[State::Volume] = E / d.ambientDensity;
  r[State::Tracer] = 0.0;
  // No drag: the current bends the jet through the x momentum it entrains.
  r[State::Px] = E * d.current;
  r[State::Py] = 0.0;
  r[State::Pz] = f.buoyancyForce;
  r[State::X] = d.ux;
  r[State::Y] = d.uy;
  r[State::Z] = d.uz;
  r[State::Arc] = d.speedRaw;
  r[State::Time] = 1.0;
  return r;
}

double timeStep(const Derived& d, double stepFactor)
{
  // The current bounds the step too: where the jet turns round against the
  // current its own speed passes near zero while the current keeps moving it.
  const double scale =
      std::max({d.speed, d.current, std::sqrt(d.reducedGravity * d.radius), kStepVelocityFloor});
  return stepFactor * d.radius / scale;
}

double timeStep(const State& s, const Derived& d, const State& k, double stepFactor)
{
  double dt = timeStep(d, stepFactor);
  // Mass growth: E dt <= 0.5 f M.
  const double E = k[State::Mass];
  const double growth = kMassGrowthPerStepFactor * stepFactor * s[State::Mass];
  if (E * dt > growth)
    dt = growth / E;
  // Turning: |de/dt| dt <= f radians, de/dt = (a - e (e.a)) / V with the
  // acceleration a = (dP/dt - u dM/dt) / M.
  const double M = s[State::Mass];
  const double ax = (k[State::Px] - d.ux * E) / M, ay = (k[State::Py] - d.uy * E) / M,
               az = (k[State::Pz] - d.uz * E) / M;
  const double along = ax * d.ex + ay * d.ey + az * d.ez;
  const double turn = std::sqrt(std::pow(ax - along * d.ex, 2) + std::pow(ay - along * d.ey, 2) +
                                std::pow(az - along * d.ez, 2)) /
                      d.speed;
  if (turn * dt > stepFactor)
    dt = stepFactor / turn;
  return dt;
}

State rk4Step(const State& s, double dt, const Setting& where, IntegrationStats* stats,
              const State* given)
{
  const State k1 = given ? *given : rates(s, where, stats);
  const State k2 = rates(s.plus(k1, 0.5 * dt), where, stats);
  const State k3 = rates(s.plus(k2, 0.5 * dt), where, stats);
  const State k4 = rates(s.plus(k3, dt), where, stats);
  State out = s;
  for (std::size_t i = 0; i < out.v.size(); ++i)
    out.v[i] += dt / 6.0 * (k1.v[i] + 2.0 * k2.v[i] + 2.0 * k3.v[i] + k4.v[i]);
  return out;
}

namespace {

bool finitePoint(const State& s, const Derived& d)
{
  return s.finite() && std::isfinite(d.radius) && std::isfinite(d.density) &&
         std::isfinite(d.speedRaw) && std::isfinite(d.ambientDensity) && std::isfinite(d.current) &&
         d.radius > 0.0 && d.density > 0.0;
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
  } else if (sinking(d, where) && bedGap(s, d, where) >= 0.0) {
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
  TerminalLevelWatch watch(where.jetVelocity);
  bool terminalDone = false;  // continuous mode: the terminal level acts once
  double lastEdgeRadius = 0;  // edge radius of the last accepted point
  // The surface and bed rules see the jet's edge through the radius capped as
  // the rows show it, b_edge = min(b, b_edge,prev + ds): where the jet stops
  // and turns (against the current, or at a still-water turning point) the
  // top-hat radius of the thin element spikes for a step, which is no reach
  // of the jet toward the surface or the bed.
  const auto edge = [&](const State& s, const Derived& d) {
    Derived e = d;
    if (!out.points.empty())
      e.radius =
          std::min(d.radius,
                   lastEdgeRadius + std::fabs(s[State::Arc] - out.points.back().state[State::Arc]));
    return e;
  };

  for (;;) {
    Derived d = derive(cur, where);
    if (!finitePoint(cur, d)) {
      out.reason = StopReason::Vanished;
      break;
    }
    if (continuous) {
      bool changed = holdInWaterColumn(cur, edge(cur, d), where);
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
    const Derived de = edge(cur, d);
    Derived pe;
    if (prev) {
      pe = prev->derived;
      pe.radius = lastEdgeRadius;
    }
    if (!continuous) {
      if (surfaceGap(cur, de, where) >= 0.0) {
        hit = StopReason::Surface;
        if (prev)
          f = crossingFraction(surfaceGap(prev->state, pe, where), surfaceGap(cur, de, where));
      } else if (sinking(d, where) && bedGap(cur, de, where) >= 0.0) {
        hit = StopReason::Bed;
        if (prev)
          f = crossingFraction(bedGap(prev->state, pe, where), bedGap(cur, de, where));
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
    lastEdgeRadius = de.radius;
    watch.accept(d);
    if (static_cast<int>(out.points.size()) >= maxRows) {
      out.reason = StopReason::MaxSteps;
      break;
    }

    const State k1 = rates(cur, d, where, &out.stats);  // d is cur's
    double dt = timeStep(cur, d, k1, options.stepFactor);
    State next = rk4Step(cur, dt, where, &out.stats, &k1);
    // The bounds above use the rates where the step starts. A slow element
    // swept round by the current can gain entrainment within the step; a
    // step whose mass grew by more than 1.5 times the bound is taken again
    // with half the length.
    const double grown =
        cur[State::Mass] * (1.0 + kStepRetryMargin * kMassGrowthPerStepFactor * options.stepFactor);
    for (int i = 0; i < kMaxStepHalvings && next[State::Mass] > grown; ++i) {
      dt *= 0.5;
      next = rk4Step(cur, dt, where, &out.stats, &k1);
      ++out.stats.stepHalvings;
    }
    cur = next;
  }

  double rise = 0.0;
  for (const TrajectoryPoint& p : out.points)
    rise = std::max(rise, p.state[State::Z]);
  out.riseHeight = rise;
  return out;
}

}  // namespace mardex
