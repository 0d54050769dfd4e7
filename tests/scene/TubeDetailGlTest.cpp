// The fast tube drawn with fewer vertices on far rings, from its kept
// arrays: against the same tube drawn with every vertex, one call per vertex.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "OsMesaContext.h"
#include "gl/GlSetup.h"
#include "model/JetDispModal.h"
#include "scene/SceneDrawState.h"
#include "scene/TubeArrayCache.h"

namespace {
constexpr int kW = 400, kH = 300;

class TubeDetailGl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_context.IsValid()) << m_context.Error();
        ApplyFixedGlState();
        glViewport(0, 0, kW, kH);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    }
    void TearDown() override { EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError()); }

    // A straight tube of n disks along scene x, 0.05 apart, radius from r0
    // to r1, ringed every 20th disk.
    void MakeTube(double r0, double r1, int n = 400) {
        m_tube.m_Disks.clear();
        for (int i = 0; i < n; ++i) {
            CJetDisk d;
            d.m_dX = 0.05 * i;
            d.m_dRadius = r0 + (r1 - r0) * i / (n - 1.0);
            m_tube.m_Disks.push_back(d);
        }
        m_tube.BuildTube(1000.0, true);
    }
    // The tube seen across its middle from distance, the view 30 degrees high.
    std::vector<std::uint8_t> Render(double distance, bool immediate, bool full) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(30.0, double(kW) / kH, 1.0, 500.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        const TubeRing& mid = m_tube.Rings()[m_tube.Rings().size() / 2];
        double c[3] = {0, 0, 0};
        for (const TubeVertex& v : mid.m_Vertices)
            for (int k = 0; k < 3; ++k) c[k] += v.m_dPos[k] / mid.m_Vertices.size();
        gluLookAt(c[0], c[1] + 0.3 * distance, c[2] + distance, c[0], c[1], c[2], 0, 1, 0);
        SceneDrawState state;
        state.immediateMode = immediate;
        state.fullDetail = full;
        m_tube.Draw(state);
        return m_context.ReadPixels();
    }
    int Indices() const { return static_cast<int>(m_tube.m_pTubeArrays->Indices().size()); }

    COsMesaContext m_context{kW, kH};
    CJetDispModal m_tube;
};

int Differing(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int tol) {
    int n = 0;
    for (std::size_t i = 0; i + 3 < a.size(); i += 4)
        for (int k = 0; k < 3; ++k)
            if (std::abs(a[i + k] - b[i + k]) > tol) {
                ++n;
                break;
            }
    return n;
}

// Pixels the tube covers (anything but the black background).
std::vector<bool> Covered(const std::vector<std::uint8_t>& px) {
    std::vector<bool> out(px.size() / 4);
    for (std::size_t i = 0; i < out.size(); ++i) out[i] = px[4 * i] || px[4 * i + 1] || px[4 * i + 2];
    return out;
}
}  // namespace

TEST_F(TubeDetailGl, ATubeFillingTheViewKeepsEveryVertexAndLeavesOutOnlyWhatIsOutOfView) {
    MakeTube(3.0, 4.0, 800);
    const auto arrays = Render(22.0, false, false);
    const auto reference = Render(22.0, true, true);
    int covered = 0;
    for (bool c : Covered(arrays)) covered += c;
    EXPECT_GT(covered, kW * kH / 3);
    EXPECT_EQ(Differing(arrays, reference, 1), 0);
    // The tube's ends lie outside the view: their segments stay out of the arrays.
    Render(22.0, false, false);
    const int drawn = Indices();
    EXPECT_LT(drawn, (static_cast<int>(m_tube.Rings().size()) - 1) * 32 * 4);
    EXPECT_GT(drawn, 0);

    // Everything beyond a clip plane is left out as well, and what is in
    // front of it is drawn as before.
    const double plane[4] = {-1.0, 0.0, 0.0, 10.0};  // keeps x <= 10
    glClipPlane(GL_CLIP_PLANE0, plane);
    glEnable(GL_CLIP_PLANE0);
    const auto clipped = Render(22.0, false, false);
    EXPECT_LT(Indices(), drawn);
    EXPECT_EQ(Differing(clipped, Render(22.0, true, true), 1), 0);
    EXPECT_GT(Differing(clipped, arrays, 1), kW * kH / 10);
    glDisable(GL_CLIP_PLANE0);
}

TEST_F(TubeDetailGl, AFarThinTubeCoversThePixelsOfTheFullTubeUpToItsEdge) {
    MakeTube(0.05, 1.2);
    // Only the faces turned one way: a crack or a face turned the wrong way
    // lets the background through instead of the tube's other side.
    glEnable(GL_CULL_FACE);
    const auto lod = Render(70.0, false, false);
    const int lodIndices = Indices();
    int stitched = 0;
    for (const auto& b : m_tube.m_pTubeArrays->Batches()) stitched += !b.m_bQuads;
    EXPECT_GT(stitched, 0);
    EXPECT_EQ(Differing(lod, Render(70.0, true, false), 1), 0) << "the plain drawing takes the same vertices";
    const auto full = Render(70.0, false, true);
    EXPECT_LT(lodIndices, Indices() * 2 / 3);

    const std::vector<bool> a = Covered(lod), b = Covered(full);
    auto at = [&](const std::vector<bool>& m, int x, int y) {
        return x >= 0 && y >= 0 && x < kW && y < kH && m[std::size_t(y) * kW + x];
    };
    // A pixel on the full tube's edge: covered with an uncovered neighbour,
    // or the other way round.
    auto edge = [&](int x, int y) {
        const bool c = at(b, x, y);
        return at(b, x + 1, y) != c || at(b, x - 1, y) != c || at(b, x, y + 1) != c || at(b, x, y - 1) != c;
    };
    int covered = 0, differing = 0, inside = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            covered += at(b, x, y);
            if (at(a, x, y) == at(b, x, y)) continue;
            ++differing;
            bool nearEdge = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) nearEdge = nearEdge || edge(x + dx, y + dy);
            inside += !nearEdge;
        }
    EXPECT_GT(covered, 1000);
    EXPECT_LT(differing, covered / 20);
    EXPECT_EQ(inside, 0) << "pixels farther than a pixel from the full tube's edge";
    glDisable(GL_CULL_FACE);
}

// The arrays are kept between frames; rings made again reach the next frame.
TEST_F(TubeDetailGl, RingsMadeAgainShowInTheNextFrame) {
    MakeTube(1.0, 2.0);
    const auto before = Render(30.0, false, false);
    Render(30.0, false, false);
    const int builds = m_tube.m_pTubeArrays->BuildCount();
    Render(30.0, false, false);
    EXPECT_EQ(m_tube.m_pTubeArrays->BuildCount(), builds) << "same view, same faces";

    // The water line drops below the tube's top: as many rings, flattened.
    const std::size_t rings = m_tube.Rings().size();
    m_tube.ScheduleTube(m_tube.Rings()[rings / 2].m_Vertices[0].m_dPos[1] + 0.5, true);
    ASSERT_EQ(m_tube.Rings().size(), rings);
    const auto flattened = Render(30.0, false, false);
    EXPECT_GT(Differing(flattened, before, 1), 200);
    EXPECT_EQ(Differing(flattened, Render(30.0, true, false), 1), 0);

    // A ring every 40th disk instead of every 20th.
    m_tube.m_nRingInterval = 40;
    m_tube.ScheduleTube(1000.0, true);
    const auto coarser = Render(30.0, false, false);
    EXPECT_EQ(Differing(coarser, Render(30.0, true, false), 1), 0);
    EXPECT_GT(Differing(coarser, flattened, 1), 200);
}
