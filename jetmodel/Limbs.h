// The two limbs of a jet discharged against its buoyancy: a dense jet
// discharged upward (or a light one downward) first moves against its
// buoyancy (the rising limb), turns, and falls back with it (the falling
// limb). Measured jets of this kind mix like a plain jet until they turn
// and rise higher and dilute more than a plain integral model says (Lai &
// Lee 2012; Roberts, Ferrier & Daviero 1997): the lower edge is unstable,
// sheds dense fluid while the jet rises and mixes strongly once it falls.
#pragma once

#include "Element.h"

namespace mardex {

enum class Limb {
  Plain,   // not a fountain-like jet: the plain equations hold
  Rising,  // buoyancy opposes the vertical motion
  Falling  // the jet has turned: buoyancy acts with the vertical motion
};

Limb limbOf(const Derived& d, const Setting& where);

// Factor on the buoyancy force in the momentum balance:
// 1 - k_b cos(phi) sin^2(phi) s on the rising limb, 1 otherwise. s in [0, 1] is the share of shear
// mixing, E_s / max(E_s, E*): shedding is a feature of the shear layer, and it has no effect on a
// jet mixed by the current (Lai & Lee 2013, Initial mixing of inclined dense jet in perpendicular
// crossflow, Environ. Fluid Mech., doi:10.1007/s10652-013-9290-7: for crossflow Froude numbers of 2
// and more).
double buoyancyForceFactor(Limb limb, const Derived& d, double shearShare);

// Factor on the shear entrainment: 1 + k_m cos(phi) on the falling limb, 1
// otherwise. (On the rising limb the shear entrainment is the jet's own:
// the buoyancy that opposes the motion does not reduce it.) The current's
// entrainment is not raised.
double shearEntrainmentFactor(Limb limb, const Derived& d);

}  // namespace mardex
