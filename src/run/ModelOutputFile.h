#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Opening the model's output files for reading. A misbehaving program may
// leave a FIFO, a device or a link to one in place of a result file, or a
// file without end: only a regular file of at most kMaxModelOutputBytes is
// opened, and the open never blocks.
#include <cstdint>
#include <cstdio>
#include <string>

constexpr std::int64_t kMaxModelOutputBytes = std::int64_t(1) << 30;  // 1 GiB

enum class OutputOpen { Opened, Missing, NotRegular, TooLarge };

// The file opened for binary reading, or null with the reason.
std::FILE* OpenModelOutput(const std::string& path, OutputOpen& how);
// A message for a refused file (NotRegular, TooLarge) naming it.
std::string RefusedOutputText(const std::string& path, OutputOpen how);
