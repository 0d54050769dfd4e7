#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// Rows of ports whose merged result may be too good. A row counts the ports
// of a riser as spread evenly along the riser spacing. Where several ports
// leave one riser and the risers stand far apart, the ports of a riser merge
// first into one round riser plume, and that plume meets its neighbours only
// once it is about as wide as the riser spacing: at a height of about 3.5
// times the spacing. When the plumes rise less than that (to the surface or
// their terminal level), the row's line-plume mixing overstates the dilution.
#include <string>
#include <vector>

class CCase;
struct RunPlan;
struct RunResult;

// Height (in riser spacings) a riser plume rises before it meets its
// neighbours'.
constexpr double kRiserPlumeMeetsAt = 3.5;

// One warning per outfall whose ports share risers, whose jets were computed
// in a row (plan.m_RowJets) and whose highest computed rise is below
// kRiserPlumeMeetsAt times the riser spacing.
std::vector<std::string> DoubtfulRowWarnings(const CCase& doc, const RunPlan& plan, const RunResult& result);
