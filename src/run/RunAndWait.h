#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The run that waits (console jobs, tests): a CRunJob driven to its end.
#include <memory>

class CCase;
class CRunProgress;
class CRunSettings;

// Computes all jets, or only the current jet, with the jet model program
// and applies the results, waiting for the model; the problems found are
// shown once, together, through the case's prompt. True when results were
// read. settings: null makes fresh ones from the environment (their working
// directory goes when the run is over); progress (may be null) follows the
// reading and is asked whether to cancel.
bool RunAndWait(CCase& doc, bool allJets, std::shared_ptr<CRunSettings> settings = nullptr,
                CRunProgress* progress = nullptr);
