// The row of ports of each outfall as the model input gives it, and the axis
// angle checked against the placement the scene uses for the ports.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "model/JetPlacement.h"
#include "model/Riser.h"
#include "run/PortRow.h"

namespace {
// An outfall with risers at the given distances holding the given number of
// ports each.
std::unique_ptr<CRiser> Outfall(const std::vector<std::pair<double, int>>& risers, double jetSpacing = 10.0) {
    auto o = std::make_unique<CRiser>();
    o->m_strName = "O";
    o->m_dJetSpacing = jetSpacing;
    for (const auto& [distance, ports] : risers) {
        auto r = std::make_unique<CBase>();
        r->m_dDistance = distance;
        for (int k = 0; k < ports; ++k) r->AppendJet(std::make_unique<CJet>());
        o->AppendRiser(std::move(r));
    }
    return o;
}

constexpr double kDeg = 3.14159265358979323846 / 180.0;
}  // namespace

TEST(PortRow, WithoutRisersThePortsOfThePipeStandAtTheJetSpacing) {
    const auto pipe = Outfall({{0.0, 6}}, 5.0);
    const PortRow row = OutfallPortRow(*pipe, true, 90.0);
    EXPECT_EQ(row.m_nPorts, 6);
    EXPECT_EQ(row.m_dSpacing, 5.0);
    EXPECT_EQ(row.m_dAxisDeg, 90.0);
    EXPECT_TRUE(row.IsActive());
    EXPECT_FALSE(row.SharesRisers());

    // The riser distances play no part without risers.
    const auto moved = Outfall({{0.0, 2}, {37.0, 3}}, 2.5);
    const PortRow both = OutfallPortRow(*moved, true, 90.0);
    EXPECT_EQ(both.m_nPorts, 5);
    EXPECT_EQ(both.m_dSpacing, 2.5);
    EXPECT_FALSE(both.SharesRisers());

    EXPECT_FALSE(OutfallPortRow(*Outfall({{0.0, 1}}, 5.0), true, 90.0).IsActive());
    EXPECT_FALSE(OutfallPortRow(*Outfall({{0.0, 4}}, 0.0), true, 90.0).IsActive());
    EXPECT_EQ(OutfallPortRow(*Outfall({{0.0, 4}}, -3.0), true, 90.0).m_dSpacing, 0.0);
    EXPECT_EQ(OutfallPortRow(*Outfall({{0.0, 4}}, NAN), true, 90.0).m_dSpacing, 0.0);
}

TEST(PortRow, OneRiserIsNoRowWhateverItsPorts) {
    const PortRow row = OutfallPortRow(*Outfall({{40.0, 4}}), false, 90.0);
    EXPECT_EQ(row.m_nPorts, 4);
    EXPECT_EQ(row.m_dSpacing, 0.0);
    EXPECT_FALSE(row.IsActive());
    EXPECT_FALSE(row.SharesRisers());
    // Risers at one place are one riser's row.
    EXPECT_FALSE(OutfallPortRow(*Outfall({{10.0, 2}, {10.0, 2}}), false, 90.0).IsActive());
    // Without a port there is no row either.
    const PortRow empty = OutfallPortRow(*Outfall({{0.0, 0}, {20.0, 0}}), false, 90.0);
    EXPECT_EQ(empty.m_nPorts, 1);
    EXPECT_FALSE(empty.IsActive());
}

TEST(PortRow, SeveralRisersSpreadTheirPortsAlongTheRiserSpacing) {
    // Risers listed out of order, 30 m apart, two ports each.
    const PortRow row = OutfallPortRow(*Outfall({{60.0, 2}, {0.0, 2}, {30.0, 2}}), false, 90.0);
    EXPECT_EQ(row.m_nPorts, 6);
    EXPECT_EQ(row.m_nRisers, 3);
    EXPECT_DOUBLE_EQ(row.m_dRiserSpacing, 30.0);
    EXPECT_DOUBLE_EQ(row.m_dSpacing, 15.0);
    EXPECT_TRUE(row.IsActive());
    EXPECT_TRUE(row.SharesRisers());

    // One port per riser: the row is the risers' own.
    const PortRow single = OutfallPortRow(*Outfall({{-10.0, 1}, {15.0, 1}, {40.0, 1}, {65.0, 1}}), false, 90.0);
    EXPECT_EQ(single.m_nPorts, 4);
    EXPECT_DOUBLE_EQ(single.m_dSpacing, 25.0);
    EXPECT_FALSE(single.SharesRisers());

    // Unequal risers: 7 ports over two spacings of 20 m; a riser without
    // ports is not part of the row.
    const PortRow mixed = OutfallPortRow(*Outfall({{0.0, 3}, {20.0, 0}, {40.0, 4}}), false, 90.0);
    EXPECT_EQ(mixed.m_nPorts, 7);
    EXPECT_EQ(mixed.m_nRisers, 2);
    EXPECT_DOUBLE_EQ(mixed.m_dRiserSpacing, 40.0);
    EXPECT_DOUBLE_EQ(mixed.m_dSpacing, 40.0 * 2 / 7);
}

TEST(PortRow, EveryOutfallHasARowOfItsOwn) {
    const auto a = Outfall({{0.0, 4}, {50.0, 4}});
    const auto b = Outfall({{0.0, 1}, {8.0, 1}, {16.0, 1}});
    const auto c = Outfall({{5.0, 3}});
    const PortRow ra = OutfallPortRow(*a, false, 30.0);
    const PortRow rb = OutfallPortRow(*b, false, 30.0);
    const PortRow rc = OutfallPortRow(*c, false, 30.0);
    EXPECT_EQ(ra.m_nPorts, 8);
    EXPECT_DOUBLE_EQ(ra.m_dSpacing, 12.5);
    EXPECT_EQ(rb.m_nPorts, 3);
    EXPECT_DOUBLE_EQ(rb.m_dSpacing, 8.0);
    EXPECT_FALSE(rc.IsActive());
    // The outfalls share the current angle, so their axes are parallel.
    EXPECT_EQ(ra.m_dAxisDeg, 30.0);
    EXPECT_EQ(rb.m_dAxisDeg, 30.0);
}

TEST(PortRow, AxisAngleFollowsTheCurrentAngleAndHasNoSense) {
    const std::pair<double, double> cases[] = {{90.0, 90.0},  {0.0, 0.0},    {180.0, 0.0},   {45.0, 45.0},
                                               {-90.0, 90.0}, {270.0, 90.0}, {-30.0, 150.0}, {135.0, 135.0},
                                               {360.0, 0.0},  {-360.0, 0.0}, {359.5, 179.5}, {-179.5, 0.5}};
    for (const auto& [current, axis] : cases) {
        SCOPED_TRACE(current);
        const double psi = OutfallAxisAngle(current);
        EXPECT_NEAR(psi, axis, 1e-12);
        EXPECT_GE(psi, 0.0);
        EXPECT_LT(psi, 180.0);
    }
}

// The scene places a port of angle theta around its riser; the pipe runs
// along the scene's z. For every current angle and port angle the angle
// between the port and the pipe in the scene must be the angle between the
// port and the row axis the model is given.
TEST(PortRow, APortNormalToTheOutfallInTheSceneIsNormalToTheAxisForTheModel) {
    CRiser outfall;
    CBase riser;
    riser.m_dBottomRadius = riser.m_dTopRadius = 2.0;
    CJet jet;
    jet.m_dPortHeight = 0.5;
    for (double current : {90.0, 0.0, 45.0, -30.0, 135.0, 270.0, 333.0}) {
        const double psi = OutfallAxisAngle(current);
        for (double theta : {0.0, 30.0, 90.0, 200.0, 315.0}) {
            SCOPED_TRACE(::testing::Message() << "current " << current << ", theta " << theta);
            JetPlacementInput in;
            in.m_dCurrentAngle = current;
            jet.m_dHAngle = theta;
            double m[16];
            ComputeJetPlacement(in, outfall, riser, 0, jet, m);
            const double across = std::fabs(jet.m_dPortPos[0]) / 2.0;  // sine of the angle to the pipe
            const double along = std::fabs(jet.m_dPortPos[2]) / 2.0;
            EXPECT_NEAR(std::fabs(std::sin((theta - psi) * kDeg)), across, 1e-9);
            EXPECT_NEAR(std::fabs(std::cos((theta - psi) * kDeg)), along, 1e-9);
        }
    }
    // With the default angle a port at theta = 0 leaves normal to the pipe.
    JetPlacementInput in;
    ASSERT_EQ(in.m_dCurrentAngle, 90.0);
    jet.m_dHAngle = 0.0;
    double m[16];
    ComputeJetPlacement(in, outfall, riser, 0, jet, m);
    EXPECT_NEAR(std::fabs(jet.m_dPortPos[0]), 2.0, 1e-9);
    EXPECT_NEAR(jet.m_dPortPos[2], 0.0, 1e-9);
    const double psi = OutfallAxisAngle(in.m_dCurrentAngle);
    EXPECT_NEAR(std::fmod(psi, 180.0), 90.0, 1e-12);
    EXPECT_NEAR(std::fabs(std::sin((0.0 - psi) * kDeg)), 1.0, 1e-12);
}
