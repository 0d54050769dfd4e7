#include "Limbs.h"

#include "Constants.h"

#include <cmath>

namespace mardex {

Limb limbOf(const Derived& d, const Setting& where)
{
  if (!where.fountainLike)
    return Limb::Plain;
  // The buoyancy force g (rho_a - rho) Vol against the vertical velocity.
  return (d.ambientDensity - d.density) * d.uz < 0.0 ? Limb::Rising : Limb::Falling;
}

double buoyancyForceFactor(Limb limb, const Derived& d, double shearShare)
{
  if (limb != Limb::Rising)
    return 1.0;
  // Driven by the gravity across the axis, carried off as the jet rises away
  // from the shed fluid: nothing for a level axis or a vertical fountain.
  return 1.0 - kShedBuoyancy * std::fabs(d.cosPhi) * d.sinPhi * d.sinPhi * shearShare;
}

double shearEntrainmentFactor(Limb limb, const Derived& d)
{
  return limb == Limb::Falling ? 1.0 + kFallingEdgeMixing * std::fabs(d.cosPhi) : 1.0;
}

}  // namespace mardex
