#include "edit/VisibilityCommand.h"

#include "model/Case.h"

std::unique_ptr<CVisibilityCommand> CVisibilityCommand::Make(CCase& doc, TreeLevel level, bool shown) {
    const ItemPath path = ItemPath::Current(doc, level);
    if (!path.IsValid()) return nullptr;
    auto cmd = std::unique_ptr<CVisibilityCommand>(new CVisibilityCommand(doc, path, 0, shown ? 1 : 0));
    const int* flag = cmd->Flag();
    if (!flag || (*flag != 0) == shown) return nullptr;
    cmd->m_nBefore = *flag;
    return cmd;
}

CVisibilityCommand::CVisibilityCommand(CCase& doc, const ItemPath& path, int before, int after)
    : CCaseCommand(doc), m_path(path), m_nBefore(before), m_nAfter(after) {
    setText(QString::fromStdString((after ? "Show " : "Hide ") + path.Label(doc)));
}

int* CVisibilityCommand::Flag() const {
    switch (m_path.m_eLevel) {
    case TreeLevel::Outfall:
        if (CRiser* o = m_path.Outfall(m_doc)) return &o->m_nVisible;
        break;
    case TreeLevel::Riser:
        if (CBase* r = m_path.Riser(m_doc)) return &r->m_nVisible;
        break;
    case TreeLevel::Jet:
        if (CJet* j = m_path.Jet(m_doc)) return &j->m_nVisible;
        break;
    }
    return nullptr;
}

void CVisibilityCommand::Apply(bool forward) {
    SelectionPath::Select(m_doc, m_path);
    m_doc.SetCurrentVisible(m_path.m_eLevel, (forward ? m_nAfter : m_nBefore) != 0);
}
