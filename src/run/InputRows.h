#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Which row of ports each jet's block of the model's input file carries,
// and what the user is told about it. A block carries its outfall's row
// (PortRow.h) when the case merges neighbouring plumes, the row is active,
// its spacing is at least the jet's diameter (the model refuses ports that
// overlap) and the model program reads rows; every other block is written
// as for a jet alone.
#include <functional>
#include <string>
#include <vector>

#include "run/PortRow.h"

class CCase;
class CJet;

struct InputRows {
    // One per outfall of the case, in its order; one that is not active
    // when its blocks carry no row.
    std::vector<PortRow> m_Outfalls;
    // For the run's problems, in outfall order.
    std::vector<std::string> m_Problems;

    // The row the block of this jet of that outfall carries; not active
    // when none.
    PortRow ForJet(int outfall, const CJet& jet) const;
};

// The text added to a run's problems when merging is on, a row would be
// written and the model cannot read it.
extern const char* const kMergingNotComputed;

// The rows of the outfalls of the case, or of the outfall onlyOutfall when
// it is not -1. modelReadsRows is asked only when merging is on and some
// outfall has an active row.
InputRows PlanInputRows(const CCase& doc, const std::function<bool()>& modelReadsRows, int onlyOutfall = -1);
