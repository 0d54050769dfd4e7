#pragma once
// Process-wide state that records consult while they are read or placed.
// One object per application (tests may hold several); documents reach it
// through a reference given at construction.
#include <string>

class CAppState {
public:
    // Scenario without risers: ports stand directly on the outfall pipe.
    bool m_bNoRiser = false;
    // Version tag of the case file being read; nested records consult it for
    // their optional fields.
    std::string m_strFileVersion = "Plumex2.00";
};
