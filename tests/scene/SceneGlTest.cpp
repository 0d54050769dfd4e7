// The scene drawn on an OSMesa context: background, jets where their disks
// project, fast and sorted display, colour modes, picking and the GL state
// each drawing routine leaves behind.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "SyntheticSceneGl.h"
#include "gl/SceneFrame.h"
#include "gl/SceneShapes.h"
#include "scene/SceneDrawState.h"
#include "scene/SortTree.h"

namespace {
constexpr int kW = 320, kH = 200;

struct Rgb {
    int r, g, b;
};
Rgb ToRgb(std::uint32_t p) { return {int(p >> 24), int((p >> 16) & 255), int((p >> 8) & 255)}; }
bool Near(Rgb a, Rgb b, int tol = 3) {
    return std::abs(a.r - b.r) <= tol && std::abs(a.g - b.g) <= tol && std::abs(a.b - b.b) <= tol;
}

class SceneGl : public SyntheticSceneGl {
protected:
    SceneGl() : SyntheticSceneGl(kW, kH, 2, 200) {}
    void TearDown() override {
        EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
        glFinish();
    }

    std::vector<std::uint8_t> Render(bool fast) {
        SceneFrameOptions o;
        o.m_bFastDisplay = fast;
        if (!fast && !m_doc.SortTree()) m_doc.BuildSortTree();
        DrawSceneFrame(m_doc, m_doc.Displays(), m_camera, o, m_resources);
        auto px = m_context.ReadPixels();
        // PLUMEX_SCENE_DUMP=folder keeps every frame as a PPM picture to look at.
        if (const char* dir = std::getenv("PLUMEX_SCENE_DUMP")) {
            static int n = 0;
            const std::string path = std::string(dir) + "/frame" + std::to_string(n++) + ".ppm";
            if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
                std::fprintf(f, "P6 %d %d 255\n", kW, kH);
                for (std::size_t i = 0; i < px.size(); i += 4) std::fwrite(&px[i], 1, 3, f);
                std::fclose(f);
            }
        }
        return px;
    }

    // Window point (y from the top) of a scene point under the camera.
    bool Project(const double p[3], int& x, int& y) {
        m_camera.ApplyProjection();
        m_camera.ApplyCamera();
        GLdouble mv[16], pr[16], wx, wy, wz;
        GLint vp[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, mv);
        glGetDoublev(GL_PROJECTION_MATRIX, pr);
        glGetIntegerv(GL_VIEWPORT, vp);
        if (!gluProject(p[0], p[1], p[2], mv, pr, vp, &wx, &wy, &wz)) return false;
        x = int(wx);
        y = kH - 1 - int(wy);
        return x >= 0 && y >= 0 && x < kW && y < kH && wz > 0 && wz < 1;
    }

    // Scene position of the centre of disk i of a jet.
    static void DiskCentre(const CJet& jet, int i, double out[3]) {
        double m[16];
        jet.m_pDisplay->DiskMatrix(jet.m_pDisplay->m_Disks[i], m);
        out[0] = m[3];
        out[1] = m[7];
        out[2] = m[11];
    }

    // The camera above the water, looking (almost) straight down at the bed.
    void LookStraightDown() {
        m_camera.m_dEye[0] = 0;
        m_camera.m_dEye[1] = 10;
        m_camera.m_dEye[2] = 0;
        m_camera.m_dTarget[0] = 0;
        m_camera.m_dTarget[1] = -100;
        m_camera.m_dTarget[2] = 1;
    }

    static int Differing(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
        int n = 0;
        for (std::size_t i = 0; i + 3 < a.size(); i += 4)
            n += std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 6;
        return n;
    }
    static Rgb At(const std::vector<std::uint8_t>& px, int x, int y) {
        const std::uint8_t* p = &px[(std::size_t(y) * kW + x) * 4];
        return {p[0], p[1], p[2]};
    }
};
}  // namespace

TEST_F(SceneGl, CornerShowsTheClearColourAndAlphaIsOpaque) {
    Render(true);
    const std::uint32_t p = m_context.Pixel(0, 0);
    EXPECT_TRUE(Near(ToRgb(p), {45, 71, 128})) << std::hex << p;
    EXPECT_EQ(p & 255u, 255u);
    // Translucent jets over a clear colour of alpha 0 leave no pixel
    // translucent either.
    const auto sorted = Render(false);
    int translucent = 0;
    for (std::size_t i = 3; i < sorted.size(); i += 4) translucent += sorted[i] != 255;
    EXPECT_EQ(translucent, 0);
    GLboolean mask[4];
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    EXPECT_TRUE(mask[3]) << "alpha writes are given back after the frame";
}

TEST_F(SceneGl, JetsCoverThePixelsWhereTheirDisksProject) {
    CBase& riser = *m_doc.GetOutfall(0)->m_Risers[0];
    std::vector<CJetDisk> saved[2];
    for (int k = 0; k < 2; ++k) saved[k] = riser.m_Jets[k]->m_pDisplay->m_Disks;
    for (int k = 0; k < 2; ++k) riser.m_Jets[k]->m_pDisplay->m_Disks.clear();
    const auto none = Render(true);
    int checked = 0;
    for (int k = 0; k < 2; ++k) {
        // Only jet k has results.
        riser.m_Jets[k]->m_pDisplay->m_Disks = saved[k];
        const auto one = Render(true);
        for (int i : {60, 100, 140, 190}) {
            double c[3];
            DiskCentre(*riser.m_Jets[k], i, c);
            int x, y;
            if (!Project(c, x, y)) continue;
            EXPECT_FALSE(Near(At(one, x, y), At(none, x, y), 10))
                << "jet " << k << " disk " << i << " at " << x << "," << y;
            ++checked;
        }
        riser.m_Jets[k]->m_pDisplay->m_Disks.clear();
    }
    EXPECT_GE(checked, 6);
}

TEST_F(SceneGl, SortedDisplayDiffersFromFastAndIsTranslucent) {
    const auto fast = Render(true);
    const auto sorted = Render(false);
    EXPECT_GT(m_doc.SortTree()->PolygonCount(), 0);
    EXPECT_GT(Differing(fast, sorted), 500);

    // Behind a translucent jet the background shows through: changing the
    // clear colour changes the jet's pixels in the sorted display only. One
    // jet, seen across its axis: two surfaces over the background.
    m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[1]->m_pDisplay->m_Disks.clear();
    m_doc.PrepareJetDisplays();
    m_doc.BuildSortTree();
    double c[3];
    DiskCentre(*m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[0], 100, c);
    int x, y;
    ASSERT_TRUE(Project(c, x, y));
    const auto fastBlue = Render(true);
    const auto sortedBlue = Render(false);
    glClearColor(1.0f, 1.0f, 0.0f, 0.0f);
    const auto fastYellow = Render(true);
    const auto sortedYellow = Render(false);
    glClearColor(0.176f, 0.28f, 0.5f, 0.0f);
    EXPECT_TRUE(Near(At(fastBlue, x, y), At(fastYellow, x, y)));
    EXPECT_FALSE(Near(At(sortedBlue, x, y), At(sortedYellow, x, y), 10));
}

TEST_F(SceneGl, ColourModesGiveDifferentPixels) {
    std::vector<std::uint8_t> img[3];
    const ColourMode modes[3] = {ColourMode::Concentration, ColourMode::Velocity, ColourMode::HalfWidth};
    for (int k = 0; k < 3; ++k) {
        m_doc.BuildColourTable(modes[k]);
        img[k] = Render(false);
    }
    EXPECT_GT(Differing(img[0], img[1]), 100);
    EXPECT_GT(Differing(img[0], img[2]), 100);
    EXPECT_GT(Differing(img[1], img[2]), 100);
}

TEST_F(SceneGl, PickAtADiskCentreNamesItsJetAndRing) {
    CJet& jet = *m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[1];
    const int disk = 100;
    double c[3];
    DiskCentre(jet, disk, c);
    int x, y;
    ASSERT_TRUE(Project(c, x, y));
    unsigned int hits[512];
    const int count = PickScene(m_doc, m_doc.Displays(), m_camera, x, y, hits, 512);
    ASSERT_GT(count, 0);
    ASSERT_LE(count * 7, 512);
    const unsigned int* best = hits;
    for (int i = 1; i < count; ++i)
        if (hits[i * 7 + 1] < best[1]) best = hits + i * 7;
    EXPECT_EQ(best[0], 4u);
    EXPECT_EQ(best[3], 0u);  // outfall
    EXPECT_EQ(best[4], 0u);  // riser
    EXPECT_EQ(best[5], 1u);  // jet
    // With every disk a ring, the segment hit starts at the disk or just before.
    // The front surface of a wide tube is hit a few disks from the centre's own.
    EXPECT_NEAR(double(best[6]), disk, 8.0);

    m_doc.GetOutfall(0)->m_Risers[0]->m_nCurrentJet = 0;
    ASSERT_TRUE(m_doc.SelectFromPick(hits, count));
    EXPECT_EQ(m_doc.GetCurrentJet(), &jet);
    EXPECT_EQ(jet.m_nCurrentDisk, int(best[6]));

    // Empty space hits nothing.
    EXPECT_EQ(PickScene(m_doc, m_doc.Displays(), m_camera, 2, 2, hits, 512), 0);
}

TEST_F(SceneGl, DrawingRoutinesRestoreTheState) {
    m_doc.BuildSortTree();
    const GLenum caps[] = {GL_LIGHTING, GL_BLEND, GL_DEPTH_TEST, GL_TEXTURE_2D, GL_FOG, GL_CLIP_PLANE0};
    auto snapshot = [&] {
        std::vector<int> s;
        for (GLenum c : caps) s.push_back(glIsEnabled(c));
        GLint depth = 0, mode = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        glGetIntegerv(GL_MATRIX_MODE, &mode);
        s.push_back(depth);
        s.push_back(mode);
        return s;
    };
    m_camera.ApplyProjection();
    m_camera.ApplyCamera();
    m_resources.SetTextureDir("/nonexistent-folder");
    m_resources.PrepareAmbientBox(*m_doc.Ambient());
    const auto before = snapshot();
    SceneDrawState state;
    m_doc.DrawStructures(state);
    EXPECT_EQ(snapshot(), before) << "structures";
    state.jetsOnly = true;
    m_doc.DrawStructures(state);
    EXPECT_EQ(snapshot(), before) << "jets";
    state.highlightPick = true;
    m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay->m_nPickedRing = 2;
    m_doc.DrawStructures(state);
    EXPECT_EQ(snapshot(), before) << "highlighted jets";
    m_doc.DrawAmbient(state, m_resources);
    EXPECT_EQ(snapshot(), before) << "ambient";
    m_doc.DrawSortedJets(state);
    EXPECT_EQ(snapshot(), before) << "sorted jets";
    DrawCappedCylinder(1, 2, 3, 10);
    DrawBox(1, 2, 3);
    EXPECT_EQ(snapshot(), before) << "shapes";
}

TEST_F(SceneGl, AnimationStepLimitsTheTubes) {
    SceneFrameOptions o;
    o.m_bAnimating = true;
    o.m_nAnimStep = 3;
    DrawSceneFrame(m_doc, m_doc.Displays(), m_camera, o, m_resources);
    const auto grown = m_context.ReadPixels();
    const auto full = Render(true);
    // Rings 0..2 only: the far end of each plume is not drawn.
    CJet& jet = *m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[0];
    double c[3];
    DiskCentre(jet, 190, c);
    int x, y;
    ASSERT_TRUE(Project(c, x, y));
    EXPECT_FALSE(Near(At(grown, x, y), At(full, x, y), 10));
    EXPECT_GT(Differing(grown, full), 200);
}

TEST_F(SceneGl, SingleDiskJetAndSteepPortDrawWithoutFault) {
    CJet& jet = *m_doc.GetOutfall(0)->m_Risers[0]->m_Jets[0];
    jet.m_pDisplay->m_Disks.resize(1);
    jet.m_dVAngle = 135.0;
    m_doc.PrepareJetDisplays();
    m_doc.BuildSortTree();
    EXPECT_EQ(jet.m_pDisplay->GetRingCount(), 1);
    Render(true);
    Render(false);
    m_doc.SetNoRiser(true);
    Render(true);
    SUCCEED();
}

TEST_F(SceneGl, MissingFaceImagesStillDrawThePlainBox) {
    m_resources.SetTextureDir("/nonexistent-folder");
    LookStraightDown();
    const auto px = Render(true);
    // Looking straight down: the sand-coloured bed (through the fog), not the clear colour.
    const Rgb bed = At(px, 5, 5);
    EXPECT_GT(bed.r, bed.b) << bed.r << "," << bed.g << "," << bed.b;
}

TEST_F(SceneGl, FaceImageTexturesTheSeaBed) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "plumex_scene_gl_faces";
    fs::create_directories(dir);
    // A 4 x 4 green 24-bit BMP as the sea bed.
    {
        std::FILE* f = std::fopen((dir / "SeaBed.bmp").c_str(), "wb");
        ASSERT_TRUE(f);
        const unsigned char header[54] = {'B', 'M', 54 + 48, 0, 0, 0, 0, 0, 0, 0,  54, 0, 0, 0, 40, 0,  0, 0, 4,
                                          0,   0,   0,       4, 0, 0, 0, 1, 0, 24, 0,  0, 0, 0, 0,  48, 0, 0, 0};
        std::fwrite(header, 1, 54, f);
        for (int i = 0; i < 16; ++i) {
            const unsigned char bgr[3] = {0, 220, 0};
            std::fwrite(bgr, 1, 3, f);
        }
        std::fclose(f);
    }
    m_resources.SetTextureDir(dir.string());
    LookStraightDown();
    const auto px = Render(true);
    fs::remove_all(dir);
    EXPECT_TRUE(m_resources.FaceLoaded(2));
    EXPECT_FALSE(m_resources.FaceLoaded(0));
    const Rgb bed = At(px, 5, 5);
    EXPECT_GT(bed.g, 120);
    EXPECT_LT(bed.r, 30);
}

TEST_F(SceneGl, ContextKeepsTheZoomFactorOfTheFrame) {
    m_camera.ScaleFieldOfView(0.5);
    ASSERT_FLOAT_EQ(m_camera.ZoomFactor(), 0.5f);
    Render(true);
    EXPECT_FLOAT_EQ(m_resources.LastZoomFactor(), 0.5f);
    m_camera.ScaleFieldOfView(1.5);
    Render(false);
    EXPECT_FLOAT_EQ(m_resources.LastZoomFactor(), 0.75f);
}
