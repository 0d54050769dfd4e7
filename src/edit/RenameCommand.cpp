#include "edit/RenameCommand.h"

#include "model/Case.h"

std::unique_ptr<CRenameCommand> CRenameCommand::Make(CCase& doc, TreeLevel level, const std::string& name) {
    const ItemPath path = ItemPath::Current(doc, level);
    if (!path.IsValid()) return nullptr;
    std::string before = path.Name(doc);
    if (before == name) return nullptr;
    return std::unique_ptr<CRenameCommand>(new CRenameCommand(doc, path, std::move(before), name));
}

CRenameCommand::CRenameCommand(CCase& doc, const ItemPath& path, std::string before, std::string after)
    : CCaseCommand(doc), m_path(path), m_strBefore(std::move(before)), m_strAfter(std::move(after)) {
    setText(QString::fromStdString("Rename " + m_strBefore + " to " + m_strAfter));
}

void CRenameCommand::Apply(bool forward) {
    const std::string& name = forward ? m_strAfter : m_strBefore;
    switch (m_path.m_eLevel) {
    case TreeLevel::Outfall:
        if (CRiser* o = m_path.Outfall(m_doc)) o->m_strName = name;
        break;
    case TreeLevel::Riser:
        if (CBase* r = m_path.Riser(m_doc)) r->m_strName = name;
        break;
    case TreeLevel::Jet:
        if (CJet* j = m_path.Jet(m_doc)) j->m_strName = name;
        break;
    }
    SelectionPath::Select(m_doc, m_path);
    // The modified flag brings the input bar's tree up to date.
    m_doc.SetModifiedFlag(true);
    m_doc.UpdateAllViews();
}
