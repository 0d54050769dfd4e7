#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// The version tags of case files and which optional fields each carries.
#include <string>

// The version tag case files are written with (the newest of the four).
inline constexpr const char kCurrentFileVersion[] = "Plumex2.00";

// Only the newest files carry the disks' maximum concentration.
inline bool FileVersionIsNewest(const std::string& tag) { return tag == kCurrentFileVersion; }

// Version 2 files ("Plumex2.0" and "Plumex2.00") carry the outfall lengths,
// the cut plane's kind and the scenario flag.
inline bool FileVersionIs2(const std::string& tag) { return tag == "Plumex2.0" || FileVersionIsNewest(tag); }
