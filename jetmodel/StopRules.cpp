#include "StopRules.h"

#include "Constants.h"

#include <cmath>

namespace mardex {

namespace {
int signOf(double v)
{
  return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
}  // namespace

const char* stopText(StopReason r)
{
  switch (r) {
  case StopReason::Surface:
    return "Plume reached the water surface";
  case StopReason::Bed:
    return "Plume hit the sea bed";
  case StopReason::TerminalLevel:
    return "Plume reached its terminal level";
  case StopReason::MaxSteps:
    return "Maximum number of steps reached";
  case StopReason::Vanished:
    return "Jet velocity vanished";
  case StopReason::Beyond800m:
    return "Plume travelled beyond 800 m";
  case StopReason::None:
    break;
  }
  return "";
}

double surfaceGap(const State& s, const Derived& d, const Setting& where)
{
  return s[State::Z] + d.radius * d.cosPhi - where.portDepth;
}

double bedGap(const State& s, const Derived& d, const Setting& where)
{
  return where.bedZ - (s[State::Z] - d.radius * d.cosPhi);
}

bool sinking(const Derived& d, const Setting& where)
{
  return d.uz < -kRealVerticalVelocity * where.jetVelocity;
}

double rangeGap(const State& s)
{
  return std::hypot(s[State::X], s[State::Y]) - kContinuousRange;
}

double buoyancyExcess(const Derived& d)
{
  return d.ambientDensity - d.density;
}

int TerminalLevelWatch::verticalSign(const Derived& d) const
{
  return std::fabs(d.uz) > wFloor_ ? signOf(d.uz) : 0;
}

int TerminalLevelWatch::excessSign(const Derived& d)
{
  const double e = buoyancyExcess(d);
  return std::fabs(e) > kRealDensityDifference * d.ambientDensity ? signOf(e) : 0;
}

bool TerminalLevelWatch::check(const Derived& d) const
{
  const int e = excessSign(d);
  return armed_ && e != 0 && lastExcess_ != 0 && e != lastExcess_;
}

void TerminalLevelWatch::accept(const Derived& d)
{
  const int w = verticalSign(d);
  if (w != 0) {
    if (lastW_ != 0 && w != lastW_)
      armed_ = true;
    lastW_ = w;
  }
  const int e = excessSign(d);
  if (e != 0)
    lastExcess_ = e;
}

double crossingFraction(double previous, double current)
{
  if (!(previous < 0.0) || !(current >= 0.0))
    return 1.0;
  const double f = previous / (previous - current);
  return (f > 0.0 && f <= 1.0) ? f : 1.0;
}

}  // namespace mardex
