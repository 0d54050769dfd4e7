#include "farfield/FarFieldModel.h"

#include <cmath>

#include "farfield/SpreadingLaw.h"

CFarFieldModel::CFarFieldModel(const WastefieldStart& start, double current, const FarFieldSettings& settings)
    : m_start(start), m_dCurrent(current), m_settings(settings) {
    if (HasFarField() && start.m_dWidth > 0.0) m_dBeta = BrooksBeta(settings.m_dAlpha, start.m_dWidth, current);
}

double CFarFieldModel::DecayFactor(double seconds) const {
    if (!(m_settings.m_dT90Hours > 0.0)) return 1.0;
    return std::pow(10.0, -seconds / (3600.0 * m_settings.m_dT90Hours));
}

FarFieldValues CFarFieldModel::At(double distance) const {
    FarFieldValues v;
    v.m_dDistance = distance;
    const double x = distance - m_start.m_dAlong;
    v.m_bInNearField = x <= 0.0;
    double spreading = 1.0;
    v.m_dTime = m_start.m_dTime;
    if (!v.m_bInNearField && HasFarField()) {
        if (m_start.m_dWidth > 0.0) spreading = BrooksCentrelineDilution(m_dBeta * x / m_start.m_dWidth);
        v.m_dTime += x / m_dCurrent;
    }
    v.m_dDilution = m_start.m_dDilution * spreading;
    v.m_dConcentration = m_settings.m_dEffluentConcentration / v.m_dDilution * DecayFactor(v.m_dTime);
    return v;
}
