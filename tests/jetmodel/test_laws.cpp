// Published laws the model must follow. Each test fits
// coefficients over the stated range (least squares, not single points) and
// asserts the slope where the law is a power law.
#include "JetTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace jettest;
using mardex::State;
using mardex::TrajectoryPoint;

namespace {

constexpr double kRhoSea = 1025.0;

}  // namespace

// Pure jet in still uniform water (rho_0 = rho_a), 50 to 200 D:
// Q = 0.25..0.28 M^(1/2) z (+-10 %), S_c = 0.20 z/D (+-12 %), b = 0.16 z
// (+-10 %) - Fischer et al. (1979) "Mixing in Inland and Coastal Waters",
// Jirka (2004); top-hat width b = sqrt 2 times the Gaussian 0.114 z.
TEST(JetLaws, PureJetFischer1979Jirka2004_VolumeFluxDilutionWidth) {
    const double D = 0.1;
    JetInput j = makeJet(D, 2.0, kRhoSea, 90.0, 0.0, 50.0, uniformProfile(kRhoSea, 100.0));
    const JetResult r = computeJet(j);
    ASSERT_FALSE(r.rejected());
    const double sqrtM = std::sqrt(r.source.momentumFlux);
    std::vector<double> z, Q, Sc, b, zD;
    for (const TrajectoryPoint& p : r.trajectory.points) {
        const double zz = p.state[State::Z];
        if (zz < 50 * D || zz > 200 * D) continue;
        z.push_back(zz);
        zD.push_back(zz / D);
        Q.push_back(volumeFlux(r, p) / sqrtM);
        Sc.push_back(std::max(1.0, p.derived.dilution / mardex::kCentrelineFactor));
        b.push_back(p.derived.radius);
    }
    ASSERT_GT(z.size(), 20u);
    const double q = fitThroughOrigin(z, Q);
    EXPECT_GE(q, 0.25 * 0.9);
    EXPECT_LE(q, 0.28 * 1.1);
    std::printf("  Q/(M^1/2 z) fitted %.4f (law 0.25..0.28 +-10 %%)\n", q);
    expectWithin(fitThroughOrigin(zD, Sc), 0.20, 0.12, "S_c/(z/D)");
    expectWithin(fitThroughOrigin(z, b), 0.16, 0.10, "b/z");
    // Power laws of exponent 1.
    expectWithin(logLogSlope(z, Q), 1.0, 0.10, "slope d ln Q / d ln z");
    expectWithin(logLogSlope(z, Sc), 1.0, 0.10, "slope d ln S_c / d ln z");
    expectWithin(logLogSlope(z, b), 1.0, 0.10, "slope d ln b / d ln z");
}

// Pure plume (F_d = 1), z/l_M > 10: Q = 0.15 B^(1/3) z^(5/3) (+-10 %),
// S_c = 0.11 B^(1/3) z^(5/3)/Q (+-12 %) - Morton, Taylor & Turner (1956),
// Fischer et al. (1979).
TEST(JetLaws, PurePlumeMortonTaylorTurner1956_VolumeFluxAndDilution) {
    const double D = 0.1, rho0 = 1000.0;
    const double g0 = kG * (kRhoSea - rho0) / kRhoSea;
    JetInput j = makeJet(D, std::sqrt(g0 * D), rho0, 90.0, 0.0, 60.0, uniformProfile(kRhoSea, 100.0));
    const JetResult r = computeJet(j);
    ASSERT_FALSE(r.rejected());
    ASSERT_NEAR(r.source.densimetricFroude, 1.0, 1e-9);
    const double B = r.source.buoyancyFlux, lM = r.source.lM;
    std::vector<double> z, Q, X, Sc;
    for (const TrajectoryPoint& p : r.trajectory.points) {
        const double zz = p.state[State::Z];
        if (zz < 10 * lM || zz > 300 * lM) continue;
        z.push_back(zz);
        X.push_back(std::cbrt(B) * std::pow(zz, 5.0 / 3.0));
        Q.push_back(volumeFlux(r, p));
        Sc.push_back(std::max(1.0, p.derived.dilution / mardex::kCentrelineFactor) * j.flow);
    }
    ASSERT_GT(z.size(), 20u);
    expectWithin(fitThroughOrigin(X, Q), 0.15, 0.10, "Q/(B^1/3 z^5/3)");
    expectWithin(fitThroughOrigin(X, Sc), 0.11, 0.12, "S_c Q0/(B^1/3 z^5/3)");
    expectWithin(logLogSlope(z, Q), 5.0 / 3.0, 0.10, "slope d ln Q / d ln z");
    expectWithin(logLogSlope(z, Sc), 5.0 / 3.0, 0.10, "slope d ln S_c / d ln z");
}

// Plume in linearly stratified still water: maximum rise 3.8 (B/N^3)^(1/4)
// (+-10 %), terminal level 2.8 (B/N^3)^(1/4) (+-12 %) - Morton, Taylor &
// Turner (1956), Wright (1984, J. Hydraul. Eng. 110:643). Plumes with F_d = 1
// whose length (B/N^3)^(1/4) is 10 to 50 l_M (the pure-plume range); each
// case weighs alike in the fit.
TEST(JetLaws, StratifiedPlumeMortonTaylorTurner1956Wright1984_RiseAndTerminalLevel) {
    const double g0 = 0.1;
    const double rhoTop = 1020.0, rhoBottom = 1025.0, H = 100.0;
    const double N2 = kG / (0.5 * (rhoTop + rhoBottom)) * (rhoBottom - rhoTop) / H;
    std::vector<double> L, zMax, zTerm;
    for (int k = 0; k <= 8; ++k) {
        const double wanted = 10.0 * std::pow(5.0, k / 8.0);  // L/l_M from 10 to 50
        // L/l_M grows as D shrinks (F_d = 1): find D by bisection on the source scales.
        double lo = 1e-4, hi = 5.0, D = 0, Lk = 0;
        for (int it = 0; it < 60; ++it) {
            D = std::sqrt(lo * hi);
            const double Uj = std::sqrt(g0 * D);
            const auto q = mardex::sourceQuantities(Uj * kPi * D * D / 4, D, rhoBottom * (1 - g0 / kG), rhoBottom, 0.0);
            Lk = std::pow(q.buoyancyFlux / std::pow(N2, 1.5), 0.25);
            (Lk / q.lM > wanted ? lo : hi) = D;
        }
        JetInput j = makeJet(D, std::sqrt(g0 * D), rhoBottom * (1 - g0 / kG), 90.0, 0.0, H,
                             {{0.0, rhoTop / 1000, 0, 0}, {H, rhoBottom / 1000, 0, 0}});
        const JetResult r = computeJet(j);
        ASSERT_FALSE(r.rejected());
        ASSERT_EQ(r.trajectory.reason, mardex::StopReason::TerminalLevel) << "L/lM " << wanted;
        L.push_back(Lk);
        zMax.push_back(r.trajectory.riseHeight);
        zTerm.push_back(r.rows.back()[mardex::OutputRow::Z]);
        std::printf("  L/l_M %5.1f: rise %.3f L, terminal level %.3f L\n", Lk / r.source.lM, zMax.back() / Lk,
                    zTerm.back() / Lk);
    }
    expectWithin(geometricMeanRatio(L, zMax), 3.8, 0.10, "rise/(B/N^3)^1/4");
    expectWithin(geometricMeanRatio(L, zTerm), 2.8, 0.12, "terminal level/(B/N^3)^1/4");
    expectWithin(logLogSlope(L, zMax), 1.0, 0.10, "slope d ln z_max / d ln L");
    expectWithin(logLogSlope(L, zTerm), 1.0, 0.10, "slope d ln z_t / d ln L");
}
