#include "JetInput.h"

#include "Constants.h"
#include "Density.h"

#include <cmath>

namespace mardex {

namespace {

// Bounds of an "absurd" value. They are far
// outside any outfall but keep every computation finite.
constexpr double kMinDiameter = 1.0e-4;     // m
constexpr double kMaxDiameter = 100.0;      // m
constexpr double kMinJetVelocity = 1.0e-6;  // m/s: stop rule 5 would end it at the port
constexpr double kMaxJetVelocity = 1.0e3;   // m/s
constexpr double kMaxFlow = 1.0e5;          // m^3/s per port
constexpr double kMaxPorts = 1.0e6;
constexpr double kMaxRowSpacing = 1.0e5;   // m
constexpr double kMaxAngle = 1.0e6;        // deg, any direction is allowed
constexpr double kMaxSpeed = 100.0;        // m/s, current speed
constexpr double kMinDensity = 500.0;      // kg/m^3
constexpr double kMaxDensity = 2500.0;     // kg/m^3
constexpr double kMaxSalinity = 1000.0;    // ppt
constexpr double kMinTemperature = -50.0;  // deg C
constexpr double kMaxTemperature = 200.0;  // deg C

bool finiteJet(const JetInput& j)
{
  const double v[] = {
      j.flow,         j.ports,           j.diameter, j.verticalAngle, j.depth,
      j.currentSpeed, j.horizontalAngle, j.maxSteps, j.effluentValue, j.effluentTemperature,
      j.portSpacing,  j.rowAxis};
  for (double x : v)
    if (!std::isfinite(x))
      return false;
  for (const ProfileRow& r : j.profile)
    if (!std::isfinite(r.depth) || !std::isfinite(r.value) || !std::isfinite(r.temperature) ||
        !std::isfinite(r.current))
      return false;
  return true;
}

bool densityOk(double value, double temperature)
{
  if (temperature < kMinTemperature || temperature > kMaxTemperature)
    return false;
  if (temperature != 0.0 && (value < 0.0 || value > kMaxSalinity))
    return false;
  const double rho = densityKgM3(value, temperature);
  return std::isfinite(rho) && rho >= kMinDensity && rho <= kMaxDensity;
}

}  // namespace

std::string rejectionReason(const JetInput& j)
{
  if (!finiteJet(j))
    return "Value out of range";
  if (j.depth <= 0.0)
    return "Port is above the water surface";
  if (j.diameter <= 0.0)
    return "Jet diameter must be positive";
  if (j.flow <= 0.0)
    return "Flow must be positive";
  if (j.profile.empty())
    return "No ambient profile";
  if (j.ports < 1.0)
    return "Number of ports must be at least 1";

  const char* const outOfRange = "Value out of range";
  if (j.depth > kMaxDepth || j.diameter < kMinDiameter || j.diameter > kMaxDiameter ||
      j.flow > kMaxFlow)
    return outOfRange;
  const double jetVelocity = 4.0 * j.flow / (kPi * j.diameter * j.diameter);
  if (!(jetVelocity >= kMinJetVelocity && jetVelocity <= kMaxJetVelocity))
    return outOfRange;
  if (j.ports > kMaxPorts || j.ports != std::floor(j.ports))
    return outOfRange;
  if (std::fabs(j.verticalAngle) > kMaxAngle || std::fabs(j.horizontalAngle) > kMaxAngle)
    return outOfRange;
  // A row's spacing: 0 (no row) or at least one diameter (the ports do not overlap).
  if (j.portSpacing < 0.0 || (j.portSpacing > 0.0 && j.portSpacing < j.diameter) ||
      j.portSpacing > kMaxRowSpacing || std::fabs(j.rowAxis) > kMaxAngle)
    return outOfRange;
  // The current flows along +x by definition: a speed is never negative.
  if (j.currentSpeed < 0.0 || j.currentSpeed > kMaxSpeed)
    return outOfRange;
  if (j.maxSteps < kMinStepCap || j.maxSteps > kMaxStepCap || j.maxSteps != std::floor(j.maxSteps))
    return outOfRange;
  if (!densityOk(j.effluentValue, j.effluentTemperature))
    return outOfRange;
  double lastDepth = -kMaxDepth;
  for (const ProfileRow& r : j.profile) {
    if (r.depth < lastDepth || r.depth > kMaxDepth || r.depth < -kMaxDepth)
      return outOfRange;
    lastDepth = r.depth;
    if (!densityOk(r.value, r.temperature) || r.current < 0.0 || r.current > kMaxSpeed)
      return outOfRange;
  }
  return {};
}

}  // namespace mardex
