#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The last step of a model run: its result put into the case.
#include "run/RunPlan.h"

class CCase;
struct RunResult;

// The jets' results into the jets of the case that still exist, found by
// identity: a jet whose summary page was read takes its key parameters,
// a jet whose page was not keeps them with no steps; both take their disks
// and stop reason. Nothing else of the case changes. Returns the number of
// jets that took a summary page; skipped: jets no longer in the case.
int ApplyJetResults(CCase& doc, const RunResult& result, int& skipped);

// Called once for every prepared run, whatever the model did. A completed
// result goes into the jets of the plan that still exist, then the value
// ranges, the jet displays of those jets and the events follow; any other
// result changes no jet. Ends the run in flight. Nothing is shown: the
// report lists the problems.
RunReport ApplyRunResult(CCase& doc, const RunPlan& plan, const RunResult& result);
