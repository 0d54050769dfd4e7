#include "DemoFrameBench.h"

#include <QCoreApplication>

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/SceneFrame.h"
#include "run/RunAndWait.h"
#include "scene/ParticleSystems.h"
#include "scene/Water.h"
#include "support/ScriptedPrompt.h"

namespace {
using Clock = std::chrono::steady_clock;
constexpr int kFrames = 30;

// Mean time of one frame over kFrames frames, milliseconds.
double MeanFrameMs(CPlumexDoc& doc, const CViewControl& camera, const SceneFrameOptions& options,
                   CGlResources& resources) {
    DrawSceneFrame(doc, doc.Displays(), camera, options, resources);  // textures and lists made outside the timing
    const auto t0 = Clock::now();
    for (int i = 0; i < kFrames; ++i) DrawSceneFrame(doc, doc.Displays(), camera, options, resources);
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / kFrames;
}
}  // namespace

int PrintAnimatedFrameTimes(const char* casePath, const char* textureDir, int width, int height) {
    // The model run waits for the model process in an event loop.
    int argc = 1;
    char name[] = "bench_scene";
    char* argv[] = {name, nullptr};
    QCoreApplication qt(argc, argv);
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(casePath)) {
        std::fprintf(stderr, "bench_scene: cannot open %s\n", casePath);
        return 1;
    }
    int disks = 0;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) { disks += j.GetDiskCount(); });
    // A case saved without results is computed with the jet model first.
    if (disks == 0 && !RunAndWait(doc, true)) {
        std::fprintf(stderr, "bench_scene: %s could not be computed\n", casePath);
        return 1;
    }
    doc.PrepareJetDisplays();
    doc.BuildSortTree();
    doc.BuildColourTable(doc.GetColourMode());
    CViewControl camera = doc.m_ViewControl;
    camera.SetWindowSize(width, height);
    CGlResources resources(textureDir);
    unsigned int smoke[kSmokeTextureCount] = {};
    LoadSmokeTextures(textureDir, smoke, prompt);
    CWater water;
    water.LoadTexture(3, textureDir, prompt);
    CParticleSystems particles;
    particles.Restart(doc, prompt);

    std::printf("\n%s, %d x %d, mean of %d frames:\n", casePath, width, height, kFrames);
    std::printf("display  plain(ms)  still-water(ms)  disturbed(ms)  particles(ms)  animated/plain\n");
    for (bool fast : {true, false}) {
        SceneFrameOptions plain;
        plain.m_bFastDisplay = fast;
        SceneFrameOptions still = plain;
        still.m_pWater = &water;
        SceneFrameOptions disturbed = still;
        disturbed.m_bDisturbed = true;
        SceneFrameOptions running = still;
        running.m_bParticles = true;
        running.m_pSmokeTextures = smoke;
        running.m_pParticles = &particles;
        const double a = MeanFrameMs(doc, camera, plain, resources);
        const double b = MeanFrameMs(doc, camera, still, resources);
        const double c = MeanFrameMs(doc, camera, disturbed, resources);
        const double d = MeanFrameMs(doc, camera, running, resources);
        std::printf("%-7s  %9.1f  %15.1f  %13.1f  %13.1f  %14.2f\n", fast ? "fast" : "sorted", a, b, c, d,
                    std::max(c, d) / a);
    }
    glDeleteTextures(kSmokeTextureCount, smoke);
    water.ReleaseTexture();
    return 0;
}
