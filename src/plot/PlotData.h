#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// One plot of one or more jets, ready to draw: titles with units and the
// curves with their points, taken from the jets' series. The plots window
// draws it with Qt Charts, the report with a painter, and both export the
// same points as CSV.
#include <string>
#include <vector>

#include "plot/JetSeries.h"

enum class PlotKind {
    Elevation,           // height above the port against horizontal distance along the path
    Plan,                // plan position, with the current direction
    DilutionAlongPath,   // centreline and average dilution against distance along the path
    DilutionWithHeight,  // centreline and average dilution against height above the port
    WidthAndVelocity,    // half width and velocity against distance along the path
};
constexpr int kPlotKindCount = 5;

enum class CurveRole {
    Line,       // a jet's quantity
    BandUpper,  // upper edge of a jet's half-width band (pairs with the next BandLower)
    BandLower,
    Reference,   // a level of the case: water surface, sea bed
    Marker,      // where the cut plane crosses a jet
    BedContact,  // where a jet's half-width band first reaches the sea bed
    Arrow,       // the current direction: from the first point to the second
};

struct PlotPoint {
    double x = 0.0, y = 0.0;
};

struct PlotCurve {
    std::string m_strName;  // what the curve shows ("centreline dilution", "water surface", ...)
    int m_nOrdinal = -1;    // the jet's place in the case, -1 for curves of no jet
    std::string m_strJet;   // the jet's label, empty for curves of no jet
    CurveRole m_Role = CurveRole::Line;
    bool m_bDashed = false;
    bool m_bRightAxis = false;  // measured on the second value axis
    std::vector<PlotPoint> m_Points;
};

struct PlotData {
    PlotKind m_Kind = PlotKind::Elevation;
    std::string m_strTitle;
    std::string m_strXTitle;     // with unit
    std::string m_strYTitle;     // with unit
    std::string m_strY2Title;    // second value axis, empty when there is none
    bool m_bEqualScale = false;  // both axes at one scale (plan view)
    bool m_bYDown = false;       // values grow downwards (depth)
    std::vector<PlotCurve> m_Curves;
};

const char* PlotKindTitle(PlotKind kind);
// The plot of the given kind for these jets (any number, drawn in order).
PlotData BuildPlot(PlotKind kind, const std::vector<JetSeries>& jets);
class CAmbient;
// The ambient profile: density and current speed against depth, one plot each.
PlotData BuildDensityProfilePlot(const CAmbient& ambient);
PlotData BuildCurrentProfilePlot(const CAmbient& ambient);
// Smallest box of all points of the curves on one value axis (right or
// left); false when there are none.
bool PlotBounds(const PlotData& plot, bool rightAxis, double& xmin, double& xmax, double& ymin, double& ymax);
