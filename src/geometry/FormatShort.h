#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// Number-to-text for the input fields: "%7.4f" with trailing zeros and then
// a trailing point removed. The leading blanks of the field width stay, so
// 2.5 becomes " 2.5" and 3 becomes " 3".
#include <string>

std::string FormatShort(double dValue);
