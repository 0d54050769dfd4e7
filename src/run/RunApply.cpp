#include "run/RunApply.h"

#include "base/DocObserver.h"
#include "model/CameraFraming.h"
#include "model/Case.h"
#include "model/JetDispModal.h"
#include "run/RunResult.h"

int ApplyJetResults(CCase& doc, const RunResult& result, int& skipped) {
    int read = 0;
    for (const JetResult& r : result.m_Jets) {
        CJet* jet = doc.FindJetById(r.m_Id);
        if (!jet) {
            ++skipped;
            continue;
        }
        if (r.m_bPageRead) {
            jet->m_KeyParams = r.m_KeyParams;
            ++read;
        } else {
            jet->m_KeyParams.m_nSteps = 0;
            jet->m_KeyParams.m_Row = CRowMerging{};
        }
        jet->m_pDisplay->m_Disks = r.m_Disks;
        jet->m_strStatus = r.m_strStatus;
    }
    return read;
}

RunReport ApplyRunResult(CCase& doc, const RunPlan& plan, const RunResult& result) {
    RunReport report;
    report.m_eStatus = result.m_eStatus;
    report.m_Problems = result.m_Problems;
    report.m_nJetsSkipped = result.m_nJetsSkipped;
    if (result.m_eStatus != RunStatus::Completed) {
        // Nothing is applied: every jet is as it was, and so is what the
        // views show. (Output that could not be read leaves the results
        // marked undrawable, as they were while the model ran.)
        if (!result.m_bModelFinished) doc.m_bResultsDrawable = true;
        doc.SetRunInFlight(false);
        return report;
    }
    report.m_nJetsRead = ApplyJetResults(doc, result, report.m_nJetsSkipped);
    report.m_nJetsPlanned = static_cast<int>(plan.m_Jets.size());
    for (const JetResult& r : result.m_Jets)
        if (!r.m_Disks.empty() && doc.FindJetById(r.m_Id)) ++report.m_nJetsComputed;
    doc.m_strStatus = result.m_strLastStopReason;

    doc.ComputeValueRanges();
    if (plan.m_bAllJets) {
        doc.PlaceJets();
    } else {
        for (JetId id : plan.m_Jets) {
            int o = 0, r = 0, j = 0;
            if (doc.LocateJet(id, o, r, j)) doc.PlaceJets(o, r, j, 1);
        }
    }
    // The first jets computed in a new case: its first camera shows them
    // with the structure (a camera the user chose or a file kept stays).
    if (doc.m_bCameraFramed && report.m_nJetsComputed > 0) {
        FrameCase(doc, doc.m_ViewControl);
        doc.m_bCameraFramed = false;
        ++doc.m_nCameraFramings;
    }
    doc.ResultsApplied(report.m_nJetsRead);
    doc.m_bResultsDrawable = true;
    return report;
}
