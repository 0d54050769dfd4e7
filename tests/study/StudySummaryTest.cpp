// The study's statistics against figures worked out by hand, and the rows
// as the results file holds them.
#include <gtest/gtest.h>

#include <cmath>

#include "study/StudyRecord.h"
#include "study/StudySummary.h"

namespace {
StudyRecord Row(const std::string& condition, const std::string& jet, double dilution, double weight = 1.0,
                bool surface = false, double rise = 10.0) {
    StudyRecord r;
    r.m_strCondition = condition;
    r.m_strJet = jet;
    r.m_bComputed = true;
    r.m_dFluxDilution = dilution;
    r.m_dWeight = weight;
    r.m_bSurface = surface;
    r.m_dRise = rise;
    return r;
}
}  // namespace

TEST(StudySummary, NearestRankWithEqualWeights) {
    // 1..10 shuffled: rank ceil(0.1 x 10) = 1, ceil(0.5 x 10) = 5.
    std::vector<std::pair<double, double>> v;
    for (double x : {7, 3, 10, 1, 9, 2, 8, 4, 6, 5}) v.emplace_back(x, 1.0);
    EXPECT_EQ(WeightedPercentile(v, 10), 1.0);
    EXPECT_EQ(WeightedPercentile(v, 50), 5.0);
    EXPECT_EQ(WeightedPercentile(v, 51), 6.0);
    EXPECT_EQ(WeightedPercentile(v, 100), 10.0);
    // Twelve values: ceil(1.2) = 2, ceil(6) = 6.
    v.emplace_back(11, 1.0);
    v.emplace_back(12, 1.0);
    EXPECT_EQ(WeightedPercentile(v, 10), 2.0);
    EXPECT_EQ(WeightedPercentile(v, 50), 6.0);
}

TEST(StudySummary, WeightsMoveThePercentiles) {
    // Weights 1, 1, 8 (total 10): the 10th percentile needs cumulative 1,
    // reached by the first value; the median needs 5, reached by the third.
    std::vector<std::pair<double, double>> v = {{300, 8}, {100, 1}, {200, 1}};
    EXPECT_EQ(WeightedPercentile(v, 10), 100.0);
    EXPECT_EQ(WeightedPercentile(v, 20), 200.0);
    EXPECT_EQ(WeightedPercentile(v, 21), 300.0);
    EXPECT_EQ(WeightedPercentile(v, 50), 300.0);
    // Days of months (31, 28, 31 of 90): 10% of 90 = 9 falls in the first.
    std::vector<std::pair<double, double>> days = {{50, 28}, {40, 31}, {60, 31}};
    EXPECT_EQ(WeightedPercentile(days, 10), 40.0);
    EXPECT_EQ(WeightedPercentile(days, 50), 50.0);
    // A weight of 0 leaves a value out.
    std::vector<std::pair<double, double>> zero = {{1, 0}, {5, 1}, {7, 1}};
    EXPECT_EQ(WeightedPercentile(zero, 10), 5.0);
    EXPECT_TRUE(std::isnan(WeightedPercentile({{1, 0}}, 50)));
}

TEST(StudySummary, PerJetAndCaseFiguresWithSurfaceShareAndSkips) {
    CStudySummary s;
    // Condition a (weight 3): jet J1 surfaces.
    s.Add(Row("a", "J1", 100, 3, true, 30));
    s.Add(Row("a", "J2", 150, 3, false, 20));
    s.Add(Row("a", kAllJets, 100, 3, true, 30));
    // Condition b (weight 1).
    s.Add(Row("b", "J1", 200, 1, false, 12));
    s.Add(Row("b", "J2", 120, 1, false, 25));
    s.Add(Row("b", kAllJets, 120, 1, false, 25));
    // Condition c was skipped; d was not computed.
    StudyRecord skipped;
    skipped.m_strCondition = "c";
    skipped.m_strStop = "skipped: bad";
    s.Add(skipped);
    StudyRecord failed;
    failed.m_strCondition = "d";
    failed.m_strJet = kAllJets;
    s.Add(failed);
    EXPECT_EQ(s.Conditions(), 4);
    EXPECT_EQ(s.Skipped(), 1);
    EXPECT_EQ(s.NotComputed(), 1);
    ASSERT_EQ(s.Jets(), (std::vector<std::string>{"J1", "J2"}));

    const StudyStats j1 = s.JetStats("J1");
    EXPECT_EQ(j1.m_nConditions, 2);
    EXPECT_EQ(j1.m_dMin, 100);
    EXPECT_EQ(j1.m_dMax, 200);
    EXPECT_EQ(j1.m_dP10, 100);     // 10% of 4 = 0.4, within the first (weight 3)
    EXPECT_EQ(j1.m_dMedian, 100);  // 2 of 4 reached by the first as well
    EXPECT_DOUBLE_EQ(j1.m_dSurfaceShare, 0.75);
    EXPECT_EQ(j1.m_dHighestRise, 30);
    const StudyStats all = s.CaseStats();
    EXPECT_EQ(all.m_dMin, 100);
    EXPECT_EQ(all.m_dMax, 120);
    EXPECT_DOUBLE_EQ(all.m_dSurfaceShare, 0.75);
    EXPECT_EQ(all.m_dHighestRise, 30);

    const std::string text = s.Text();
    EXPECT_NE(text.find("# 4 conditions: 2 computed, 1 skipped, 1 not computed\n"), std::string::npos);
    EXPECT_NE(text.find("\nJ1,2,100,100,100,200,0.7500,30\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n(all jets),2,100,100,100,120,0.7500,30\n"), std::string::npos) << text;
}

TEST(StudyRecord, RowsGoThroughTheirTextUnchanged) {
    StudyRecord r = Row("jan, wet", "Outfall \"A\" / R1 / P1", 123.456789, 31, true, 27.25);
    r.m_dEndDistance = 31.1;
    r.m_dCentreDilution = 80;
    r.m_dTravelTime = 224.5;
    r.m_strStop = "Plume reached the water surface";
    const std::string line = FormatStudyRecord(r);
    EXPECT_EQ(line,
              "\"jan, wet\",\"Outfall \"\"A\"\" / R1 / P1\",27.25,surface,31.1,123.457,80,224.5,"
              "Plume reached the water surface,31");
    StudyRecord back;
    std::string error;
    ASSERT_TRUE(ParseStudyRecord(line, back, error)) << error;
    EXPECT_EQ(back.m_strCondition, "jan, wet");
    EXPECT_EQ(back.m_strJet, "Outfall \"A\" / R1 / P1");
    EXPECT_TRUE(back.m_bSurface);
    EXPECT_EQ(back.m_dFluxDilution, 123.457);
    EXPECT_EQ(FormatStudyRecord(back), line);

    StudyRecord none;
    none.m_strCondition = "feb";
    none.m_strStop = "skipped: x";
    ASSERT_TRUE(ParseStudyRecord(FormatStudyRecord(none), back, error));
    EXPECT_FALSE(back.m_bComputed);
    EXPECT_EQ(back.m_strStop, "skipped: x");
    EXPECT_FALSE(ParseStudyRecord("a,b,1,sideways,1,1,1,1,x,1", back, error));
    EXPECT_FALSE(ParseStudyRecord("a,b,c", back, error));
}
