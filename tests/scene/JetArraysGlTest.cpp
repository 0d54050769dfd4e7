// The jets drawn from vertex arrays against the same jets drawn one call per
// vertex: the pictures must agree, and every document change that alters
// the sorted picture must reach a frame drawn after the arrays were cached.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "SyntheticSceneGl.h"
#include "gl/SceneFrame.h"
#include "scene/SortedJetArrays.h"

namespace {
constexpr int kW = 480, kH = 300;

// Pixels whose colour differs from the other picture's by more than tol in
// any channel, and the largest difference seen.
struct Comparison {
    int m_nDiffering = 0;
    int m_nLargest = 0;
};
Comparison Compare(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b, int tol) {
    Comparison c;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
        int worst = 0;
        for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(a[i + k] - b[i + k]));
        c.m_nLargest = std::max(c.m_nLargest, worst);
        c.m_nDiffering += worst > tol;
    }
    return c;
}

class JetArrays : public SyntheticSceneGl {
protected:
    JetArrays() : SyntheticSceneGl(kW, kH, 6, 400) {}
    void SetUp() override {
        SyntheticSceneGl::SetUp();
        if (HasFatalFailure()) return;
        m_doc.BuildSortTree();
        const double eye[3] = {-40.0, 25.0, 90.0}, target[3] = {15.0, 6.0, 20.0};
        for (int i = 0; i < 3; ++i) {
            m_camera.m_dEye[i] = eye[i];
            m_camera.m_dTarget[i] = target[i];
        }
    }
    void TearDown() override { EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError()); }

    std::vector<std::uint8_t> Render(SceneFrameOptions o, bool immediate) {
        o.m_bImmediateMode = immediate;
        DrawSceneFrame(m_doc, m_doc.Displays(), m_camera, o, m_resources);
        return m_context.ReadPixels();
    }
    // The frame from the arrays, checked against the frame drawn vertex by
    // vertex; returns the array frame.
    std::vector<std::uint8_t> RenderChecked(const SceneFrameOptions& o, const char* what) {
        const auto arrays = Render(o, false);
        const auto reference = Render(o, true);
        const Comparison c = Compare(arrays, reference, 1);
        // A triangle drawn from its vertices in another order may round a
        // pixel by one level.
        EXPECT_EQ(c.m_nDiffering, 0) << what << ", largest difference " << c.m_nLargest;
        return arrays;
    }
    static SceneFrameOptions Sorted() {
        SceneFrameOptions o;
        o.m_bFastDisplay = false;
        return o;
    }
    CJet& Jet(int riser, int jet) { return *m_doc.GetOutfall(0)->m_Risers[riser]->m_Jets[jet]; }
    int Walks() const { return m_doc.Displays().SortedArrays().WalkCount(); }
};
}  // namespace

TEST_F(JetArrays, FastFramesMatchTheVertexByVertexDrawing) {
    SceneFrameOptions o;
    const auto plain = RenderChecked(o, "fast");
    o.m_bHighlightPick = true;
    EXPECT_EQ(Compare(plain, RenderChecked(o, "nothing picked"), 6).m_nDiffering, 0) << "no jet picked, none lit";
    Jet(0, 1).m_pDisplay->m_nPickedRing = Jet(0, 1).GetDiskCount() / 2;
    const auto picked = RenderChecked(o, "highlighted segment");
    EXPECT_GT(Compare(plain, picked, 6).m_nDiffering, 20) << "the highlight shows";
    o.m_bAnimating = true;
    o.m_nAnimStep = 4;
    RenderChecked(o, "growing");
    // A ring at every disk: every twentieth is drawn.
    m_doc.SetRingInterval(1);
    RenderChecked(o, "growing, ring at every disk");
    o.m_bAnimating = false;
    RenderChecked(o, "ring at every disk");
    m_doc.SetRingInterval(20);
    o = SceneFrameOptions();
    o.m_bClipToCutPlane = true;
    const double plane[4] = {1.0, 0.0, 0.0, -10.0};
    for (int i = 0; i < 4; ++i) m_doc.m_CutPlane.m_dEquation[i] = plane[i];
    RenderChecked(o, "clipped");
}

TEST_F(JetArrays, SortedFramesMatchFromEveryEyeAndInEveryColourMode) {
    const auto first = RenderChecked(Sorted(), "sorted");
    m_camera.OrbitAboutUp(40.0);
    const auto turned = RenderChecked(Sorted(), "sorted, eye moved");
    EXPECT_GT(Compare(first, turned, 6).m_nDiffering, 500);
    for (ColourMode mode : {ColourMode::Velocity, ColourMode::HalfWidth}) {
        m_doc.BuildColourTable(mode);
        RenderChecked(Sorted(), "colour mode");
    }
    SceneFrameOptions o = Sorted();
    o.m_bAnimating = true;
    o.m_nAnimStep = 5;
    RenderChecked(o, "sorted, growing");
    o = Sorted();
    o.m_bClipToCutPlane = true;
    const double plane[4] = {0.0, 1.0, 0.0, -8.0};
    for (int i = 0; i < 4; ++i) m_doc.m_CutPlane.m_dEquation[i] = plane[i];
    RenderChecked(o, "sorted, clipped");
}

TEST_F(JetArrays, TheTreeIsWalkedAgainOnlyWhenTheEyeMovesOrTheLookChanges) {
    Render(Sorted(), false);
    const int walks = Walks();
    ASSERT_GT(walks, 0);
    Render(Sorted(), false);
    EXPECT_EQ(Walks(), walks) << "same eye, same look";
    m_camera.OrbitAboutUp(1.0);
    Render(Sorted(), false);
    EXPECT_EQ(Walks(), walks + 1) << "the eye moved";
    Jet(0, 0).m_nVisible = 0;
    Render(Sorted(), false);
    EXPECT_EQ(Walks(), walks + 2) << "a jet was hidden";
}

// After a cached frame each change must show in the next frame, as the
// vertex-by-vertex drawing shows it.
TEST_F(JetArrays, EveryChangeOfTheSortedPictureReachesACachedFrame) {
    const auto before = RenderChecked(Sorted(), "first");
    Render(Sorted(), false);  // a frame from the cache
    struct Change {
        const char* m_pName;
        std::function<void()> m_Do;
    };
    const std::vector<Change> changes = {
        {"high-value colour", [&] { Jet(0, 0).m_MaterialA.SetColor(CMaterialProperty::kDiffuse, 1, 0, 0, 0.6f); }},
        {"low-value colour", [&] { Jet(1, 1).m_MaterialB.SetColor(CMaterialProperty::kDiffuse, 0, 1, 0, 0.6f); }},
        {"opacity", [&] { Jet(2, 0).m_MaterialA.m_fDiffuse[3] = 1.0f; }},
        {"ambient", [&] { Jet(1, 0).m_MaterialA.SetColor(CMaterialProperty::kAmbient, 0.6f, 0, 0.6f, 1); }},
        {"jet hidden", [&] { Jet(0, 1).m_nVisible = 0; }},
        {"riser hidden", [&] { m_doc.GetOutfall(0)->m_Risers[1]->m_nVisible = 0; }},
        {"range", [&] { m_doc.m_RangeMax.m_fConc *= 4.0f; }},
        {"colour mode", [&] { m_doc.BuildColourTable(ColourMode::HalfWidth); }},
        {"colour table", [&] { m_doc.BuildColourTable(ColourMode::Velocity); }},
        {"results cleared", [&] { Jet(2, 1).m_pDisplay->m_Disks.clear(); }},
        {"tubes remade",
         [&] {
             FillPlumeDisks(Jet(2, 0), 400, 5.0, 30.0, 0.5);
             m_doc.PrepareJetDisplays();
         }},
    };
    auto last = before;
    for (const Change& change : changes) {
        change.m_Do();
        const auto now = RenderChecked(Sorted(), change.m_pName);
        EXPECT_GT(Compare(last, now, 6).m_nDiffering, 20) << change.m_pName << " did not show";
        last = now;
        Render(Sorted(), false);
    }
}

TEST_F(JetArrays, ArrayDrawingLeavesNoArraysOrColourMaterialOn) {
    Render(SceneFrameOptions(), false);
    Render(Sorted(), false);
    for (GLenum cap : {GL_COLOR_MATERIAL, GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, GL_COLOR_ARRAY})
        EXPECT_FALSE(glIsEnabled(cap)) << std::hex << cap;
    GLint mode = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    EXPECT_EQ(mode, GL_AMBIENT_AND_DIFFUSE);
}
