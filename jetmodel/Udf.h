// The parser of the input file "UDF". The file is untrusted: any
// text gives either a list of jets (whose values are checked later, jet by
// jet) or one error naming the line and what was expected there.
#pragma once

#include "JetInput.h"

#include <string>
#include <string_view>
#include <vector>

namespace mardex {

struct UdfParse {
  std::vector<JetInput> jets;
  bool ok = true;
  int errorLine = 0;  // 1-based line of the error
  std::string error;  // "<file>:<line>: <what was expected>", one line
};

// Parses the whole text. `fileLabel` names the file in the error message.
// Lines end with LF or CR LF. Blank lines after the last block are ignored.
UdfParse parseUdf(std::string_view text, const std::string& fileLabel = "UDF");

// Longest number token (characters) the parser accepts.
inline constexpr std::size_t kMaxNumberLength = 400;
// Largest number of profile rows of one jet.
inline constexpr double kMaxProfileRows = 1.0e6;

}  // namespace mardex
