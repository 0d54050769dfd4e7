#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// The input values of one outfall with everything below it, or of one riser
// with its jets: what a change of a form may touch (an outfall passes its
// effluent to its jets, a riser shares its flow among its jets, a jet's
// flow goes to all jets of its riser). Results are not inputs and are not
// kept: taking an edit back leaves the jets' results as they are.
#include <vector>

#include "model/Riser.h"

class CCase;

struct ScopeInputs {
    int m_nOutfall = -1;
    int m_nRiser = -1;  // -1: the whole outfall
    OutfallData m_Outfall;
    std::vector<RiserData> m_Risers;
    std::vector<std::vector<JetData>> m_Jets;  // per riser

    static ScopeInputs Take(const CCase& doc, int outfall, int riser);
    // Writes the values back; false (and nothing written) when the case's
    // tree no longer has the shape they were taken from.
    bool Restore(CCase& doc) const;
};
