#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Private working directories of runs whose program has ended without
// removing them (killed, crashed). Their names carry the process id of the
// program that made them: "plumex-run-<pid>-XXXXXX".
#include <string>

// The name pattern of a new working directory for this process (for
// QTemporaryDir, inside base).
std::string RunDirTemplate(const std::string& base);
// Removes the directories in base of this pattern that belong to the user
// and whose process no longer runs; returns how many were removed.
int RemoveStaleRunDirs(const std::string& base);
