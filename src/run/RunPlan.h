#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The three steps of a model run and what passes between them.
//
//   Prepare  (PrepareRun): the checks and questions, the input file, and
//            the identities of the jets the input file lists (the plan).
//   Execute  (CModelProcess): the model program, asynchronous.
//   Apply    (ReadRunResult, then ApplyRunResult): the model's files read
//            into a RunResult without touching the case, then that result
//            put into the jets of the plan that still exist, found by
//            identity; problems come back as one list.
//
// CRunJob owns the settings and the plan and drives the three for the GUI
// and for console jobs.
#include <string>
#include <vector>

#include "model/Jet.h"

struct RunPlan {
    bool m_bAllJets = true;
    bool m_bContinuous = false;  // continuous mode as the input file was written
    int m_nMaxTimeSteps = 1500;  // as the input file was written; bounds the steps read back
    // The jets of the input file, in its order: one summary page and one
    // trajectory section each.
    std::vector<JetId> m_Jets;
    // The jets whose input block carries a row of ports (InputRows.h).
    std::vector<JetId> m_RowJets;
    // What the preparation found to tell; the run's problems begin with it.
    std::vector<std::string> m_Problems;
};

enum class RunStatus {
    NotStarted,  // a check, a question or the input file stopped it; nothing changed
    Completed,   // results were read (some jets may have reported problems)
    Failed,      // the model did not start, stopped with an error, or its output could not be read
    TimedOut,
    Cancelled,
};

struct RunReport {
    RunStatus m_eStatus = RunStatus::NotStarted;
    // Messages for the user, in the order they arose; the caller shows them
    // once, together.
    std::vector<std::string> m_Problems;
    int m_nJetsRead = 0;     // jets of the plan that received results
    int m_nJetsSkipped = 0;  // jets of the plan deleted before the results came
    // Of a completed run: the jets of the plan, and those of them that now
    // have disks (a jet the model refused has none).
    int m_nJetsPlanned = 0;
    int m_nJetsComputed = 0;

    bool Succeeded() const { return m_eStatus == RunStatus::Completed; }
    // The problems as one text, one per line.
    std::string ProblemText() const;
};
