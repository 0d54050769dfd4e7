// The end of a run of the demo case in continuous mode, step by step and
// without a window: the model's output is made once by the jet model, then
// each step is timed many times. The reading runs on a thread of its own
// in the program; the other steps run where the case lives, between the
// window's events, so each of them must stay well under 100 ms.
#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "model/RunOptions.h"
#include "run/ModelProcess.h"
#include "run/ResultsReader.h"
#include "run/RunAndWait.h"
#include "run/RunApply.h"
#include "run/RunPlan.h"
#include "run/RunResult.h"
#include "run/RunSettings.h"
#include "scene/JetDisplays.h"
#include "scene/SortTree.h"

namespace {
using Clock = std::chrono::steady_clock;
double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }
double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication qapp(argc, argv);
    qputenv("PLUMEX_MODEL", PLUMEX_MODEL_EXE);
    QFile text(PLUMEX_DEMO_TEXT);
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    std::vector<CaseJsonProblem> problems;
    if (!text.open(QIODevice::ReadOnly) || !ReadCaseJson(text.readAll().toStdString(), doc, problems)) {
        std::fprintf(stderr, "cannot read the demo case\n");
        return 1;
    }
    RunOptions options = doc.GetRunOptions();
    options.m_bContinuous = true;
    doc.SetRunOptions(options);
    CJetDisplays displays(doc);
    auto settings = std::make_shared<CRunSettings>();
    const auto m0 = Clock::now();
    if (!RunAndWait(doc, true, settings)) {
        std::fprintf(stderr, "the demo case could not be computed\n");
        return 1;
    }
    const double modelMs = Ms(m0, Clock::now());

    RunPlan plan;
    plan.m_bAllJets = true;
    plan.m_bContinuous = true;
    plan.m_nMaxTimeSteps = doc.MaxTimeSteps();
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
    ModelResult finished;
    finished.m_eOutcome = ModelOutcome::Finished;

    std::vector<double> read, apply, section, tree;
    int disks = 0;
    for (int i = 0; i < 15; ++i) {
        const auto t0 = Clock::now();
        RunResult result = ReadModelOutput(ReaderInputOf(doc, plan), plan, *settings, finished, nullptr);
        const auto t1 = Clock::now();
        AddCaseWarnings(doc, plan, result);
        const RunReport report = ApplyRunResult(doc, plan, result);
        const auto t2 = Clock::now();
        doc.RecomputeSection(false);
        const auto t3 = Clock::now();
        const CSortTree* sorted = displays.SortTree();
        const auto t4 = Clock::now();
        if (report.m_nJetsComputed != report.m_nJetsPlanned || !sorted) std::printf("  (not every jet was read)\n");
        read.push_back(Ms(t0, t1));
        apply.push_back(Ms(t1, t2));
        section.push_back(Ms(t2, t3));
        tree.push_back(Ms(t3, t4));
        disks = 0;
        doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { disks += j.GetDiskCount(); });
    }
    std::printf("demo case, continuous mode: %d jets, %d disks; the model with its run %.0f ms\n",
                static_cast<int>(plan.m_Jets.size()), disks, modelMs);
    std::printf(
        "median of 15 (ms):  read (own thread) %6.1f   apply %6.1f   section %6.1f   sort tree (own thread) %6.1f\n",
        Median(read), Median(apply), Median(section), Median(tree));
    std::printf("reading per step: %.3f us (goal <= 0.5)\n", disks > 0 ? Median(read) * 1000.0 / disks : 0.0);
    return 0;
}
