// The jets are found by identity, so a jet renamed since the input was
// written still gets its results, and one deleted since is read past and
// reported. Each jet is read into a scratch jet, so the case stays as it
// is until the result is applied; the case is looked at only through the
// reader's input, so the files may be read on another thread.
#include "run/ResultsReader.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseLimits.h"
#include "model/JetDispModal.h"
#include "model/JetLabel.h"
#include "run/ClassicNumericScope.h"
#include "run/ModelOutputFile.h"
#include "run/NotComputedReason.h"
#include "run/RunProgress.h"
#include "run/RunSettings.h"
#include "run/SummaryParser.h"

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

// The jet's page of the summary file into its result. A jet whose page
// cannot be read gets no steps, so no trajectory section is read for it.
// dropLastStep: the all-jets reading in continuous mode counts one step less.
bool ReadSummaryPage(JetResult& jet, std::FILE* summary, bool dropLastStep, CPrompt& prompt, std::string& stopReason) {
    CKeyParameters record{};
    jet.m_bPageRead = ParseSummaryBlock(record, summary, prompt, stopReason);
    jet.m_strStatus = stopReason;
    if (!jet.m_bPageRead) return false;
    jet.m_KeyParams = record;
    if (dropLastStep && jet.m_KeyParams.m_nSteps > 0) --jet.m_KeyParams.m_nSteps;
    return true;
}

// A model may write one closing row beyond the step limit it was given;
// more than that is not a result of this input (and could ask for any
// amount of memory).
bool WithinStepLimit(CKeyParameters& record, const std::string& name, int maxTimeSteps, CPrompt& prompt) {
    const long long limit = static_cast<long long>(maxTimeSteps > 0 ? maxTimeSteps : 0) + 1;
    if (record.m_nSteps <= limit) return true;
    prompt.Inform("The jet model reports " + std::to_string(record.m_nSteps) + " steps for jet \"" + name +
                  "\", more than the " + std::to_string(maxTimeSteps) +
                  " time steps of this run; its results were not read.");
    record.m_nSteps = 0;
    return false;
}

// Results the case file's loader would refuse (a centre beyond the limits,
// a negative radius, a velocity beyond single precision) are not the jet's:
// the jet stays not computed, so that the case can be saved and opened again.
void KeepOnlyResultsTheCaseMayHold(JetResult& jet, const std::string& name, CPrompt& prompt) {
    const std::string problem = JetResultsProblem(jet.m_Disks);
    if (problem.empty()) return;
    prompt.Inform("The jet model's results for jet \"" + name + "\" are out of range (" + problem +
                      "); the jet was not computed.",
                  PromptIcon::Exclamation);
    jet.m_Disks.clear();
    jet.m_KeyParams.m_nSteps = 0;
    jet.m_strStatus = std::string(kNotComputedPrefix) + "its results are out of range (" + problem + ")";
}
}  // namespace

ReaderInput ReaderInputOf(const CCase& doc, const RunPlan& plan) {
    ReaderInput input;
    input.m_strStopReason = doc.m_strStatus;
    for (JetId id : plan.m_Jets) {
        ReaderJet jet;
        if (const CJet* j = doc.FindJetById(id)) {
            jet.m_bInCase = true;
            jet.m_strName = JetLabel(doc, id);
            jet.m_nSteps = j->m_KeyParams.m_nSteps;
        }
        input.m_Jets.push_back(std::move(jet));
    }
    return input;
}

bool ReadResultFiles(const CCase& doc, const RunPlan& plan, const CRunSettings& settings, CPrompt& prompt,
                     CRunProgress* progress, RunResult& result) {
    return ReadResultFiles(ReaderInputOf(doc, plan), plan, settings, prompt, progress, result);
}

bool ReadResultFiles(const ReaderInput& input, const RunPlan& plan, const CRunSettings& settings, CPrompt& prompt,
                     CRunProgress* progress, RunResult& result) {
    const CClassicNumericScope classicNumbers;
    std::FILE* summary = nullptr;
    std::FILE* trajectory = nullptr;
    if (!OpenResultFiles(settings, prompt, summary, trajectory)) return false;

    // The jets of the plan as they were when the reading began; a deleted
    // one is read all the same, so that the files stay in step, and then
    // dropped.
    const std::vector<ReaderJet>& jets = input.m_Jets;
    if (progress) {
        // All jets: the range follows each jet. Selected jets: the sum of the
        // step counts the jets had before this reading.
        long long total = 0;
        if (!plan.m_bAllJets)
            for (const ReaderJet& j : jets)
                if (j.m_bInCase) total += j.m_nSteps > 0 ? j.m_nSteps : 0;
        progress->Begin(0, total > INT32_MAX ? INT32_MAX : static_cast<int>(total));
    }
    const bool dropLastStep = plan.m_bAllJets && plan.m_bContinuous;
    std::string stopReason = input.m_strStopReason;
    // The trajectory reader fills a jet's disks and may shorten its steps.
    CJet scratch;
    int offset = 0;
    int skipped = 0;
    for (std::size_t n = 0; n < jets.size() && n < plan.m_Jets.size(); ++n) {
        JetResult jet;
        jet.m_Id = plan.m_Jets[n];
        if (!jets[n].m_bInCase) ++skipped;
        if (ReadSummaryPage(jet, summary, dropLastStep, prompt, stopReason)) {
            // A refused step count still reads the jet's headings, so the
            // next jet finds its own section.
            WithinStepLimit(jet.m_KeyParams, jets[n].m_strName, plan.m_nMaxTimeSteps, prompt);
            if (progress && plan.m_bAllJets) progress->Begin(0, jet.m_KeyParams.m_nSteps);
            scratch.m_KeyParams = jet.m_KeyParams;
            scratch.m_pDisplay->m_Disks.clear();
            // In continuous mode the count read is one less than the rows.
            if (!scratch.ReadTrajectory(trajectory, prompt, progress, plan.m_bAllJets ? 0 : offset, dropLastStep))
                jet.m_strStatus = kStepCountMismatchReason;
            jet.m_KeyParams.m_nSteps = scratch.m_KeyParams.m_nSteps;
            jet.m_Disks = std::move(scratch.m_pDisplay->m_Disks);
            if (!plan.m_bAllJets) offset += jet.m_KeyParams.m_nSteps;
            KeepOnlyResultsTheCaseMayHold(jet, jets[n].m_strName, prompt);
        }
        if (jets[n].m_bInCase) result.m_Jets.push_back(std::move(jet));
    }
    result.m_nJetsSkipped += skipped;
    result.m_strLastStopReason = stopReason;
    if (skipped > 0)
        prompt.Inform(std::to_string(skipped) + (skipped == 1 ? " jet was" : " jets were") +
                      " deleted while the model ran; " + (skipped == 1 ? "its" : "their") + " results were not kept.");
    std::fclose(summary);
    if (trajectory) std::fclose(trajectory);
    if (progress) {
        progress->End();
        progress->ShowStatus(stopReason);
    }
    return true;
}
