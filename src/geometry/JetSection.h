#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// A jet's share of a cross-section.

struct JetSection {
    double m_dArea = 0.0;   // m^2, summed over the pieces the plane cut the jet into
    double m_dHSpan = 0.0;  // m, horizontal span of the last piece
    double m_dVSpan = 0.0;  // m, vertical span of the last piece
};
