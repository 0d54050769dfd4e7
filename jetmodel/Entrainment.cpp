#include "Entrainment.h"

#include "Constants.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {
constexpr double kSqrt2 = 1.41421356237309504880;
double sign(double v)
{
  return v > 0 ? 1.0 : (v < 0 ? -1.0 : 0.0);
}

// The forced entrainment of an element merged with its neighbours (Row.h),
// given the rates p E + q of dV/dt (pV, qV) and de_x/dt (pE, qE). The
// cross-section is A_N(b) with perimeter P_N = dA_N/db, so db/dt =
// (A_N/P_N)(E/(rho_a Vol) - (dV/dt)/V), a2 = (P_N h e_x/2)(db/dt)/V and
// a3 = (A_N h/2)(de_x/dt)/V: the growth and curvature terms written with Vol.
// The element presents its share W of the row's projected width, and the
// whole of it is scaled by alpha_f(w), which falls to alpha_L for a wall.
void mergedForcedEntrainment(ForcedEntrainment& out, const Derived& d, double vol, double pV,
                             double qV, double pE, double qE)
{
  const double rhoA = d.ambientDensity, Ua = d.current;
  const double b = d.radius, h = d.thickness, V = d.speed;
  const RowShape& r = d.row;
  const double perimeter = r.perimeterShare * 2.0 * kPi * b;  // P_N
  const double area = r.areaPerPerimeter * perimeter;         // A_N
  const double pB = r.areaPerPerimeter * (1.0 / (rhoA * vol) - pV / V);
  const double qB = -r.areaPerPerimeter * qV / V;
  const double c2 = 0.5 * perimeter * h * d.ex / V, c3 = 0.5 * area * h / V;
  const double a1 = r.projectedWidth * h * d.sinPsi;
  const double alpha = forcedCoefficient(r.lineWeight);
  out.constant = alpha * rhoA * Ua * (a1 + c2 * qB + c3 * qE);
  out.slope = alpha * rhoA * Ua * (c2 * pB + c3 * pE);
}

}  // namespace

double shearCoefficient(double rhoA, double rho, double V, double Ua, double cosPsi, double sinPhi,
                        double b, bool jetLikeAgainstBuoyancy)
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
  double alphaP = sign(X) * kAlphaPlumeExtra * std::min(1.0, ratio);
  // The rising limb of a jet discharged against its buoyancy mixes like a
  // pure jet until it turns (Lai & Lee 2012, from PIV): no reduction.
  if (jetLikeAgainstBuoyancy)
    alphaP = std::max(0.0, alphaP);
  // 6. top-hat coefficient. The shear velocity alpha_s dV / (sqrt 2 alpha)
  // is a mean of the jet's speed V and its speed dV relative to the current:
  // with the current (e_x >= 0) the harmonic mean 2 V dV / (V + dV) (the
  // co-flow factor 2V/(dV + V)); against it (e_x < 0, dV = V + U_a |e_x| > V)
  // the arithmetic mean (V + dV)/2. Both are V at Psi = 90 degrees. Against
  // the current the harmonic mean vanishes where the jet stops and turns,
  // which over-predicts the upstream penetration by half; the relative
  // speed alone under-predicts it by a quarter; the arithmetic mean gives
  // the measured 2.4-2.9 R D (Lam & Chan 1997).
  if (dV + V == 0.0)
    return kSqrt2 * (kAlphaJet + alphaP);
  if (cosPsi < 0.0)  // here dV >= V and dV > 0
    return kSqrt2 * (kAlphaJet + alphaP) * (V + dV) / (2.0 * dV);
  // An element slower than the current it moves with is a wake: the current
  // shears it at its own excess speed. The harmonic mean vanishes as V -> 0,
  // so an element that has come to rest against the current and is carried
  // back (a jet discharged straight against it) would entrain nothing and
  // stay at rest for as long as the step happened to leave it near V = 0. The
  // shear velocity is therefore never below dV/2, the value the arithmetic
  // mean has on the other side of the turn at V = 0; the bound acts only
  // below V = dV/3 (a quarter of the current) and vanishes with dV.
  if (4.0 * V < Ua * cosPsi)
    return kSqrt2 * (kAlphaJet + alphaP) * 0.5;
  return kSqrt2 * (kAlphaJet + alphaP) * 2.0 * V / (dV + V);
}

double shearEntrainment(double rhoA, double rho, double V, double Ua, double cosPsi, double sinPhi,
                        double b, double h, bool jetLikeAgainstBuoyancy)
{
  const double dV = std::fabs(V - Ua * cosPsi);
  const double alphaS =
      shearCoefficient(rhoA, rho, V, Ua, cosPsi, sinPhi, b, jetLikeAgainstBuoyancy);
  // 7.
  return rhoA * alphaS * 2.0 * kPi * b * h * dV;
}

ForcedEntrainment forcedEntrainment(const State& s, const Derived& d, double Fb)
{
  ForcedEntrainment out;
  const double Ua = d.current;
  if (!(Ua > 0.0) || (d.sinPsi < kCoflowSinPsi && d.ex > 0.0))
    return out;
  const double rhoA = d.ambientDensity;
  const double b = d.radius, h = d.thickness, V = d.speed;
  const double M = s[State::Mass], Vol = s[State::Volume];
  // Rates of the state for an entrainment E, each written as p E + q:
  //   dV/dt   = (E (U_a e_x - V) + F_b e_z) / M
  //   de_x/dt = (E U_a (1 - e_x^2) - e_x e_z F_b) / (M V)
  //   db/dt   = (b/2) (E / (rho_a Vol) - (dV/dt) / V)
  const double pV = (Ua * d.ex - V) / M, qV = Fb * d.ez / M;
  const double pE = Ua * (1.0 - d.ex * d.ex) / (M * V), qE = -d.ex * d.ez * Fb / (M * V);
  if (d.row.merged) {
    mergedForcedEntrainment(out, d, Vol, pV, qV, pE, qE);
  } else {
    const double pB = 0.5 * b * (1.0 / (rhoA * Vol) - pV / V), qB = -0.5 * b * qV / V;
    // a2 = pi b h e_x (db/dt)/V and a3 = (pi/2) b^2 h (de_x/dt)/V.
    const double c2 = kPi * b * h * d.ex / V, c3 = 0.5 * kPi * b * b * h / V;
    const double a1 = 2.0 * b * h * d.sinPsi;
    out.constant = rhoA * Ua * (a1 + c2 * qB + c3 * qE);
    out.slope = rhoA * Ua * (c2 * pB + c3 * pE);
  }
  // E* = A0 / (1 - A1) has a pole at A1 = 1, which a slow element turning
  // against the current reaches (A1 grows as (U_a/V)^2): there the
  // growth terms, written for a jet at least as fast as the current, lose
  // their meaning. A1 is bounded by its far-field value 1/2 (where the growth
  // term doubles a1); the bound keeps E* continuous, with no pole and no jump.
  const double slope = std::min(out.slope, kForcedSlopeLimit);
  out.fallback = out.slope > kForcedSlopeLimit;
  out.rate = std::max(0.0, out.constant / (1.0 - slope));
  return out;
}

}  // namespace mardex
