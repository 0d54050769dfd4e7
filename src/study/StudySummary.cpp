#include "study/StudySummary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "study/CsvFields.h"

double WeightedPercentile(std::vector<std::pair<double, double>> values, double p) {
    values.erase(std::remove_if(values.begin(), values.end(), [](const auto& v) { return !(v.second > 0.0); }),
                 values.end());
    if (values.empty()) return std::numeric_limits<double>::quiet_NaN();
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    double total = 0.0;
    for (const auto& v : values) total += v.second;
    // p x W / 100 rather than p / 100 x W: whole weights give a whole target.
    const double target = p * total / 100.0;
    double sum = 0.0;
    for (const auto& v : values) {
        sum += v.second;
        if (sum >= target) return v.first;
    }
    return values.back().first;
}

void CStudySummary::Add(const StudyRecord& r) {
    if (!m_bAny || r.m_strCondition != m_strLastCondition) {
        ++m_nConditions;
        m_strLastCondition = r.m_strCondition;
        m_bAny = true;
    }
    if (r.m_strJet.empty()) {
        ++m_nSkipped;
        return;
    }
    const bool all = r.m_strJet == kAllJets;
    if (all && !r.m_bComputed) ++m_nNotComputed;
    if (!all && !m_Jets.count(r.m_strJet)) m_Order.push_back(r.m_strJet);
    Series& s = all ? m_Case : m_Jets[r.m_strJet];
    if (!r.m_bComputed || !(r.m_dWeight > 0.0)) return;
    s.m_Dilutions.emplace_back(r.m_dFluxDilution, r.m_dWeight);
    if (r.m_bSurface) s.m_dSurfaceWeight += r.m_dWeight;
    s.m_dHighestRise = s.m_Dilutions.size() == 1 ? r.m_dRise : std::max(s.m_dHighestRise, r.m_dRise);
}

StudyStats CStudySummary::StatsOf(const Series& s) {
    StudyStats st;
    st.m_nConditions = static_cast<int>(s.m_Dilutions.size());
    if (s.m_Dilutions.empty()) return st;
    double total = 0.0;
    st.m_dMin = st.m_dMax = s.m_Dilutions.front().first;
    for (const auto& v : s.m_Dilutions) {
        total += v.second;
        st.m_dMin = std::min(st.m_dMin, v.first);
        st.m_dMax = std::max(st.m_dMax, v.first);
    }
    st.m_dP10 = WeightedPercentile(s.m_Dilutions, 10.0);
    st.m_dMedian = WeightedPercentile(s.m_Dilutions, 50.0);
    st.m_dSurfaceShare = s.m_dSurfaceWeight / total;
    st.m_dHighestRise = s.m_dHighestRise;
    return st;
}

StudyStats CStudySummary::JetStats(const std::string& jet) const {
    const auto it = m_Jets.find(jet);
    return it == m_Jets.end() ? StudyStats() : StatsOf(it->second);
}

namespace {
std::string StatsLine(const std::string& name, const StudyStats& s) {
    char buf[256];
    if (s.m_nConditions == 0) return CsvField(name) + ",0,,,,,,\n";
    std::snprintf(buf, sizeof buf, ",%d,%.6g,%.6g,%.6g,%.6g,%.4f,%.6g\n", s.m_nConditions, s.m_dMin, s.m_dP10,
                  s.m_dMedian, s.m_dMax, s.m_dSurfaceShare, s.m_dHighestRise);
    return CsvField(name) + buf;
}
}  // namespace

std::string CStudySummary::Text() const {
    std::string text = "# " + std::to_string(m_nConditions) +
                       " conditions: " + std::to_string(m_nConditions - m_nSkipped - m_nNotComputed) + " computed, " +
                       std::to_string(m_nSkipped) + " skipped, " + std::to_string(m_nNotComputed) + " not computed\n";
    text += "# flux-average dilution at the end of the plume; percentiles weighted nearest-rank\n";
    text += "jet,conditions,min_dilution,p10_dilution,median_dilution,max_dilution,surface_share,highest_rise_m\n";
    for (const auto& jet : m_Order) text += StatsLine(jet, JetStats(jet));
    text += StatsLine(kAllJets, CaseStats());
    return text;
}
