#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The row of ports a jet belongs to, as the jet model takes it to compute
// the merging of neighbouring plumes: every port of the jet's outfall
// counts as one of N equal ports spaced s along the outfall's axis, which
// runs at psi in the model's frame.
//
// Without risers the ports stand on the pipe at the outfall's jet spacing.
// With risers the ports of a riser are spread evenly along the riser
// spacing, so that the row carries the outfall's true flow per metre: s is
// the riser spacing divided by the mean number of ports per riser. One
// riser is no row.
class CCase;
class CRiser;

struct PortRow {
    int m_nPorts = 1;              // N: ports of the outfall
    double m_dSpacing = 0.0;       // s (m); 0 means no row
    double m_dAxisDeg = 0.0;       // psi: outfall axis, degrees counter-clockwise from the current, 0 <= psi < 180
    int m_nRisers = 0;             // risers holding ports (0 without risers)
    double m_dRiserSpacing = 0.0;  // mean distance between neighbouring risers (m)

    // The model computes merging only for a row of two or more ports
    // spaced apart.
    bool IsActive() const { return m_nPorts >= 2 && m_dSpacing > 0.0; }
    // Several ports share a riser: they are counted as spread along the
    // outfall although they leave from one point.
    bool SharesRisers() const { return m_nRisers >= 2 && m_nPorts > m_nRisers; }
};

// The direction of the outfall axis in the model's frame for outfalls that
// make currentAngleDeg (degrees) with the current. The scene places a port
// of horizontal angle theta at 180 - currentAngle + theta about the
// vertical and runs the pipe along the direction of angle 0; the axis is
// the theta that lands there, folded into [0, 180) since a row has no sense.
double OutfallAxisAngle(double currentAngleDeg);

// The row of the jets of one outfall.
PortRow OutfallPortRow(const CRiser& outfall, bool noRiser, double currentAngleDeg);
// ... of the case's scenario and current angle.
PortRow OutfallPortRow(const CCase& doc, const CRiser& outfall);
