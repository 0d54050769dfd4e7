// Entrainment of ambient water into the element: shear
// entrainment, forced entrainment by the current, and their combination.
#pragma once

#include "Element.h"

namespace mardex {

// Shear entrainment E_s (kg/s): the Gaussian closure of Jirka (2004,
// Environ. Fluid Mech. 4:1-56) in top-hat form as in Dissanayake, Gros &
// Socolofsky (2018, Environ. Fluid Mech. 18:1167-1202).
//   ambientDensity rho_a, density rho (kg/m^3); speed V (m/s); current U_a
//   (m/s); cosPsi = e_x; sinPhi = e_z; radius b and thickness h (m).
// Buoyancy that opposes the motion reduces the coefficient, except with
// jetLikeAgainstBuoyancy (the rising limb of Limbs.h).
double shearEntrainment(double ambientDensity, double density, double speed, double current,
                        double cosPsi, double sinPhi, double radius, double thickness,
                        bool jetLikeAgainstBuoyancy = false);

// The coefficient alpha_s of the shear entrainment, exposed for tests.
double shearCoefficient(double ambientDensity, double density, double speed, double current,
                        double cosPsi, double sinPhi, double radius,
                        bool jetLikeAgainstBuoyancy = false);

// Forced entrainment by the current through the projected area (Frick 1984,
// Atmospheric Environment 18:653-662), E_f = rho_a U_a (a1 + a2 + a3) with
//   a1 = 2 b h sin(Psi), a2 = pi b h cos(Psi) db/ds, a3 = (pi/2) b^2 h d(cos Psi)/ds.
// The growth and curvature rates are the element's instantaneous ones. They
// depend linearly on the entrainment E itself, E_f(E) = A0 + A1 E, so the
// value that is consistent with its own growth, E* = A0 / (1 - A1), is solved
// for directly. A1 is bounded by 1/2, its far-field value.
struct ForcedEntrainment {
  double rate = 0;        // E* (kg/s), never negative
  double constant = 0;    // A0 (kg/s)
  double slope = 0;       // A1
  bool fallback = false;  // A1 was above its bound 1/2 and was bounded
};

// Zero without a current and in true co-flow (sin(Psi) < 1e-9, e_x > 0).
// `buoyancyForce` is the vertical force F_b on the element (N).
ForcedEntrainment forcedEntrainment(const State& s, const Derived& d, double buoyancyForce);

}  // namespace mardex
