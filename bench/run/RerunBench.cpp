// Time of one jet's re-run inside a case of 50 and of 100 jets of 1500
// disks, without the model itself: the model's output for the jet is
// written beforehand, and the clock covers reading it into the jet and
// updating what the views show (placement, ranges, colours), then the sort
// tree made by the first sorted frame after it. The sorted display is on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include "ResultFiles.h"
#include "SyntheticCase.h"
#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "run/ModelProcess.h"
#include "run/RunApply.h"
#include "run/RunPlan.h"
#include "run/RunResult.h"
#include "run/RunSettings.h"
#include "scene/JetDisplays.h"
#include "scene/SortTree.h"

namespace {
using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }
// Processor time of this process, unaffected by other programs on the machine.
double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
double Best(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Measure(int jets, const std::string& dir) {
    constexpr int kDisks = 1500;
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    BuildSyntheticCase(doc, jets, kDisks);
    CJetDisplays displays(doc);
    doc.PlaceJets();
    displays.SortTree();  // the case is on screen, sorted

    // The jet in the middle of the case is re-run.
    CBase& riser = *doc.GetOutfall(0)->m_Risers[jets / 4];
    CJet& jet = *riser.m_Jets[1];
    CRunSettings settings;
    settings.m_strWorkDir = dir;
    SummaryPage page;
    page.m_strName = jet.m_strName;
    page.m_nSteps = kDisks;
    WriteText(settings.SummaryPath(), PageText(page));
    WriteText(settings.TrajectoryPath(), SectionText(1, jet.m_strName, kDisks, 0.25));
    RunPlan plan;
    plan.m_bAllJets = false;
    plan.m_Jets.push_back(jet.Id());
    plan.m_nMaxTimeSteps = kDisks;
    ModelResult result;
    result.m_eOutcome = ModelOutcome::Finished;

    // The machine may be busy: many runs, the best and the median shown.
    const int runs = 15;
    std::vector<double> apply, applyCpu, tree;
    int polygons = 0;
    for (int i = 0; i < runs; ++i) {
        const double c0 = CpuMs();
        const auto t0 = Clock::now();
        const RunReport report = ApplyRunResult(doc, plan, ReadRunResult(doc, plan, settings, result, nullptr));
        const auto t1 = Clock::now();
        applyCpu.push_back(CpuMs() - c0);
        const CSortTree* sorted = i < 3 ? displays.SortTree() : nullptr;  // the tree takes long: three times
        const auto t2 = Clock::now();
        if (report.m_nJetsRead != 1) std::printf("  (the jet's results were not read)\n");
        if (sorted) {
            polygons = sorted->InputPolygonCount();
            tree.push_back(Ms(t1, t2));
        }
        apply.push_back(Ms(t0, t1));
    }
    std::printf(
        "%4d jets x %d disks  re-run of one jet %6.2f ms best %6.2f ms median (processor %6.2f ms median)"
        "  first sorted frame's tree %7.1f ms best %7.1f ms median  (%d polygons)\n",
        jets, kDisks, Best(apply), Median(apply), Median(applyCpu), Best(tree), Median(tree), polygons);
}
}  // namespace

int main() {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::printf("no temporary folder\n");
        return 1;
    }
    std::printf("one jet re-run, model excluded (reading its output, displays, ranges, colours)\n");
    Measure(50, dir.path().toStdString());
    Measure(100, dir.path().toStdString());
    return 0;
}
