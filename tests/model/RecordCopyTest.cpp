#include <gtest/gtest.h>

#include "model/AmbientGridLink.h"
#include "model/Riser.h"

TEST(JetCopy, AngleTurnsBySixtyAndFoldsBelow360) {
    CJet src;
    src.m_dHAngle = 330.0;
    src.m_dDiameter = 0.2;
    src.m_dFlow = 0.05;
    src.m_nVisible = 0;
    src.m_dCurrent = 0.3;
    src.m_dPortHeight = 1.7;
    src.m_dSalinity = 12.0;
    src.m_dTemperature = 15.0;
    src.m_dVAngle = 45.0;
    CJet copy;
    copy.CopyFrom(&src);
    EXPECT_DOUBLE_EQ(copy.m_dHAngle, 30.0);
    EXPECT_EQ(copy.m_dDiameter, 0.2);
    EXPECT_EQ(copy.m_dFlow, 0.05);
    EXPECT_EQ(copy.m_nVisible, 0);
    EXPECT_EQ(copy.m_dCurrent, 0.3);
    EXPECT_EQ(copy.m_dPortHeight, 1.7);
    EXPECT_EQ(copy.m_dSalinity, 12.0);
    EXPECT_EQ(copy.m_dTemperature, 15.0);
    EXPECT_EQ(copy.m_dVAngle, 45.0);

    src.m_dHAngle = 300.0;
    copy.CopyFrom(&src);
    EXPECT_DOUBLE_EQ(copy.m_dHAngle, 360.0) << "exactly 360 is not folded";
}

TEST(JetCopy, DefaultsDependOnTheScenario) {
    CJet normal(false), noRiser(true);
    EXPECT_EQ(normal.m_dPortHeight, 1.0);
    EXPECT_EQ(normal.m_dVAngle, 0.0);
    EXPECT_EQ(noRiser.m_dPortHeight, 2.0);
    EXPECT_EQ(noRiser.m_dVAngle, 90.0);
    EXPECT_EQ(normal.m_dFlow, 0.0138);
    EXPECT_EQ(normal.m_dDiameter, 0.1);
    EXPECT_EQ(normal.m_KeyParams.m_nSteps, 0);
}

TEST(RiserCopy, JetsKeepTheirDirectionAndGetNewNames) {
    CBase src;
    src.m_strName = "Riser1";
    src.m_dHeight = 3.0;
    src.m_dDistance = 40.0;
    for (double a : {330.0, 120.0}) {
        auto j = std::make_unique<CJet>();
        j->m_strName = a > 200 ? "A" : "B";
        j->m_dHAngle = a;
        src.AppendJet(std::move(j));
    }
    CBase copy;
    copy.CopyFrom(&src, false);
    ASSERT_EQ(copy.GetJetCount(), 2);
    EXPECT_DOUBLE_EQ(copy.m_Jets[0]->m_dHAngle, -30.0);
    EXPECT_DOUBLE_EQ(copy.m_Jets[1]->m_dHAngle, 120.0);
    EXPECT_EQ(copy.m_Jets[0]->m_strName, "Jet1");
    EXPECT_EQ(copy.m_Jets[1]->m_strName, "Jet2");
    EXPECT_EQ(copy.m_nCurrentJet, 1);
    EXPECT_EQ(copy.m_dHeight, 3.0);
    EXPECT_EQ(copy.m_dDistance, 0.0) << "the distance is not copied";
}

TEST(RiserCopy, NullGivesScenarioDefaultsAndOneJet) {
    CBase r;
    r.CopyFrom(nullptr, false);
    EXPECT_EQ(r.m_dTopRadius, 0.2);
    EXPECT_EQ(r.m_dBottomRadius, 0.3);
    EXPECT_EQ(r.m_dHeight, 1.0);
    ASSERT_EQ(r.GetJetCount(), 1);
    EXPECT_EQ(r.m_Jets[0]->m_strName, "Jet1");

    CBase n;
    n.CopyFrom(nullptr, true);
    EXPECT_EQ(n.m_dTopRadius, 0.0);
    EXPECT_EQ(n.m_dBottomRadius, 0.0001);
    EXPECT_EQ(n.m_dHeight, 20.0);
    EXPECT_EQ(n.m_Jets[0]->m_dVAngle, 90.0);
}

TEST(RiserGeometry, RadiusAtHeight) {
    CBase r;
    r.m_dBottomRadius = 1.5;
    r.m_dTopRadius = 1.0;
    r.m_dHeight = 1.0;
    EXPECT_DOUBLE_EQ(r.RadiusAt(1.0), 1.0);
    EXPECT_DOUBLE_EQ(r.RadiusAt(0.5), 1.25);
    r.m_dHeight = 0.0;
    EXPECT_DOUBLE_EQ(r.RadiusAt(0.5), 1.5) << "a flat riser must not divide by zero";
}

TEST(OutfallCopy, MovesTwentyMetresAndRebuildsRisersAtMinusTwenty) {
    CRiser src;
    src.m_dDepth = 33.0;
    src.m_dJetSpacing = 7.0;
    src.m_dPosition[0] = 0.0;
    for (int i = 0; i < 2; ++i) {
        auto r = std::make_unique<CBase>();
        r->m_strName = i ? "East" : "West";
        r->m_dDistance = 10.0 * i;
        r->CopyFrom(nullptr, false);
        src.AppendRiser(std::move(r));
    }
    CRiser copy;
    copy.CopyFrom(&src, false);
    EXPECT_EQ(copy.m_dPosition[0], 20.0);
    EXPECT_EQ(copy.m_dDepth, 33.0);
    EXPECT_EQ(copy.m_dJetSpacing, 10.0) << "the jet spacing is not copied";
    ASSERT_EQ(copy.GetRiserCount(), 2);
    EXPECT_EQ(copy.m_Risers[0]->m_strName, "Riser1");
    EXPECT_EQ(copy.m_Risers[1]->m_strName, "Riser2");
    EXPECT_EQ(copy.m_Risers[0]->m_dDistance, -20.0);
    EXPECT_EQ(copy.m_Risers[1]->m_dDistance, -20.0);
    EXPECT_EQ(copy.m_Risers[1]->GetJetCount(), 1);
}

namespace {
class FakeGrid : public CAmbientGridLink {
public:
    explicit FakeGrid(std::vector<double> d) : m_depths(std::move(d)) {}
    std::vector<double> DepthColumn() const override { return m_depths; }
    std::vector<double> m_depths;
};
}  // namespace

TEST(OutfallCopy, DefaultDepthIsTheSeaBedOfTheGridsProfile) {
    FakeGrid grid({0.0, 12.0, 25.0});
    CRiser o;
    o.m_pGridLink = &grid;
    o.CopyFrom(nullptr, false);
    EXPECT_EQ(o.m_dDepth, 25.0);
    EXPECT_EQ(o.m_dWidth, 1.0);

    // Within the top metre the water gets 20 m, and so does the outfall.
    grid.m_depths = {0.5};
    o.CopyFrom(nullptr, false);
    EXPECT_EQ(o.m_dDepth, 20.0);
    o.m_pGridLink = nullptr;
    o.CopyFrom(nullptr, false);
    EXPECT_EQ(o.m_dDepth, 20.0);
}
