// The number formatting of the jet model's outputs as it was written with
// snprintf: the reference the in-place formatting must match byte for byte.
#pragma once

#include <string>

namespace legacy {

std::string legacyFormatField9(double value);
std::string legacyFormatValue(double value);

}  // namespace legacy
