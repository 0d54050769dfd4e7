// Reading a run's results: the summary file page by page and the
// trajectory file section by section, one of each per jet, in the order
// the input file listed the jets.
#include <cstdint>
#include <cstdio>
#include <vector>

#include "model/PlumexDoc.h"
#include "base/Prompt.h"
#include "run/ClassicNumericScope.h"
#include "run/RunProgress.h"
#include "run/RunSettings.h"

namespace {
// Opens both files; false (and the message) when the summary file is missing.
bool OpenResultFiles(CPlumexDoc& doc, std::FILE*& summary, std::FILE*& trajectory) {
    CRunSettings& settings = doc.RunSettings();
    summary = settings.m_strWorkDir.empty() ? nullptr : std::fopen(settings.SummaryPath().c_str(), "rb");
    if (!summary) {
        doc.Prompt().Inform("Unable to read suspend file", PromptIcon::Exclamation);
        return false;
    }
    // A missing trajectory file reads as an empty one: every jet then
    // reports its missing section.
    trajectory = std::fopen(settings.TrajectoryPath().c_str(), "rb");
    return true;
}

// The jet's page of the summary file into its record and status. A jet whose
// page cannot be read gets no steps, so no trajectory section is read for it.
// dropLastStep: the all-jets reading in continuous mode counts one step less.
bool ReadSummaryPage(CPlumexDoc& doc, CJet& j, std::FILE* summary, bool dropLastStep) {
    j.m_pDisplay->m_Disks.clear();
    const bool parsed = doc.ParseSummaryBlock(j.m_KeyParams, summary);
    j.m_strStatus = doc.m_strStatus;
    if (dropLastStep && j.m_KeyParams.m_nSteps > 0) --j.m_KeyParams.m_nSteps;
    if (!parsed) j.m_KeyParams.m_nSteps = 0;
    return parsed;
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

bool CPlumexDoc::ReadResultsAll() {
    const CClassicNumericScope classicNumbers;
    std::FILE* summary = nullptr;
    std::FILE* trajectory = nullptr;
    if (!OpenResultFiles(*this, summary, trajectory)) return false;
    CRunProgress* progress = m_pRunProgress;
    if (progress) progress->Begin(0, 0);
    ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        if (!ReadSummaryPage(*this, j, summary, m_bContinuous)) return;
        // The range follows each jet: positions start from 0 for each.
        if (progress) progress->Begin(0, j.m_KeyParams.m_nSteps);
        j.ReadTrajectory(trajectory, m_prompt, progress, 0);
    });
    FinishReading(*this, summary, trajectory);
    return true;
}

bool CPlumexDoc::ReadResultsJets(int outfall, int riser, int firstJet, int count) {
    const CClassicNumericScope classicNumbers;
    std::FILE* summary = nullptr;
    std::FILE* trajectory = nullptr;
    if (!OpenResultFiles(*this, summary, trajectory)) return false;
    std::vector<CJet*> jets;
    CRiser* o = GetOutfall(outfall);
    CBase* r = o ? o->GetRiser(riser) : nullptr;
    for (int k = firstJet; r && k < firstJet + count; ++k)
        if (CJet* j = r->GetJet(k)) jets.push_back(j);

    // The range is the sum of the step counts the jets had before this reading.
    long long total = 0;
    for (const CJet* j : jets) total += j->m_KeyParams.m_nSteps > 0 ? j->m_KeyParams.m_nSteps : 0;
    CRunProgress* progress = m_pRunProgress;
    if (progress) progress->Begin(0, total > INT32_MAX ? INT32_MAX : static_cast<int>(total));
    int offset = 0;
    for (CJet* j : jets) {
        if (!ReadSummaryPage(*this, *j, summary, false)) continue;
        j->ReadTrajectory(trajectory, m_prompt, progress, offset);
        offset += j->m_KeyParams.m_nSteps;
    }
    FinishReading(*this, summary, trajectory);
    return true;
}
