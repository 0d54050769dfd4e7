#include "scene/Random15.h"

#include <cmath>

double CRandom15::Normal() {
    if (m_bHaveNormal) {
        m_bHaveNormal = false;
        return m_dNormal;
    }
    double u, v, s;
    do {
        u = 2.0 * Unit() - 1.0;
        v = 2.0 * Unit() - 1.0;
        s = u * u + v * v;
    } while (s >= 1.0 || s == 0.0);
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    m_dNormal = v * f;
    m_bHaveNormal = true;
    return u * f;
}
