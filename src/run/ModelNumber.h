#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// A number of the model's files as C's atof reads it in the "C" notation:
// leading white space and a sign skipped, the longest prefix that is a
// number taken (decimal, hexadecimal, "inf", "nan"), 0 when there is none,
// +-HUGE_VAL beyond the range of a double; a comma is never a decimal
// separator, whatever the locale. The common forms are read by
// std::from_chars, which gives the same correctly rounded value.
double ModelNumber(const char* begin, const char* end);
