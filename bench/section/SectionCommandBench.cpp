// Time of the whole section job as the command line runs it (open the case
// file, place the plane, cut every jet, print the figures) on a saved case
// of 50 jets of 1500 disks, and of opening the case alone.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <vector>

#include <QTemporaryDir>

#include "SectionCase.h"
#include "base/Angles.h"
#include "base/AppState.h"
#include "base/Prompt.h"
#include "cli/SectionCommand.h"

namespace {
using Clock = std::chrono::steady_clock;

// Processor time of this process, unaffected by other programs on the machine.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

void Measure(const char* name, const std::function<bool()>& job) {
    const int runs = 9;
    std::vector<double> wall, cpu;
    bool ok = true;
    for (int i = 0; i < runs; ++i) {
        const double c0 = CpuMs();
        const auto t0 = Clock::now();
        ok = job() && ok;
        wall.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        cpu.push_back(CpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-48s %7.2f ms best %7.2f ms median (processor %7.2f ms median)%s\n", name, wall.front(),
                wall[runs / 2], cpu[runs / 2], ok ? "" : "  (FAILED)");
}
}  // namespace

int main() {
    QTemporaryDir dir;
    CAppState app;
    CSilentPrompt prompt;
    const std::string path = dir.path().toStdString() + "/fifty.pmx";
    double midDepth = 0.0, across = 0.0;
    {
        CCase doc(app, prompt);
        const std::vector<StraightJet> jets = FiftyPlumes();
        BuildSectionCase(doc, jets, 0.2);
        double c[3];
        DiskCentre(*doc.GetCurrentRiser()->m_Jets[0], 750, c);
        // Distances as the data pane shows them.
        midDepth = c[1] + doc.CutPlaneReferenceLevel();
        across = c[0];
        if (!doc.SaveCase(path)) {
            std::printf("the case could not be saved\n");
            return 1;
        }
    }
    std::FILE* sink = std::fopen("/dev/null", "w");
    std::printf("case: 50 jets x 1500 disks\n");
    Measure("open the case", [&] {
        CCase doc(app, prompt);
        return doc.OpenCase(path);
    });
    SectionRequest horizontal;
    horizontal.m_strCase = path;
    horizontal.m_eKind = CutPlaneKind::Horizontal;
    horizontal.m_bDistance = true;
    horizontal.m_dDistance = midDepth;
    Measure("section job, horizontal at mid-depth", [&] { return RunSection(horizontal, prompt, sink) == 0; });
    SectionRequest cross = horizontal;
    cross.m_eKind = CutPlaneKind::CrossSection;
    cross.m_dDistance = across;
    Measure("section job, cross-section through every plume", [&] { return RunSection(cross, prompt, sink) == 0; });
    std::fclose(sink);
    // What the jobs print, to show they cut the plumes.
    for (const SectionRequest* req : {&horizontal, &cross}) {
        std::FILE* out = std::tmpfile();
        RunSection(*req, prompt, out);
        std::rewind(out);
        char line[512];
        while (std::fgets(line, sizeof line, out))
            if (std::strncmp(line, "Polygons", 8) == 0 || std::strncmp(line, "Total Area", 10) == 0)
                std::printf("  %s", line);
        std::fclose(out);
    }
    return 0;
}
