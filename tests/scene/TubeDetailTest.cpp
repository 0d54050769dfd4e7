// The vertices per ring the fast tube uses and the faces that join rings
// drawn with different counts.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "model/JetDispModal.h"
#include "scene/TubeArrayCache.h"
#include "scene/TubeDetail.h"

namespace {
// Scene x and y map straight to the view: over a viewport of 200 x 200
// pixels 100 pixels per unit.
TubeProjection Flat(int size = 200) {
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const int viewport[4] = {0, 0, size, size};
    return MakeTubeProjection(identity, identity, viewport);
}

// A camera at the origin looking down -z, near plane at 0.1.
TubeProjection Perspective() {
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const double p[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, -1, 0, 0, -0.2, 0};
    const int viewport[4] = {0, 0, 200, 200};
    return MakeTubeProjection(p, identity, viewport);
}

int Detail(const TubeProjection& p, double x, double y, double z, double radius, int vertices = 32) {
    const double c[3] = {x, y, z};
    return RingDetail(p, c, radius, vertices);
}
}  // namespace

TEST(TubeDetail, FewestVerticesThatKeepTheOutlineWithinHalfAPixel) {
    const TubeProjection p = Flat();
    // A ring of r pixels drawn with n vertices strays r (1 - cos(pi / n)).
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.0170), 4);  // 1.70 px
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.0172), 8);
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.0650), 8);  // 6.5 px
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.0665), 16);
    EXPECT_EQ(Detail(p, 0.5, -0.5, 0, 0.26), 16);  // 26 px
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.27), 32);
    EXPECT_EQ(Detail(p, 0, 0, 0, 5.0), 32);
    // Twice the device pixels (a pixel ratio of 2): twice the radius on screen.
    EXPECT_EQ(Detail(Flat(400), 0, 0, 0, 0.0650), 16);
    // Only counts that divide the ring's own, and never below 4.
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.001, 24), 6);
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.001, 20), 5);
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.001, 3), 3);
}

TEST(TubeDetail, DistanceShrinksTheRingAndRingsAtTheEyeKeepEveryVertex) {
    const TubeProjection p = Perspective();
    // 100 px per unit at distance 1: a ring of 0.5 at 2 is 25 px, at 4 12.5 px.
    EXPECT_EQ(Detail(p, 0, 0, -2, 0.5), 16);
    EXPECT_EQ(Detail(p, 0, 0, -4, 0.5), 16);
    EXPECT_EQ(Detail(p, 0, 0, -8, 0.5), 8);
    EXPECT_EQ(Detail(p, 0, 0, 5, 0.001), 32) << "behind the eye";
    EXPECT_EQ(Detail(p, 0, 0, 0, 0.001), 32) << "at the eye";
    EXPECT_EQ(Detail(p, 0, 0, -0.05, 0.001), 32) << "before the near plane";
    // Away from the view's centre a ring looks larger.
    EXPECT_EQ(Detail(p, 0, 0, -2.02, 0.52), 16);
    EXPECT_EQ(Detail(p, 2.02, 0, -2.02, 0.52), 32);
}

TEST(TubeDetail, BallsBeyondTheViewOrAClipPlaneAreOutside) {
    TubeProjection p = Perspective();
    const double ahead[3] = {0, 0, -5}, aside[3] = {8, 0, -5}, behind[3] = {0, 0, 3};
    EXPECT_FALSE(BallOutside(p, ahead, 0.1));
    EXPECT_TRUE(BallOutside(p, aside, 1.0));
    EXPECT_FALSE(BallOutside(p, aside, 3.0)) << "reaching into the view";
    EXPECT_TRUE(BallOutside(p, behind, 1.0));
    const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const double keepNegativeX[4] = {-1, 0, 0, -1};  // x <= -1 is drawn
    AddTubeClipPlane(p, keepNegativeX, identity);
    EXPECT_TRUE(BallOutside(p, ahead, 0.5));
    EXPECT_FALSE(BallOutside(p, ahead, 1.5));
}

// The faces of a straight tube of 21 rings from disks of radius(i), seen
// through Flat(): every edge between two faces must be met once in each
// direction (no crack, the faces all turn the same way), and only the two
// end rings are left open.
static void ExpectClosedTube(double (*radius)(int)) {
    CJetDispModal tube;
    for (int i = 0; i < 400; ++i) {
        CJetDisk d;
        d.m_dX = 0.01 * i;
        d.m_dY = 0.3;
        d.m_dRadius = radius(i);
        tube.m_Disks.push_back(d);
    }
    tube.BuildTube(1000.0, false);
    const auto& rings = tube.Rings();
    const int count = static_cast<int>(rings.size());
    ASSERT_EQ(count, 21);
    std::vector<TubeSegment> segments;
    FastTubeSegments(count, 1, 7, true, segments);
    CTubeArrayCache cache;
    cache.Sync(rings, tube.RingGeneration());
    const std::vector<int> detail = cache.ChooseDetail(segments, Flat());
    ASSERT_NE(detail.front(), detail.back());
    cache.Build(segments);

    std::map<std::pair<unsigned, unsigned>, int> edges;
    int stitched = 0;
    for (const CTubeArrayCache::Batch& b : cache.Batches()) {
        const int corners = b.m_bQuads ? 4 : 3;
        stitched += !b.m_bQuads;
        for (std::size_t f = b.m_nFirst; f < b.m_nFirst + b.m_nCount; f += corners)
            for (int k = 0; k < corners; ++k) ++edges[{cache.Indices()[f + k], cache.Indices()[f + (k + 1) % corners]}];
    }
    EXPECT_GE(stitched, 3);
    // The rings are added in order, 32 vertices each.
    const unsigned lastRing = 32u * (count - 1);
    int open = 0;
    for (const auto& [edge, n] : edges) {
        EXPECT_EQ(n, 1) << edge.first << "-" << edge.second << " twice the same way";
        if (edges.count({edge.second, edge.first})) continue;
        ++open;
        const bool first = edge.first < 32 && edge.second < 32;
        const bool last = edge.first >= lastRing && edge.second >= lastRing;
        EXPECT_TRUE(first || last) << "crack at " << edge.first << "-" << edge.second;
    }
    EXPECT_EQ(open, detail.front() + detail.back());
}

TEST(TubeDetail, RingsOfDifferentCountsJoinWithoutCracks) {
    // From 32 vertices down to 4, and from 4 up to 32.
    ExpectClosedTube([](int i) { return 0.5 * (1.0 - i / 405.0); });
    ExpectClosedTube([](int i) { return 0.5 * (1.0 - (399 - i) / 405.0); });
}
