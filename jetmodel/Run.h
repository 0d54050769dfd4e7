// A whole run in one directory: read "UDF", compute every jet, write
// "Suspend" and then "Plxdata" (under a temporary name, renamed when whole).
#pragma once

#include "Integrator.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace mardex {

inline constexpr int kExitOk = 0;
inline constexpr int kExitOutputFailed = 1;  // an output file could not be written
inline constexpr int kExitBadInput = 2;      // UDF unreadable or unparsable, bad usage

// Runs the model in `dir`. Errors go to `err` as one line each. Returns the
// exit code.
int runModel(const std::filesystem::path& dir, std::ostream& err,
             const IntegratorOptions& options = {});

// Writes `content` to `target` through a temporary file in the same
// directory that is renamed to `target` only when it is complete. On failure
// nothing is left behind and `error` tells why.
bool writeWholeFile(const std::filesystem::path& target, const std::string& content,
                    std::string& error);

}  // namespace mardex
