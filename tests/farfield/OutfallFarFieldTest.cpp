// The far field of the outfalls of a case: where the wastefield starts
// (measured across the current in the placed scene), the current at its
// depth, the edge of the mixing zone and the points, and the outfalls that
// have no far field.
#include <gtest/gtest.h>

#include "base/AppState.h"
#include "farfield/AmbientCurrent.h"
#include "farfield/MixingZoneEdge.h"
#include "farfield/OutfallFarField.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
struct CaseWithEnds : ::testing::Test {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};

    // One outfall 40 m deep with two risers 50 m apart along it, one port
    // each (1 m above the bed), whose jets end 30 m down the current and
    // 20 m above their ports with a half width of 5 m.
    void SetUp() override {
        doc.SetProfile({{0.0, 35.0, 20.0, 0.2}, {40.0, 35.5, 12.0, 0.0}}, 40.0);
        doc.Create(TreeLevel::Outfall);
        doc.Create(TreeLevel::Riser);
        doc.Add(TreeLevel::Riser);
        CRiser& o = *doc.GetOutfall(0);
        o.m_dDepth = 40.0;
        const double dilution[2] = {120.0, 80.0}, time[2] = {300.0, 400.0};
        for (int r = 0; r < 2; ++r) {
            CBase& riser = *o.m_Risers[r];
            riser.m_dDistance = 50.0 * r;
            CJet& jet = *riser.m_Jets.at(0);
            jet.m_dPortHeight = 1.0;
            CJetDisk start, end;
            end.m_dX = 30.0;
            end.m_dZ = 20.0;
            end.m_dRadius = 5.0;
            end.m_dDilution = dilution[r];
            end.m_dUnnamed = time[r];
            start.m_dDilution = 1.0;
            jet.m_pDisplay->m_Disks = {start, end};
        }
    }
};
}  // namespace

TEST(AmbientCurrent, InterpolatedBetweenRowsAndHeldBeyondThem) {
    const std::vector<ProfileRow> rows = {{0.0, 35, 20, 0.2}, {10.0, 35, 20, 0.1}, {30.0, 35, 20, 0.3}};
    EXPECT_DOUBLE_EQ(CurrentAtDepth(rows, 5.0), 0.15);
    EXPECT_DOUBLE_EQ(CurrentAtDepth(rows, 25.0), 0.25);
    EXPECT_DOUBLE_EQ(CurrentAtDepth(rows, 10.0), 0.1);
    EXPECT_DOUBLE_EQ(CurrentAtDepth(rows, -1.0), 0.2);
    EXPECT_DOUBLE_EQ(CurrentAtDepth(rows, 50.0), 0.3);
    EXPECT_EQ(CurrentAtDepth({}, 5.0), 0.0);
}

TEST_F(CaseWithEnds, TheFieldSpansTheEndsAcrossTheCurrent) {
    doc.SetCurrentAngle(90.0f);  // across the outfall
    doc.PlaceJets();
    WastefieldStart s;
    ASSERT_TRUE(FindWastefieldStart(doc, *doc.GetOutfall(0), s));
    EXPECT_EQ(s.m_nJets, 2);
    EXPECT_NEAR(s.m_dWidth, 50.0 + 5.0 + 5.0, 1e-9);
    EXPECT_NEAR(s.m_dDepth, 40.0 - 1.0 - 20.0, 1e-9);
    EXPECT_NEAR(s.m_dAlong, 30.0, 1e-9);
    EXPECT_EQ(s.m_dDilution, 80.0);  // the lowest end dilution
    EXPECT_EQ(s.m_dTime, 400.0);     // the longest travel time

    // Along the outfall the two ends lie one behind the other: the field is
    // as wide as one end.
    doc.SetCurrentAngle(0.0f);
    doc.PlaceJets();
    ASSERT_TRUE(FindWastefieldStart(doc, *doc.GetOutfall(0), s));
    EXPECT_NEAR(s.m_dWidth, 10.0, 1e-9);
    EXPECT_NEAR(s.m_dAlong, 30.0, 1e-9);
}

TEST_F(CaseWithEnds, EdgeAndPointsOfTheMixingZone) {
    FarFieldSettings f;
    f.m_dMixingZone = 2000.0;
    f.m_dT90Hours = 3.0;
    f.m_dEffluentConcentration = 1e7;
    f.m_bStandardIsDilution = false;
    f.m_dStandard = 1000.0;
    f.m_Points = {{"Beach", 1200.0}, {"Pier", 10.0}};
    doc.SetFarField(f);
    doc.PlaceJets();
    const OutfallFarField r = ComputeOutfallFarField(doc, 0);
    ASSERT_EQ(r.m_eStatus, FarFieldStatus::Computed);
    EXPECT_NEAR(r.m_dCurrent, 0.2 * (1.0 - 19.0 / 40.0), 1e-12);
    // Computed apart (Python's math.erf) for b0 60 m, U 0.105 m/s, S_n 80,
    // t_n 400 s, 1970 m of far field.
    EXPECT_NEAR(r.m_Edge.m_dDilution, 733.7688169187301, 1e-8);
    EXPECT_NEAR(r.m_Edge.m_dConcentration, 229.1871729395318, 1e-8);
    EXPECT_TRUE(r.m_EdgeCheck.m_bMeets);
    EXPECT_NEAR(r.m_EdgeCheck.m_dMargin, 1000.0 / 229.1871729395318, 1e-8);
    ASSERT_EQ(r.m_Points.size(), 2u);
    EXPECT_EQ(r.m_Points[0].m_strName, "Beach");
    EXPECT_NEAR(r.m_Points[0].m_Values.m_dDilution, 401.1825914905789, 1e-8);
    EXPECT_NEAR(r.m_Points[0].m_Values.m_dConcentration, 2127.525880429777, 1e-8);
    EXPECT_FALSE(r.m_Points[0].m_Check.m_bMeets);
    EXPECT_TRUE(r.m_Points[1].m_Values.m_bInNearField);
    EXPECT_FALSE(r.m_Points[1].m_Check.m_bMeets);
    // 1000 FC/100 mL is first reached 1461.07 m from the diffuser (found apart by halving).
    EXPECT_NEAR(r.m_dStandardMetAt, 1461.0729660276209, 2e-3);
}

TEST_F(CaseWithEnds, NoFarFieldWithoutComputedJetsOrWithoutACurrent) {
    doc.PlaceJets();
    doc.SetProfile({{0.0, 35.0, 20.0, 0.0005}, {40.0, 35.5, 12.0, 0.0005}}, 40.0);
    EXPECT_EQ(ComputeOutfallFarField(doc, 0).m_eStatus, FarFieldStatus::StillCurrent);
    for (auto& r : doc.GetOutfall(0)->m_Risers) r->m_Jets.at(0)->m_pDisplay->m_Disks.clear();
    EXPECT_EQ(ComputeOutfallFarField(doc, 0).m_eStatus, FarFieldStatus::NotComputed);
    EXPECT_EQ(ComputeFarField(doc).size(), 1u);
}

// The edge lies on the water surface across the current, the mixing-zone
// distance down the current from the diffuser, as wide as the field there.
TEST_F(CaseWithEnds, TheEdgeOfTheMixingZoneInTheScene) {
    FarFieldSettings f;
    f.m_dMixingZone = 2000.0;
    doc.SetFarField(f);
    doc.SetCurrentAngle(90.0f);
    doc.PlaceJets();
    WastefieldStart s;
    ASSERT_TRUE(FindWastefieldStart(doc, *doc.GetOutfall(0), s));
    EXPECT_NEAR(s.m_dDiffuser[2], 25.0, 1e-9);  // between the risers, 50 m apart
    EXPECT_NEAR(s.m_dCurrentDir[0], 1.0, 1e-12);
    MixingZoneEdge edge;
    ASSERT_TRUE(FindMixingZoneEdge(doc, 0, edge));
    EXPECT_DOUBLE_EQ(edge.m_dFrom[1], 40.0);
    EXPECT_DOUBLE_EQ(edge.m_dTo[1], 40.0);
    EXPECT_NEAR(edge.m_dFrom[0], s.m_dDiffuser[0] + 2000.0, 1e-9);
    EXPECT_NEAR(edge.m_dTo[0], s.m_dDiffuser[0] + 2000.0, 1e-9);
    // b0 (1 + 2/3 beta x/b0)^(3/2) for b0 60 m, beta 0.2027, x 1970 m (computed apart).
    EXPECT_NEAR(edge.m_dTo[2] - edge.m_dFrom[2], 760.5340544361594, 1e-6);
    EXPECT_NEAR((edge.m_dTo[2] + edge.m_dFrom[2]) / 2.0, 25.0, 1e-9);

    doc.SetProfile({{0.0, 35.0, 20.0, 0.0}, {40.0, 35.5, 12.0, 0.0}}, 40.0);
    EXPECT_FALSE(FindMixingZoneEdge(doc, 0, edge));
}

TEST(FarFieldGrid, RunsFromTheDiffuserBeyondTheFarthestDistance) {
    FarFieldSettings f;
    f.m_Points = {{"Bay", 3000.0}};
    const std::vector<double> g = FarFieldGrid(f);
    ASSERT_GE(g.size(), 3u);
    EXPECT_EQ(g.front(), 0.0);
    EXPECT_EQ(g[1], 10.0);
    // Up to ten times the farthest point: 30 km, so the last step is 20 km.
    EXPECT_EQ(g.back(), 20000.0);
    for (std::size_t i = 1; i < g.size(); ++i) EXPECT_GT(g[i], g[i - 1]);
}
