// A run of the jet model for the case: checks, input file, the model
// process, reading the results and preparing the jets for the scene.
#include <QFile>
#include <cstdio>
#include <string>

#include "model/DocObserver.h"
#include "model/PlumexDoc.h"
#include "model/Prompt.h"
#include "run/ModelProcess.h"
#include "run/RunSettings.h"

namespace {
std::string RowsText(const char* format, int a, int b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}
}  // namespace

bool CPlumexDoc::LaunchModelAndWait() {
    CRunSettings& settings = RunSettings();
    if (!settings.EnsureWorkDir()) {
        m_prompt.Inform("Unable to create a working directory for the jet model.", PromptIcon::Stop);
        return false;
    }
    // Results of an earlier run must never be read as new ones.
    QFile::remove(QString::fromStdString(settings.TrajectoryPath()));
    QFile::remove(QString::fromStdString(settings.SummaryPath()));

    const ModelResult r = RunModelProcess(settings, m_pRunProgress);
    switch (r.m_nOutcome) {
    case ModelOutcome::Finished:
        return true;
    case ModelOutcome::Cancelled:
        return false;
    case ModelOutcome::TimedOut:
        // Not a fault of the inputs: the model ran out of its time.
        m_prompt.Inform(RowsText("Mardex did not finish within %d.%d s and was stopped; no results were read.",
                                 settings.m_nMaxWaits * settings.m_nWaitMs / 1000,
                                 settings.m_nMaxWaits * settings.m_nWaitMs % 1000 / 100));
        return false;
    case ModelOutcome::FailedToStart:
        m_prompt.Inform("Unable to start Mardex (" + settings.m_strModelProgram + "): " + r.m_strError,
                        PromptIcon::Stop);
        return false;
    case ModelOutcome::ErrorExit:
    default:
        m_prompt.Inform("Mardex stopped with exit status " + std::to_string(r.m_nExitCode) + ":\n" + r.m_strError,
                        PromptIcon::Stop);
        return false;
    }
}

bool CPlumexDoc::Run(bool allJets) {
    if (!m_pAmbient) return false;
    int rowA = 0, rowB = 0;
    const int profile = m_pAmbient->CheckProfile(rowA, rowB);
    if (profile == -1 && !m_prompt.AskYesNo(RowsText("Invalid ambient density of row %d and row %d", rowA, rowB)))
        return false;
    if (profile == -2) {
        m_prompt.Inform(RowsText("Invalid ambient depth of row %d and row %d", rowA, rowB));
        return false;
    }
    if (!CheckDepth()) return false;
    CRiser* outfall = GetCurrentOutfall();
    CBase* riser = outfall ? outfall->GetCurrentRiser() : nullptr;
    CJet* jet = riser ? riser->GetCurrentJet() : nullptr;
    if (!jet) return false;

    m_bResultsDrawable = false;
    const int o = m_nCurrentOutfall;
    const int r = outfall->m_nCurrentRiser;
    const int j = riser->m_nCurrentJet;
    // Without a complete input file the model would compute an older one
    // and its results would be read into these jets.
    const bool written = allJets ? WriteInputAllJets() : WriteInputJets(o, r, j, 1);
    if (!written) {
        m_prompt.Inform("Unable to write the model input file \"" + RunSettings().InputPath() + "\".",
                        PromptIcon::Exclamation);
        return false;
    }

    // The model runs as a separate process in this case's own working
    // directory. A run that fails, times out or is cancelled reads nothing,
    // so no jet changes.
    if (!LaunchModelAndWait()) return false;

    const bool read = allJets ? ReadResultsAll() : ReadResultsJets(o, r, j, 1);
    if (!read) return false;

    ComputeValueRanges();
    if (allJets) {
        PrepareJetDisplays();
    } else {
        PrepareJetDisplays(o, r, j, 1);
        BuildSortTree();
    }
    SetModifiedFlag(true);
    Notify(DocEvent::ResultsReady);
    UpdateAllViews();
    Notify(DocEvent::ProfileChanged);
    m_bResultsDrawable = true;
    return true;
}
