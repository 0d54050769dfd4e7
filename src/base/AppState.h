#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// Process-wide settings shared by every case the application holds. One
// object per application (tests may hold several); documents reach it
// through a reference given at construction. What belongs to one case (its
// scenario) lives in the document, and what belongs to one read (the version
// of the file being read) lives in the archive.
#include "base/FileVersion.h"

class CAppState {
public:
    // The scenario a new case starts with (profile key "Option"): true
    // without risers, the ports standing directly on the outfall pipe.
    bool m_bNewCaseNoRiser = false;
};
