// Unit tests of the pieces of mardex2k_core, each alone: density, ambient,
// source quantities (the key parameter test vector), element, entrainment,
// step rule, stop-rule helpers, number formats.
#include "Ambient.h"
#include "Constants.h"
#include "Density.h"
#include "Element.h"
#include "Entrainment.h"
#include "Integrator.h"
#include "Jet.h"
#include "NumberFormat.h"
#include "SourceQuantities.h"
#include "StopRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

using namespace mardex;

namespace {
constexpr double kSqrt2 = 1.41421356237309504880;
}

// Knudsen-Ekman: sigma-t of standard sea water S = 35, T = 10 is
// 26.95 (UNESCO tables 26.952); fresh water near 4 deg C is about 1000 kg/m^3.
TEST(JetDensity, KnudsenEkmanMatchesTableValues) {
    EXPECT_NEAR(sigmaT(35.0, 10.0), 26.95, 0.03);
    EXPECT_NEAR(sigmaT(35.0, 20.0), 24.76, 0.03);
    EXPECT_NEAR(densityKgM3(0.0, 4.0), 1000.0, 0.1);
    EXPECT_DOUBLE_EQ(densityKgM3(1.0246, 0.0), 1024.6);  // T = 0: density in g/mL
}

TEST(JetAmbient, InterpolatesLinearlyAndHoldsBeyondTheRows) {
    Ambient a({{2.0, 1.020, 0, 0.1}, {12.0, 1.025, 0, 0.3}});
    EXPECT_DOUBLE_EQ(a.density(0.0), 1020.0);
    EXPECT_DOUBLE_EQ(a.density(2.0), 1020.0);
    EXPECT_NEAR(a.density(7.0), 1022.5, 1e-9);
    EXPECT_DOUBLE_EQ(a.density(50.0), 1025.0);
    EXPECT_NEAR(a.current(4.5), 0.15, 1e-12);
    EXPECT_DOUBLE_EQ(a.current(-3.0), 0.1);
    EXPECT_DOUBLE_EQ(a.deepest(), 12.0);
    // Equal depths: a step, never a division by zero.
    Ambient s({{0.0, 1.020, 0, 0}, {5.0, 1.020, 0, 0}, {5.0, 1.025, 0, 0}, {9.0, 1.025, 0, 0}});
    EXPECT_TRUE(std::isfinite(s.density(5.0)));
    EXPECT_DOUBLE_EQ(s.density(6.0), 1025.0);
}

// Key parameters: the source-quantity test vector, to 1e-4 relative.
TEST(JetSourceQuantities, TestVectorOfNote32To1eMinus4) {
    const SourceQuantities q = sourceQuantities(0.0138, 0.1, 1000.0, 1024.6, 0.05);
    const auto rel = [](double got, double want) { return std::fabs(got - want) / std::fabs(want); };
    EXPECT_LT(rel(q.jetVelocity, 1.75707), 1e-4);
    EXPECT_LT(rel(q.momentumFlux, 0.024248), 1e-4);
    EXPECT_LT(rel(q.reducedGravity, 0.235530), 1e-4);
    EXPECT_LT(rel(q.buoyancyFlux, 3.2503e-3), 1e-4);
    EXPECT_LT(rel(q.densimetricFroude, 11.449), 1e-4);
    EXPECT_LT(rel(q.lQ, 0.08862), 1e-4);
    EXPECT_LT(rel(q.lm, 3.1143), 1e-4);
    EXPECT_LT(rel(q.lb, 26.003), 1e-4);
    EXPECT_LT(rel(q.lM, 1.0778), 1e-4);
    EXPECT_LT(rel(q.lQ_lm, 0.08862 / 3.1143), 1e-4);
    EXPECT_LT(rel(q.lm_lb, 3.1143 / 26.003), 1e-4);
    EXPECT_LT(rel(q.velocityRatio, 1.75707 / 0.05), 1e-4);
}

TEST(JetSourceQuantities, InfiniteScalesAreWrittenAs1E10) {
    // No current and no buoyancy.
    const SourceQuantities q = sourceQuantities(0.0138, 0.1, 1024.6, 1024.6, 0.0);
    EXPECT_EQ(q.densimetricFroude, kInfiniteScale);
    EXPECT_EQ(q.lm, kInfiniteScale);
    EXPECT_EQ(q.lb, kInfiniteScale);
    EXPECT_EQ(q.lM, kInfiniteScale);
    EXPECT_EQ(q.velocityRatio, kInfiniteScale);
    EXPECT_EQ(q.lm_lb, kInfiniteScale);
    EXPECT_EQ(q.lQ_lm, 0.0);
    // A dense effluent: negative g'_0 and B_j, positive length scales.
    const SourceQuantities d = sourceQuantities(0.0138, 0.1, 1050.0, 1025.0, 0.05);
    EXPECT_LT(d.reducedGravity, 0.0);
    EXPECT_LT(d.buoyancyFlux, 0.0);
    EXPECT_GT(d.lM, 0.0);
    EXPECT_GT(d.densimetricFroude, 0.0);
}

TEST(JetElement, StartStateIsThePortDisk) {
    Ambient amb({{0.0, 1.0246, 0, 0}});
    const double D = 0.1, Uj = 1.75707;
    Setting where{&amb, 20.0, 0.0, 0.2 * D / Uj, 0.0, false, {}};
    const State s = startState(D, Uj, 1000.0, 30.0, 45.0);
    const Derived d = derive(s, where);
    EXPECT_NEAR(d.radius, D / 2, 1e-12);
    EXPECT_NEAR(d.thickness, D / 5, 1e-12);
    EXPECT_NEAR(d.speed, Uj, 1e-12);
    EXPECT_NEAR(d.density, 1000.0, 1e-9);
    EXPECT_DOUBLE_EQ(d.dilution, 1.0);
    EXPECT_NEAR(std::asin(d.sinPhi) * 180 / kPi, 30.0, 1e-9);
    EXPECT_NEAR(std::atan2(d.ey, d.ex) * 180 / kPi, 45.0, 1e-9);
    EXPECT_NEAR(d.reducedGravity, kGravity * 24.6 / 1024.6, 1e-12);
}

TEST(JetElement, DegreeSinCosIsExactAtRightAnglesAndOdd) {
    double s, c;
    sinCosDegrees(0.0, s, c);
    EXPECT_EQ(s, 0.0);
    sinCosDegrees(90.0, s, c);
    EXPECT_EQ(c, 0.0);
    EXPECT_EQ(s, 1.0);
    sinCosDegrees(-90.0, s, c);
    EXPECT_EQ(s, -1.0);
    sinCosDegrees(180.0, s, c);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(c, -1.0);
    for (double a : {12.5, 30.1, 77.7, 135.0, 179.9}) {
        double s1, c1, s2, c2;
        sinCosDegrees(a, s1, c1);
        sinCosDegrees(-a, s2, c2);
        EXPECT_EQ(s1, -s2) << a;
        EXPECT_EQ(c1, c2) << a;
    }
}

TEST(JetElement, AnglesWrapIntoHalfOpenRangeAndVerticalAxesTakeTheDischarge) {
    EXPECT_EQ(wrapDegrees(180.0), 180.0);
    EXPECT_EQ(wrapDegrees(-180.0), 180.0);
    EXPECT_EQ(wrapDegrees(190.0), -170.0);
    EXPECT_EQ(wrapDegrees(-190.0), 170.0);
    EXPECT_EQ(wrapDegrees(725.0), 5.0);
    EXPECT_EQ(wrapDegrees(-540.0), 180.0);
    // A vertical axis has no direction of its own: the discharge's, folded into 0..180.
    EXPECT_EQ(unsignedHorizontalAngle(0.0, 0.0, -90.0), 90.0);
    EXPECT_EQ(unsignedHorizontalAngle(0.0, 0.0, 270.0), 90.0);
    EXPECT_EQ(unsignedHorizontalAngle(0.0, 0.0, -180.0), 180.0);
    // Otherwise the axis projection's angle, whatever the discharge, unsigned in y.
    EXPECT_NEAR(unsignedHorizontalAngle(1.0, -1.0, 10.0), 45.0, 1e-12);
    EXPECT_NEAR(unsignedHorizontalAngle(-1.0, 0.0, 10.0), 180.0, 1e-12);
}

// Jirka (2004) in top-hat form: pure jet sqrt2*0.055, pure plume sqrt2*0.083.
TEST(JetEntrainment, ShearCoefficientLimitsOfJirka2004) {
    // Neutral jet, still water.
    EXPECT_NEAR(shearCoefficient(1025, 1025, 1.0, 0.0, 1.0, 0.5, 0.1), kSqrt2 * 0.055, 1e-12);
    // Strongly buoyant vertical plume: saturated buoyancy addition.
    EXPECT_NEAR(shearCoefficient(1025, 1000, 0.01, 0.0, 0.0, 1.0, 1.0), kSqrt2 * 0.083, 1e-12);
    // Dense rising jet: buoyancy opposes the motion, coefficient drops,
    // except on the rising limb of a jet discharged against its buoyancy,
    // which keeps the pure jet's; a buoyant one keeps its addition there.
    EXPECT_NEAR(shearCoefficient(1000, 1025, 0.01, 0.0, 0.0, 1.0, 1.0), kSqrt2 * 0.027, 1e-12);
    EXPECT_NEAR(shearCoefficient(1000, 1025, 0.01, 0.0, 0.0, 1.0, 1.0, true), kSqrt2 * 0.055, 1e-12);
    EXPECT_NEAR(shearCoefficient(1025, 1000, 0.01, 0.0, 0.0, 1.0, 1.0, true), kSqrt2 * 0.083, 1e-12);
    // Horizontal axis: no buoyancy term.
    EXPECT_NEAR(shearCoefficient(1025, 1000, 0.01, 0.0, 1.0, 0.0, 1.0), kSqrt2 * 0.055, 1e-12);
    // Linear part: alpha_p = 0.6 X below the cap.
    const double V = 1.0, b = 0.1, lam2 = 1.44;
    const double gc = kGravity * 25.0 / 1025.0 * (1 + lam2) / lam2;
    const double X = 1.0 / ((2 * V) * (2 * V) / (gc * b / kSqrt2));
    ASSERT_LT(0.6 * X, 0.028);
    EXPECT_NEAR(shearCoefficient(1025, 1000, V, 0.0, 0.0, 1.0, b), kSqrt2 * (0.055 + 0.6 * X), 1e-12);
    // Co-flow: factor 2V/(dV + V).
    EXPECT_NEAR(shearCoefficient(1025, 1025, 1.0, 0.5, 1.0, 0.0, 0.1), kSqrt2 * 0.055 * 2.0 / 1.5, 1e-12);
    // dV + V = 0.
    EXPECT_NEAR(shearCoefficient(1025, 1025, 0.0, 0.0, 1.0, 0.0, 0.1), kSqrt2 * 0.055, 1e-12);
}

TEST(JetEntrainment, ShearRateIsRhoAlphaTwoPiBHdV) {
    const double E = shearEntrainment(1025, 1025, 2.0, 0.0, 1.0, 0.0, 0.3, 0.04);
    EXPECT_NEAR(E, 1025 * kSqrt2 * 0.055 * 2 * kPi * 0.3 * 0.04 * 2.0, 1e-9);
}

// The shear velocity: with the current the harmonic mean 2 V dV/(V + dV)
// of the jet speed and the relative speed (co-flow factor 2V/(dV + V)),
// against it their arithmetic mean (V + dV)/2; the two agree at 90 degrees.
TEST(JetEntrainment, ShearVelocityWithAndAgainstTheCurrent) {
    const double with = shearCoefficient(1025, 1025, 1.0, 0.5, 0.8, 0.0, 0.1);
    EXPECT_NEAR(with, kSqrt2 * 0.055 * 2.0 / (1.0 + std::fabs(1.0 - 0.4)), 1e-12);
    EXPECT_NEAR(shearCoefficient(1025, 1025, 1.0, 0.5, -0.8, 0.0, 0.1), kSqrt2 * 0.055 * (1.0 + 1.4) / (2 * 1.4),
                1e-12);
    // E_s = rho_a alpha_s 2 pi b h dV = rho_a sqrt2 alpha 2 pi b h (V + dV)/2,
    // dV = V + U_a |e_x| = 1.5.
    EXPECT_NEAR(shearEntrainment(1025, 1025, 1.0, 0.5, -1.0, 0.0, 0.3, 0.04),
                1025 * kSqrt2 * 0.055 * 2 * kPi * 0.3 * 0.04 * 1.25, 1e-9);
    // Continuous across Psi = 90 degrees.
    EXPECT_NEAR(shearEntrainment(1025, 1025, 1.0, 0.5, 1e-9, 0.0, 0.3, 0.04),
                shearEntrainment(1025, 1025, 1.0, 0.5, -1e-9, 0.0, 0.3, 0.04), 1e-8);
}

namespace {

// An element of radius b moving at speed V along (ex, 0, ez), in water of
// density 1025 with current U, the element's own density rho.
struct Probe {
    Ambient amb;
    Setting where;
    State s;
    Derived d;
    Probe(double U, double V, double ex, double ez, double rho, double b) : amb({{0.0, 1.025, 0, U}}) {
        where = Setting{&amb, 50.0, -50.0, 0.1, 1.0, false, {}};
        const double h = where.tau * V;
        s[State::Volume] = kPi * b * b * h;
        s[State::Mass] = rho * s[State::Volume];
        s[State::Tracer] = 1e-3 * s[State::Mass];
        s[State::Px] = s[State::Mass] * V * ex;
        s[State::Pz] = s[State::Mass] * V * ez;
        d = derive(s, where);
    }
    double Fb() const { return buoyancyForce(s, d); }
    // Frick's E_f(E) with db/ds and d(cos Psi)/ds taken from the state's rates
    // under entrainment E, differentiated numerically along the motion.
    double frickAt(double E) const {
        const double dt = 1e-7;
        State r;
        r[State::Mass] = E;
        r[State::Volume] = E / d.ambientDensity;
        r[State::Px] = E * d.current;
        r[State::Pz] = Fb();
        const Derived n = derive(s.plus(r, dt), where);
        const Derived p = derive(s.plus(r, -dt), where);
        const double dbds = (n.radius - p.radius) / (2 * dt) / d.speed;
        const double dcds = (n.cosPsi - p.cosPsi) / (2 * dt) / d.speed;
        const double b = d.radius, h = d.thickness;
        return d.ambientDensity * d.current *
               (2 * b * h * d.sinPsi + kPi * b * h * d.cosPsi * dbds + 0.5 * kPi * b * b * h * dcds);
    }
};

}  // namespace

// Frick (1984) with instantaneous rates: E* satisfies E_f(E*) = E*, where
// E_f is evaluated with the growth and curvature the element has under E*.
TEST(JetEntrainment, ForcedEntrainmentIsConsistentWithItsOwnGrowth) {
    struct Case {
        double U, V, ex, ez, rho, b;
    };
    for (const Case& c : {Case{0.1, 0.12, 0.8, 0.6, 1020.0, 0.5}, Case{0.1, 0.5, 0.0, 1.0, 1000.0, 0.2},
                          Case{0.2, 0.3, 0.6, -0.8, 1030.0, 0.3}, Case{0.1, 0.4, -0.6, 0.8, 1025.0, 0.2},
                          Case{0.1, 0.15, 0.99, 0.141, 1024.0, 1.0}}) {
        Probe p(c.U, c.V, c.ex, c.ez, c.rho, c.b);
        const ForcedEntrainment f = forcedEntrainment(p.s, p.d, p.Fb());
        ASSERT_FALSE(f.fallback);
        // The linear form matches the numerical derivative at two entrainments.
        for (double E : {0.0, f.rate + 1.0}) {
            EXPECT_NEAR(f.constant + f.slope * E, p.frickAt(E), 1e-6 * (1.0 + std::fabs(p.frickAt(E))));
        }
        if (f.constant > 0) {
            EXPECT_NEAR(p.frickAt(f.rate), f.rate, 1e-6 * f.rate) << c.ex;
        }
    }
    // Far field of a bent-over plume moving with the current: A1 -> 1/2, so
    // the growth term doubles a1 (E* = 2 A0), which gives db/dz = 2/pi.
    Probe far(0.1, 0.1, 0.9999, std::sqrt(1 - 0.9999 * 0.9999), 1025.0, 1.0);
    EXPECT_NEAR(forcedEntrainment(far.s, far.d, 0.0).slope, 0.5, 1e-3);
}

TEST(JetEntrainment, ForcedEntrainmentLimits) {
    // No current; true co-flow: nothing.
    Probe still(0.0, 0.5, 0.0, 1.0, 1000.0, 0.2);
    EXPECT_EQ(forcedEntrainment(still.s, still.d, still.Fb()).rate, 0.0);
    Probe co(0.1, 0.5, 1.0, 0.0, 1025.0, 0.2);
    EXPECT_EQ(forcedEntrainment(co.s, co.d, co.Fb()).rate, 0.0);
    // Straight against the current it is not switched off as co-flow is: the
    // linear relation is evaluated (a1 = 0, so E* is 0 for a neutral jet).
    Probe against(0.1, 0.5, -1.0, 0.0, 1025.0, 0.2);
    const ForcedEntrainment a = forcedEntrainment(against.s, against.d, 0.0);
    EXPECT_LT(a.slope, 0.0);
    EXPECT_EQ(a.rate, 0.0);
    // A slow element crossing the current: A1 far above 1 (the pole of
    // A0/(1 - A1) lies between) is bounded at 2/3, so E* = 3 A0 = 3 rho_a U_a a1.
    Probe slow(0.1, 0.01, 0.0, 1.0, 1025.0, 0.2);
    const ForcedEntrainment f = forcedEntrainment(slow.s, slow.d, 0.0);
    EXPECT_GT(f.slope, 1.0);
    EXPECT_TRUE(f.fallback);
    EXPECT_NEAR(f.rate, 3 * 1025 * 0.1 * 2 * slow.d.radius * slow.d.thickness, 1e-12);
}

TEST(JetIntegrator, StepRuleIsATenthOfTheWidth) {
    Derived d;
    d.radius = 0.5;
    d.speed = 2.0;
    d.reducedGravity = 0.0;
    EXPECT_DOUBLE_EQ(timeStep(d, 0.1), 0.1 * 0.5 / 2.0);
    d.speed = 1e-9;
    d.reducedGravity = 0.2;
    EXPECT_DOUBLE_EQ(timeStep(d, 0.1), 0.1 * 0.5 / std::sqrt(0.2 * 0.5));
    d.reducedGravity = 0.0;
    EXPECT_DOUBLE_EQ(timeStep(d, 0.1), 0.1 * 0.5 / 1e-6);
    // The current bounds it where the jet itself is slow.
    d.current = 0.1;
    EXPECT_DOUBLE_EQ(timeStep(d, 0.1), 0.1 * 0.5 / 0.1);
}

TEST(JetIntegrator, RatesFollowTheElementEquations) {
    Ambient amb({{0.0, 1.025, 0, 0.1}});
    const double D = 0.2, Uj = 1.0;
    Setting where{&amb, 20.0, -5.0, 0.2 * D / Uj, Uj, false, {}};
    const State s = startState(D, Uj, 1000.0, 0.0, 90.0);
    const State r = rates(s, where);
    const Derived d = derive(s, where);
    const double E = r[State::Mass];
    EXPECT_GT(E, 0.0);
    EXPECT_DOUBLE_EQ(r[State::Volume], E / 1025.0);
    EXPECT_EQ(r[State::Tracer], 0.0);
    EXPECT_DOUBLE_EQ(r[State::Px], E * 0.1);
    EXPECT_EQ(r[State::Py], 0.0);
    EXPECT_NEAR(r[State::Pz], kGravity * (1025.0 - 1000.0) * s[State::Volume], 1e-12);
    EXPECT_DOUBLE_EQ(r[State::Y], d.uy);
    EXPECT_DOUBLE_EQ(r[State::Time], 1.0);
    // Cross-flow jet: E is the larger of the two mechanisms.
    const double Es = shearEntrainment(1025, 1000, d.speed, 0.1, d.cosPsi, d.sinPhi, d.radius, d.thickness);
    const double Ef = forcedEntrainment(s, d, buoyancyForce(s, d)).rate;
    EXPECT_GT(Ef, 0.0);
    EXPECT_DOUBLE_EQ(E, std::max(Es, Ef));
}

TEST(JetStopRules, CrossingFractionAndTexts) {
    EXPECT_DOUBLE_EQ(crossingFraction(-1.0, 3.0), 0.25);
    EXPECT_DOUBLE_EQ(crossingFraction(-1.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(crossingFraction(1.0, 3.0), 1.0);
    EXPECT_STREQ(stopText(StopReason::Surface), "Plume reached the water surface");
    EXPECT_STREQ(stopText(StopReason::Bed), "Plume hit the sea bed");
    EXPECT_STREQ(stopText(StopReason::TerminalLevel), "Plume reached its terminal level");
    EXPECT_STREQ(stopText(StopReason::MaxSteps), "Maximum number of steps reached");
    EXPECT_STREQ(stopText(StopReason::Vanished), "Jet velocity vanished");
    EXPECT_STREQ(stopText(StopReason::Beyond800m), "Plume travelled beyond 800 m");
}

TEST(JetStopRules, TerminalLevelArmsOnlyAfterTheVerticalVelocityTurned) {
    TerminalLevelWatch w;
    const auto at = [](double uz, double excess) {
        Derived d;
        d.uz = uz;
        d.ambientDensity = 1000.0 + excess;
        d.density = 1000.0;
        return d;
    };
    w.accept(at(0.0, 1.0));                // horizontal start, buoyant
    w.accept(at(0.1, 1.0));                // rising
    EXPECT_FALSE(w.check(at(0.1, -1.0)));  // passes the neutral level rising: not yet
    w.accept(at(0.1, -1.0));
    w.accept(at(-0.05, -1.0));  // turned: armed
    EXPECT_TRUE(w.armed());
    EXPECT_FALSE(w.check(at(-0.05, -0.5)));
    EXPECT_TRUE(w.check(at(-0.05, 0.2)));  // back at neutral buoyancy

    // Round-off is no sign: with U_j = 1, |w| <= 1e-6 and |rho_a - rho| <=
    // 1e-9 rho_a neither arm the watch nor fire it.
    TerminalLevelWatch n(1.0);
    n.accept(at(1e-7, 1e-7));
    n.accept(at(-1e-7, -1e-7));
    n.accept(at(1e-7, 1e-7));
    EXPECT_FALSE(n.armed());
    n.accept(at(0.1, 1.0));
    n.accept(at(-0.1, 1.0));
    EXPECT_TRUE(n.armed());
    EXPECT_FALSE(n.check(at(-0.1, -1e-7)));  // below 1e-9 rho_a: no sign yet
    EXPECT_TRUE(n.check(at(-0.1, -1e-3)));
}

// Plxdata fields: 9 characters, only digits . - E, fixed where it fits.
TEST(JetNumberFormat, Field9AlwaysNineCharactersAndRoundTrips) {
    EXPECT_EQ(formatField9(0.0), " 0.000000");
    EXPECT_EQ(formatField9(-0.0), " 0.000000");
    EXPECT_EQ(formatField9(12.232588), "12.232588");
    EXPECT_EQ(formatField9(-1234.5678), "-1234.568");
    EXPECT_EQ(formatField9(1.23e-5), "1.230E-05");
    EXPECT_EQ(formatField9(1e308), "1.000E308");
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mant(-10.0, 10.0);
    std::uniform_int_distribution<int> ex(-300, 300);
    for (int i = 0; i < 20000; ++i) {
        const double v = mant(rng) * std::pow(10.0, ex(rng) % (i % 3 == 0 ? 300 : 9));
        const std::string s = formatField9(v);
        ASSERT_EQ(s.size(), 9u) << v;
        for (char c : s) ASSERT_TRUE(c == ' ' || c == '.' || c == '-' || c == 'E' || (c >= '0' && c <= '9')) << s;
        ASSERT_NE(s.back(), ' ');
        const double back = std::strtod(s.c_str(), nullptr);
        // Fixed fields keep 4 significant digits at least; exponent fields 2.
        ASSERT_LE(std::fabs(back - v), 0.051 * std::fabs(v) + 5e-7) << v << " -> " << s;
    }
}

// Suspend values: at least 6 significant digits, no '+', 1.0E10 for infinity.
TEST(JetNumberFormat, SuspendValuesUseOnlyDigitsPointMinusE) {
    EXPECT_EQ(formatValue(1.0e10), "1.0E10");
    EXPECT_EQ(formatValue(HUGE_VAL), "1.0E10");
    EXPECT_EQ(formatValue(-0.0), "0.0");
    EXPECT_EQ(formatValue(0.0138), "0.0138");
    EXPECT_EQ(formatValue(20.0), "20.0");
    EXPECT_EQ(formatValue(1500.0), "1500.0");
    EXPECT_EQ(formatValue(2.5e-7), "2.5E-07");
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> mant(-10.0, 10.0);
    std::uniform_int_distribution<int> ex(-40, 40);
    for (int i = 0; i < 20000; ++i) {
        const double v = mant(rng) * std::pow(10.0, ex(rng));
        const std::string s = formatValue(v);
        ASSERT_LE(s.size(), 18u) << v;
        for (char c : s) ASSERT_TRUE(c == '.' || c == '-' || c == 'E' || (c >= '0' && c <= '9')) << s;
        ASSERT_LE(std::fabs(std::atof(s.c_str()) - v), 1e-6 * std::fabs(v)) << v << " -> " << s;
    }
}
