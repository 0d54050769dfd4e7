#pragma once
#ifndef PLUMEX_LAYER_VALIDATION
#error "a header of plumex_validation, included by a library that does not link it"
#endif
// Range limits of single input fields, and the profile checks with their
// message texts.
#include <string>

#include "model/CaseLimits.h"
#include "model/RunOptions.h"
#include "validation/CheckSurface.h"

namespace FieldLimits {
// Jet angles and the current angle: the case's own limits.
constexpr double kAngleMin = -CaseLimits::kMaxAngle, kAngleMax = CaseLimits::kMaxAngle;
constexpr double kEffluentMin = 0.0, kEffluentMax = 100.0;  // outfall salinity, temperature
constexpr int kMaxStepsMin = RunOptions::kMinTimeSteps;     // maximum number of time steps
constexpr int kMaxStepsMax = RunOptions::kMaxTimeSteps;
constexpr std::size_t kMaxNameLength = 60;       // characters, in the input forms
constexpr std::size_t kMaxStoredNameBytes = 63;  // what a case file's name field keeps
}  // namespace FieldLimits

// "" when lower <= value <= upper, else a prompt naming the range.
std::string CheckRange(double value, double lower, double upper);
// "" for a name of at most 60 characters (not bytes) on one line that a
// case file can keep whole.
std::string CheckName(const std::string& name);
// "" for a name on one line that a case file can keep whole (at most 63
// bytes): the rule for a case given as a whole (imported), which may hold
// any name a case file holds.
std::string CheckStoredName(const std::string& name);

// The text of a profile order fault (CAmbient::CheckProfile result -1 or -2)
// as the wizard shows it; "" for 0.
std::string ProfileOrderMessage(int result, int rowA, int rowB);

// The cell check of the ambient grid for one value of a row: column 0
// depth, 1 density or salinity, 2 temperature, 3 current. rowValue and
// rowTemperature are the row's columns 1 and 2. Values are compared in
// single precision. "" when the value passes; *restore tells whether the
// grid puts the old text back.
std::string ProfileCellMessage(int column, double value, double rowValue, double rowTemperature, CheckSurface surface,
                               bool* restore = nullptr);
// The same check for a grid whose column 1 holds salinities or densities by
// the user's choice (salinity): with salinities the temperature must lie
// above 0 (a temperature of 0 marks a density) and at most 40, with
// densities it stays 0. A refused value is always put back.
std::string ProfileCellMessage(int column, double value, bool salinity, CheckSurface surface);
