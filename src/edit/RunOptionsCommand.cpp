#include "edit/RunOptionsCommand.h"

#include "model/Case.h"
#include "model/RunOptions.h"

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::ToggleContinuous(CCase& doc) {
    const Options before{doc.m_bContinuous, doc.m_nMaxTimeSteps};
    const Options after{!doc.m_bContinuous, doc.m_nMaxTimeSteps};
    return std::unique_ptr<CRunOptionsCommand>(new CRunOptionsCommand(doc, before, after, "Change Continuous mode"));
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::MaxTimeSteps(CCase& doc, int steps) {
    if (steps == doc.m_nMaxTimeSteps || steps < RunOptions::kMinTimeSteps || steps > RunOptions::kMaxTimeSteps)
        return nullptr;
    const Options before{doc.m_bContinuous, doc.m_nMaxTimeSteps};
    const Options after{doc.m_bContinuous, steps};
    return std::unique_ptr<CRunOptionsCommand>(
        new CRunOptionsCommand(doc, before, after, "Change Max number of time steps"));
}

CRunOptionsCommand::CRunOptionsCommand(CCase& doc, Options before, Options after, const char* text)
    : CCaseCommand(doc), m_before(before), m_after(after) {
    setText(text);
}

void CRunOptionsCommand::Apply(bool forward) {
    const Options& to = forward ? m_after : m_before;
    m_doc.m_bContinuous = to.m_bContinuous;
    m_doc.m_nMaxTimeSteps = to.m_nMaxTimeSteps;
    m_doc.SetModifiedFlag(true);
}
