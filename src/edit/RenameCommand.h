#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A new name of an outfall, riser or jet: "Rename Jet3 to Port A".
#include <memory>
#include <string>

#include "edit/CaseCommand.h"
#include "edit/ItemPath.h"

class CRenameCommand : public CCaseCommand {
public:
    bool ChangesModelInput() const override { return false; }
    // The current item of the level; null when there is none or the name
    // is the same. The name is checked by the caller (the name rules).
    static std::unique_ptr<CRenameCommand> Make(CCase& doc, TreeLevel level, const std::string& name);

protected:
    void Apply(bool forward) override;

private:
    CRenameCommand(CCase& doc, const ItemPath& path, std::string before, std::string after);
    ItemPath m_path;
    std::string m_strBefore, m_strAfter;
};
