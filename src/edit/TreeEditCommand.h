#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// Creating, adding (a copy of the last sibling) or deleting an outfall,
// riser or jet: "Create Outfall_2", "Add Jet3", "Delete Riser1". The first
// time it runs it goes through the case's own Create, Add or Delete; taking
// it back removes the new item, or puts the deleted one back where it stood
// with its jets, their results and the selection on it.
#include <memory>

#include "edit/CaseCommand.h"
#include "edit/ItemPath.h"
#include "edit/Subtree.h"

class CTreeEditCommand : public CCaseCommand {
public:
    enum class Kind { Create, Add, Delete };
    // Null while a run is in flight (the structure must not change then)
    // and, for Delete, when there is no current item of the level. A
    // Create or Add that makes no item turns obsolete when it runs, and a
    // stack then drops it.
    static std::unique_ptr<CTreeEditCommand> Make(CCase& doc, Kind kind, TreeLevel level);
    const ItemPath& Item() const { return m_item; }

protected:
    void Apply(bool forward) override;

private:
    CTreeEditCommand(CCase& doc, Kind kind, TreeLevel level);
    void FirstApply();
    void Insert(const SelectionPath& selection);
    void Remove(const SelectionPath& selection);

    Kind m_eKind;
    TreeLevel m_eLevel;
    ItemPath m_item;  // the item made or deleted
    SelectionPath m_selBefore, m_selAfter;
    Subtree m_subtree;  // the item while it is out of the case
    bool m_bApplied = false;
};
