#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Reading a run's output files into a RunResult: the summary file page by
// page and the trajectory file section by section, one of each per jet, in
// the order the input file listed the jets.
#include "run/RunResult.h"

class CCase;
class CPrompt;
class CRunProgress;
class CRunSettings;

// Reads the files of the settings' working directory for the jets of the
// plan into result (its jets, skipped count and last stop reason; not its
// status). The case is only looked at: which jets of the plan are still
// there, their names for messages, their step counts for the progress
// range, and the stop reason read last. Messages go to the prompt; the
// progress meter (may be null) follows the reading and shows the last stop
// reason. False when the summary file cannot be opened (or is refused).
bool ReadResultFiles(const CCase& doc, const RunPlan& plan, const CRunSettings& settings, CPrompt& prompt,
                     CRunProgress* progress, RunResult& result);
