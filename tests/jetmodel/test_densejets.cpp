// Inclined dense (negatively buoyant) jets in still uniform water against
// the published experiments, 30 to 75 degrees, F_d 10 to 40. Every length
// scales with D F_d and every dilution with F_d (Roberts, Ferrier & Daviero
// 1997). Integral models of this family under-predict the rise of the upper
// edge and the dilution of these jets: Lai & Lee (2012) report 10-15 % less
// rise and about 30 % less dilution for a Lagrangian model of the same kind,
// because the lower edge of the real jet is unstable and detrains. The
// bands below are the measured values widened by that published deviation,
// so the suite states the model's present accuracy and catches any change
// that makes it worse.
#include "JetTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

using namespace jettest;
using mardex::State;
using mardex::TrajectoryPoint;

namespace {

constexpr double kRhoSea = 1025.0;
constexpr double kD = 0.1;
constexpr double kRho0 = 1050.0;
// The model's centreline dilution is S / K_c.
constexpr double kCentreline = mardex::kCentrelineFactor;
// Ratio lambda of the concentration width to the velocity width of the
// Gaussian profiles (Jirka 2004): the concentration falls to e^-2 of its
// centreline value (the nominal boundary) at lambda times the top-hat radius.
constexpr double kLambda = mardex::kLambda;

// What the experiments measure, in units of D F_d and F_d.
struct DenseJetFigures {
    double centreRise = 0;      // largest centreline height
    double topHatEdge = 0;      // largest z + b cos(phi)
    double nominalEdge = 0;     // largest z + lambda b cos(phi)
    double returnX = -1;        // centreline back at the port level
    double returnDilution = 0;  // centreline dilution there, / F_d
    double riseDilution = 0;    // centreline dilution at the largest height, / F_d
};

DenseJetFigures denseJet(double angleDeg, double Fd) {
    const double g0 = kG * (kRho0 - kRhoSea) / kRhoSea;
    const JetResult r =
        computeJet(makeJet(kD, Fd * std::sqrt(g0 * kD), kRho0, angleDeg, 0.0, 20.0, uniformProfile(kRhoSea, 100.0)));
    EXPECT_FALSE(r.rejected());
    EXPECT_NEAR(r.source.densimetricFroude, Fd, 1e-9);
    DenseJetFigures f;
    const double L = kD * Fd;
    const auto& P = r.trajectory.points;
    bool risen = false;
    for (std::size_t i = 1; i < P.size(); ++i) {
        const TrajectoryPoint &a = P[i - 1], &p = P[i];
        const double z0 = a.state[State::Z], z1 = p.state[State::Z];
        const double half = p.derived.radius * p.derived.cosPhi;
        if (z1 / L > f.centreRise) {
            f.centreRise = z1 / L;
            f.riseDilution = p.derived.dilution / kCentreline / Fd;
        }
        f.topHatEdge = std::max(f.topHatEdge, (z1 + half) / L);
        f.nominalEdge = std::max(f.nominalEdge, (z1 + kLambda * half) / L);
        risen = risen || z1 > 0;
        if (risen && f.returnX < 0 && z0 > 0 && z1 <= 0) {
            const double w = z0 / (z0 - z1);
            f.returnX = (a.state[State::X] + w * (p.state[State::X] - a.state[State::X])) / L;
            const double S = a.derived.dilution + w * (p.derived.dilution - a.derived.dilution);
            f.returnDilution = S / kCentreline / Fd;
        }
    }
    EXPECT_GT(f.returnX, 0.0) << angleDeg << " deg, F_d " << Fd << ": never returned";
    std::printf(
        "  %2.0f deg F_d %4.1f: centre rise %.3f, edge %.3f (nominal %.3f), return %.3f"
        " D F_d; S_c at rise %.3f, at return %.3f F_d\n",
        angleDeg, Fd, f.centreRise, f.topHatEdge, f.nominalEdge, f.returnX, f.riseDilution, f.returnDilution);
    return f;
}

const std::vector<double> kFroude = {10.0, 15.0, 20.0, 30.0, 40.0};

// Mean of a figure over the Froude range, and the slope of ln(figure * F_d)
// against ln F_d (1 when the figure scales with D F_d or F_d).
struct Fit {
    double mean = 0, slope = 0;
};
template <class Get>
Fit fitOverFroude(const std::vector<DenseJetFigures>& figs, Get get) {
    std::vector<double> x, y;
    for (std::size_t i = 0; i < figs.size(); ++i) {
        x.push_back(kFroude[i]);
        y.push_back(get(figs[i]) * kFroude[i]);
    }
    return {geometricMeanRatio(x, y), logLogSlope(x, y)};
}

std::vector<DenseJetFigures> sweep(double angleDeg) {
    std::vector<DenseJetFigures> out;
    for (double Fd : kFroude) out.push_back(denseJet(angleDeg, Fd));
    return out;
}

}  // namespace

// 60 degrees. Roberts, Ferrier & Daviero (1997, J. Hydraul. Eng. 123:693):
// return to the port level at 2.4 D F_d, upper edge 2.2 D F_d, dilution at the
// return 1.6 F_d. Lai & Lee (2012, J. Hydro-environ. Res. 6:9-28): upper edge
// 2.08 D F_d, dilution at the return 1.06 F_d (38-60 degrees, F_d >= 20),
// dilution at the largest height 0.45 F_d (38-60 degrees).
TEST(DenseJets, SixtyDegreesAgainstRobertsFerrierDaviero1997AndLaiLee2012) {
    const auto figs = sweep(60.0);
    const Fit xr = fitOverFroude(figs, [](const DenseJetFigures& f) { return f.returnX; });
    expectWithin(xr.mean, 2.4, 0.10, "return point / (D F_d)");
    expectWithin(xr.slope, 1.0, 0.10, "slope d ln x_r / d ln F_d");
    // The upper edge: the model's top-hat edge is 10-25 % below the measured
    // visual edges 2.08-2.2; the nominal (e^-2) boundary 8-20 % below.
    const Fit edge = fitOverFroude(figs, [](const DenseJetFigures& f) { return f.topHatEdge; });
    EXPECT_GE(edge.mean, 0.75 * 2.2);
    EXPECT_LE(edge.mean, 1.10 * 2.2);
    expectWithin(edge.slope, 1.0, 0.10, "slope d ln z_edge / d ln F_d");
    const Fit nominal = fitOverFroude(figs, [](const DenseJetFigures& f) { return f.nominalEdge; });
    EXPECT_GT(nominal.mean, edge.mean);
    EXPECT_GE(nominal.mean, 0.80 * 2.2);
    // Dilutions: within the published 30 % under-prediction of the lower
    // measured value, and never above the highest measured value.
    for (const DenseJetFigures& f : figs) {
        EXPECT_GE(f.returnDilution, 0.70 * 1.06);
        EXPECT_LE(f.returnDilution, 1.6);
        EXPECT_GE(f.riseDilution, 0.70 * 0.45);
        EXPECT_LE(f.riseDilution, 1.15 * 0.45);
        // The jet dilutes on its way down: more at the return than at the top.
        EXPECT_GT(f.returnDilution, 2.0 * f.riseDilution);
    }
}

// 30, 45 and 75 degrees, with the formulation unchanged: every length
// scales with D F_d; the rise of the upper edge grows with the angle (Lai &
// Lee 2012: 0.44 D F_d at 15 degrees to 2.08 at 60); the return point is
// farthest between 30 and 45 degrees and comes closest at 75 (Roberts et al.
// 1997; Lai & Lee 2012); at 45 degrees the dilutions follow Lai & Lee's
// 38-60-degree values within the same published deviation as at 60.
TEST(DenseJets, ThirtyFortyFiveAndSeventyFiveDegreesWithTheSameFormulation) {
    std::vector<double> angles = {30.0, 45.0, 60.0, 75.0}, edges, returns;
    for (double angle : angles) {
        const auto figs = sweep(angle);
        const Fit xr = fitOverFroude(figs, [](const DenseJetFigures& f) { return f.returnX; });
        const Fit edge = fitOverFroude(figs, [](const DenseJetFigures& f) { return f.topHatEdge; });
        EXPECT_NEAR(xr.slope, 1.0, 0.10) << angle << " deg";
        EXPECT_NEAR(edge.slope, 1.0, 0.10) << angle << " deg";
        edges.push_back(edge.mean);
        returns.push_back(xr.mean);
        if (angle == 45.0) {
            for (const DenseJetFigures& f : figs) {
                EXPECT_GE(f.returnDilution, 0.70 * 1.06) << "45 deg";
                EXPECT_LE(f.returnDilution, 1.6) << "45 deg";
                EXPECT_GE(f.riseDilution, 0.70 * 0.45) << "45 deg";
                EXPECT_LE(f.riseDilution, 1.15 * 0.45) << "45 deg";
            }
        }
    }
    for (std::size_t i = 1; i < angles.size(); ++i)
        EXPECT_GT(edges[i], edges[i - 1]) << angles[i] << " deg rises less than " << angles[i - 1];
    EXPECT_GT(returns[0], returns[2]);  // 30 beyond 60
    EXPECT_GT(returns[1], returns[2]);  // 45 beyond 60
    EXPECT_GT(returns[2], returns[3]);  // 60 beyond 75
}
