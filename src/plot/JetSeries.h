#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// What the plots of a computed jet show, taken from its disks: per disk the
// distance along the path, the horizontal distance along the path, the
// height above the port, the plan position in the case, the half width,
// the centreline and average dilution and the velocity; and where the cut
// plane crosses the jet's axis. Views only draw these values.
#include <string>
#include <vector>

class CCase;
class CRiser;
class CBase;
class CJet;

struct JetSample {
    double m_dPath = 0.0;        // distance along the axis from the port (m)
    double m_dHorizontal = 0.0;  // horizontal distance along the axis from the port (m)
    double m_dHeight = 0.0;      // height of the centre above the port (m)
    double m_dPlanX = 0.0;       // plan position of the centre in the case (m, the scene's x)
    double m_dPlanY = 0.0;       // plan position of the centre in the case (m, the scene's -z)
    double m_dHalfWidth = 0.0;   // m
    double m_dVAngle = 0.0;      // vertical angle of the axis (rad)
    double m_dCentreDilution = 0.0;
    double m_dAverageDilution = 0.0;
    double m_dVelocity = 0.0;  // m/s
};

struct JetSeries {
    int m_nOrdinal = 0;  // place of the jet in the case (outfall, riser, jet order), from 0
    int m_nOutfall = 0, m_nRiser = 0, m_nJet = 0;
    std::string m_strOutfall, m_strRiser, m_strJet;
    std::string m_strLabel;              // JetLabel of the jet
    double m_dSurface = 0.0;             // height of the water surface above the port (m)
    double m_dBed = 0.0;                 // height of the sea bed above the port (m, negative below)
    double m_dCurrent[2] = {1.0, 0.0};   // plan direction the current flows to (unit vector)
    std::vector<JetSample> m_Samples;    // one per disk, in step order
    std::vector<JetSample> m_Crossings;  // where the cut plane crosses the axis

    // The jet with its riser (and outfall), as the case names jets outside
    // its tree (JetLabel).
    const std::string& Label() const { return m_strLabel; }
};

// The series of one jet. With a plane equation (a x + b y + c z + e = 0 in
// scene coordinates, as the cut plane holds it) the crossings are filled.
// The jet's placement must be current (the document prepares it after a
// run or a load).
JetSeries MakeJetSeries(const CCase& doc, int outfall, int riser, int jet, const double* planeEquation);

// The series of every jet of the case that has disks, in case order. With
// a plane equation the crossings are filled.
std::vector<JetSeries> MakeCaseSeries(const CCase& doc, const double* planeEquation);

// Centreline dilution of a disk: the inverse of its maximum concentration
// (the model caps that at 1), 0 for a disk without one.
double CentreDilution(double maxConcentration);
