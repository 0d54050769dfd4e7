// The summary file "Suspend": one page per jet, fixed to the
// character because Plumex reads values at fixed indices. Lines end CR LF.
#pragma once

#include "Jet.h"
#include "JetInput.h"

#include <string>

namespace mardex {

// Longest jet name written to the outputs (bytes). The readers take lines of
// at most 127 characters, so a longer name would spill into the next line.
inline constexpr std::size_t kMaxNameOutput = 100;

// The name as written: control characters as blanks, cut to kMaxNameOutput
// bytes (not inside a UTF-8 sequence).
std::string printableName(const std::string& name);

// Appends the page of jet number `jetNumber` (1-based) to `out`.
void appendSuspendPage(std::string& out, int jetNumber, const JetInput& jet,
                       const JetResult& result);

// One table row: " %-10s= %-18s %-11s= %s" (left value at index 13, right
// value at index 45).
std::string tableRow(const std::string& leftLabel, const std::string& leftValue,
                     const std::string& rightLabel, const std::string& rightValue);

}  // namespace mardex
