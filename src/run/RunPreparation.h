#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The first step of a model run of a case.
class CCase;
class CRunSettings;
struct RunPlan;

// All jets of the case, or its current jet: the checks and questions
// (profile, depth; through the case's prompt), the old output files of the
// settings' working directory deleted, the model's input file written there
// and the plan naming the jets by identity. False when the run does not go
// ahead (also while a run is in flight); the user has been told why where
// there is something to tell. On true the case is in flight until the
// result is applied (ApplyRunResult).
bool PrepareRun(CCase& doc, CRunSettings& settings, bool allJets, RunPlan& plan);
