// Entrainment of ambient water into the element: shear
// entrainment, forced entrainment by the current, and their combination.
#pragma once

namespace mardex {

// Shear entrainment E_s (kg/s): the Gaussian closure of Jirka (2004,
// Environ. Fluid Mech. 4:1-56) in top-hat form as in Dissanayake, Gros &
// Socolofsky (2018, Environ. Fluid Mech. 18:1167-1202).
//   ambientDensity rho_a, density rho (kg/m^3); speed V (m/s); current U_a
//   (m/s); cosPsi = e_x; sinPhi = e_z; radius b and thickness h (m).
double shearEntrainment(double ambientDensity, double density, double speed, double current,
                        double cosPsi, double sinPhi, double radius, double thickness);

// The coefficient alpha_s of the shear entrainment, exposed for tests.
double shearCoefficient(double ambientDensity, double density, double speed, double current,
                        double cosPsi, double sinPhi, double radius);

// Values of the last accepted step, frozen through the Runge-Kutta stages of
// the next step. valid is false before the first accepted step.
struct FrozenStep {
  bool valid = false;
  double radius = 0;   // b_p
  double cosPsi = 1;   // cosPsi_p
  double arc = 0;      // s_p
};

// Forced entrainment E_f (kg/s) by the current through the projected area
// (Frick 1984, Atmospheric Environment 18:653-662). Zero when U_a <= 0 or in
// pure co-flow; the growth terms need a valid frozen step and an arc length
// s - s_p of more than 1e-3 b.
double forcedEntrainment(double ambientDensity, double current, double radius, double thickness,
                         double cosPsi, double sinPsi, double arc, const FrozenStep& last);

}  // namespace mardex
