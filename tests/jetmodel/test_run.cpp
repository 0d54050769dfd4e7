// Whole-jet behaviour: invariants over a run, one case for each stop rule,
// step counts, step-halving convergence, the theta mirror, the output rows.
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

// The demo-like case: 30 m deep, summer stratification, weak current.
std::vector<mardex::ProfileRow> summerProfile() {
    return {{0.0, 1.0235, 0, 0.10}, {10.0, 1.0240, 0, 0.08}, {20.0, 1.0255, 0, 0.06}, {30.0, 1.0260, 0, 0.05}};
}

JetInput demoJet(double thetaDeg = 0.0) {
    return makeJet(0.12, 1.5, 1000.0, 0.0, thetaDeg, 28.0, summerProfile(), 0.0725);
}

}  // namespace

// Invariants: C constant, S c = 1, Vol (rho_a - rho) conserved in a uniform
// ambient (1e-9 relative), P_x and P_y constant in still water, y = 0 for theta = 0.
TEST(JetInvariants, TracerDilutionBuoyancyMomentumOverAWholeRun) {
    for (double phi : {0.0, 30.0, 90.0}) {
        for (double rho0 : {1000.0, 1025.0, 1040.0}) {
            JetInput j = makeJet(0.1, 1.5, rho0, phi, 0.0, 25.0, uniformProfile(1025.0, 60.0));
            const JetResult r = computeJet(j);
            ASSERT_GT(r.rows.size(), 10u);
            const State& s0 = r.trajectory.points.front().state;
            const double buoy0 = s0[State::Volume] * 1025.0 - s0[State::Mass];
            for (std::size_t i = 0; i < r.rows.size(); ++i) {
                const State& s = r.trajectory.points[i].state;
                ASSERT_EQ(s[State::Tracer], s0[State::Tracer]);
                ASSERT_NEAR(r.rows[i][OutputRow::Dilution] * r.rows[i][OutputRow::CAvg], 1.0, 1e-12);
                const double buoy = s[State::Volume] * 1025.0 - s[State::Mass];
                if (rho0 != 1025.0) {
                    ASSERT_NEAR(buoy, buoy0, 1e-9 * std::fabs(buoy0)) << "phi " << phi << " row " << i;
                }
                ASSERT_NEAR(s[State::Px], s0[State::Px], 1e-12 * std::fabs(s0[State::Px]) + 1e-15);
                ASSERT_EQ(s[State::Py], 0.0);
                ASSERT_EQ(r.rows[i][OutputRow::Y], 0.0);
            }
        }
    }
}

// theta = +90 and -90 mirror each other (y and the angles' side).
TEST(JetInvariants, ThetaPlusAndMinus90Mirror) {
    const JetResult a = computeJet(demoJet(90.0));
    const JetResult b = computeJet(demoJet(-90.0));
    ASSERT_EQ(a.rows.size(), b.rows.size());
    ASSERT_GT(a.rows.size(), 50u);
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        for (int c = 0; c < OutputRow::Count; ++c) {
            if (c == OutputRow::Y) ASSERT_EQ(a.rows[i][c], -b.rows[i][c]) << "row " << i;
            else ASSERT_EQ(a.rows[i][c], b.rows[i][c]) << "row " << i << " col " << c;
        }
    }
    EXPECT_GT(a.rows.back()[OutputRow::Y], 0.0);
    EXPECT_EQ(a.trajectory.reason, b.trajectory.reason);
}

// Output rows: the first is the port, b display cap, thickness.
TEST(JetRows, FirstRowIsThePortAndColumnsFollowTheNote) {
    const JetInput j = demoJet(30.0);
    const JetResult r = computeJet(j);
    ASSERT_GT(r.rows.size(), 2u);
    const OutputRow& first = r.rows.front();
    EXPECT_EQ(first[OutputRow::X], 0.0);
    EXPECT_EQ(first[OutputRow::Y], 0.0);
    EXPECT_EQ(first[OutputRow::Z], 0.0);
    EXPECT_DOUBLE_EQ(first[OutputRow::Radius], 0.06);
    EXPECT_DOUBLE_EQ(first[OutputRow::Dilution], 1.0);
    EXPECT_DOUBLE_EQ(first[OutputRow::CMax], 1.0);
    EXPECT_NEAR(first[OutputRow::HAngle], 30.0, 1e-9);
    EXPECT_NEAR(first[OutputRow::Speed], 1.5, 1e-12);
    const auto& P = r.trajectory.points;
    for (std::size_t i = 0; i < r.rows.size(); ++i) {
        const OutputRow& row = r.rows[i];
        EXPECT_GT(row[OutputRow::Thickness], 0.0);
        if (i + 1 < r.rows.size()) {
            EXPECT_NEAR(row[OutputRow::Thickness], P[i + 1].state[State::Arc] - P[i].state[State::Arc], 1e-12);
        }
        if (i > 0) {
            EXPECT_LE(row[OutputRow::Radius],
                      r.rows[i - 1][OutputRow::Radius] + P[i].state[State::Arc] - P[i - 1].state[State::Arc] + 1e-12);
        }
        EXPECT_LE(row[OutputRow::Radius], P[i].derived.radius);
        EXPECT_GE(row[OutputRow::HAngle], 0.0);
        EXPECT_LE(row[OutputRow::HAngle], 180.0);
        EXPECT_LE(row[OutputRow::CMax], 1.0);
        EXPECT_NEAR(row[OutputRow::CMax], std::min(1.0, mardex::kCentrelineFactor / row[OutputRow::Dilution]), 1e-12);
    }
    EXPECT_EQ(r.rows.back()[OutputRow::Thickness], r.rows[r.rows.size() - 2][OutputRow::Thickness]);
    // A vertical axis takes the discharge angle folded into 0..180.
    const JetResult v = computeJet(makeJet(0.1, 1.0, 1025.0, 90.0, -135.0, 10.0, uniformProfile(1025.0, 20.0)));
    EXPECT_NEAR(v.rows.front()[OutputRow::HAngle], 135.0, 1e-9);
}

// ---- Stop rules: one case for each text ----

TEST(JetStopRules, SurfaceReachedWithTheLastRowAtTheExactCrossing) {
    const JetInput j = makeJet(0.1, 1.0, 1000.0, 90.0, 0.0, 10.0, uniformProfile(1025.0, 20.0));
    const JetResult r = computeJet(j);
    ASSERT_EQ(r.trajectory.reason, StopReason::Surface);
    const TrajectoryPoint& last = r.trajectory.points.back();
    EXPECT_NEAR(last.state[State::Z] + last.derived.radius * last.derived.cosPhi, 10.0, 1e-3);
}

TEST(JetStopRules, SeaBedHitBySinkingDenseJet) {
    const JetInput j = makeJet(0.1, 1.0, 1040.0, -30.0, 0.0, 10.0, uniformProfile(1025.0, 14.0));
    const JetResult r = computeJet(j);
    ASSERT_EQ(r.trajectory.reason, StopReason::Bed);
    const TrajectoryPoint& last = r.trajectory.points.back();
    EXPECT_LT(last.derived.uz, 0.0);
    EXPECT_NEAR(last.state[State::Z] - last.derived.radius * last.derived.cosPhi, -4.0, 1e-3);
}

TEST(JetStopRules, TerminalLevelInStratifiedWaterAtNeutralBuoyancy) {
    const JetInput j = makeJet(0.1, 0.5, 1021.0, 0.0, 0.0, 30.0, summerProfile());
    const JetResult r = computeJet(j);
    ASSERT_EQ(r.trajectory.reason, StopReason::TerminalLevel);
    const TrajectoryPoint& last = r.trajectory.points.back();
    EXPECT_NEAR(last.derived.ambientDensity - last.derived.density, 0.0, 1e-3);
    EXPECT_GT(r.trajectory.riseHeight, last.state[State::Z]);
}

TEST(JetStopRules, MaximumNumberOfStepsCapsTheRows) {
    JetInput j = demoJet();
    j.maxSteps = 37;
    const JetResult r = computeJet(j);
    EXPECT_EQ(r.trajectory.reason, StopReason::MaxSteps);
    EXPECT_EQ(r.rows.size(), 37u);
    j.maxSteps = 1;
    EXPECT_EQ(computeJet(j).rows.size(), 1u);
}

TEST(JetStopRules, VelocityVanishesInContinuousModeAtTheSurface) {
    // A vertical jet without current loses its only momentum at the surface.
    JetInput j = makeJet(0.1, 1.0, 1000.0, 90.0, 0.0, 10.0, uniformProfile(1025.0, 20.0));
    j.continuous = true;
    const JetResult r = computeJet(j);
    ASSERT_EQ(r.trajectory.reason, StopReason::Vanished);
    for (const TrajectoryPoint& p : r.trajectory.points) EXPECT_GE(p.derived.speedRaw, mardex::kVanishingSpeed);
}

TEST(JetStopRules, ContinuousModeTravelsBeyond800m) {
    JetInput j = demoJet();
    j.continuous = true;
    const JetResult r = computeJet(j);
    ASSERT_EQ(r.trajectory.reason, StopReason::Beyond800m) << r.rows.size();
    const OutputRow& last = r.rows.back();
    EXPECT_NEAR(std::hypot(last[OutputRow::X], last[OutputRow::Y]), 800.0, 1e-6);
    // The centre stayed inside the water column.
    for (const OutputRow& row : r.rows) {
        EXPECT_LE(row[OutputRow::Z], 28.0 + 1e-9);
        EXPECT_GE(row[OutputRow::Z], -2.0 - 1e-9);
    }
}

// Step counts of ordinary cases lie between 100 and 1500.
TEST(JetSteps, OrdinaryCasesTake100To1500Steps) {
    const std::vector<JetInput> cases = {
        demoJet(0.0),
        demoJet(90.0),
        makeJet(0.1, 1.76, 1000.0, 0.0, 0.0, 20.0, uniformProfile(1024.6, 20.0, 0.05), 0.05),
        makeJet(0.15, 1.0, 1000.0, 90.0, 0.0, 30.0, uniformProfile(1025.0, 30.0)),
        makeJet(0.1, 3.0, 1050.0, 60.0, 0.0, 20.0, uniformProfile(1025.0, 25.0)),
    };
    for (const JetInput& j : cases) {
        const JetResult r = computeJet(j);
        EXPECT_GE(r.rows.size(), 100u) << mardex::stopText(r.trajectory.reason);
        EXPECT_LE(r.rows.size(), 1500u) << mardex::stopText(r.trajectory.reason);
    }
}

namespace {

// Final rows of a jet computed with step factors 0.1 and 0.05 differ by less
// than 2 % in every column but the thickness (the step length itself).
// Positions are compared relative to the distance travelled, angles to 180 deg.
void expectHalvingWithin2Percent(const JetInput& j, const char* label) {
    mardex::IntegratorOptions half;
    half.stepFactor = 0.05;
    const JetResult a = computeJet(j);
    const JetResult b = computeJet(j, half);
    ASSERT_EQ(a.trajectory.reason, b.trajectory.reason) << label;
    const OutputRow& x = a.rows.back();
    const OutputRow& y = b.rows.back();
    const double reach = std::max({std::fabs(x[0]), std::fabs(x[1]), std::fabs(x[2]), 1e-3});
    double worst = 0;
    int worstColumn = 0;
    for (int c = 0; c < OutputRow::Count; ++c) {
        if (c == OutputRow::Thickness) continue;
        double scale = std::max(std::fabs(x[c]), std::fabs(y[c]));
        if (c <= OutputRow::Z) scale = reach;
        if (c == OutputRow::HAngle || c == OutputRow::VAngle) scale = 180.0;
        const double rel = std::fabs(x[c] - y[c]) / scale;
        if (rel > worst) {
            worst = rel;
            worstColumn = c + 1;
        }
        EXPECT_LT(rel, 0.02) << label << ", column " << c + 1 << ": " << x[c] << " vs " << y[c];
    }
    std::printf("  %-40s %-34s largest change %.2f %% (column %d)\n", label, mardex::stopText(a.trajectory.reason),
                100 * worst, worstColumn);
}

}  // namespace

// Halving the step factor changes final rows by less than 2 %:
// still water (uniform and stratified) and cross-flow jets that surface or
// sink to the bed.
TEST(JetSteps, HalvingTheStepFactorChangesFinalRowsLessThan2Percent) {
    expectHalvingWithin2Percent(makeJet(0.1, 1.76, 1000.0, 0.0, 0.0, 20.0, uniformProfile(1024.6, 20.0, 0.05), 0.05),
                                "horizontal, uniform, current 0.05");
    expectHalvingWithin2Percent(makeJet(0.1, 1.76, 1000.0, 0.0, 90.0, 20.0, uniformProfile(1024.6, 20.0, 0.05), 0.05),
                                "cross-flow, uniform, current 0.05");
    expectHalvingWithin2Percent(makeJet(0.1, 0.5, 1021.0, 0.0, 0.0, 30.0, summerProfile()),
                                "horizontal, stratified, still");
    expectHalvingWithin2Percent(makeJet(0.1, 1.0, 1000.0, 90.0, 0.0, 25.0, uniformProfile(1025.0, 30.0)),
                                "vertical, uniform, still");
    expectHalvingWithin2Percent(makeJet(0.1, 3.0, 1050.0, 60.0, 0.0, 20.0, uniformProfile(1025.0, 25.0)),
                                "dense 60 deg, uniform, still");
    // Against the current: the jet stops, turns round and is carried back.
    expectHalvingWithin2Percent(makeJet(0.1, 1.0, 1020.0, 0.0, 180.0, 30.0, uniformProfile(1025.0, 60.0, 0.1), 0.1),
                                "against the current, 180 deg, buoyant");
    expectHalvingWithin2Percent(makeJet(0.1, 1.0, 1020.0, 0.0, 179.0, 30.0, uniformProfile(1025.0, 60.0, 0.1), 0.1),
                                "against the current, 179 deg, buoyant");
    expectHalvingWithin2Percent(makeJet(0.1, 0.8, 1000.0, 20.0, 150.0, 30.0, uniformProfile(1025.0, 60.0, 0.1), 0.1),
                                "against the current, 150 deg, 20 deg up");
}

// The demo-like case (summer stratification, current 0.05-0.1 m/s) trapped at
// its terminal level: there the element slows to the current speed and
// Frick's growth terms dominate the entrainment, the most step-sensitive
// regime of the model.
TEST(JetSteps, HalvingStepFactorDemoCaseAtTerminalLevelInCurrent) {
    expectHalvingWithin2Percent(demoJet(0.0), "demo-like, theta 0, terminal level");
    expectHalvingWithin2Percent(demoJet(90.0), "demo-like, theta 90, terminal level");
}

TEST(JetRejection, ReasonsInTheirCheckingOrder) {
    JetInput ok = demoJet();
    EXPECT_EQ(mardex::rejectionReason(ok), "");
    JetInput j = ok;
    j.depth = 0.0;
    EXPECT_EQ(mardex::rejectionReason(j), "Port is above the water surface");
    j = ok;
    j.depth = -0.0;
    EXPECT_EQ(mardex::rejectionReason(j), "Port is above the water surface");
    j = ok;
    j.diameter = -0.1;
    EXPECT_EQ(mardex::rejectionReason(j), "Jet diameter must be positive");
    j = ok;
    j.flow = 0.0;
    EXPECT_EQ(mardex::rejectionReason(j), "Flow must be positive");
    j = ok;
    j.profile.clear();
    EXPECT_EQ(mardex::rejectionReason(j), "No ambient profile");
    j = ok;
    j.ports = 0;
    EXPECT_EQ(mardex::rejectionReason(j), "Number of ports must be at least 1");
    for (auto change : std::vector<void (*)(JetInput&)>{
             [](JetInput& x) { x.depth = 12000.0; },
             [](JetInput& x) { x.flow = NAN; },
             [](JetInput& x) { x.horizontalAngle = INFINITY; },
             [](JetInput& x) { x.maxSteps = 6000; },
             [](JetInput& x) { x.maxSteps = 0; },
             [](JetInput& x) { x.ports = 1.5; },
             [](JetInput& x) { x.flow = 1e308; },
             [](JetInput& x) { x.effluentValue = 50.0; },    // 50 g/mL
             [](JetInput& x) { x.profile[2].depth = 5.0; },  // depths not increasing
             [](JetInput& x) { x.profile[0].current = 1e300; },
             // The current flows along +x: a negative speed is never valid.
             [](JetInput& x) { x.currentSpeed = -0.1; },
             [](JetInput& x) { x.profile[1].current = -0.05; },
         }) {
        j = ok;
        change(j);
        EXPECT_EQ(mardex::rejectionReason(j), "Value out of range");
    }
}
