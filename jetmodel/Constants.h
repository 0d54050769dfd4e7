// Named constants of the jet model. Each one is defined once, here, with what
// it is and where its value comes from.
#pragma once

namespace mardex {

// Acceleration of gravity (m/s^2).
inline constexpr double kGravity = 9.81;

// Pi, to double precision.
inline constexpr double kPi = 3.14159265358979323846;

// Shear entrainment, Gaussian closure of Jirka (2004), Environmental Fluid
// Mechanics 4:1-56, used in top-hat form as in Dissanayake, Gros & Socolofsky
// (2018), Environmental Fluid Mechanics 18:1167-1202.
// Pure-jet entrainment coefficient of the Gaussian profile.
inline constexpr double kAlphaJet = 0.055;
// Largest buoyancy addition: pure-plume coefficient 0.083 minus the jet's 0.055.
inline constexpr double kAlphaPlumeExtra = 0.083 - 0.055;
// Slope of the buoyancy addition against sin(phi)/F_L^2 (Jirka 2004).
inline constexpr double kAlphaFroudeSlope = 0.6;
// Ratio of the concentration width to the velocity width of the Gaussian
// profiles (Jirka 2004).
inline constexpr double kLambda = 1.2;

// Centreline-to-average concentration ratio. The Gaussian profiles
// with lambda = 1.2 give 1.69; 1.47 is chosen so that centreline
// dilution follows both the pure-jet and the pure-plume laws.
inline constexpr double kCentrelineFactor = 1.47;

// Merging of the plumes of a row of ports (Row.h).
// Forced entrainment of a fully merged wall of plumes, as a fraction of the
// projected-area value. Calibrated on a line plume in a strong current
// perpendicular to it, S_m = 0.58 u H/q (Roberts 1979): the plain projected
// area over-predicts that dilution by about 40 %.
inline constexpr double kMergedForcedCoefficient = 0.70;
// Centreline-to-average concentration ratio of a merged line plume: plane
// Gaussian profiles with lambda = 1.2 give sqrt((1 + lambda^2)/lambda^2) (the
// round profiles give the square of it).
inline constexpr double kLineCentrelineFactor = 1.3017082793177757;  // sqrt(2.44/1.44)

// Jets discharged against their buoyancy (Limbs.h). The lower edge of an
// inclined dense jet is unstable (Lai & Lee 2012, J. Hydro-environ. Res.
// 6:9-28): while the jet rises it sheds dense fluid, which no longer weighs
// on the main flow (the reduced buoyancy flux of Oliver, Davidson & Nokes
// 2013, Desalination 309:148-155); once it has turned, the same edge mixes
// more than the shear layer of a jet. The component of gravity across the
// axis, cos(phi), drives the instability, so that a vertical fountain keeps
// the plain equations. Shed fluid leaves the jet only as the jet rises away
// from it, so the shedding also grows with the rise: it acts as
// cos(phi) sin^2(phi) and vanishes for a level axis. A jet discharged at 15
// degrees, whose short rising limb is nearly level, then sheds next to
// nothing, as measured (Lai & Lee 2012: significant detrainment only above
// 15 degrees; upper edge 0.44 D F_d). Calibrated once, on the 60-degree data
// of Roberts, Ferrier & Daviero (1997) and Lai & Lee (2012) over F_d 10 to
// 40; 15, 30, 45 and 75 degrees are checks.
// Fraction of the buoyancy force shed on the rising limb per unit of
// cos(phi) sin^2(phi) (at most 0.385, at sin^2(phi) = 2/3: 42 %).
inline constexpr double kShedBuoyancy = 1.08;
// Extra entrainment on the falling limb at cos(phi) = 1, as a fraction of E.
inline constexpr double kFallingEdgeMixing = 0.75;

// Element thickness at the start, as a fraction of the port diameter: the
// element is a disk D/5 thick. It cancels out of every result.
inline constexpr double kStartThicknessOverD = 0.2;

// Step rule: the time step makes the arc-length step about this
// fraction of the top-hat radius.
inline constexpr double kStepFactor = 0.1;
// Step rule: the mass may grow by at most this multiple of the step factor
// in one step (E dt <= 0.5 f M, 5 % at f = 0.1). Ordinary jets grow by
// 2 alpha f (1.6 %) a step; the bound acts where a slow element is swept
// across the current.
inline constexpr double kMassGrowthPerStepFactor = 0.5;
// A step whose mass grew by more than this multiple of the bound above is
// taken again with half the length, at most kMaxStepHalvings times.
inline constexpr double kStepRetryMargin = 1.5;
inline constexpr int kMaxStepHalvings = 8;
// Floor of the velocity scale of the step rule (m/s).
inline constexpr double kStepVelocityFloor = 1e-6;

// Lower bound of the element speed used in the derived quantities (m/s), 3.3.
inline constexpr double kSpeedFloor = 1e-9;

// Stop rule 5: the jet has stopped below this speed (m/s).
inline constexpr double kVanishingSpeed = 1e-6;

// Forced entrainment (Frick 1984, Atmospheric Environment 18:653-662):
// pure co-flow below this sin(Psi) (with e_x > 0).
inline constexpr double kCoflowSinPsi = 1e-9;
// Bound of the slope A1 of E_f(E) = A0 + A1 E. In the far field of a jet
// bent over by the current A1 tends to 1/2 (the growth term doubles a1);
// the bound lies above that and acts only on slow elements turning against
// the current.
inline constexpr double kForcedSlopeLimit = 2.0 / 3.0;

// Stop rule 3 counts a sign of rho_a - rho only above this fraction of rho_a
// (and a sign of w only above 1e-6 U_j): round-off is no sign change.
inline constexpr double kRealDensityDifference = 1e-9;
inline constexpr double kRealVerticalVelocity = 1e-6;

// Output: an axis whose horizontal projection is shorter than this
// (as a fraction of the unit axis) counts as vertical; its horizontal angle is
// the discharge's.
inline constexpr double kVerticalAxisTolerance = 1e-12;

// Continuous mode: the jet stops beyond this horizontal distance (m).
inline constexpr double kContinuousRange = 800.0;

// Stand-in for an infinite length scale or ratio in the summary.
inline constexpr double kInfiniteScale = 1.0e10;

// Deepest water on Earth (m): a deeper port or profile is "Value out of range"
//.
inline constexpr double kMaxDepth = 11000.0;

// Range of the maximum number of steps of UDF line 5.
inline constexpr int kMinStepCap = 1;
inline constexpr int kMaxStepCap = 5000;

}  // namespace mardex
