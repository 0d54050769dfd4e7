// Source quantities and length scales of a jet. They fill the
// summary table of the "Suspend" page.
#pragma once

namespace mardex {

struct SourceQuantities {
  double jetVelocity = 0;        // U_j = 4Q/(pi D^2) (m/s)
  double momentumFlux = 0;       // M_j = Q U_j (m^4/s^2)
  double reducedGravity = 0;     // g'_0 = g (rho_a0 - rho_0)/rho_a0 (m/s^2), > 0 buoyant
  double buoyancyFlux = 0;       // B_j = g'_0 Q (m^4/s^3)
  double densimetricFroude = 0;  // F_d = U_j / sqrt(|g'_0| D)
  double lQ = 0;                 // Q / M_j^(1/2) (m)
  double lm = 0;                 // M_j^(1/2) / U_a (m)
  double lb = 0;                 // |B_j| / U_a^3 (m)
  double lM = 0;                 // M_j^(3/4) / |B_j|^(1/2) (m)
  double lQ_lm = 0, lQ_lM = 0, lm_lb = 0, lM_lb = 0;  // ratios
  double velocityRatio = 0;                           // U_j / U_a
};

// Q per port (m^3/s), D (m), effluent and ambient densities at the port
// (kg/m^3), current speed U_a (m/s; its magnitude is used). A scale or ratio
// that is infinite or undefined (no current, no buoyancy) is kInfiniteScale.
SourceQuantities sourceQuantities(double flow, double diameter, double effluentDensity,
                                  double ambientDensity, double currentSpeed);

}  // namespace mardex
