// The trajectory file "Plxdata": one section per computed jet, rows
// of twelve 9-character fields, 120 characters before CR LF.
#pragma once

#include "Jet.h"
#include "JetInput.h"

#include <string>

namespace mardex {

inline constexpr const char* kPlxdataColumns =
    "      X(M)      Y(M)      Z(M)      B(M)   H.ANGLE   V.ANGLE    VEL(M/S)  THICK(M)   "
    "TIME(S)    C.MAX     C.AVG  DILUTION";

// " Jet %4d  %s": always holds the word "Jet", whatever the jet's name.
std::string sectionHeading(int jetNumber, const std::string& name);

// One row: twelve times a blank and a 9-character field.
std::string formatRow(const OutputRow& row);

// Appends the section of a computed jet; nothing for a rejected one.
void appendPlxdataSection(std::string& out, int jetNumber, const JetInput& jet,
                          const JetResult& result);

}  // namespace mardex
