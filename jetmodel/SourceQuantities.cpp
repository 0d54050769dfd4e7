#include "SourceQuantities.h"

#include "Constants.h"

#include <cmath>

namespace mardex {

namespace {
double finiteOr(double v)
{
  return std::isfinite(v) ? v : kInfiniteScale;
}
}  // namespace

SourceQuantities sourceQuantities(double Q, double D, double rho0, double rhoA, double Ua)
{
  SourceQuantities s;
  const double ua = std::fabs(Ua);
  s.jetVelocity = 4.0 * Q / (kPi * D * D);
  s.momentumFlux = Q * s.jetVelocity;
  s.reducedGravity = kGravity * (rhoA - rho0) / rhoA;
  s.buoyancyFlux = s.reducedGravity * Q;
  const double M = s.momentumFlux;
  const double B = std::fabs(s.buoyancyFlux);
  const double sqrtM = std::sqrt(M);
  // Each scale is computed in the form that stays finite when it can (a ratio
  // such as lm/lb = M^(1/2) U_a^2 / |B| is 0, not inf/inf, without a current).
  s.densimetricFroude = finiteOr(s.jetVelocity / std::sqrt(std::fabs(s.reducedGravity) * D));
  s.lQ = finiteOr(Q / sqrtM);
  s.lm = finiteOr(sqrtM / ua);
  s.lb = finiteOr(B / (ua * ua * ua));
  s.lM = finiteOr(std::pow(M, 0.75) / std::sqrt(B));
  s.lQ_lm = finiteOr(Q * ua / M);
  s.lQ_lM = finiteOr(Q * std::sqrt(B) / std::pow(M, 1.25));
  s.lm_lb = finiteOr(sqrtM * ua * ua / B);
  s.lM_lb = finiteOr(std::pow(M, 0.75) * ua * ua * ua / std::pow(B, 1.5));
  s.velocityRatio = finiteOr(s.jetVelocity / ua);
  return s;
}

}  // namespace mardex
