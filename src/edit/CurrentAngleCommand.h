#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A change of the angle of the current: every jet takes the case's angle.
#include <memory>

#include "edit/CaseCommand.h"

class CCurrentAngleCommand : public CCaseCommand {
public:
    // Null when the angle equals the case's.
    static std::unique_ptr<CCurrentAngleCommand> Make(CCase& doc, float angle);

protected:
    void Apply(bool forward) override;

private:
    CCurrentAngleCommand(CCase& doc, float before, float after);
    float m_fBefore, m_fAfter;
};
