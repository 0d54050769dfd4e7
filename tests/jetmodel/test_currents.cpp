// Jets in a current: the far-field asymptotes of the entrainment closure,
// jets discharged against the current, and neutrally buoyant jets that must
// run on. Each check names its published source.
#include "JetTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace jettest;
using mardex::OutputRow;
using mardex::State;
using mardex::StopReason;
using mardex::TrajectoryPoint;

namespace {

constexpr double kRhoSea = 1025.0;

// Points of a trajectory whose x lies between lo and hi.
std::vector<const TrajectoryPoint*> between(const JetResult& r, double lo, double hi) {
    std::vector<const TrajectoryPoint*> out;
    for (const TrajectoryPoint& p : r.trajectory.points)
        if (p.state[State::X] >= lo && p.state[State::X] <= hi) out.push_back(&p);
    return out;
}

// Far field of a jet bent over by the current, x/scale from 200 to 400:
// fitted coefficient of z/scale = C (x/scale)^n, its slope, the top-hat
// spreading db/dz and the dilution S Q / (U_a z^2).
struct FarField {
    double coefficient = 0, slope = 0, spreading = 0, dilution = 0;
};

FarField farField(const JetResult& r, double scale, double exponent, double flow, double Ua) {
    std::vector<double> x, z, C, b, SQ, zz2;
    for (const TrajectoryPoint* p : between(r, 200 * scale, 400 * scale)) {
        const double X = p->state[State::X] / scale, Z = p->state[State::Z] / scale;
        x.push_back(X);
        z.push_back(Z);
        C.push_back(Z / std::pow(X, exponent));
        b.push_back(p->derived.radius);
        SQ.push_back(p->derived.dilution * flow);
        zz2.push_back(Ua * p->state[State::Z] * p->state[State::Z]);
    }
    FarField f;
    if (x.size() < 10) return f;
    f.coefficient = geometricMeanRatio(std::vector<double>(x.size(), 1.0), C);
    f.slope = logLogSlope(x, z);
    // db/dz from the end points of the range (both grow together).
    const double dz = (z.back() - z.front()) * scale;
    f.spreading = (b.back() - b.front()) / dz;
    f.dilution = geometricMeanRatio(zz2, SQ);
    return f;
}

double penetration(const JetResult& r) {
    double xmin = 0;
    for (const TrajectoryPoint& p : r.trajectory.points) xmin = std::min(xmin, p.state[State::X]);
    return -xmin;
}

// Largest ratio of the dilutions of two consecutive rows.
double largestDilutionJump(const JetResult& r) {
    double worst = 1.0;
    for (std::size_t i = 1; i < r.rows.size(); ++i)
        worst = std::max(worst, r.rows[i][OutputRow::Dilution] / r.rows[i - 1][OutputRow::Dilution]);
    return worst;
}

}  // namespace

// Far field of the projected-area closure (Frick 1984, Atmos. Environ.
// 18:653) with alpha_f = 1: a bent-over element of radius b = beta z moving
// with the current gives beta = 2/pi, and the line-thermal and line-puff
// solutions z/l_b = (3 pi/8)^(1/3) (x/l_b)^(2/3) = 1.056 (x/l_b)^(2/3) and
// z/l_m = (3 pi/4)^(1/3) (x/l_m)^(1/3) = 1.331 (x/l_m)^(1/3), dilution
// S Q = pi b^2 U_a = (4/pi) U_a z^2 (Lee & Chu 2003, "Turbulent Jets and
// Plumes: A Lagrangian Approach", advected line thermal and line puff).
// Approached slowly: tested at x/l_b or x/l_m of 200 to 400.
TEST(JetFarField, BuoyancyDominatedPlumeBentOverByTheCurrent) {
    // Plume source (F_d = 1) with l_m << l_b.
    const double D = 0.02, rho0 = 1000.0, Ua = 0.01;
    const double g0 = kG * (kRhoSea - rho0) / kRhoSea;
    JetInput j = makeJet(D, std::sqrt(g0 * D), rho0, 90.0, 0.0, 2000.0, uniformProfile(kRhoSea, 2000.0, Ua), Ua);
    const JetResult r = computeJet(j);
    ASSERT_FALSE(r.rejected());
    const double lb = r.source.lb;
    ASSERT_LT(r.source.lm, 0.05 * lb);
    ASSERT_GT(r.rows.back()[OutputRow::X], 400 * lb) << mardex::stopText(r.trajectory.reason);
    const FarField f = farField(r, lb, 2.0 / 3.0, j.flow, Ua);
    expectWithin(f.spreading, 2.0 / kPi, 0.10, "plume in current: db/dz");
    expectWithin(f.coefficient, 1.056, 0.10, "z/l_b / (x/l_b)^(2/3)");
    expectWithin(f.slope, 2.0 / 3.0, 0.10, "slope d ln z / d ln x (2/3)");
    expectWithin(f.dilution, 4.0 / kPi, 0.15, "plume in current: S Q/(U_a z^2)");
    EXPECT_EQ(r.trajectory.stats.forcedFallbacks, 0);
}

TEST(JetFarField, MomentumDominatedJetBentOverByTheCurrent) {
    // Neutral vertical jet across the current.
    const double D = 0.02, Ua = 0.05;
    JetInput j = makeJet(D, 1.0, kRhoSea, 90.0, 0.0, 2000.0, uniformProfile(kRhoSea, 2000.0, Ua), Ua);
    const JetResult r = computeJet(j);
    ASSERT_FALSE(r.rejected());
    const double lm = r.source.lm;
    ASSERT_GT(r.rows.back()[OutputRow::X], 400 * lm) << mardex::stopText(r.trajectory.reason);
    const FarField f = farField(r, lm, 1.0 / 3.0, j.flow, Ua);
    expectWithin(f.spreading, 2.0 / kPi, 0.10, "jet in current: db/dz");
    expectWithin(f.coefficient, 1.331, 0.15, "z/l_m / (x/l_m)^(1/3)");
    expectWithin(f.slope, 1.0 / 3.0, 0.15, "slope d ln z / d ln x (1/3)");
    expectWithin(f.dilution, 4.0 / kPi, 0.15, "jet in current: S Q/(U_a z^2)");
}

// A neutral jet discharged straight against a uniform current penetrates
// x_p = 2.4 to 2.9 R D upstream, R = U_j/U_a (Beltaos & Rajaratnam 1973;
// Lam & Chan 1997, J. Hydraul. Eng. 123; Yoda & Fiedler 1996, Exp. Fluids
// 21:427): within 15 % of 2.65 R D for R = 5 to 20.
// The centre's most upstream position is the model's penetration.
TEST(JetCounterflow, PenetrationAgainstTheCurrent) {
    const double D = 0.1, Ua = 0.1;
    std::vector<double> RD, xp;
    for (double R = 5.0; R <= 20.0 + 1e-9; R += 2.5) {
        JetInput j = makeJet(D, R * Ua, kRhoSea, 0.0, 180.0, 50.0, uniformProfile(kRhoSea, 100.0, Ua), Ua);
        j.maxSteps = 1500;
        const JetResult r = computeJet(j);
        ASSERT_FALSE(r.rejected());
        RD.push_back(R * D);
        xp.push_back(penetration(r));
        std::printf("  R %4.1f: penetration %.3f R D, largest dilution step %.3f\n", R, xp.back() / (R * D),
                    largestDilutionJump(r));
        EXPECT_NEAR(xp.back() / (R * D), 2.65, 0.15 * 2.65) << "R " << R;
        EXPECT_LT(largestDilutionJump(r), 1.10) << "R " << R;
        EXPECT_NE(r.trajectory.reason, StopReason::Vanished) << "R " << R;
    }
    expectWithin(fitThroughOrigin(RD, xp), 2.65, 0.15, "x_p/(R D) fitted");
    expectWithin(logLogSlope(RD, xp), 1.0, 0.10, "slope d ln x_p / d ln R");
}

// A neutral jet straight against the current (R = 10) comes to rest, turns
// and is carried back. Halving the step moves nothing by 2 %: neither the
// penetration, nor the end row where the jet reaches the surface, nor the
// travel time (an element left near rest by a step once lingered there for as
// long as the step decided), nor the stop when the bed lies just below the
// port (the round-off vertical velocity of a neutral jet once counted as
// sinking whenever its sign came out negative).
TEST(JetCounterflow, HalvingTheStepConvergesForANeutralJetStraightAgainstTheCurrent) {
    const double D = 0.1, Ua = 0.1, R = 10.0;
    mardex::IntegratorOptions half;
    half.stepFactor = 0.05;
    for (const double bedBelowPort : {30.0, 0.5, 1.0}) {
        const JetInput j =
            makeJet(D, R * Ua, kRhoSea, 0.0, 180.0, 2.0, uniformProfile(kRhoSea, 2.0 + bedBelowPort, Ua), Ua);
        const JetResult a = computeJet(j), b = computeJet(j, half);
        ASSERT_EQ(a.trajectory.reason, StopReason::Surface) << bedBelowPort;
        ASSERT_EQ(b.trajectory.reason, StopReason::Surface) << bedBelowPort;
        EXPECT_NEAR(penetration(b) / penetration(a), 1.0, 0.02) << bedBelowPort;
        expectWithin(penetration(a) / (R * D), 2.65, 0.15, "x_p/(R D)");
        for (int c : {OutputRow::X, OutputRow::Radius, OutputRow::Time, OutputRow::Dilution})
            EXPECT_NEAR(b.rows.back()[c] / a.rows.back()[c], 1.0, 0.02)
                << "column " << c + 1 << ", bed " << bedBelowPort;
        // It is carried back past the port before it reaches the surface.
        EXPECT_GT(a.rows.back()[OutputRow::X], 10.0) << bedBelowPort;
    }
}

// 179 and 180 degrees are the same physical jet: penetrations within 2 %,
// and no single step multiplies the dilution by more than 1.1 near the
// turning point, for neutral and buoyant jets and small vertical angles.
TEST(JetCounterflow, ContinuousAcross180DegreesWithoutDilutionJumps) {
    const double D = 0.1, Ua = 0.1;
    struct Case {
        double R, rho0, phi;
    };
    for (const Case& c : {Case{5, kRhoSea, 0}, Case{10, kRhoSea, 0}, Case{20, kRhoSea, 0}, Case{10, 1020.0, 0},
                          Case{10, kRhoSea, 10}, Case{8, 1000.0, 20}}) {
        double xp[3];
        double finalS[3];
        const double thetas[3] = {180.0, 179.0, 181.0};
        for (int k = 0; k < 3; ++k) {
            JetInput j = makeJet(D, c.R * Ua, c.rho0, c.phi, thetas[k], 30.0, uniformProfile(kRhoSea, 60.0, Ua), Ua);
            j.maxSteps = 1500;
            const JetResult r = computeJet(j);
            ASSERT_FALSE(r.rejected());
            xp[k] = penetration(r);
            finalS[k] = r.averageDilution();
            EXPECT_LT(largestDilutionJump(r), 1.10) << largestDilutionJump(r) << " at R " << c.R << " rho0 " << c.rho0
                                                    << " phi " << c.phi << " theta " << thetas[k];
        }
        EXPECT_NEAR(xp[1] / xp[0], 1.0, 0.02) << "R " << c.R << " rho0 " << c.rho0 << " phi " << c.phi;
        EXPECT_NEAR(xp[2] / xp[0], 1.0, 0.02) << "R " << c.R << " rho0 " << c.rho0 << " phi " << c.phi;
        std::printf("  R %4.1f rho0 %6.1f phi %4.1f: x_p 180/179 %.4f, final S 180 %.1f 179 %.1f\n", c.R, c.rho0, c.phi,
                    xp[0] / xp[1], finalS[0], finalS[1]);
    }
}

// No single step changes the dilution by more than 10 % for any jet aimed
// into the current: horizontal angles 120 to 180 degrees, vertical angles
// 0 to 40, velocity ratios 3 to 20, buoyant, neutral and dense effluents.
TEST(JetCounterflow, NoDilutionJumpsOverAGridOfJetsAgainstTheCurrent) {
    const double D = 0.1, Ua = 0.1;

    for (double theta : {120.0, 150.0, 170.0, 178.0, 180.0})
        for (double phi : {0.0, 10.0, 40.0})
            for (double R : {3.0, 8.0, 20.0})
                for (double rho0 : {1000.0, kRhoSea, 1030.0}) {
                    JetInput j = makeJet(D, R * Ua, rho0, phi, theta, 30.0, uniformProfile(kRhoSea, 60.0, Ua), Ua);
                    j.maxSteps = 1500;
                    const JetResult r = computeJet(j);
                    ASSERT_FALSE(r.rejected());
                    EXPECT_LT(largestDilutionJump(r), 1.10)
                        << "theta " << theta << " phi " << phi << " R " << R << " rho0 " << rho0;
                    EXPECT_NE(r.trajectory.reason, StopReason::Vanished)
                        << "theta " << theta << " phi " << phi << " R " << R << " rho0 " << rho0;
                }
}

// A neutrally buoyant jet in still uniform water runs on as a pure jet past
// 100 D and never stops at a terminal level; in a current too.
TEST(JetNeutral, NeutrallyBuoyantJetsRunOn) {
    const double D = 0.1;
    for (double Ua : {0.0, 0.1}) {
        for (double phi : {0.0, 30.0}) {
            JetInput j = makeJet(D, 1.0, kRhoSea, phi, 90.0, 200.0, uniformProfile(kRhoSea, 400.0, Ua), Ua);
            j.maxSteps = 300;
            const JetResult r = computeJet(j);
            ASSERT_FALSE(r.rejected());
            EXPECT_EQ(r.trajectory.reason, StopReason::MaxSteps) << "U_a " << Ua << " phi " << phi;
            const OutputRow& last = r.rows.back();
            const double reach =
                std::sqrt(last[OutputRow::X] * last[OutputRow::X] + last[OutputRow::Y] * last[OutputRow::Y] +
                          last[OutputRow::Z] * last[OutputRow::Z]);
            EXPECT_GT(reach, 100 * D) << "U_a " << Ua << " phi " << phi;
            if (Ua == 0.0) {
                // Still a straight pure jet: no vertical drift, centreline dilution
                // 0.20 s/D (Fischer et al. 1979), within 12 %.
                EXPECT_NEAR(last[OutputRow::VAngle], phi, 1e-2);
                EXPECT_NEAR(std::max(1.0, last[OutputRow::Dilution] / mardex::kCentrelineFactor) / (reach / D), 0.20,
                            0.12 * 0.20);
            }
        }
    }
}
