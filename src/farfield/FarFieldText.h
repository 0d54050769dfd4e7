#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The far field in words, as the command line prints it and the panes and
// the report show it. Numbers have a decimal point whatever the locale.
#include <string>

#include "farfield/OutfallFarField.h"

// A number with digits after the point (fixed) or significant digits (%g-like).
std::string FixedNumber(double v, int decimals);
std::string ShortNumber(double v, int significant = 3);
// The shortest digits that read back as the number, without an exponent
// (distances and standards as the user gave them).
std::string PlainNumber(double v);

// "meets the standard (margin 2.31)" / "does not meet it (margin 0.45)".
std::string StandardVerdict(const StandardCheck& check);
// The same naming the standard: "meets the standard (minimum dilution 100, margin 2.31)".
std::string StandardVerdict(const StandardCheck& check, const FarFieldSettings& settings);
// "minimum dilution 100" / "maximum concentration 1000 FC/100 mL".
std::string StandardText(const FarFieldSettings& settings);
// "dilution 512.3, 229 FC/100 mL, 5.32 h" (with "near field" before the far field begins).
std::string ValuesText(const FarFieldValues& values, const FarFieldSettings& settings);
// One line for an outfall: the start of the field, the edge of the mixing
// zone with the standard applied, each point, and where the standard is
// first met; or why the outfall has no far field.
std::string FarFieldLine(const OutfallFarField& field, const FarFieldSettings& settings);
