#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// The far field of the outfalls as a plot: total dilution (left axis) and
// the tracked substance's concentration (right axis) against the distance
// from the diffuser along the current, with the edge of the mixing zone and
// the points of interest as upright lines. Outfalls without a far field
// have no curves.
#include <vector>

#include "farfield/OutfallFarField.h"
#include "plot/PlotData.h"

// The title the plots window lists the plot by.
inline constexpr const char* kFarFieldPlotTitle = "Far field: dilution and concentration";

// Points every few metres from the diffuser to twice the farthest distance
// of the settings (at least 500 m).
PlotData BuildFarFieldPlot(const std::vector<OutfallFarField>& fields, const FarFieldSettings& settings);
