#include "edit/RunOptionsCommand.h"

#include "model/PlumexDoc.h"
#include "model/RunOptions.h"

CRunOptionsCommand::Options CRunOptionsCommand::Current(const CPlumexDoc& doc) {
    return Options{doc.m_bContinuous, doc.m_nMaxTimeSteps, doc.m_bMergePlumes};
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::ToggleContinuous(CPlumexDoc& doc) {
    const Options before = Current(doc);
    Options after = before;
    after.m_bContinuous = !before.m_bContinuous;
    return std::unique_ptr<CRunOptionsCommand>(new CRunOptionsCommand(doc, before, after, "Change Continuous mode"));
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::MaxTimeSteps(CPlumexDoc& doc, int steps) {
    if (steps == doc.m_nMaxTimeSteps || steps < RunOptions::kMinTimeSteps || steps > RunOptions::kMaxTimeSteps)
        return nullptr;
    const Options before = Current(doc);
    Options after = before;
    after.m_nMaxTimeSteps = steps;
    return std::unique_ptr<CRunOptionsCommand>(
        new CRunOptionsCommand(doc, before, after, "Change Max number of time steps"));
}

std::unique_ptr<CRunOptionsCommand> CRunOptionsCommand::ToggleMergePlumes(CPlumexDoc& doc) {
    const Options before = Current(doc);
    Options after = before;
    after.m_bMergePlumes = !before.m_bMergePlumes;
    return std::unique_ptr<CRunOptionsCommand>(
        new CRunOptionsCommand(doc, before, after, "Change Merge neighbouring plumes"));
}

CRunOptionsCommand::CRunOptionsCommand(CPlumexDoc& doc, Options before, Options after, const char* text)
    : CCaseCommand(doc), m_before(before), m_after(after) {
    setText(text);
}

void CRunOptionsCommand::Apply(bool forward) {
    const Options& to = forward ? m_after : m_before;
    m_doc.m_bContinuous = to.m_bContinuous;
    m_doc.m_nMaxTimeSteps = to.m_nMaxTimeSteps;
    m_doc.m_bMergePlumes = to.m_bMergePlumes;
    m_doc.SetModifiedFlag(true);
}
