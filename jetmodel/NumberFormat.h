// Number formatting of the output files: only digits, '.', '-' and 'E', no
// '+' and never asterisks, so that the readers of Plumex, which stop a number at
// any other character, take every number whole.
#pragma once

#include <string>

namespace mardex {

// Width of a "Plxdata" field.
inline constexpr int kField9Width = 9;

// A "Plxdata" field: exactly 9 characters, right-aligned. Fixed notation
// (at most 6 decimals) when that shows at least 4 significant digits
// (1e-3 <= |v| < 1e9, or 0), otherwise exponent notation that fits
// (e.g. "1.2346E09", "-1.23E-05").
// Negative zero is written as zero; a non-finite value (never produced by
// the model) as +-1.0E308 or 0.
std::string formatField9(double value);

// The same field written to dst[0..8] (no terminating NUL): the rows are
// many, so they are formatted in place.
void writeField9(char* dst, double value);

// A "Suspend" value: 7 significant digits, trailing zeros dropped but one
// decimal kept. Fixed notation for 1e-4 <= |v| < 1e9, otherwise exponent
// notation without '+' ("1.0E10", "2.5E-07"). A non-finite value is written
// as the stand-in of an infinite scale, 1.0E10 (with its sign).
std::string formatValue(double value);

}  // namespace mardex
