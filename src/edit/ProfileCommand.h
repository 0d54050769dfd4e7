#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A change of the ambient profile grid: a cell written, a level added or
// deleted. Stores the rows before and after; both ways the case tells
// that the profile changed, so the grid, the profile plot and the note on
// out-of-date results follow.
#include <memory>
#include <vector>

#include "edit/CaseCommand.h"
#include "model/Ambient.h"

class CProfileCommand : public CCaseCommand {
public:
    // Null when the rows equal the case's.
    static std::unique_ptr<CProfileCommand> Make(CCase& doc, const std::vector<ProfileRow>& rows);

protected:
    void Apply(bool forward) override;

private:
    CProfileCommand(CCase& doc, std::vector<ProfileRow> before, std::vector<ProfileRow> after);
    std::vector<ProfileRow> m_before, m_after;
};
