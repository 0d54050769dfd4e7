#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// What a model run produced, read from its files but not yet put into the
// case: per jet of the plan its key parameters, disks and stop reason, and
// for the run its status and the problems found. ApplyRunResult puts it
// into the case.
#include <string>
#include <vector>

#include "model/Jet.h"
#include "model/JetDisk.h"
#include "model/KeyParameters.h"
#include "run/RunPlan.h"

class CCase;
class CRunProgress;
class CRunSettings;
struct ModelResult;

struct JetResult {
    JetId m_Id = 0;
    // The summary page was read: m_KeyParams replaces the jet's record.
    // Otherwise the jet keeps its record with no steps.
    bool m_bPageRead = false;
    CKeyParameters m_KeyParams{};
    std::vector<CJetDisk> m_Disks;
    std::string m_strStatus;  // the jet's stop reason
};

struct RunResult {
    // Completed when the output was read; otherwise nothing is to be applied.
    RunStatus m_eStatus = RunStatus::NotStarted;
    // The model ended normally (its output may still have been unreadable).
    bool m_bModelFinished = false;
    // The jets of the plan that were in the case when the files were read,
    // in the plan's order.
    std::vector<JetResult> m_Jets;
    std::vector<std::string> m_Problems;
    int m_nJetsSkipped = 0;  // jets of the plan no longer in the case when read
    // The stop reason read last, carried over to the next reading.
    std::string m_strLastStopReason;
};

struct ReaderInput;

// The result of a model run that has ended: a model that finished has the
// summary and trajectory files of the settings' working directory read for
// the jets of the plan (problems collected, not shown; progress, if given,
// follows the reading); any other outcome gives its status and what the
// user is told about it. Changes nothing of the case.
RunResult ReadRunResult(const CCase& doc, const RunPlan& plan, const CRunSettings& settings, const ModelResult& model,
                        CRunProgress* progress);

// ReadRunResult in two steps, for a reading on another thread: the files
// read with the reader's input alone (ReaderInputOf, taken beforehand), then
// on the case's thread the warnings that need the case (rows of ports whose
// merging may be overstated), added to a completed result.
RunResult ReadModelOutput(const ReaderInput& input, const RunPlan& plan, const CRunSettings& settings,
                          const ModelResult& model, CRunProgress* progress);
void AddCaseWarnings(const CCase& doc, const RunPlan& plan, RunResult& result);
