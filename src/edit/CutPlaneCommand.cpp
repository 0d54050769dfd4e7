#include "edit/CutPlaneCommand.h"

#include "model/Case.h"

CutPlaneSettings CutPlaneSettings::Of(const CCutPlane& plane) {
    CutPlaneSettings s;
    plane.GetPlane(s.m_dHAngle, s.m_dVAngle, s.m_dDistance, s.m_nDiskNo, s.m_eKind);
    return s;
}

std::unique_ptr<CCutPlaneCommand> CCutPlaneCommand::Made(CCase& doc, const CutPlaneSettings& before) {
    const CutPlaneSettings after = CutPlaneSettings::Of(doc.m_CutPlane);
    if (after == before) return nullptr;
    return std::unique_ptr<CCutPlaneCommand>(new CCutPlaneCommand(doc, before, after));
}

CCutPlaneCommand::CCutPlaneCommand(CCase& doc, const CutPlaneSettings& before, const CutPlaneSettings& after)
    : CCaseCommand(doc), m_before(before), m_after(after) {
    setText("Move Cut Plane");
}

bool CCutPlaneCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = dynamic_cast<const CCutPlaneCommand*>(other);
    if (!next || &next->m_doc != &m_doc) return false;
    m_after = next->m_after;
    // Moved back where it started: the edits cancel out.
    setObsolete(m_after == m_before);
    return true;
}

void CCutPlaneCommand::Apply(bool forward) {
    if (forward && m_bApplied) {
        m_bApplied = false;
        return;
    }
    const CutPlaneSettings& s = forward ? m_after : m_before;
    m_doc.SetCutPlane(s.m_dHAngle, s.m_dVAngle, s.m_dDistance, s.m_nDiskNo, s.m_eKind, true);
    m_doc.UpdateAllViews();
}
