// The series the plots show are the jets' disks, placed in the case's plan,
// and the cut plane is marked where it really crosses a jet.
#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticCase.h"
#include "geometry/CutPlane.h"
#include "model/Case.h"
#include "plot/JetSeries.h"
#include "support/ScriptedPrompt.h"

namespace {
class SeriesTest : public ::testing::Test {
protected:
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};

    const CJet& JetAt(int ordinal) {
        const CJet* found = nullptr;
        int n = 0;
        m_doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
            if (n++ == ordinal) found = &j;
        });
        return *found;
    }

    // One jet rising straight at 45 degrees from its port: disk i at
    // x = z = i / 2 m, dilution 1 + i.
    void BuildStraightJet() {
        BuildSyntheticCase(m_doc, 1, 2);
        auto& disks = m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Disks;
        disks.clear();
        for (int i = 0; i < 41; ++i) {
            CJetDisk d;
            d.m_dX = d.m_dZ = 0.5 * i;
            d.m_dVAngle = std::atan(1.0);
            d.m_dRadius = 0.1 + 0.05 * i;
            d.m_dDilution = 1.0 + i;
            d.m_dMeanConc = 1.0 / d.m_dDilution;
            d.m_dMaxConc = std::min(1.0, 1.47 / d.m_dDilution);
            d.m_dVelocity = 1.0;
            disks.push_back(d);
        }
        m_doc.PlaceJets();
    }
    // Scene height and x of the straight jet's port.
    void PortInScene(double& x, double& y) {
        const double* m = m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Placement;
        x = m[3];
        y = m[7];
    }
};

TEST_F(SeriesTest, SamplesAreTheDisksOfThreeJets) {
    BuildSyntheticCase(m_doc, 5, 60);
    m_doc.PlaceJets();
    const std::vector<JetSeries> all = MakeCaseSeries(m_doc, nullptr);
    ASSERT_EQ(all.size(), 5u);
    for (int ordinal : {0, 2, 4}) {
        const JetSeries& s = all[ordinal];
        EXPECT_EQ(s.m_nOrdinal, ordinal);
        const auto& disks = JetAt(ordinal).m_pDisplay->m_Disks;
        ASSERT_EQ(s.m_Samples.size(), disks.size());
        EXPECT_EQ(s.Label(), "Riser" + std::to_string(ordinal / 2 + 1) + " / Jet" + std::to_string(ordinal % 2 + 1));
        for (std::size_t i : {std::size_t(0), std::size_t(23), disks.size() - 1}) {
            const JetSample& p = s.m_Samples[i];
            const CJetDisk& d = disks[i];
            EXPECT_DOUBLE_EQ(p.m_dHeight, d.m_dZ);
            EXPECT_DOUBLE_EQ(p.m_dHalfWidth, d.m_dRadius);
            EXPECT_DOUBLE_EQ(p.m_dAverageDilution, d.m_dDilution);
            EXPECT_NEAR(p.m_dCentreDilution, 1.0 / d.m_dMaxConc, 1e-12);
            EXPECT_DOUBLE_EQ(p.m_dVelocity, d.m_dVelocity);
            // With the default current angle the plan is the model frame
            // moved to the port.
            EXPECT_NEAR(p.m_dPlanX - s.m_Samples[0].m_dPlanX, d.m_dX - disks[0].m_dX, 1e-9);
            EXPECT_NEAR(p.m_dPlanY - s.m_Samples[0].m_dPlanY, d.m_dY - disks[0].m_dY, 1e-9);
        }
        // Path lengths grow along the jet and are at least the straight
        // distances they span.
        const CJetDisk& a = disks.front();
        const CJetDisk& b = disks.back();
        EXPECT_EQ(s.m_Samples.front().m_dPath, 0.0);
        EXPECT_GE(s.m_Samples.back().m_dPath, std::sqrt(std::pow(b.m_dX - a.m_dX, 2) + std::pow(b.m_dY - a.m_dY, 2) +
                                                        std::pow(b.m_dZ - a.m_dZ, 2)) -
                                                  1e-9);
        EXPECT_GE(s.m_Samples.back().m_dHorizontal, std::hypot(b.m_dX - a.m_dX, b.m_dY - a.m_dY) - 1e-9);
        for (std::size_t i = 1; i < s.m_Samples.size(); ++i) {
            ASSERT_GE(s.m_Samples[i].m_dPath, s.m_Samples[i - 1].m_dPath);
            ASSERT_GE(s.m_Samples[i].m_dPath, s.m_Samples[i].m_dHorizontal);
        }
    }
    // Jets of the first riser stand 20 m apart from those of the second.
    EXPECT_NEAR(all[2].m_Samples[0].m_dPlanY - all[0].m_Samples[0].m_dPlanY, -20.0, 1.0);
}

TEST_F(SeriesTest, PlanFollowsTheCurrentDirection) {
    BuildSyntheticCase(m_doc, 2, 30);
    m_doc.SetCurrentAngle(30.0f);
    m_doc.PlaceJets();
    const std::vector<JetSeries> all = MakeCaseSeries(m_doc, nullptr);
    ASSERT_EQ(all.size(), 2u);
    const double* c = all[0].m_dCurrent;
    EXPECT_NEAR(std::hypot(c[0], c[1]), 1.0, 1e-12);
    EXPECT_GT(std::fabs(c[1]), 0.5);  // turned away from the scene's x axis
    // Model x runs with the current, model y 90 degrees to its left.
    const auto& disks = JetAt(1).m_pDisplay->m_Disks;
    const JetSeries& s = all[1];
    for (std::size_t i : {std::size_t(5), std::size_t(29)}) {
        const double x = disks[i].m_dX - disks[0].m_dX, y = disks[i].m_dY - disks[0].m_dY;
        EXPECT_NEAR(s.m_Samples[i].m_dPlanX - s.m_Samples[0].m_dPlanX, x * c[0] - y * c[1], 1e-9);
        EXPECT_NEAR(s.m_Samples[i].m_dPlanY - s.m_Samples[0].m_dPlanY, x * c[1] + y * c[0], 1e-9);
    }
}

TEST_F(SeriesTest, CutPlaneMarkerSitsWhereThePlaneCrossesAStraightJet) {
    BuildStraightJet();
    double portX, portY;
    PortInScene(portX, portY);
    CCutPlane& plane = m_doc.m_CutPlane;

    // A horizontal plane 3.3 m above the port.
    m_doc.SetCutPlane(90.0, 90.0, 0.0, 0, CutPlaneKind::Horizontal, false);
    plane.m_dDistance = portY + 3.3;
    plane.ComputePlane();
    JetSeries s = MakeJetSeries(m_doc, 0, 0, 0, plane.m_dEquation);
    ASSERT_EQ(s.m_Crossings.size(), 1u);
    EXPECT_NEAR(s.m_Crossings[0].m_dHeight, 3.3, 1e-9);
    EXPECT_NEAR(s.m_Crossings[0].m_dHorizontal, 3.3, 1e-9);
    EXPECT_NEAR(s.m_Crossings[0].m_dPath, 3.3 * std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(s.m_Crossings[0].m_dAverageDilution, 1.0 + 6.6, 1e-9);

    // A vertical plane across the current, 7.25 m downstream of the port.
    m_doc.SetCutPlane(90.0, 0.0, 0.0, 0, CutPlaneKind::UserSpecified, false);
    plane.m_dDistance = portX + 7.25;
    plane.ComputePlane();
    s = MakeJetSeries(m_doc, 0, 0, 0, plane.m_dEquation);
    ASSERT_EQ(s.m_Crossings.size(), 1u);
    EXPECT_NEAR(s.m_Crossings[0].m_dHorizontal, 7.25, 1e-9);
    EXPECT_NEAR(s.m_Crossings[0].m_dHeight, 7.25, 1e-9);
    EXPECT_NEAR(s.m_Crossings[0].m_dPlanX, s.m_Samples[0].m_dPlanX + 7.25, 1e-9);
}

TEST_F(SeriesTest, PlanesThatMissTheJetMarkNothing) {
    BuildStraightJet();
    double portX, portY;
    PortInScene(portX, portY);
    CCutPlane& plane = m_doc.m_CutPlane;
    m_doc.SetCutPlane(90.0, 90.0, 0.0, 0, CutPlaneKind::Horizontal, false);
    plane.m_dDistance = portY + 25.0;  // above the jet's end at 20 m
    plane.ComputePlane();
    EXPECT_TRUE(MakeJetSeries(m_doc, 0, 0, 0, plane.m_dEquation).m_Crossings.empty());
    plane.m_dDistance = portY - 0.5;  // below the port
    plane.ComputePlane();
    EXPECT_TRUE(MakeJetSeries(m_doc, 0, 0, 0, plane.m_dEquation).m_Crossings.empty());
    // A plane through the port itself crosses once, at the port.
    plane.m_dDistance = portY;
    plane.ComputePlane();
    const JetSeries s = MakeJetSeries(m_doc, 0, 0, 0, plane.m_dEquation);
    ASSERT_EQ(s.m_Crossings.size(), 1u);
    EXPECT_NEAR(s.m_Crossings[0].m_dPath, 0.0, 1e-9);
    EXPECT_TRUE(MakeJetSeries(m_doc, 0, 0, 0, nullptr).m_Crossings.empty());
}

TEST_F(SeriesTest, SurfaceAndBedStandWhereTheModelHadThem) {
    BuildStraightJet();
    double portX, portY;
    PortInScene(portX, portY);
    // Without the model's port depth, the port's height in the scene gives it.
    JetSeries s = MakeJetSeries(m_doc, 0, 0, 0, nullptr);
    EXPECT_NEAR(s.m_dSurface, 20.0 - portY, 1e-9);
    EXPECT_NEAR(s.m_dBed, -portY, 1e-9);
    // With it, the model's own levels: surface at the port depth, bed at the
    // deepest profile row.
    m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_KeyParams.m_dDepth = 17.25;
    s = MakeJetSeries(m_doc, 0, 0, 0, nullptr);
    EXPECT_EQ(s.m_dSurface, 17.25);
    EXPECT_EQ(s.m_dBed, -(20.0 - 17.25));
}

TEST_F(SeriesTest, JetsWithoutDisksHaveNoSeries) {
    BuildSyntheticCase(m_doc, 3, 20);
    m_doc.GetOutfall(0)->GetRiser(0)->GetJet(1)->m_pDisplay->m_Disks.clear();
    m_doc.PlaceJets();
    const std::vector<JetSeries> all = MakeCaseSeries(m_doc, nullptr);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].m_nOrdinal, 0);
    EXPECT_EQ(all[1].m_nOrdinal, 2);  // keeps its place in the case
    EXPECT_EQ(CentreDilution(0.0), 0.0);
}
}  // namespace
