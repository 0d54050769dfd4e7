// Figures of the jet display: preparing the tubes, building the sort tree,
// and one sorted and one fast frame at 1280 x 800, for cases of 1, 10 and 50
// jets of 1500 disks each. Frames are drawn offscreen on OSMesa (llvmpipe);
// a frame's figure is the median of several frames drawn while the camera
// orbits a little between them, as during a rotate drag. Then the frame of
// the demo case (or of --demo FILE) with the water and the particles
// running beside the plain frame.
// With --immediate the jets are drawn one GL call per vertex, the plain way
// the array drawing is checked against. With --write-case FILE it saves the
// 10-jet case (with a camera that looks at the structure) for --render
// instead.
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "DemoFrameBench.h"
#include "OsMesaContext.h"
#include "SyntheticCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/SceneFrame.h"
#include "scene/SortTree.h"
#include "support/ScriptedPrompt.h"

namespace {
using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

void LookAtStructure(CViewControl& v) {
    const double eye[3] = {-70.0, 40.0, 170.0}, target[3] = {20.0, 8.0, 60.0};
    for (int i = 0; i < 3; ++i) {
        v.m_dEye[i] = eye[i];
        v.m_dTarget[i] = target[i];
    }
}

// CPU time of the whole process (llvmpipe's threads included), which other
// programs on a busy machine do not stretch as they stretch the wall clock.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct FrameTimes {
    double m_dWallMs = 0.0;
    double m_dCpuMs = 0.0;
};

// Median wall-clock and CPU times of frames drawn with the eye orbiting one
// degree each time.
FrameTimes MedianFrameMs(CPlumexDoc& doc, CViewControl& camera, const SceneFrameOptions& options,
                         CGlResources& resources) {
    constexpr int kFrames = 7;
    std::vector<double> wall, cpu;
    for (int i = 0; i < kFrames; ++i) {
        camera.OrbitAboutUp(1.0);
        const auto t0 = Clock::now();
        const double c0 = CpuMs();
        DrawSceneFrame(doc, doc.Displays(), camera, options, resources);
        cpu.push_back(CpuMs() - c0);
        wall.push_back(Ms(t0, Clock::now()));
    }
    std::nth_element(wall.begin(), wall.begin() + kFrames / 2, wall.end());
    std::nth_element(cpu.begin(), cpu.begin() + kFrames / 2, cpu.end());
    return {wall[kFrames / 2], cpu[kFrames / 2]};
}
}  // namespace

int main(int argc, char** argv) {
    CAppState app;
    CScriptedPrompt prompt;
    if (argc == 3 && std::strcmp(argv[1], "--write-case") == 0) {
        CPlumexDoc doc(app, prompt);
        BuildSyntheticCase(doc, 10, 300);
        LookAtStructure(doc.m_ViewControl);
        if (!doc.SaveCase(argv[2])) return 1;
        std::printf("%s\n", argv[2]);
        return 0;
    }
    bool immediate = false;
    for (int i = 1; i < argc; ++i) immediate = immediate || std::strcmp(argv[i], "--immediate") == 0;
    constexpr int kW = 1280, kH = 800;
    COsMesaContext context(kW, kH);
    if (!context.IsValid()) {
        std::fprintf(stderr, "bench_scene: %s\n", context.Error().c_str());
        return 1;
    }
    ApplyFixedGlState();
    glViewport(0, 0, kW, kH);
    std::printf(
        "jets  disks/jet  prepare(ms)  tree(ms)  polygons  after-split  nodes  sorted-frame(ms)  "
        "fast-frame(ms)  sorted-cpu(ms)  fast-cpu(ms)\n");
    for (int jets : {1, 10, 50}) {
        CPlumexDoc doc(app, prompt);
        CGlResources resources;
        BuildSyntheticCase(doc, jets, 1500);
        CViewControl camera;
        LookAtStructure(camera);
        camera.SetWindowSize(kW, kH);

        const auto t0 = Clock::now();
        doc.PrepareJetDisplays();
        const auto t1 = Clock::now();
        doc.BuildSortTree();
        const auto t2 = Clock::now();
        SceneFrameOptions sorted;
        sorted.m_bFastDisplay = false;
        sorted.m_bImmediateMode = immediate;
        const FrameTimes sortedMs = MedianFrameMs(doc, camera, sorted, resources);
        SceneFrameOptions fast;
        fast.m_bImmediateMode = immediate;
        const FrameTimes fastMs = MedianFrameMs(doc, camera, fast, resources);
        const CSortTree& tree = *doc.SortTree();
        std::printf("%4d  %9d  %11.1f  %8.1f  %8d  %11d  %5d  %16.1f  %14.1f  %14.1f  %12.1f\n", jets, 1500, Ms(t0, t1),
                    Ms(t1, t2), tree.InputPolygonCount(), tree.PolygonCount(), tree.NodeCount(), sortedMs.m_dWallMs,
                    fastMs.m_dWallMs, sortedMs.m_dCpuMs, fastMs.m_dCpuMs);
    }
    const char* demo = PLUMEX_DEMO_CASE;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--demo") == 0) demo = argv[i + 1];
    return PrintAnimatedFrameTimes(demo, PLUMEX_TEXTURE_DIR, kW, kH);
}
