#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A change of the values of an outfall, riser or jet form: "Change
// Diameter of Jet3" (or "Change Jet3" when several fields changed). The
// values are checked as the forms check them; the edit stores them in the
// current item and passes them on as the forms do (effluent to the
// outfall's jets, the riser's flow shared among its jets, a jet's flow to
// its riser). Taking it back restores the inputs of every item it touched
// and tells the observers that the item changed, so results computed
// before are shown as no longer matching.
#include <memory>
#include <string>
#include <variant>

#include "edit/CaseCommand.h"
#include "edit/ItemPath.h"
#include "edit/ScopeInputs.h"
#include "model/Riser.h"
#include "validation/CheckSurface.h"
#include "validation/StructureCheck.h"

class CItemValuesCommand : public CCaseCommand {
public:
    using Values = std::variant<OutfallData, RiserData, JetData>;
    // The edit of the current item of the values' level. Null when the
    // values equal the item's (no change), when there is no such item, or
    // when a check refuses them: then refusal holds the message to show
    // and failure (when given) the whole first failure.
    static std::unique_ptr<CItemValuesCommand> Make(CCase& doc, const Values& values, CheckSurface surface,
                                                    std::string* refusal = nullptr, CheckFailure* failure = nullptr);
    const ItemPath& Path() const { return m_path; }

protected:
    void Apply(bool forward) override;

private:
    CItemValuesCommand(CCase& doc, const ItemPath& path, const Values& values);
    void FirstApply();

    ItemPath m_path;
    Values m_values;
    ScopeInputs m_before, m_after;
    bool m_bApplied = false;
};

// The names of the fields that differ between two records of one level, in
// form order, as the edit's text names them.
std::string ChangedFieldName(const CItemValuesCommand::Values& before, const CItemValuesCommand::Values& after,
                             bool noRiser);
