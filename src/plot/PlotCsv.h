#pragma once
#ifndef PLUMEX_LAYER_PLOT
#error "a header of plumex_plot, included by a library that does not link it"
#endif
// The points of a plot as CSV text: one row per point with the jet, the
// curve and both coordinates, each coordinate column headed by its quantity
// and unit. Numbers with a decimal point whatever the locale.
#include <string>

#include "plot/PlotData.h"

std::string PlotCsv(const PlotData& plot);
