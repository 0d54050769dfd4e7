// The result of a model run from its outcome: a model that finished has its
// files read; any other outcome is one problem text and nothing to apply.
#include "run/RunResult.h"

#include <cstdio>

#include "run/DoubtfulRows.h"
#include "run/ModelProcess.h"
#include "run/ProblemList.h"
#include "run/ResultsReader.h"
#include "run/RunSettings.h"

namespace {
std::string RowsText(const char* format, int a, int b) {
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

// What the user is told about a model run that gave no output to read.
std::string OutcomeText(const ModelResult& r, const std::string& program, int timeoutMs) {
    switch (r.m_eOutcome) {
    case ModelOutcome::TimedOut:
        // Not a fault of the inputs: the model ran out of its time.
        return RowsText("Mardex did not finish within %d.%d s and was stopped; no results were read.", timeoutMs / 1000,
                        timeoutMs % 1000 / 100);
    case ModelOutcome::FailedToStart:
        return "Unable to start Mardex (" + program + "): " + r.m_strError;
    case ModelOutcome::ErrorExit:
        return "Mardex stopped with exit status " + std::to_string(r.m_nExitCode) + ":\n" + r.m_strError;
    case ModelOutcome::Cancelled:
    case ModelOutcome::Finished:
    default:
        return std::string();
    }
}
}  // namespace

std::string RunReport::ProblemText() const {
    std::string text;
    for (const std::string& p : m_Problems) {
        if (!text.empty()) text += "\n";
        text += p;
    }
    return text;
}

RunResult ReadModelOutput(const ReaderInput& input, const RunPlan& plan, const CRunSettings& settings,
                          const ModelResult& model, CRunProgress* progress) {
    RunResult result;
    result.m_Problems = plan.m_Problems;
    if (model.m_eOutcome != ModelOutcome::Finished) {
        switch (model.m_eOutcome) {
        case ModelOutcome::Cancelled:
            result.m_eStatus = RunStatus::Cancelled;
            break;
        case ModelOutcome::TimedOut:
            result.m_eStatus = RunStatus::TimedOut;
            break;
        default:
            result.m_eStatus = RunStatus::Failed;
            break;
        }
        const std::string text =
            OutcomeText(model, settings.m_strModelProgram, settings.m_nMaxWaits * settings.m_nWaitMs);
        if (!text.empty()) result.m_Problems.push_back(text);
        return result;
    }
    result.m_bModelFinished = true;
    CProblemList problems;
    const bool read = ReadResultFiles(input, plan, settings, problems, progress, result);
    result.m_Problems.insert(result.m_Problems.end(), problems.m_Texts.begin(), problems.m_Texts.end());
    result.m_eStatus = read ? RunStatus::Completed : RunStatus::Failed;
    return result;
}

void AddCaseWarnings(const CCase& doc, const RunPlan& plan, RunResult& result) {
    if (result.m_eStatus != RunStatus::Completed) return;
    const std::vector<std::string> rows = DoubtfulRowWarnings(doc, plan, result);
    result.m_Problems.insert(result.m_Problems.end(), rows.begin(), rows.end());
}

RunResult ReadRunResult(const CCase& doc, const RunPlan& plan, const CRunSettings& settings, const ModelResult& model,
                        CRunProgress* progress) {
    RunResult result = ReadModelOutput(ReaderInputOf(doc, plan), plan, settings, model, progress);
    AddCaseWarnings(doc, plan, result);
    return result;
}
