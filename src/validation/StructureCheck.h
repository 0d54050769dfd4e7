#pragma once
#ifndef PLUMEX_LAYER_VALIDATION
#error "a header of plumex_validation, included by a library that does not link it"
#endif
// The checks run when the values of an outfall, a riser or a jet are
// committed from the input forms into the case records. Each function
// returns every failure of its record in check order; the forms show the
// first one and refuse the values, a case import reports them all.
#include <string>
#include <vector>

#include "model/Base.h"
#include "model/Jet.h"
#include "model/Riser.h"
#include "validation/CheckSurface.h"

struct CheckFailure {
    std::string m_strField;    // the value's name in the case text form (e.g. "length_m")
    std::string m_strMessage;  // the text the user is shown
};

// Length, jet spacing (without risers) and effluent density (temperature 0).
std::vector<CheckFailure> CheckOutfallValues(const OutfallData& outfall, bool noRiser);
// Total flow and distance always; height and radii only with risers.
std::vector<CheckFailure> CheckRiserValues(const RiserData& riser, const OutfallData& outfall, bool noRiser);
// Diameter and flow always; the port height against the riser height only with risers.
std::vector<CheckFailure> CheckJetValues(const JetData& jet, const RiserData& riser, bool noRiser,
                                         CheckSurface surface);
