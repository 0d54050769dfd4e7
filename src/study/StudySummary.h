#pragma once
#ifndef PLUMEX_LAYER_STUDY
#error "a header of plumex_study, included by a library that does not link it"
#endif
// The statistics of a study, made from its rows as the results file holds
// them: per jet and for the case (the "(all jets)" rows) the lowest, the
// 10th percentile, the median and the highest flux-average dilution, the
// share of conditions in which the plume reaches the surface and the
// highest rise. Conditions count with their weight; a weight of 0 leaves a
// condition out of the statistics.
//
// Percentiles are weighted nearest-rank: the values sorted upwards with
// their weights w (total W), the p-th percentile is the smallest value
// whose cumulative weight reaches p/100 x W. With equal weights this is the
// classic nearest rank, the value of rank ceil(p/100 x n).
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "study/StudyRecord.h"

// (value, weight) pairs; p in (0, 100]. NaN without a positive weight.
double WeightedPercentile(std::vector<std::pair<double, double>> values, double p);

struct StudyStats {
    int m_nConditions = 0;  // with results and a positive weight
    double m_dMin = 0.0, m_dP10 = 0.0, m_dMedian = 0.0, m_dMax = 0.0;
    double m_dSurfaceShare = 0.0;  // weighted share of those conditions, 0 to 1
    double m_dHighestRise = 0.0;
};

class CStudySummary {
public:
    // Rows in the order of the results file.
    void Add(const StudyRecord& r);

    int Conditions() const { return m_nConditions; }
    int Skipped() const { return m_nSkipped; }
    int NotComputed() const { return m_nNotComputed; }
    // The jets in the order they first appeared (the case's row not among them).
    const std::vector<std::string>& Jets() const { return m_Order; }
    StudyStats JetStats(const std::string& jet) const;
    StudyStats CaseStats() const { return StatsOf(m_Case); }
    // The summary as text (a few comment lines, then CSV), ending with a newline.
    std::string Text() const;

private:
    struct Series {
        std::vector<std::pair<double, double>> m_Dilutions;  // (dilution, weight)
        double m_dSurfaceWeight = 0.0;
        double m_dHighestRise = 0.0;
    };
    static StudyStats StatsOf(const Series& s);

    std::map<std::string, Series> m_Jets;
    std::vector<std::string> m_Order;
    Series m_Case;
    std::string m_strLastCondition;
    bool m_bAny = false;
    int m_nConditions = 0;
    int m_nSkipped = 0;
    int m_nNotComputed = 0;
};
