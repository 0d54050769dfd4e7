// A run of the jet model for the case, in three steps: prepare (checks,
// input file, the identities of the jets), execute (the model process,
// CModelProcess) and apply (results into the jets, displays, events).
#include <QFile>
#include <cstdio>
#include <string>

#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "model/PlumexDoc.h"
#include "run/ModelProcess.h"
#include "run/ProblemList.h"
#include "run/RunPlan.h"
#include "run/RunSettings.h"

namespace {
std::string RowsText(const char* format, int a, int b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

// What the user is told about a model run that gave no output to read.
std::string OutcomeText(const ModelResult& r, const std::string& program, int timeoutMs) {
    switch (r.m_eOutcome) {
    case ModelOutcome::TimedOut:
        // Not a fault of the inputs: the model ran out of its time.
        return RowsText("Mardex did not finish within %d.%d s and was stopped; no results were read.", timeoutMs / 1000,
                        timeoutMs % 1000 / 100);
    case ModelOutcome::FailedToStart:
        return "Unable to start Mardex (" + program + "): " + r.m_strError;
    case ModelOutcome::ErrorExit:
        return "Mardex stopped with exit status " + std::to_string(r.m_nExitCode) + ":\n" + r.m_strError;
    case ModelOutcome::Cancelled:
    case ModelOutcome::Finished:
    default:
        return std::string();
    }
}
}  // namespace

std::string RunReport::ProblemText() const {
    std::string text;
    for (const std::string& p : m_Problems) {
        if (!text.empty()) text += "\n";
        text += p;
    }
    return text;
}

bool CPlumexDoc::PrepareRun(bool allJets, RunPlan& plan) {
    if (m_bRunInFlight || !m_pAmbient) return false;
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

    CRunSettings& settings = RunSettings();
    if (!settings.EnsureWorkDir()) {
        m_prompt.Inform("Unable to create a working directory for the jet model.", PromptIcon::Stop);
        return false;
    }
    // Results of an earlier run must never be read as new ones.
    QFile::remove(QString::fromStdString(settings.TrajectoryPath()));
    QFile::remove(QString::fromStdString(settings.SummaryPath()));
    // Without a complete input file the model would compute an older one
    // and its results would be read into these jets.
    const bool written = allJets ? WriteInputAllJets()
                                 : WriteInputJets(m_nCurrentOutfall, outfall->m_nCurrentRiser, riser->m_nCurrentJet, 1);
    if (!written) {
        m_prompt.Inform("Unable to write the model input file \"" + settings.InputPath() + "\".",
                        PromptIcon::Exclamation);
        return false;
    }

    plan = RunPlan();
    plan.m_bAllJets = allJets;
    plan.m_bContinuous = m_bContinuous;
    plan.m_nMaxTimeSteps = m_nMaxTimeSteps;
    plan.m_pSettings = m_pRunSettings;
    if (allJets) ForEachJet([&plan](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
    else plan.m_Jets.push_back(jet->Id());
    m_bResultsDrawable = false;
    SetRunInFlight(true);
    return true;
}

RunReport CPlumexDoc::ApplyRun(const RunPlan& plan, const ModelResult& result) {
    RunReport report;
    if (result.m_eOutcome != ModelOutcome::Finished) {
        // Nothing was read: every jet is as it was, and so is what the views show.
        switch (result.m_eOutcome) {
        case ModelOutcome::Cancelled:
            report.m_eStatus = RunStatus::Cancelled;
            break;
        case ModelOutcome::TimedOut:
            report.m_eStatus = RunStatus::TimedOut;
            break;
        default:
            report.m_eStatus = RunStatus::Failed;
            break;
        }
        const std::string program = plan.m_pSettings ? plan.m_pSettings->m_strModelProgram : std::string();
        const int timeoutMs = plan.m_pSettings ? plan.m_pSettings->m_nMaxWaits * plan.m_pSettings->m_nWaitMs : 0;
        const std::string text = OutcomeText(result, program, timeoutMs);
        if (!text.empty()) report.m_Problems.push_back(text);
        m_bResultsDrawable = true;
        SetRunInFlight(false);
        return report;
    }

    CProblemList problems;
    const bool read = ReadResults(plan, problems, report);
    report.m_Problems = problems.m_Texts;
    if (!read) {
        // The output could not be read: no jet was touched.
        report.m_eStatus = RunStatus::Failed;
        SetRunInFlight(false);
        return report;
    }
    report.m_eStatus = RunStatus::Completed;

    ComputeValueRanges();
    if (plan.m_bAllJets) {
        PrepareJetDisplays();
    } else {
        for (JetId id : plan.m_Jets) {
            int o = 0, r = 0, j = 0;
            if (LocateJet(id, o, r, j)) PrepareJetDisplays(o, r, j, 1);
        }
    }
    SetRunInFlight(false);
    SetModifiedFlag(true);
    ClearResultsOutOfDate();
    Notify(DocEvent::ResultsReady);
    DocEvent changed(DocEvent::ResultsChanged);
    changed.m_nCount = report.m_nJetsRead;
    Notify(changed);
    UpdateAllViews();
    Notify(DocEvent::ProfileChanged);
    m_bResultsDrawable = true;
    return report;
}
