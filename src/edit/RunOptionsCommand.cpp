#include "edit/RunOptionsCommand.h"

#include "model/Case.h"
#include "model/RunOptions.h"

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::ToggleContinuous(CCase& doc) {
    const RunOptions before = doc.GetRunOptions();
    RunOptions after = before;
    after.m_bContinuous = !before.m_bContinuous;
    return std::unique_ptr<CRunOptionsCommand>(new CRunOptionsCommand(doc, before, after, "Change Continuous mode"));
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::MaxTimeSteps(CCase& doc, int steps) {
    if (steps == doc.MaxTimeSteps() || steps < RunOptions::kMinTimeSteps || steps > RunOptions::kMaxTimeSteps)
        return nullptr;
    const RunOptions before = doc.GetRunOptions();
    RunOptions after = before;
    after.m_nMaxTimeSteps = steps;
    return std::unique_ptr<CRunOptionsCommand>(
        new CRunOptionsCommand(doc, before, after, "Change Max number of time steps"));
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::ToggleMergePlumes(CCase& doc) {
    const RunOptions before = doc.GetRunOptions();
    RunOptions after = before;
    after.m_bMergePlumes = !before.m_bMergePlumes;
    return std::unique_ptr<CRunOptionsCommand>(
        new CRunOptionsCommand(doc, before, after, "Change Merge neighbouring plumes"));
}

CRunOptionsCommand::CRunOptionsCommand(CCase& doc, const RunOptions& before, const RunOptions& after, const char* text)
    : CCaseCommand(doc), m_before(before), m_after(after) {
    setText(text);
}

void CRunOptionsCommand::Apply(bool forward) { m_doc.SetRunOptions(forward ? m_after : m_before); }
