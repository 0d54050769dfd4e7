#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The stop reasons Plumex itself gives a jet it leaves without results,
// as opposed to the reasons the jet model reports: they all begin with
// "not computed: ", so a report or a job never calls them a rejection by
// the model.
#include <string>

constexpr char kNotComputedPrefix[] = "not computed: ";
// A summary page that could not be read (cut short, no stop reason).
constexpr char kUnreadablePageReason[] = "not computed: the jet model's summary of this jet could not be read";

inline bool IsNotComputedReason(const std::string& reason) { return reason.rfind(kNotComputedPrefix, 0) == 0; }
// A trajectory with more rows than the summary's step count.
constexpr char kStepCountMismatchReason[] = "not computed: the jet model's step count disagrees with its trajectory";
