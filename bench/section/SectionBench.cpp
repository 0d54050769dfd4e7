// Time of one cross-section computation for a case of 50 jets of 1500
// disks: a vertical cross-section through all plumes and a horizontal
// section at mid-depth, at scale 20 pixels per metre.
#include <chrono>
#include <cmath>
#include <cstdio>

#include "SectionCase.h"
#include "base/Angles.h"
#include "base/AppState.h"
#include "base/Prompt.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"

namespace {

void Measure(const char* name, CCase& doc, double h, double v, double d, CutPlaneKind kind) {
    const CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(h, v, d, 200, kind, false);
    const int runs = 5;
    double best = 1e300, total = 0.0;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        doc.RecomputeSection();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        best = std::min(best, ms);
        total += ms;
    }
    long long cells = 0;
    for (const auto& p : plane.Polygons())
        cells += static_cast<long long>(p->m_rcPixel.Width()) * p->m_rcPixel.Height();
    std::printf(
        "%-34s %8.2f ms best %8.2f ms mean  polygons %3zu  image %5d x %5d = %9lld px  grid cells %9lld"
        "  scale %.0f  Total Area %.2f m^2\n",
        name, best, total / runs, plane.Polygons().size(), plane.ImageWidth(), plane.ImageHeight(),
        static_cast<long long>(plane.ImageWidth()) * plane.ImageHeight(), cells, plane.m_dScale,
        doc.m_SectionStats.m_dTotalArea);
}
}  // namespace

int main() {
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    const std::vector<StraightJet> jets = FiftyPlumes();
    const auto t0 = std::chrono::steady_clock::now();
    BuildSectionCase(doc, jets, 0.2);
    std::printf("case: 50 jets x 1500 disks, prepared in %.1f ms\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    double c[3];
    DiskCentre(*doc.GetCurrentRiser()->m_Jets[0], 750, c);
    // Plane x = const across every plume, and the horizontal plane at the
    // plumes' mid-depth.
    Measure("vertical cross-section (x = mid)", doc, 90.0, 0.0, c[0], CutPlaneKind::CrossSection);
    Measure("horizontal section (mid-depth)", doc, 0.0, 90.0, c[1], CutPlaneKind::Horizontal);
    return 0;
}
