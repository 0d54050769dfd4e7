#include "edit/FarFieldCommand.h"

#include "model/Case.h"

std::unique_ptr<CFarFieldCommand> CFarFieldCommand::Change(CCase& doc, const FarFieldSettings& after,
                                                           std::string* why) {
    const std::vector<FarFieldProblem> problems = CheckFarFieldSettings(after);
    if (!problems.empty()) {
        if (why) *why = "Far field: " + problems.front().m_strField + " " + problems.front().m_strMessage + ".";
        return nullptr;
    }
    if (after == doc.GetFarField()) return nullptr;
    return std::unique_ptr<CFarFieldCommand>(new CFarFieldCommand(doc, doc.GetFarField(), after));
}

CFarFieldCommand::CFarFieldCommand(CCase& doc, const FarFieldSettings& before, const FarFieldSettings& after)
    : CCaseCommand(doc), m_before(before), m_after(after) {
    setText("Change Far field");
}

void CFarFieldCommand::Apply(bool forward) { m_doc.SetFarField(forward ? m_after : m_before); }
