#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The edge of an outfall's mixing zone in the scene, for the 3-D view: a
// segment on the water surface across the current, at the mixing-zone
// distance from the diffuser along the current, as wide as the wastefield
// is there (the 4/3 law widens it as b = b0 (1 + (2/3) beta x/b0)^(3/2)).
class CCase;

struct MixingZoneEdge {
    double m_dFrom[3] = {0.0, 0.0, 0.0};  // scene coordinates (m), y up from the bed
    double m_dTo[3] = {0.0, 0.0, 0.0};
};

// False when the outfall has no far field (no computed jet, a still current).
bool FindMixingZoneEdge(const CCase& doc, int outfall, MixingZoneEdge& edge);
