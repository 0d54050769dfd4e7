#include "Entrainment.h"

#include "Constants.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {
constexpr double kSqrt2 = 1.41421356237309504880;
double sign(double v) { return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0); }
}  // namespace

double shearCoefficient(double rhoA, double rho, double V, double Ua, double cosPsi,
                        double sinPhi, double b)
{
  // 1. excess speed over the current component along the axis
  const double Us = Ua * cosPsi;
  const double dV = std::fabs(V - Us);
  // 2. centreline reduced gravity of the Gaussian profile
  const double lambda2 = kLambda * kLambda;
  const double gc = kGravity * std::fabs(rhoA - rho) / rhoA * (1.0 + lambda2) / lambda2;
  // 3.-4. X = sign(rho_a - rho) sin(phi) / F_L^2 with F_L^2 = (2 dV)^2 / (g'_c b / sqrt 2)
  double X = 0.0;
  if (rho != rhoA && sinPhi != 0.0) {
    const double num = sign(rhoA - rho) * sinPhi * gc * b / kSqrt2;
    const double den = 4.0 * dV * dV;
    X = den > 0.0 ? num / den : sign(num) * HUGE_VAL;
  }
  // 5. buoyancy addition, capped at the pure-plume value
  const double ratio = kAlphaFroudeSlope * std::fabs(X) / kAlphaPlumeExtra;
  const double alphaP = sign(X) * kAlphaPlumeExtra * std::min(1.0, ratio);
  // 6. top-hat coefficient
  if (dV + V == 0.0)
    return kSqrt2 * kAlphaJet;
  return kSqrt2 * (kAlphaJet + alphaP) * 2.0 * V / (dV + V);
}

double shearEntrainment(double rhoA, double rho, double V, double Ua, double cosPsi,
                        double sinPhi, double b, double h)
{
  const double dV = std::fabs(V - Ua * cosPsi);
  const double alphaS = shearCoefficient(rhoA, rho, V, Ua, cosPsi, sinPhi, b);
  // 7.
  return rhoA * alphaS * 2.0 * kPi * b * h * dV;
}

double forcedEntrainment(double rhoA, double Ua, double b, double h, double cosPsi,
                         double sinPsi, double s, const FrozenStep& last)
{
  if (!(Ua > 0.0) || sinPsi < kCoflowSinPsi)
    return 0.0;
  const double a1 = 2.0 * b * h * sinPsi;
  double a2 = 0.0, a3 = 0.0;
  const double ds = s - last.arc;
  if (last.valid && ds > kMinArcForGrowth * b) {
    a2 = kPi * b * h * cosPsi * (b - last.radius) / ds;
    a3 = 0.5 * kPi * b * b * h * (cosPsi - last.cosPsi) / ds;
  }
  return rhoA * Ua * (a1 + a2 + a3);
}

}  // namespace mardex
