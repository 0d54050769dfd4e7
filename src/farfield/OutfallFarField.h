#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The far field of every outfall of a case, as the command line, the CSV
// file and the report give it: where the wastefield starts, the current
// that carries it, the values at the edge of the mixing zone and at each
// point of interest with the standard applied, and where the standard is
// first met.
#include <string>
#include <vector>

#include "farfield/StandardCheck.h"

class CCase;

enum class FarFieldStatus {
    Computed,
    NotComputed,   // no jet of the outfall was computed
    StillCurrent,  // the current at the wastefield is below kMinFarFieldCurrent
};

struct FarFieldPointValues {
    std::string m_strName;
    FarFieldValues m_Values;
    StandardCheck m_Check;
};

struct OutfallFarField {
    std::string m_strOutfall;
    FarFieldStatus m_eStatus = FarFieldStatus::NotComputed;
    WastefieldStart m_Start;
    double m_dCurrent = 0.0;  // at the wastefield's depth (m/s)
    double m_dBeta = 0.0;
    FarFieldValues m_Edge;  // at the edge of the mixing zone
    StandardCheck m_EdgeCheck;
    std::vector<FarFieldPointValues> m_Points;
    // From the diffuser (m); negative: not met within FarFieldSettings::kMaxDistance.
    double m_dStandardMetAt = -1.0;
};

OutfallFarField ComputeOutfallFarField(const CCase& doc, int outfall);
std::vector<OutfallFarField> ComputeFarField(const CCase& doc);

// Distances from the diffuser for a table of the far field: 1, 2, 5 times
// the powers of ten from 10 m up to ten times the farthest distance of the
// settings (at least 10 km, at most the search limit).
std::vector<double> FarFieldGrid(const FarFieldSettings& settings);
