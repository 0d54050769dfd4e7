#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// A change of how the jet model computes every jet of the case: continuous
// mode (Option > continuous) and the most time steps a jet may take
// (Option > Max number of time steps).
#include <memory>

#include "edit/CaseCommand.h"
#include "model/RunOptions.h"

class CRunOptionsCommand : public CCaseCommand {
public:
    // Continuous mode switched on or off; never null.
    static std::unique_ptr<CRunOptionsCommand> ToggleContinuous(CCase& doc);
    // Null when steps equals the case's or lies outside 1 .. 5000.
    static std::unique_ptr<CRunOptionsCommand> MaxTimeSteps(CCase& doc, int steps);
    // Merging of neighbouring plumes switched on or off; never null.
    static std::unique_ptr<CRunOptionsCommand> ToggleMergePlumes(CCase& doc);

protected:
    void Apply(bool forward) override;

private:
    CRunOptionsCommand(CCase& doc, const RunOptions& before, const RunOptions& after, const char* text);
    RunOptions m_before, m_after;
};
