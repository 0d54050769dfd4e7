// The back-to-front order of the BSP sort tree.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "scene/JetDisplays.h"
#include "scene/SortTree.h"
#include "support/ScriptedPrompt.h"

namespace {
CSortPolygon Triangle(std::mt19937& rng) {
    std::uniform_real_distribution<float> centre(-5.0f, 5.0f), offset(-2.5f, 2.5f);
    CSortPolygon p;
    const float c[3] = {centre(rng), centre(rng), centre(rng)};
    p.m_Vertices.resize(3);
    for (auto& v : p.m_Vertices)
        for (int k = 0; k < 3; ++k) {
            v.m_fPos[k] = c[k] + offset(rng);
            v.m_fNormal[k] = 0.0f;
        }
    p.ComputePlaneNormal();
    return p;
}

// Distance along the ray (origin o, direction d) to the convex polygon, or
// a negative value when the ray misses it.
double Hit(const CSortPolygon& p, const double o[3], const double d[3]) {
    const float* n = p.m_fPlaneNormal;
    const float* a = p.m_Vertices[0].m_fPos;
    const double denom = n[0] * d[0] + n[1] * d[1] + n[2] * d[2];
    if (std::fabs(denom) < 1e-9) return -1.0;
    const double t = (n[0] * (a[0] - o[0]) + n[1] * (a[1] - o[1]) + n[2] * (a[2] - o[2])) / denom;
    if (t <= 0.0) return -1.0;
    const double x[3] = {o[0] + t * d[0], o[1] + t * d[1], o[2] + t * d[2]};
    const std::size_t m = p.m_Vertices.size();
    int sign = 0;
    for (std::size_t i = 0; i < m; ++i) {
        const float* u = p.m_Vertices[i].m_fPos;
        const float* v = p.m_Vertices[(i + 1) % m].m_fPos;
        const double e[3] = {v[0] - u[0], v[1] - u[1], v[2] - u[2]};
        const double w[3] = {x[0] - u[0], x[1] - u[1], x[2] - u[2]};
        const double c[3] = {e[1] * w[2] - e[2] * w[1], e[2] * w[0] - e[0] * w[2], e[0] * w[1] - e[1] * w[0]};
        const double s = c[0] * n[0] + c[1] * n[1] + c[2] * n[2];
        const int sg = s > 1e-9 ? 1 : (s < -1e-9 ? -1 : 0);
        if (sg == 0) continue;
        if (sign == 0) sign = sg;
        else if (sg != sign) return -1.0;
    }
    return t;
}

// Along every ray, a polygon drawn later must not lie behind one drawn
// earlier. Returns the number of rays that break the rule.
int OrderViolations(const CSortTree& tree, const float eye[3], std::mt19937& rng) {
    std::vector<const CSortPolygon*> order;
    tree.ForEachBackToFront(eye, [&](const CSortPolygon& p) { order.push_back(&p); });
    EXPECT_EQ(static_cast<int>(order.size()), tree.PolygonCount());
    std::uniform_real_distribution<double> target(-6.0, 6.0);
    const double o[3] = {eye[0], eye[1], eye[2]};
    int bad = 0;
    for (int ray = 0; ray < 400; ++ray) {
        const double t[3] = {target(rng), target(rng), target(rng)};
        const double d[3] = {t[0] - o[0], t[1] - o[1], t[2] - o[2]};
        double last = 1e300;
        bool ok = true;
        for (const CSortPolygon* p : order) {
            const double h = Hit(*p, o, d);
            if (h < 0.0) continue;
            if (h > last * (1.0 + 1e-4)) ok = false;
            last = h;
        }
        bad += !ok;
    }
    return bad;
}
}  // namespace

TEST(SortTree, RandomTrianglesComeBackToFrontFromSeveralEyes) {
    std::mt19937 rng(12345);
    std::vector<CSortPolygon> tris;
    for (int i = 0; i < 150; ++i) tris.push_back(Triangle(rng));
    CSortTree tree;
    // Every straddling piece is split, so the order is exact.
    tree.Build(tris, 0.0);
    EXPECT_EQ(tree.InputPolygonCount(), 150);
    EXPECT_GT(tree.SplitCount(), 0);
    EXPECT_EQ(tree.PolygonCount(), 150 + tree.SplitCount());
    const float eyes[][3] = {{30, 0, 0}, {-20, 15, 8}, {0, -40, 1}, {3, 2, 25}, {0.5f, 0.2f, -0.3f}};
    for (const auto& eye : eyes) EXPECT_EQ(OrderViolations(tree, eye, rng), 0) << eye[0] << "," << eye[1];
}

TEST(SortTree, WithoutSplittingTheSameTrianglesGoWrong) {
    // The check above can fail: without splits a straddling triangle is
    // drawn whole on one side and some rays see the wrong order.
    std::mt19937 rng(12345);
    std::vector<CSortPolygon> tris;
    for (int i = 0; i < 150; ++i) tris.push_back(Triangle(rng));
    CSortTree tree;
    tree.Build(tris, 1e30);
    EXPECT_EQ(tree.SplitCount(), 0);
    const float eye[3] = {30, 0, 0};
    EXPECT_GT(OrderViolations(tree, eye, rng), 0);
}

TEST(SortTree, EmptyAndDegenerateInputsGiveAnEmptyTree) {
    CSortTree tree;
    tree.Build({});
    EXPECT_TRUE(tree.IsEmpty());
    CSortPolygon flat;
    flat.m_Vertices.resize(4);  // all at the origin: no plane
    flat.ComputePlaneNormal();
    tree.Build({flat});
    EXPECT_TRUE(tree.IsEmpty());
    int calls = 0;
    const float eye[3] = {0, 0, 10};
    tree.ForEachBackToFront(eye, [&](const CSortPolygon&) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(SortTree, DocumentTreeHoldsEveryTubeQuadWithItsNames) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 3, 61);  // rings from disks 0, 20, 40, 60
    doc.PlaceJets();
    CJetDisplays displays(doc);
    EXPECT_TRUE(displays.IsSortTreeStale());  // made when a view first shows the jets sorted
    const CSortTree* tree = displays.SortTree();
    ASSERT_TRUE(tree);
    EXPECT_FALSE(displays.IsSortTreeStale());
    EXPECT_EQ(tree->InputPolygonCount(), 3 * 3 * 32);
    const float eye[3] = {8, 15, 100};
    int maxRing = 0, jets = 0;
    tree->ForEachBackToFront(eye, [&](const CSortPolygon& p) {
        maxRing = std::max<int>(maxRing, p.m_nRing);
        jets |= 1 << (p.m_nRiser * 2 + p.m_nJet);
        EXPECT_GE(p.m_nRing, 1);
    });
    EXPECT_EQ(maxRing, 3);
    EXPECT_EQ(jets, 0b111);
}

namespace {
// Asks as a view does, frame after frame, until the tree is at hand.
bool AskUntilReady(const CJetDisplays& displays) {
    for (int i = 0; i < 2000; ++i) {
        if (displays.SortTreeReadyInBackground()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}
}  // namespace

TEST(SortTree, ATreeMadeInTheBackgroundIsThatOfTheCaseAsItIsWhenItArrives) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 3, 61);
    doc.PlaceJets();
    CJetDisplays displays(doc);
    // The first ask starts the making and does not wait for it.
    EXPECT_FALSE(displays.SortTreeReadyInBackground());
    ASSERT_TRUE(AskUntilReady(displays));
    EXPECT_FALSE(displays.SortTreePending());
    EXPECT_FALSE(displays.IsSortTreeStale());
    ASSERT_TRUE(displays.SortTree());
    EXPECT_EQ(displays.SortTree()->InputPolygonCount(), 3 * 3 * 32);

    // A jet deleted while its tree is being made: that tree is dropped, and
    // the one that comes holds no quad of the deleted jet.
    doc.PlaceJets();
    EXPECT_FALSE(displays.SortTreeReadyInBackground());
    doc.Delete(TreeLevel::Jet);
    ASSERT_TRUE(AskUntilReady(displays));
    ASSERT_TRUE(displays.SortTree());
    EXPECT_EQ(displays.SortTree()->InputPolygonCount(), 2 * 3 * 32);
    EXPECT_FALSE(displays.IsSortTreeStale());

    // A synchronous ask while a tree is being made gets the same tree.
    doc.PlaceJets();
    EXPECT_FALSE(displays.SortTreeReadyInBackground());
    const CSortTree* now = displays.SortTree();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->InputPolygonCount(), 2 * 3 * 32);
    EXPECT_FALSE(displays.SortTreePending());
    EXPECT_TRUE(displays.SortTreeReadyInBackground());
}

TEST(SortTree, TheRingsAsTheyWereKeepTheTree) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, 2, 61);
    doc.PlaceJets();
    CJetDisplays displays(doc);
    ASSERT_TRUE(displays.SortTree());
    // Every mouse mode but Plane and Pick asks for the usual rings.
    doc.SetRingInterval(20);
    EXPECT_FALSE(displays.IsSortTreeStale());
    doc.SetRingInterval(10);
    EXPECT_TRUE(displays.IsSortTreeStale());
}
