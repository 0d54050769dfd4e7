#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Reading a run's output files into a RunResult: the summary file page by
// page and the trajectory file section by section, one of each per jet, in
// the order the input file listed the jets.
#include <string>
#include <vector>

#include "run/RunResult.h"

class CCase;
class CPrompt;
class CRunProgress;
class CRunSettings;

// What the reading needs of the case, taken where the case lives so that
// the files can be read on another thread: per jet of the plan whether it
// is still in the case, its name (for messages) and its step count before
// this reading (the range of a selected-jets meter), and the stop reason
// read last.
struct ReaderJet {
    bool m_bInCase = false;
    std::string m_strName;
    int m_nSteps = 0;
};
struct ReaderInput {
    std::vector<ReaderJet> m_Jets;  // in the plan's order
    std::string m_strStopReason;
};
ReaderInput ReaderInputOf(const CCase& doc, const RunPlan& plan);

// Reads the files of the settings' working directory for the jets of the
// plan into result (its jets, skipped count and last stop reason; not its
// status). Of the case only the input is used; the case itself is not
// touched. Messages go to the prompt; the progress meter (may be null)
// follows the reading and shows the last stop reason. False when the
// summary file cannot be opened (or is refused).
bool ReadResultFiles(const ReaderInput& input, const RunPlan& plan, const CRunSettings& settings, CPrompt& prompt,
                     CRunProgress* progress, RunResult& result);
// The same with the input taken from the case as it is now.
bool ReadResultFiles(const CCase& doc, const RunPlan& plan, const CRunSettings& settings, CPrompt& prompt,
                     CRunProgress* progress, RunResult& result);
