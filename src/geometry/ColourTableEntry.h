#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
#include <array>

// One entry of the histogram-equalised colour transfer table.
struct ColourTableEntry {
    int m_nLowLevel = 0;
    int m_nHighLevel = 0;
    double m_dFromValue = 100.0;
    double m_dToValue = 0.0;
};

using ColourTable = std::array<ColourTableEntry, 256>;
