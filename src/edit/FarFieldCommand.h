#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A change of the case's far-field settings: the spreading coefficient, the
// tracked substance, the mixing zone, its standard and the points of
// interest. The jet model does not read them, so computed jets stay valid.
#include <memory>
#include <string>

#include "edit/CaseCommand.h"
#include "model/FarFieldSettings.h"

class CFarFieldCommand : public CCaseCommand {
public:
    // Null when the settings are the case's, or when a value is out of
    // range; then why (may be null) receives the field and what it must be.
    static std::unique_ptr<CFarFieldCommand> Change(CCase& doc, const FarFieldSettings& after,
                                                    std::string* why = nullptr);
    bool ChangesModelInput() const override { return false; }

protected:
    void Apply(bool forward) override;

private:
    CFarFieldCommand(CCase& doc, const FarFieldSettings& before, const FarFieldSettings& after);
    FarFieldSettings m_before, m_after;
};
