// Figures of the jet display: preparing the tubes, building the sort tree,
// and one sorted and one fast frame at 1280 x 800, for cases of 1, 10 and 50
// jets of 1500 disks each. Frames are drawn offscreen on OSMesa (llvmpipe).
// Then the frame of the demo case (or of --demo FILE) with the water and
// the particles running beside the plain frame. With --write-case FILE it saves the 10-jet case (with a camera that looks
// at the structure) for --render instead.
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "DemoFrameBench.h"
#include "OsMesaContext.h"
#include "SyntheticCase.h"
#include "base/AppState.h"
#include "model/PlumexDoc.h"
#include "scene/GlResources.h"
#include "scene/GlSetup.h"
#include "scene/SceneFrame.h"
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
        "fast-frame(ms)\n");
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
        DrawSceneFrame(doc, camera, sorted, resources);
        const auto t3 = Clock::now();
        SceneFrameOptions fast;
        DrawSceneFrame(doc, camera, fast, resources);
        const auto t4 = Clock::now();
        const CSortTree& tree = *doc.m_pSortTree;
        std::printf("%4d  %9d  %11.1f  %8.1f  %8d  %11d  %5d  %16.1f  %14.1f\n", jets, 1500, Ms(t0, t1), Ms(t1, t2),
                    tree.InputPolygonCount(), tree.PolygonCount(), tree.NodeCount(), Ms(t2, t3), Ms(t3, t4));
    }
    const char* demo = argc == 3 && std::strcmp(argv[1], "--demo") == 0 ? argv[2] : PLUMEX_DEMO_CASE;
    return PrintAnimatedFrameTimes(demo, PLUMEX_TEXTURE_DIR, kW, kH);
}
