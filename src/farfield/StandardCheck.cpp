#include "farfield/StandardCheck.h"

StandardCheck JudgeStandard(const FarFieldSettings& settings, const FarFieldValues& values) {
    StandardCheck check;
    if (settings.m_bStandardIsDilution) {
        check.m_bMeets = values.m_dDilution >= settings.m_dStandard;
        check.m_dMargin = values.m_dDilution / settings.m_dStandard;
    } else {
        check.m_bMeets = values.m_dConcentration <= settings.m_dStandard;
        check.m_dMargin = values.m_dConcentration > 0.0 ? settings.m_dStandard / values.m_dConcentration : 0.0;
    }
    return check;
}

double DistanceStandardMet(const CFarFieldModel& model, const FarFieldSettings& settings, double limit) {
    auto meets = [&](double x) { return JudgeStandard(settings, model.At(x)).m_bMeets; };
    if (meets(0.0)) return 0.0;
    if (!model.HasFarField() || !meets(limit)) return -1.0;
    double low = 0.0, high = limit;
    while (high - low > 1e-3) {
        const double mid = 0.5 * (low + high);
        if (meets(mid)) high = mid;
        else low = mid;
    }
    return high;
}
