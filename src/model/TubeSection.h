#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Cutting a jet's tube with a plane: the points where its mesh edges cross
// the plane, and the chaining of those points into closed outlines.
#include <vector>

class CJetDisk;

// A point of a section outline on a jet's tube.
struct TubeCrossing {
    enum Kind { kRingEdge = 1, kBandEdge = 2, kDiskOutline = 3 };
    double m_dPos[3] = {0, 0, 0};  // scene coordinates
    float m_fValue = 0.0f;
    int m_nKind = kRingEdge;  // ring edge: ring vertex s to s+1; band edge: ring vertex s to next ring vertex s
    int m_nRing = 0;
    int m_nSlice = 0;
};

// The value a section shows for a disk: its mean concentration when that is
// at least the threshold, otherwise 1 / dilution (0 without a dilution).
float SectionValue(const CJetDisk& d, double threshold);

// Chains crossings of a tube of nRings rings of nSlices vertices into
// outlines: two crossings are neighbours when they lie on edges of the same
// mesh quad. Each outline is a list of indices into the crossings, in order
// around it. The open ends of the tube count as flat caps, so an outline
// that reaches an end is closed across it. Outlines of fewer than three
// points are dropped.
std::vector<std::vector<int>> ChainTubeCrossings(const std::vector<TubeCrossing>& crossings, int nRings, int nSlices);
