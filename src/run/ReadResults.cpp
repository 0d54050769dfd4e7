// Reading a run's results: the summary file page by page and the
// trajectory file section by section, one of each per jet, in the order
// the input file listed the jets. The jets are found by identity, so a jet
// renamed since the input was written still gets its results, and one
// deleted since is read past and reported.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/Prompt.h"
#include "model/PlumexDoc.h"
#include "run/ClassicNumericScope.h"
#include "run/ModelOutputFile.h"
#include "run/RunPlan.h"
#include "run/RunProgress.h"
#include "run/RunSettings.h"

namespace {
// Opens both files; false (and the message) when the summary file is
// missing or either file is refused.
bool OpenResultFiles(const CRunSettings& settings, CPrompt& prompt, std::FILE*& summary, std::FILE*& trajectory) {
    OutputOpen how = OutputOpen::Missing;
    summary = settings.m_strWorkDir.empty() ? nullptr : OpenModelOutput(settings.SummaryPath(), how);
    if (!summary) {
        if (how == OutputOpen::Missing) prompt.Inform("Unable to read suspend file", PromptIcon::Exclamation);
        else prompt.Inform(RefusedOutputText(settings.SummaryPath(), how), PromptIcon::Exclamation);
        return false;
    }
    // A missing trajectory file reads as an empty one: every jet then
    // reports its missing section.
    trajectory = OpenModelOutput(settings.TrajectoryPath(), how);
    if (!trajectory && how != OutputOpen::Missing) {
        std::fclose(summary);
        prompt.Inform(RefusedOutputText(settings.TrajectoryPath(), how), PromptIcon::Exclamation);
        return false;
    }
    return true;
}

// The jet's page of the summary file into its record and status. A jet whose
// page cannot be read gets no steps, so no trajectory section is read for it.
// dropLastStep: the all-jets reading in continuous mode counts one step less.
bool ReadSummaryPage(CPlumexDoc& doc, CJet& j, std::FILE* summary, bool dropLastStep, CPrompt& prompt) {
    j.m_pDisplay->m_Disks.clear();
    const bool parsed = doc.ParseSummaryBlock(j.m_KeyParams, summary, prompt);
    j.m_strStatus = doc.m_strStatus;
    if (dropLastStep && j.m_KeyParams.m_nSteps > 0) --j.m_KeyParams.m_nSteps;
    if (!parsed) j.m_KeyParams.m_nSteps = 0;
    return parsed;
}

// A model may write one closing row beyond the step limit it was given;
// more than that is not a result of this input (and could ask for any
// amount of memory).
bool WithinStepLimit(CJet& j, int maxTimeSteps, CPrompt& prompt) {
    const long long limit = static_cast<long long>(maxTimeSteps > 0 ? maxTimeSteps : 0) + 1;
    if (j.m_KeyParams.m_nSteps <= limit) return true;
    prompt.Inform("The jet model reports " + std::to_string(j.m_KeyParams.m_nSteps) + " steps for jet \"" +
                  j.m_strName + "\", more than the " + std::to_string(maxTimeSteps) +
                  " time steps of this run; its results were not read.");
    j.m_KeyParams.m_nSteps = 0;
    return false;
}

// Closes both files, removes the meter and shows the stop reason of the jet
// read last.
void FinishReading(const CPlumexDoc& doc, std::FILE* summary, std::FILE* trajectory) {
    std::fclose(summary);
    if (trajectory) std::fclose(trajectory);
    if (CRunProgress* progress = doc.m_pRunProgress) {
        progress->End();
        progress->ShowStatus(doc.m_strStatus);
    }
}
}  // namespace

bool CPlumexDoc::ReadResults(const RunPlan& plan, CPrompt& prompt, RunReport& report) {
    const CClassicNumericScope classicNumbers;
    std::FILE* summary = nullptr;
    std::FILE* trajectory = nullptr;
    const CRunSettings& settings = plan.m_pSettings ? *plan.m_pSettings : RunSettings();
    if (!OpenResultFiles(settings, prompt, summary, trajectory)) return false;

    // The jets of the plan as they are now; a deleted one reads into a
    // stand-in so that the files stay in step.
    std::vector<CJet*> jets;
    for (JetId id : plan.m_Jets) jets.push_back(FindJetById(id));
    CJet standIn;

    CRunProgress* progress = m_pRunProgress;
    if (progress) {
        // All jets: the range follows each jet. Selected jets: the sum of the
        // step counts the jets had before this reading.
        long long total = 0;
        if (!plan.m_bAllJets)
            for (const CJet* j : jets)
                if (j) total += j->m_KeyParams.m_nSteps > 0 ? j->m_KeyParams.m_nSteps : 0;
        progress->Begin(0, total > INT32_MAX ? INT32_MAX : static_cast<int>(total));
    }
    const bool dropLastStep = plan.m_bAllJets && plan.m_bContinuous;
    int offset = 0;
    for (std::size_t n = 0; n < jets.size(); ++n) {
        CJet& j = jets[n] ? *jets[n] : standIn;
        if (!jets[n]) {
            standIn.m_strName.clear();
            ++report.m_nJetsSkipped;
        }
        if (!ReadSummaryPage(*this, j, summary, dropLastStep, prompt)) continue;
        // A refused step count still reads the jet's headings, so the next
        // jet finds its own section.
        WithinStepLimit(j, plan.m_nMaxTimeSteps, prompt);
        if (progress && plan.m_bAllJets) progress->Begin(0, j.m_KeyParams.m_nSteps);
        j.ReadTrajectory(trajectory, prompt, progress, plan.m_bAllJets ? 0 : offset);
        if (!plan.m_bAllJets) offset += j.m_KeyParams.m_nSteps;
        if (jets[n]) ++report.m_nJetsRead;
    }
    if (report.m_nJetsSkipped > 0)
        prompt.Inform(std::to_string(report.m_nJetsSkipped) + (report.m_nJetsSkipped == 1 ? " jet was" : " jets were") +
                      " deleted while the model ran; " + (report.m_nJetsSkipped == 1 ? "its" : "their") +
                      " results were not kept.");
    FinishReading(*this, summary, trajectory);
    return true;
}

namespace {
RunPlan ReadingPlan(const CPlumexDoc& doc, bool allJets) {
    RunPlan plan;
    plan.m_bAllJets = allJets;
    plan.m_bContinuous = doc.m_bContinuous;
    plan.m_nMaxTimeSteps = doc.m_nMaxTimeSteps;
    plan.m_pSettings = doc.m_pRunSettings;
    return plan;
}
}  // namespace

bool CPlumexDoc::ReadResultsAll() {
    RunPlan plan = ReadingPlan(*this, true);
    ForEachJet([&plan](int, int, int, CRiser&, CBase&, CJet& j) { plan.m_Jets.push_back(j.Id()); });
    RunReport report;
    return ReadResults(plan, m_prompt, report);
}

bool CPlumexDoc::ReadResultsJets(int outfall, int riser, int firstJet, int count) {
    RunPlan plan = ReadingPlan(*this, false);
    CRiser* o = GetOutfall(outfall);
    CBase* r = o ? o->GetRiser(riser) : nullptr;
    for (int k = firstJet; r && k < firstJet + count; ++k)
        if (CJet* j = r->GetJet(k)) plan.m_Jets.push_back(j->Id());
    RunReport report;
    return ReadResults(plan, m_prompt, report);
}
