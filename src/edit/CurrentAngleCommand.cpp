#include "edit/CurrentAngleCommand.h"

#include "base/DocObserver.h"
#include "model/Case.h"

std::unique_ptr<CCurrentAngleCommand> CCurrentAngleCommand::Make(CCase& doc, float angle) {
    if (angle == doc.CurrentAngle()) return nullptr;
    return std::unique_ptr<CCurrentAngleCommand>(new CCurrentAngleCommand(doc, doc.CurrentAngle(), angle));
}

CCurrentAngleCommand::CCurrentAngleCommand(CCase& doc, float before, float after)
    : CCaseCommand(doc), m_fBefore(before), m_fAfter(after) {
    setText("Change Current angle");
}

void CCurrentAngleCommand::Apply(bool forward) { m_doc.SetCurrentAngle(forward ? m_fAfter : m_fBefore); }
