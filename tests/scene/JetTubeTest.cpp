// Tube geometry of a jet display and the placement of jets in the scene.
#include <gtest/gtest.h>

#include <cmath>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/JetDispModal.h"
#include "model/JetPlacement.h"
#include "support/ScriptedPrompt.h"

namespace {
CJetDisk Disk(double x, double y, double z, double r) {
    CJetDisk d;
    d.m_dX = x;
    d.m_dY = y;
    d.m_dZ = z;
    d.m_dRadius = r;
    d.m_dVAngle = 0.0;
    d.m_dMeanConc = 0.5;
    d.m_dVelocity = 0.7;
    d.m_dThickness = 0.1;
    return d;
}

CJetDispModal StraightTube(int nDisks, int interval) {
    CJetDispModal m;
    for (int i = 0; i < nDisks; ++i) m.m_Disks.push_back(Disk(i * 1.0, 0.5, 0.0, 1.0));
    m.m_nRingInterval = interval;
    m.BuildTube(1000.0, false);
    return m;
}

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
}  // namespace

TEST(JetTube, RingsComeFromFirstLastAndEveryIntervalDisk) {
    const CJetDispModal m = StraightTube(45, 20);
    ASSERT_EQ(m.GetRingCount(), 4);
    EXPECT_EQ(m.m_Rings[0].m_nDisk, 0);
    EXPECT_EQ(m.m_Rings[1].m_nDisk, 20);
    EXPECT_EQ(m.m_Rings[2].m_nDisk, 40);
    EXPECT_EQ(m.m_Rings[3].m_nDisk, 44);
    for (const auto& r : m.m_Rings) {
        EXPECT_EQ(r.m_nVertices, 32);
        EXPECT_EQ(r.m_Vertices.size(), 32u);
    }
    // Interval 1: every disk is a ring (picking uses it).
    EXPECT_EQ(StraightTube(45, 1).GetRingCount(), 45);
}

TEST(JetTube, SingleDiskGivesOneRingAndNoDisksNone) {
    EXPECT_EQ(StraightTube(1, 20).GetRingCount(), 1);
    EXPECT_EQ(StraightTube(0, 20).GetRingCount(), 0);
    // A single ring has no faces: its normals stay finite (zero).
    const CJetDispModal one = StraightTube(1, 20);
    for (const auto& v : one.m_Rings[0].m_Vertices)
        for (double c : v.m_dNormal) EXPECT_TRUE(std::isfinite(c));
}

TEST(JetTube, HorizontalDiskRingLiesAroundItsAxisWithOutwardNormals) {
    // Identity placement, display angle 90: the disk's axis is the scene's
    // x axis and the model point (x, y, z) is the scene point (x, z, -y).
    const CJetDispModal m = StraightTube(3, 1);
    ASSERT_EQ(m.GetRingCount(), 3);
    const auto& ring = m.m_Rings[1];
    for (const auto& v : ring.m_Vertices) {
        EXPECT_NEAR(v.m_dPos[0], 1.0, 1e-9);  // all on the plane x = 1
        const double dy = v.m_dPos[1] - 0.0, dz = v.m_dPos[2] + 0.5;
        EXPECT_NEAR(std::hypot(dy, dz), 1.0, 1e-9);  // radius 1 around (1, 0, -0.5)
        // Smooth normals of a straight tube point away from its axis.
        const double radial[3] = {0.0, dy, dz};
        const double dot = v.m_dNormal[0] * radial[0] + v.m_dNormal[1] * radial[1] + v.m_dNormal[2] * radial[2];
        EXPECT_GT(std::fabs(dot), 0.9 * Length(v.m_dNormal));
        EXPECT_FLOAT_EQ(v.m_fValues[0], 0.5f);
        EXPECT_FLOAT_EQ(v.m_fValues[1], 1.0f);
        EXPECT_FLOAT_EQ(v.m_fValues[3], 0.7f);
    }
    // Face normals are unit vectors on every ring but the last.
    EXPECT_NEAR(Length(m.m_Rings[0].m_Vertices[5].m_dFaceNormal), 1.0, 1e-9);
}

TEST(JetTube, ClampFlattensAtTheWaterLineAndNudgesDisksOffTheAxis) {
    CJetDispModal m;
    m.m_Disks = {Disk(0, 0.0, 0, 1.0), Disk(1, -1.0, 2, 1.0), Disk(2, -2.0, 4, 1.0)};
    m.m_nRingInterval = 1;
    m.BuildTube(3.0, true);
    for (const auto& r : m.m_Rings)
        for (const auto& v : r.m_Vertices) EXPECT_LE(v.m_dPos[1], 3.0);
    // The first disk sat on the current axis before one on the far side.
    EXPECT_DOUBLE_EQ(m.m_Disks[0].m_dY, -0.0001);
    EXPECT_DOUBLE_EQ(m.m_Disks[1].m_dY, -1.0);
}

TEST(JetPlacement, PortAtTheDefaultCurrentAngleFacesAlongTheCurrent) {
    CRiser outfall;
    outfall.m_dDepth = 21.0;
    outfall.m_dPosition[0] = 5.0;
    CBase riser;
    riser.m_dDistance = 30.0;
    riser.m_dBottomRadius = 1.5;
    riser.m_dTopRadius = 1.0;
    riser.m_dHeight = 1.0;
    CJet jet;
    jet.m_dPortHeight = 1.0;
    jet.m_dHAngle = 0.0;
    JetPlacementInput in;
    in.m_dWaterDepth = 20.0;
    in.m_dCurrentAngle = 90.0;
    double m[16];
    ComputeJetPlacement(in, outfall, riser, 0, jet, m);
    // a = 180 - 90 + 0 = 90 degrees: the port is on the +x side, radius 1.0 at the top.
    EXPECT_NEAR(jet.m_dPortPos[0], 1.0, 1e-12);
    EXPECT_NEAR(jet.m_dPortPos[1], 1.0, 1e-12);
    EXPECT_NEAR(jet.m_dPortPos[2], 0.0, 1e-12);
    EXPECT_NEAR(m[3], 5.0 + 1.0, 1e-12);
    EXPECT_NEAR(m[7], 20.0 - 21.0 + 1.0, 1e-12);
    EXPECT_NEAR(m[11], 30.0, 1e-12);
    for (int i : {0, 5, 10, 15}) EXPECT_DOUBLE_EQ(m[i], 1.0);

    // A jet turned by 90 degrees sits on the +z side instead.
    jet.m_dHAngle = 90.0;
    ComputeJetPlacement(in, outfall, riser, 0, jet, m);
    EXPECT_NEAR(jet.m_dPortPos[0], 0.0, 1e-12);
    EXPECT_NEAR(jet.m_dPortPos[2], -1.0, 1e-12);

    // Without risers the k-th jet stands k spacings along the pipe, whatever
    // the riser's distance, and leaves at the end of its nozzle.
    in.m_bNoRiser = true;
    outfall.m_dJetSpacing = 7.0;
    jet.m_dHAngle = 0.0;
    jet.m_dVAngle = 90.0;
    jet.m_dNozzleLength = 0.1;
    ComputeJetPlacement(in, outfall, riser, 3, jet, m);
    EXPECT_NEAR(m[11], 21.0, 1e-12);
    // A vertical nozzle: straight up by twice its length.
    EXPECT_NEAR(m[7], 20.0 - 21.0 + 1.0 + 0.2, 1e-12);
}

TEST(JetPlacement, PreparedDisksFollowThePlacementIntoTheScene) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 2, 100);
    doc.PlaceJets();
    CJet& jet = *doc.GetOutfall(0)->m_Risers[0]->m_Jets[0];
    const auto& disp = *jet.m_pDisplay;
    ASSERT_EQ(disp.GetRingCount(), 6);  // disks 0, 20, 40, 60, 80, 99
    // The first ring surrounds the port: water depth 20, outfall depth 20,
    // riser distance 10, port 1 m up the riser.
    double centre[3] = {0, 0, 0};
    for (const auto& v : disp.m_Rings[0].m_Vertices)
        for (int c = 0; c < 3; ++c) centre[c] += v.m_dPos[c] / 32.0;
    EXPECT_NEAR(centre[0], jet.m_dPortPos[0], 1e-6);
    EXPECT_NEAR(centre[1], 1.0, 1e-6);
    EXPECT_NEAR(centre[2], 10.0 + jet.m_dPortPos[2], 1e-6);
    // Nothing rises above the water line.
    for (const auto& r : disp.m_Rings)
        for (const auto& v : r.m_Vertices) EXPECT_LE(v.m_dPos[1], 20.0);
}

TEST(JetTube, TubeMadeOnFirstUseEqualsTheOneMadeAtOnce) {
    // Two copies of one case: one reads its tubes at once, the other only
    // after the current angle has turned and the case has been saved.
    CAppState app;
    CScriptedPrompt prompt;
    CCase eager(app, prompt), lazy(app, prompt);
    for (CCase* doc : {&eager, &lazy}) {
        BuildSyntheticCase(*doc, 2, 100);
        // A ring disk on the current axis with the next beyond it is nudged.
        auto& disks = doc->GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay->m_Disks;
        disks[40].m_dY = 0.0;
        disks[41].m_dY = -0.5;
        doc->PlaceJets();
    }
    const CJetDispModal& e = *eager.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay;
    const CJetDispModal& l = *lazy.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay;
    ASSERT_TRUE(l.IsTubePending());
    const std::vector<TubeRing> eagerRings = e.Rings();
    EXPECT_FALSE(e.IsTubePending());
    // The nudge is in the disks whether or not the tube was made.
    EXPECT_EQ(lazy.SaveToBytes(), eager.SaveToBytes());
    eager.SetCurrentAngle(30.0f);
    lazy.SetCurrentAngle(30.0f);
    const std::vector<TubeRing>& lazyRings = l.Rings();
    ASSERT_EQ(lazyRings.size(), eagerRings.size());
    ASSERT_EQ(lazyRings.size(), 6u);
    for (std::size_t r = 0; r < lazyRings.size(); ++r) {
        ASSERT_EQ(lazyRings[r].m_Vertices.size(), eagerRings[r].m_Vertices.size());
        for (std::size_t v = 0; v < lazyRings[r].m_Vertices.size(); ++v)
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(lazyRings[r].m_Vertices[v].m_dPos[c], eagerRings[r].m_Vertices[v].m_dPos[c]);
                EXPECT_EQ(lazyRings[r].m_Vertices[v].m_dNormal[c], eagerRings[r].m_Vertices[v].m_dNormal[c]);
            }
    }
}
