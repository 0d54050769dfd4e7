#include "run/ReadingMeter.h"

#include <algorithm>

CReadingMeter::CReadingMeter(int parts) : m_nParts(std::max(1, parts)) {}

void CReadingMeter::Begin(int lower, int upper) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    ++m_nPart;
    m_nLower = lower;
    m_nUpper = upper;
    m_nPosition = lower;
}

void CReadingMeter::SetPosition(int position) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_nPosition = position;
}

void CReadingMeter::End() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_bDone = true;
}

double CReadingMeter::Fraction() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    double f = 1.0;
    if (!m_bDone) {
        // The parts begun before the current one are whole; the current one
        // counts by its position in its range.
        const double span = double(m_nUpper) - m_nLower;
        const double within = span > 0.0 ? std::clamp((double(m_nPosition) - m_nLower) / span, 0.0, 1.0) : 0.0;
        f = std::clamp((std::max(0, m_nPart) + within) / m_nParts, 0.0, 1.0);
    }
    m_dShown = std::max(m_dShown, f);
    return m_dShown;
}
