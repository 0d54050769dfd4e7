#pragma once
// Process-wide state that records consult while they are read or placed.
// One object per application (tests may hold several); documents reach it
// through a reference given at construction.
#include <string>

// The version tag case files are written with (the newest of the four).
inline constexpr const char kCurrentFileVersion[] = "Plumex2.00";

class CAppState {
public:
    // Scenario without risers: ports stand directly on the outfall pipe.
    bool m_bNoRiser = false;
    // Version tag of the case file being read; nested records consult it for
    // their optional fields.
    std::string m_strFileVersion = kCurrentFileVersion;

    // Version 2 files ("Plumex2.0" and "Plumex2.00") carry the outfall
    // lengths, the cut plane's kind and the scenario flag.
    bool FileIsVersion2() const { return m_strFileVersion == "Plumex2.0" || FileIsNewest(); }
    // Only the newest files carry the disks' maximum concentration.
    bool FileIsNewest() const { return m_strFileVersion == kCurrentFileVersion; }
};
