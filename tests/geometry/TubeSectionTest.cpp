// Crossings of a hand-made tube with planes and their chaining into outlines.
#include <gtest/gtest.h>

#include <cmath>

#include "model/JetDispModal.h"
#include "model/TubeSection.h"

namespace {
// A tube along x of square (diamond) section: ring k at x = 10 k with the
// corners (0, 1), (1, 0), (0, -1), (-1, 0) in (y, z).
CJetDispModal DiamondTube(int rings) {
    CJetDispModal t;
    t.m_nSlices = 4;
    const double corner[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    for (int k = 0; k < rings; ++k) {
        CJetDisk d;
        d.m_dRadius = 1.0;
        d.m_dMeanConc = 0.2 * (k + 1);
        t.m_Disks.push_back(d);
        TubeRing r;
        r.m_nDisk = k;
        r.m_nVertices = 4;
        r.m_Vertices.resize(4);
        for (int s = 0; s < 4; ++s) {
            r.m_Vertices[s].m_dPos[0] = 10.0 * k;
            r.m_Vertices[s].m_dPos[1] = corner[s][0];
            r.m_Vertices[s].m_dPos[2] = corner[s][1];
        }
        t.m_Rings.push_back(r);
    }
    return t;
}

// Area of an outline lying in a plane y = const, from its x and z.
double AreaXZ(const std::vector<TubeCrossing>& pts, const std::vector<int>& order) {
    double a = 0.0;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const double* p = pts[order[i]].m_dPos;
        const double* q = pts[order[(i + 1) % order.size()]].m_dPos;
        a += p[0] * q[2] - q[0] * p[2];
    }
    return std::fabs(a) / 2.0;
}
}  // namespace

TEST(TubeSection, PlaneThroughRingVerticesGivesOneClosedBand) {
    const CJetDispModal t = DiamondTube(3);
    std::vector<TubeCrossing> pts;
    // y = 0 passes exactly through the corners (0, +-1) of every ring.
    t.IntersectTubeWithPlane(0.0, 1.0, 0.0, 0.0, pts);
    const auto outlines = ChainTubeCrossings(pts, 3, 4);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0].size(), 6u);  // both corners of all three rings
    EXPECT_NEAR(AreaXZ(pts, outlines[0]), 2.0 * 20.0, 1e-12);
}

TEST(TubeSection, PlaneAcrossTheTubeGivesTheSectionWithBandValues) {
    const CJetDispModal t = DiamondTube(3);
    std::vector<TubeCrossing> pts;
    t.IntersectTubeWithPlane(1.0, 0.0, 0.0, -15.0, pts);  // x = 15, between rings 1 and 2
    ASSERT_EQ(pts.size(), 4u);
    for (const TubeCrossing& p : pts) {
        EXPECT_EQ(p.m_nKind, TubeCrossing::kBandEdge);
        EXPECT_NEAR(p.m_fValue, (0.4f + 0.6f) / 2, 1e-6);
        EXPECT_NEAR(p.m_dPos[0], 15.0, 1e-12);
    }
    const auto outlines = ChainTubeCrossings(pts, 3, 4);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0].size(), 4u);
}

TEST(TubeSection, OutlineReachingTheOpenEndIsClosedAcrossIt) {
    const CJetDispModal t = DiamondTube(3);
    std::vector<TubeCrossing> pts;
    // Slanted plane z = 0.5 crossing the whole tube lengthwise, ends included.
    t.IntersectTubeWithPlane(0.0, 0.0, 1.0, -0.5, pts);
    const auto outlines = ChainTubeCrossings(pts, 3, 4);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0].size(), 6u);
}

TEST(TubeSection, PlaneBesideTheTubeGivesNothing) {
    const CJetDispModal t = DiamondTube(3);
    std::vector<TubeCrossing> pts;
    t.IntersectTubeWithPlane(0.0, 1.0, 0.0, -1.5, pts);
    EXPECT_TRUE(pts.empty());
    t.IntersectTubeWithPlane(0.0, 0.0, 0.0, 1.0, pts);  // no normal
    EXPECT_TRUE(pts.empty());
}

TEST(TubeSection, SectionValueFallsBackToInverseDilution) {
    CJetDisk d;
    d.m_dMeanConc = 0.005;
    d.m_dDilution = 400.0;
    EXPECT_FLOAT_EQ(SectionValue(d, 0.01), 0.0025f);
    EXPECT_FLOAT_EQ(SectionValue(d, 0.001), 0.005f);
    d.m_dDilution = 0.0;
    EXPECT_FLOAT_EQ(SectionValue(d, 0.01), 0.0f);
}

TEST(TubeSection, PickedDiskOutlineNeedsAnInnerDisk) {
    CJetDispModal t = DiamondTube(3);
    std::vector<TubeCrossing> pts;
    EXPECT_FALSE(t.PickedDiskOutline(0, pts));
    EXPECT_FALSE(t.PickedDiskOutline(3, pts));
    t.m_nRingInterval = 1;
    ASSERT_TRUE(t.PickedDiskOutline(1, pts));
    ASSERT_EQ(pts.size(), 4u);  // the ring's own vertices
    EXPECT_DOUBLE_EQ(pts[1].m_dPos[2], 1.0);
    EXPECT_NEAR(pts[1].m_fValue, 0.4f, 1e-6);
}
