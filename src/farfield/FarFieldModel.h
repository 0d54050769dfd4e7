#pragma once
#ifndef PLUMEX_LAYER_FARFIELD
#error "a header of plumex_farfield, included by a library that does not link it"
#endif
// The far field of one outfall along the current: the wastefield from the
// end of its jets spread by the 4/3 law (farfield/SpreadingLaw.h) and its
// tracked substance dying off as it travels. Distances are measured from
// the diffuser along the current; the far field begins where the jets end
// (WastefieldStart::m_dAlong), and a distance before that lies in the near
// field, where the values of the jets' ends hold.
#include "farfield/WastefieldStart.h"
#include "model/FarFieldSettings.h"

// The slowest current that carries a far field (m/s).
inline constexpr double kMinFarFieldCurrent = 1e-3;

struct FarFieldValues {
    double m_dDistance = 0.0;       // from the diffuser along the current (m)
    double m_dDilution = 0.0;       // S = S_n S_f
    double m_dConcentration = 0.0;  // of the tracked substance, in the settings' unit
    double m_dTime = 0.0;           // since discharge (s)
    bool m_bInNearField = false;    // before the far field begins
};

class CFarFieldModel {
public:
    // current: the speed at the wastefield's depth (m/s).
    CFarFieldModel(const WastefieldStart& start, double current, const FarFieldSettings& settings);
    // False for a current below kMinFarFieldCurrent: it carries no far field.
    bool HasFarField() const { return m_dCurrent >= kMinFarFieldCurrent; }
    double Beta() const { return m_dBeta; }
    // The values at a distance from the diffuser (meaningless without a far field).
    FarFieldValues At(double distance) const;
    // The fraction of the substance alive after a time (s): 10^(-t/T90),
    // 1 for a conservative substance (T90 0).
    double DecayFactor(double seconds) const;

private:
    WastefieldStart m_start;
    double m_dCurrent;
    FarFieldSettings m_settings;
    double m_dBeta = 0.0;
};
