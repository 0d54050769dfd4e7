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
    setText(QString::fromStdString("Rename " + path.Label(doc) + " to " + m_strAfter));
}

void CRenameCommand::Apply(bool forward) {
    SelectionPath::Select(m_doc, m_path);
    m_doc.RenameCurrent(m_path.m_eLevel, forward ? m_strAfter : m_strBefore);
}
