// GL names live with the drawing context, not in the case: two contexts
// drawing one case give one picture, the box follows the record's changes,
// and painting and picking leave the case as it was.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "OsMesaContext.h"
#include "SyntheticCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/SceneFrame.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr int kW = 240, kH = 160;
// A folder without face images: the box is drawn in plain colours.
const char* const kNoImages = "/nonexistent-folder";

int Differing(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    int n = 0;
    for (std::size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4)
        n += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 0;
    return n;
}

class GlContexts : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_first.IsValid()) << m_first.Error();
        ASSERT_TRUE(m_second.IsValid()) << m_second.Error();
        BuildSyntheticCase(m_doc, 2, 200);
        m_doc.PrepareJetDisplays();
        m_doc.BuildSortTree();
        m_camera.SetWindowSize(kW, kH);
        // Looking down at the sea bed from above the jets: box and jets in view.
        m_camera.m_dEye[1] = 40;
    }

    // Makes the context current, sets its state and draws one frame.
    std::vector<std::uint8_t> Draw(COsMesaContext& context, CGlResources& resources, bool fast = true) {
        EXPECT_TRUE(context.MakeCurrent());
        ApplyFixedGlState();
        glViewport(0, 0, kW, kH);
        SceneFrameOptions o;
        o.m_bFastDisplay = fast;
        DrawSceneFrame(m_doc, m_doc.Displays(), m_camera, o, resources);
        EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
        return context.ReadPixels();
    }

    COsMesaContext m_first{kW, kH};
    COsMesaContext m_second{kW, kH};
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CPlumexDoc m_doc{m_app, m_prompt};
    CViewControl m_camera;
};

TEST_F(GlContexts, TwoContextsDrawOneCaseAlike) {
    auto first = std::make_unique<CGlResources>(kNoImages);
    auto second = std::make_unique<CGlResources>(kNoImages);
    // The first frame of a context starts from GL's initial current colour,
    // later ones from what the previous frame left: compare frame by frame.
    const auto a1 = Draw(m_first, *first);
    const auto b1 = Draw(m_second, *second);
    const auto a2 = Draw(m_first, *first);
    const auto b2 = Draw(m_second, *second);
    const auto a3 = Draw(m_first, *first);
    EXPECT_EQ(Differing(a1, b1), 0);
    EXPECT_EQ(Differing(a2, b2), 0);
    EXPECT_EQ(Differing(a2, a3), 0);
    // Each context made its own box.
    EXPECT_NE(first->AmbientList(), 0u);
    EXPECT_NE(second->AmbientList(), 0u);
    // Each holder gives its names back in its own context.
    m_second.MakeCurrent();
    second.reset();
    m_first.MakeCurrent();
    first.reset();
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST_F(GlContexts, BoxFollowsTheWaterDepthOfTheRecord) {
    CGlResources kept(kNoImages);
    const auto before = Draw(m_first, kept);
    m_doc.SetWaterDepth(m_doc.Ambient()->m_dWaterDepth + 15.0);
    const auto after = Draw(m_first, kept);
    CGlResources fresh(kNoImages);
    const auto reference = Draw(m_first, fresh);
    EXPECT_GT(Differing(before, after), 100);
    EXPECT_EQ(Differing(after, reference), 0);
}

TEST_F(GlContexts, HoldersAreKeptPerKey) {
    m_first.MakeCurrent();
    CGlResources& one = CGlResources::ForKey(&m_first, kNoImages);
    EXPECT_EQ(&one, &CGlResources::ForKey(&m_first, "other"));
    EXPECT_EQ(one.TextureDir(), kNoImages);
    Draw(m_first, one);
    m_second.MakeCurrent();
    CGlResources& two = CGlResources::ForKey(&m_second, "");
    EXPECT_NE(&one, &two);
    EXPECT_EQ(two.AmbientList(), 0u);  // nothing drawn in this context yet
    CGlResources::ReleaseKey(&m_second);
    m_first.MakeCurrent();
    CGlResources::ReleaseKey(&m_first);
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
}

TEST_F(GlContexts, PaintingAndPickingLeaveTheCaseUnchanged) {
    const std::vector<unsigned char> bytes = m_doc.SaveToBytes();
    CJet& jet = *m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[1];
    const int rings = jet.m_pDisplay->GetRingCount();
    const int interval = jet.m_pDisplay->m_nRingInterval;
    CGlResources resources(kNoImages);
    Draw(m_first, resources, true);  // the first frame of a context differs
    const auto fast = Draw(m_first, resources, true);
    Draw(m_first, resources, false);
    unsigned int hits[512];
    int picked = 0;
    for (int y = 0; y < kH; y += 16)
        for (int x = 0; x < kW; x += 16) picked += PickScene(m_doc, m_doc.Displays(), m_camera, x, y, hits, 512) > 0;
    EXPECT_GT(picked, 0) << "no pick hit a jet";
    EXPECT_EQ(m_doc.SaveToBytes(), bytes);
    EXPECT_EQ(jet.m_pDisplay->GetRingCount(), rings);
    EXPECT_EQ(jet.m_pDisplay->m_nRingInterval, interval);
    // The tubes drawn after picking are the ones drawn before.
    EXPECT_EQ(Differing(Draw(m_first, resources, true), fast), 0);
}
}  // namespace

namespace {
TEST_F(GlContexts, TubesAndSortTreeAreMadeWhenAFrameFirstNeedsThem) {
    CGlResources resources(kNoImages);
    CJet& jet = *m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[1];
    Draw(m_first, resources, true);  // the first frame of a context differs
    const auto sortedBefore = Draw(m_first, resources, false);

    // New results for one jet: its tube and the tree wait for a frame.
    m_doc.PrepareJetDisplays(0, 0, 1, 1);
    EXPECT_TRUE(jet.m_pDisplay->IsTubePending());
    EXPECT_TRUE(m_doc.Displays().IsSortTreeStale());
    unsigned int hits[512];
    int picked = 0;
    for (int y = 0; y < kH; y += 16)
        for (int x = 0; x < kW; x += 16) picked += PickScene(m_doc, m_doc.Displays(), m_camera, x, y, hits, 512) > 0;
    EXPECT_GT(picked, 0);
    EXPECT_TRUE(m_doc.Displays().IsSortTreeStale()) << "a pick needs no sort tree";
    Draw(m_first, resources, true);
    EXPECT_FALSE(jet.m_pDisplay->IsTubePending()) << "a fast frame draws the tube";
    EXPECT_TRUE(m_doc.Displays().IsSortTreeStale()) << "a fast frame needs no sort tree";

    const auto sorted = Draw(m_first, resources, false);
    EXPECT_FALSE(m_doc.Displays().IsSortTreeStale());
    // Held here, so that a tree made again could not take its address.
    const std::shared_ptr<const CSortTree> tree = m_doc.Displays().SharedSortTree();
    ASSERT_TRUE(tree);
    EXPECT_EQ(Differing(sorted, sortedBefore), 0) << "same results, same picture";

    // Repainting and picking use the tree made by the first sorted frame.
    Draw(m_first, resources, false);
    PickScene(m_doc, m_doc.Displays(), m_camera, kW / 2, kH / 2, hits, 512);
    EXPECT_EQ(m_doc.Displays().SharedSortTree(), tree);

    // Deleting a jet shifts the positions the tree names jets by.
    m_doc.GetOutfall(0)->m_Risers[0]->m_nCurrentJet = 0;
    m_doc.Delete(TreeLevel::Jet);
    EXPECT_TRUE(m_doc.Displays().IsSortTreeStale());
}
}  // namespace
