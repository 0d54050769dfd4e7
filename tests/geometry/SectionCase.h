#pragma once
// Cases with straight jets built in code, for the cross-section tests and
// the section benchmark.
#include <string>
#include <vector>

#include "model/Case.h"

// A straight jet of constant radius: disks from its start (model
// coordinates, z up) along the direction of its two angles.
struct StraightJet {
    double m_dStart[3] = {0.0, 0.0, 5.0};
    double m_dHAngle = 0.0;  // radians
    double m_dVAngle = 0.0;  // radians
    double m_dRadius = 2.0;
    double m_dConc = 0.5;
    double m_dDilution = 2.0;
    double m_dStep = 0.5;  // metres between disks
    int m_nDisks = 200;
    double m_dFlow = 0.1;
};

// One outfall (depth 29 m, water depth 30 m) with one riser holding the
// given jets; an ambient profile whose current speeds average `current`.
// Prepares the jet displays.
void BuildSectionCase(CCase& doc, const std::vector<StraightJet>& jets, double current = 0.2);

// The benchmarks' case: 50 rising, widening plumes 4 m apart along the
// outfall (neighbours overlap), each 1500 disks along 60 m of a slanted
// axis that rises 30 m.
std::vector<StraightJet> FiftyPlumes();

// World (scene) centre of disk k of a jet.
void DiskCentre(const CJet& jet, int k, double out[3]);
