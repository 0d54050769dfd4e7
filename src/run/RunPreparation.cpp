#include "run/RunPreparation.h"

#include <QFile>
#include <cstdio>
#include <string>
#include <utility>

#include "base/Prompt.h"
#include "model/Case.h"
#include "run/ModelInput.h"
#include "run/RunPlan.h"
#include "run/RunSettings.h"

namespace {
std::string RowsText(const char* format, int a, int b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}
}  // namespace

bool PrepareRun(CCase& doc, CRunSettings& settings, bool allJets, RunPlan& plan) {
    if (doc.IsRunInFlight() || !doc.Ambient()) return false;
    CPrompt& prompt = doc.Prompt();
    int rowA = 0, rowB = 0;
    const int profile = doc.Ambient()->CheckProfile(rowA, rowB);
    if (profile == -1 && !prompt.AskYesNo(RowsText("Invalid ambient density of row %d and row %d", rowA, rowB)))
        return false;
    if (profile == -2) {
        prompt.Inform(RowsText("Invalid ambient depth of row %d and row %d", rowA, rowB));
        return false;
    }
    if (!doc.CheckDepth()) return false;
    CRiser* outfall = doc.GetCurrentOutfall();
    CBase* riser = outfall ? outfall->GetCurrentRiser() : nullptr;
    CJet* jet = riser ? riser->GetCurrentJet() : nullptr;
    if (!jet) return false;

    if (!settings.EnsureWorkDir()) {
        prompt.Inform("Unable to create a working directory for the jet model.", PromptIcon::Stop);
        return false;
    }
    // Results of an earlier run must never be read as new ones.
    QFile::remove(QString::fromStdString(settings.TrajectoryPath()));
    QFile::remove(QString::fromStdString(settings.SummaryPath()));
    // Without a complete input file the model would compute an older one
    // and its results would be read into these jets.
    InputNotes notes;
    const bool written = allJets ? WriteInputAllJets(doc, settings, &notes)
                                 : WriteInputJets(doc, settings, doc.m_nCurrentOutfall, outfall->m_nCurrentRiser,
                                                  riser->m_nCurrentJet, 1, &notes);
    if (!written) {
        prompt.Inform("Unable to write the model input file \"" + settings.InputPath() + "\".",
                      PromptIcon::Exclamation);
        return false;
    }

    plan = RunPlan();
    plan.m_bAllJets = allJets;
    plan.m_bContinuous = doc.IsContinuous();
    plan.m_nMaxTimeSteps = doc.MaxTimeSteps();
    plan.m_RowJets = std::move(notes.m_RowJets);
    plan.m_Problems = std::move(notes.m_Problems);
    if (allJets) doc.ForEachJet([&plan](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
    else plan.m_Jets.push_back(jet->Id());
    doc.m_bResultsDrawable = false;
    doc.SetRunInFlight(true);
    return true;
}
