#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// The "Display" flag of an outfall, riser or jet: "Hide Jet3", "Show Jet3".
#include <memory>

#include "edit/CaseCommand.h"
#include "edit/ItemPath.h"

class CVisibilityCommand : public CCaseCommand {
public:
    bool ChangesModelInput() const override { return false; }
    // The current item of the level; null when there is none or it is
    // already shown (or hidden) as asked.
    static std::unique_ptr<CVisibilityCommand> Make(CCase& doc, TreeLevel level, bool shown);

protected:
    void Apply(bool forward) override;

private:
    CVisibilityCommand(CCase& doc, const ItemPath& path, int before, int after);
    int* Flag() const;
    ItemPath m_path;
    int m_nBefore, m_nAfter;
};
