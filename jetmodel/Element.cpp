#include "Element.h"

#include "Constants.h"

#include <algorithm>
#include <cmath>

namespace mardex {

State State::plus(const State& o, double f) const
{
  State r;
  for (std::size_t i = 0; i < v.size(); ++i)
    r.v[i] = v[i] + f * o.v[i];
  return r;
}

State State::lerp(const State& a, const State& b, double f)
{
  State r;
  for (std::size_t i = 0; i < a.v.size(); ++i)
    r.v[i] = a.v[i] + f * (b.v[i] - a.v[i]);
  return r;
}

bool State::finite() const
{
  for (double x : v)
    if (!std::isfinite(x))
      return false;
  return true;
}

Derived derive(const State& s, const Setting& where)
{
  Derived d;
  const double M = s[State::Mass];
  d.ux = s[State::Px] / M;
  d.uy = s[State::Py] / M;
  d.uz = s[State::Pz] / M;
  d.speedRaw = std::sqrt(d.ux * d.ux + d.uy * d.uy + d.uz * d.uz);
  d.speed = std::max(d.speedRaw, kSpeedFloor);
  if (d.speedRaw > 0.0) {
    d.ex = d.ux / d.speedRaw;
    d.ey = d.uy / d.speedRaw;
    d.ez = d.uz / d.speedRaw;
  }
  d.density = M / s[State::Volume];
  d.thickness = where.tau * d.speed;
  const double piThickness = kPi * d.thickness;
  d.radius = std::sqrt(s[State::Volume] / piThickness);
  d.dilution = M / s[State::Tracer];
  d.sinPhi = std::clamp(d.ez, -1.0, 1.0);
  d.cosPhi = std::sqrt(std::max(0.0, 1.0 - d.sinPhi * d.sinPhi));
  d.cosPsi = std::clamp(d.ex, -1.0, 1.0);
  d.sinPsi = std::sqrt(std::max(0.0, 1.0 - d.cosPsi * d.cosPsi));
  d.depth = where.portDepth - s[State::Z];
  d.ambientDensity = where.ambient->density(d.depth);
  d.current = where.ambient->current(d.depth);
  d.reducedGravity = kGravity * std::fabs(d.ambientDensity - d.density) / d.ambientDensity;
  if (where.row.active())
    shapeInRow(where.row, d.ex, d.ey, d.sinPsi, s[State::Volume], piThickness, d.radius, d.row);
  return d;
}

double wrapDegrees(double deg)
{
  double r = std::fmod(deg, 360.0);  // (-360, 360)
  if (r > 180.0)
    r -= 360.0;
  else if (r <= -180.0)
    r += 360.0;
  return r;
}

void sinCosDegrees(double deg, double& sn, double& cs)
{
  const double r = wrapDegrees(deg);
  if (r == 0.0) {
    sn = 0.0;
    cs = 1.0;
    return;
  }
  if (r == 90.0) {
    sn = 1.0;
    cs = 0.0;
    return;
  }
  if (r == -90.0) {
    sn = -1.0;
    cs = 0.0;
    return;
  }
  if (r == 180.0) {
    sn = 0.0;
    cs = -1.0;
    return;
  }
  const double rad = r * kPi / 180.0;
  sn = std::sin(rad);
  cs = std::cos(rad);
}

State startState(double D, double Uj, double rho0, double phiDeg, double thetaDeg)
{
  double sPhi, cPhi, sTheta, cTheta;
  sinCosDegrees(phiDeg, sPhi, cPhi);
  sinCosDegrees(thetaDeg, sTheta, cTheta);
  const double b = 0.5 * D;
  const double h = kStartThicknessOverD * D;
  State s;
  s[State::Mass] = rho0 * kPi * b * b * h;
  s[State::Volume] = s[State::Mass] / rho0;
  s[State::Tracer] = s[State::Mass];
  s[State::Px] = s[State::Mass] * Uj * cPhi * cTheta;
  s[State::Py] = s[State::Mass] * Uj * cPhi * sTheta;
  s[State::Pz] = s[State::Mass] * Uj * sPhi;
  return s;
}

}  // namespace mardex
