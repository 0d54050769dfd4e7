#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The standard of the mixing zone applied to the values at a distance: a
// minimum dilution is met by a dilution at least as high, a maximum
// concentration by a concentration at most as high. The margin is the
// factor by which the standard is met (1 or more) or missed (below 1).
#include "farfield/FarFieldModel.h"

struct StandardCheck {
    bool m_bMeets = false;
    double m_dMargin = 0.0;
};

StandardCheck JudgeStandard(const FarFieldSettings& settings, const FarFieldValues& values);

// The first distance from the diffuser (m, to about a millimetre) at which
// the standard is met, 0 when it is met where the jets end; negative when it
// is not met within limit metres. Dilution rises and the concentration falls
// along the current, so the first such distance is found by halving.
double DistanceStandardMet(const CFarFieldModel& model, const FarFieldSettings& settings,
                           double limit = FarFieldSettings::kMaxDistance);
