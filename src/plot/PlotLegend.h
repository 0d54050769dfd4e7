#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// What the legend of a plot says, for the plots window and the report
// alike: one entry per jet in its colour, then one per kind of line of the
// jets in black, solid or dashed as drawn ("centreline dilution (solid)",
// "average dilution (dashed)"), so that the colours tell the jets apart and
// the line styles the quantities; then the levels, the cut plane's
// crossings, where a band reaches the sea bed, the half-width band and the current's direction.
#include <string>
#include <vector>

#include "plot/PlotData.h"

enum class LegendKind {
    Jet,         // a jet's colour (m_nOrdinal)
    LineKind,    // a quantity every jet shows, in black
    Level,       // a level of the case, dotted grey
    Marker,      // where the cut plane crosses a jet, a red ring
    BedContact,  // where a jet's band reaches the sea bed, a brown triangle
    Band,        // the half-width band, a grey patch
    Arrow,       // the current's direction, grey
    Curve,       // a curve of no jet (a profile), in the first jet colour
    More,        // how many jets the legend leaves out, no key
};

enum class LegendLine { Solid, Dashed, Dotted, None };

struct LegendEntry {
    std::string m_strText;
    LegendKind m_Kind = LegendKind::Jet;
    LegendLine m_Line = LegendLine::Solid;
    int m_nOrdinal = -1;  // the jet's place in the case (entries of jets only)
};

// The entries in order, each text once. Past the palette's colours a
// legend of jets would only repeat them: it names the first jets and then
// says how many more there are.
std::vector<LegendEntry> BuildLegend(const PlotData& plot);
