#pragma once
// Runs the jet model program once in the working directory and waits for
// it. The model writes its trajectory file under a temporary name and
// renames it when complete, so the end of the process is the end of the run;
// the wait is bounded (settings' m_nMaxWaits x m_nWaitMs) and can be
// cancelled through the progress meter. A process that is given up on is
// stopped, never left running.
#include <string>

class CRunSettings;
class CRunProgress;

enum class ModelOutcome { Finished, FailedToStart, ErrorExit, TimedOut, Cancelled };

struct ModelResult {
    ModelOutcome m_nOutcome = ModelOutcome::FailedToStart;
    int m_nExitCode = 0;
    std::string m_strError;  // the program's standard error, or why it did not start
};

ModelResult RunModelProcess(const CRunSettings& settings, CRunProgress* progress);
