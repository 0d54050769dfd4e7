#pragma once
#ifndef PLUMEX_LAYER_VALIDATION
#error "a header of plumex_validation, included by a library that does not link it"
#endif
// The checks run when the values of an outfall, a riser or a jet are
// committed from the input forms into the case records. Each function
// returns every failure of its record in check order; the forms show the
// first one and refuse the values, a case import reports them all.
#include <string>
#include <utility>
#include <vector>

#include "model/Base.h"
#include "model/Jet.h"
#include "model/Riser.h"
#include "validation/CheckSurface.h"

struct CheckFailure {
    CheckFailure() = default;
    CheckFailure(std::string field, std::string message, std::string allowed = std::string())
        : m_strField(std::move(field)), m_strMessage(std::move(message)), m_strAllowed(std::move(allowed)) {}

    std::string m_strField;    // the value's name in the case text form (e.g. "length_m")
    std::string m_strMessage;  // the text the user is shown
    // The range the value may take in this case, in numbers ("0.05 to 0.5 m"),
    // where the message gives it only in words; "" where it gives the numbers.
    std::string m_strAllowed;
};

// Length, jet spacing (without risers) and effluent density (temperature 0).
std::vector<CheckFailure> CheckOutfallValues(const OutfallData& outfall, bool noRiser);
// Total flow and distance always; height and radii only with risers.
std::vector<CheckFailure> CheckRiserValues(const RiserData& riser, const OutfallData& outfall, bool noRiser);
// Diameter and flow always; the port height against the riser height only with risers.
std::vector<CheckFailure> CheckJetValues(const JetData& jet, const RiserData& riser, bool noRiser,
                                         CheckSurface surface);
