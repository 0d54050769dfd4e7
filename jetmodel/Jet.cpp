#include "Jet.h"

#include "Constants.h"
#include "Density.h"

#include <algorithm>
#include <cmath>

namespace mardex {

JetResult& JetResult::operator=(const JetResult& o)
{
  if (this == &o)
    return *this;
  rejection = o.rejection;
  effluentDensity = o.effluentDensity;
  ambientDensity = o.ambientDensity;
  source = o.source;
  ambient = o.ambient;
  setting = o.setting;
  setting.ambient = &ambient;  // never point into the other result
  trajectory = o.trajectory;
  rows = o.rows;
  return *this;
}

double JetResult::centrelineDilution() const
{
  if (rows.empty())
    return 1.0;
  const double factor = centrelineFactor(trajectory.points.back().derived.row.lineWeight);
  return std::max(1.0, rows.back()[OutputRow::Dilution] / factor);
}

double JetResult::averageDilution() const
{
  return rows.empty() ? 1.0 : rows.back()[OutputRow::Dilution];
}

double unsignedHorizontalAngle(double ex, double ey, double dischargeDeg)
{
  const double horizontal = std::hypot(ex, ey);
  if (!(horizontal > kVerticalAxisTolerance))
    return std::fabs(wrapDegrees(dischargeDeg));
  return std::atan2(std::fabs(ey), ex) * 180.0 / kPi;
}

std::vector<OutputRow> outputRows(const Trajectory& t, double thetaDeg)
{
  std::vector<OutputRow> rows;
  const std::size_t n = t.points.size();
  rows.reserve(n);
  double shownRadius = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const State& s = t.points[i].state;
    const Derived& d = t.points[i].derived;
    OutputRow r;
    r.col[OutputRow::X] = s[State::X];
    r.col[OutputRow::Y] = s[State::Y];
    r.col[OutputRow::Z] = s[State::Z];
    // Display cap against the one-step spike at a still-water turning point.
    shownRadius =
        i == 0
            ? d.radius
            : std::min(d.radius, shownRadius + (s[State::Arc] - t.points[i - 1].state[State::Arc]));
    r.col[OutputRow::Radius] = shownRadius;
    r.col[OutputRow::HAngle] = unsignedHorizontalAngle(d.ex, d.ey, thetaDeg);
    r.col[OutputRow::VAngle] = std::asin(d.sinPhi) * 180.0 / kPi;
    r.col[OutputRow::Speed] = d.speedRaw;
    r.col[OutputRow::Time] = s[State::Time];
    r.col[OutputRow::CMax] = std::min(1.0, centrelineFactor(d.row.lineWeight) / d.dilution);
    r.col[OutputRow::CAvg] = 1.0 / d.dilution;
    r.col[OutputRow::Dilution] = d.dilution;
    rows.push_back(r);
  }
  // Thickness: the arc length to the next row; the last row repeats the one
  // before; never 0 (a single row, or a zero arc, takes the element's h).
  for (std::size_t i = 0; i < n; ++i) {
    double th = 0.0;
    if (i + 1 < n)
      th = t.points[i + 1].state[State::Arc] - t.points[i].state[State::Arc];
    else if (i > 0)
      th = rows[i - 1][OutputRow::Thickness];
    if (!(th > 0.0))
      th = t.points[i].derived.thickness;
    rows[i].col[OutputRow::Thickness] = th;
  }
  return rows;
}

JetResult computeJet(const JetInput& jet, const IntegratorOptions& options)
{
  JetResult r;
  r.rejection = rejectionReason(jet);
  if (r.rejected())
    return r;

  r.ambient = Ambient(jet.profile);
  r.effluentDensity = densityKgM3(jet.effluentValue, jet.effluentTemperature);
  r.ambientDensity = r.ambient.density(jet.depth);
  r.source = sourceQuantities(jet.flow, jet.diameter, r.effluentDensity, r.ambientDensity,
                              jet.currentSpeed);

  const double Uj = r.source.jetVelocity;
  r.setting.ambient = &r.ambient;
  r.setting.portDepth = jet.depth;
  r.setting.bedZ = -(std::max(r.ambient.deepest(), jet.depth) - jet.depth);
  r.setting.tau = kStartThicknessOverD * jet.diameter / Uj;
  r.setting.jetVelocity = Uj;
  // Buoyancy g'_0 (positive for a light effluent) against the vertical
  // direction of the discharge.
  double sinPhi0 = 0, cosPhi0 = 1;
  sinCosDegrees(jet.verticalAngle, sinPhi0, cosPhi0);
  r.setting.fountainLike = (r.ambientDensity - r.effluentDensity) * sinPhi0 < 0.0;
  r.setting.row = makePortRow(jet.ports, jet.portSpacing, jet.rowAxis, jet.diameter);

  const State start =
      startState(jet.diameter, Uj, r.effluentDensity, jet.verticalAngle, jet.horizontalAngle);
  r.trajectory =
      integrate(start, r.setting, jet.continuous, static_cast<int>(jet.maxSteps), options);
  r.rows = outputRows(r.trajectory, jet.horizontalAngle);
  // A jet whose velocity vanishes before its first row (a tiny flow through
  // a wide port, turned by its angles) has no trajectory to write: it is
  // rejected with the reason, like an input out of range, never reported
  // as computed with no rows.
  if (r.rows.empty())
    r.rejection = "Jet velocity vanished at the port";
  return r;
}

}  // namespace mardex
