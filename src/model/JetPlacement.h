#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Where a jet's own frame sits in the scene: lifted by the water depth, on
// its outfall, at its riser (or its place along the pipe without risers),
// at the port on the riser surface. GL-free.
class CRiser;
class CBase;
class CJet;

struct JetPlacementInput {
    double m_dWaterDepth = 20.0;
    double m_dCurrentAngle = 90.0;  // degrees between current and outfalls
    bool m_bNoRiser = false;
};

// The placement matrix (row-major) of jet k of the riser on the outfall.
// Stores the port offset in the jet's port position.
void ComputeJetPlacement(const JetPlacementInput& in, const CRiser& outfall, const CBase& riser, int k, CJet& jet,
                         double out[16]);
