#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// How the plumes of a jet's row of ports merged, as the jet model's summary
// page reports it: the row the model computed the jet in, the first step at
// which the jet's plume runs into its neighbours' and the merged field where
// the jet stopped. A jet computed alone has no row.
#include <string>

class CRiser;

struct CRowMerging {
    int m_nPorts = 0;            // ports in the row; 0: the jet was computed alone
    double m_dSpacing = 0.0;     // spacing of the ports along the diffuser axis (m)
    double m_dAxisDeg = 0.0;     // diffuser axis, degrees counter-clockwise from the current
    bool m_bMerged = false;      // the plumes merged before the jet stopped
    double m_dArc = 0.0;         // where they first merge: distance along the jet (m),
    double m_dX = 0.0;           // downstream of the port (m),
    double m_dZ = 0.0;           // height above the port (m)
    double m_dDilution = 0.0;    // average dilution where they first merge
    double m_dHalfWidth = 0.0;   // merged field at the end: half width across the row (m)
    double m_dHalfLength = 0.0;  // and half length along the row (m)

    bool HasRow() const { return m_nPorts > 0; }
};

// One line for a jet, with a decimal point whatever the locale:
// "row of 6 ports, plumes merge 3.20 m above the port at dilution 41.0",
// "row of 6 ports, plumes do not merge", or "computed alone" without a row.
std::string RowMergingText(const CRowMerging& row);

// The merging of the rows of one outfall's computed jets: how many were
// computed in a row and merged, and the range of heights and dilutions at
// which their plumes first merge.
struct OutfallRowMerging {
    int m_nComputed = 0;                                // jets with results
    int m_nInRow = 0;                                   // of them, computed in a row of ports
    int m_nMerged = 0;                                  // of these, whose plumes merged
    int m_nPorts = 0;                                   // ports of the row (the most any jet reports)
    double m_dMinZ = 0.0, m_dMaxZ = 0.0;                // height above the port (m)
    double m_dMinDilution = 0.0, m_dMaxDilution = 0.0;  // average dilution
};

OutfallRowMerging SummarizeRowMerging(const CRiser& outfall);
