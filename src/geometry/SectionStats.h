#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// Areas, spans and the composite values of the last cross-section, as the
// document keeps them for the data pane, the area dialog and the command line.
#include "geometry/JetSection.h"

struct CSectionStats {
    double m_dTotalArea = 0.0;      // m^2 covered by any jet (overlaps counted once)
    double m_dSumOfArea = 0.0;      // m^2, sum of the jets' own areas
    JetSection m_Selected;          // the current jet's area and spans
    double m_dCompositeMean = 0.0;  // area-weighted mean value over the Total Area
    double m_dDilution = 0.0;       // composite dilution 2 Ua A / Q
    double m_dInvMean = 0.0;        // 1 / composite mean, truncated to three decimals
    double m_dFlow = 0.0;           // Q: discharges of the jets that the plane cuts
    double m_dCurrent = 0.0;        // Ua: mean of the profile's current speeds
    int m_nPolygons = 0;
};
