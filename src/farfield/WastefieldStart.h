#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// Where the far field of an outfall begins: at the ends of its computed
// jets (their last disks, placed in the scene). The wastefield is as wide
// as the ends span across the current (one end: twice its half width;
// several: the span of their centres plus one half width at each side),
// lies at the mean depth of the ends, and starts with the lowest
// flux-average dilution of the ends - the conservative choice: the field is
// judged by its least diluted part - at the longest near-field travel time.
class CCase;
class CRiser;

struct WastefieldStart {
    int m_nJets = 0;           // computed jets the field starts from
    double m_dWidth = 0.0;     // b0 (m)
    double m_dDepth = 0.0;     // mean depth of the ends below the surface (m)
    double m_dDilution = 0.0;  // S_n
    double m_dTime = 0.0;      // t_n (s)
    // Mean distance of the ends from their ports along the current (m):
    // where, measured from the diffuser, the far field begins.
    double m_dAlong = 0.0;
    // Where the diffuser is in the scene (the mean of the ports, y up from
    // the bed) and the current's direction there (scene x and z, unit length).
    double m_dDiffuser[3] = {0.0, 0.0, 0.0};
    double m_dCurrentDir[2] = {1.0, 0.0};
};

// False when no jet of the outfall has been computed (or a computed end has
// no usable dilution). The jets must be placed (CCase::PlaceJets).
bool FindWastefieldStart(const CCase& doc, const CRiser& outfall, WastefieldStart& start);
