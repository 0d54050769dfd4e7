#include "edit/ProfileCommand.h"

#include "base/DocObserver.h"
#include "model/Case.h"

std::unique_ptr<CProfileCommand> CProfileCommand::Make(CCase& doc, const std::vector<ProfileRow>& rows) {
    std::vector<ProfileRow> before = doc.Ambient() ? doc.Ambient()->Rows() : std::vector<ProfileRow>{};
    if (rows == before) return nullptr;
    return std::unique_ptr<CProfileCommand>(new CProfileCommand(doc, std::move(before), rows));
}

CProfileCommand::CProfileCommand(CCase& doc, std::vector<ProfileRow> before, std::vector<ProfileRow> after)
    : CCaseCommand(doc), m_before(std::move(before)), m_after(std::move(after)) {
    if (m_after.size() > m_before.size()) setText("Add Ambient Level");
    else if (m_after.size() < m_before.size()) setText("Delete Ambient Level");
    else setText("Change Ambient Profile");
}

void CProfileCommand::Apply(bool forward) { m_doc.SetProfile(forward ? m_after : m_before); }
