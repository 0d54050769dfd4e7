// The conditions file: what is read, which conditions are set aside and
// which faults refuse the whole file.
#include <gtest/gtest.h>

#include "study/ConditionsFile.h"

namespace {
const char* kHeader = "condition,depth,salinity,temperature,current\n";

ConditionsFile Parse(const std::string& text) {
    ConditionsFile f;
    std::string error;
    EXPECT_TRUE(ParseConditions(text, f, error)) << error;
    return f;
}

// The refusal's text; "" when the file was read.
std::string Refusal(const std::string& text) {
    ConditionsFile f;
    std::string error;
    if (ParseConditions(text, f, error)) return std::string();
    EXPECT_FALSE(error.empty());
    return error;
}
}  // namespace

TEST(ConditionsFile, ReadsLongFormWithPerConditionColumns) {
    const ConditionsFile f = Parse(
        "# measured profiles\n"
        "condition,depth,salinity,temperature,current,flow_factor,current_angle,weight\r\n"
        "jan,0,33.0,15,0.1,1.2,80,31\r\n"
        "jan,10,34.0,14,0.05,,,\r\n"
        "\n"
        "\"feb, windy\",0,33.1,16,0.2,,,2\n"
        "\"feb, windy\",20,34.2,13,0.1,,,2\n");
    ASSERT_EQ(f.m_Conditions.size(), 2u);
    EXPECT_TRUE(f.m_bSalinity);
    EXPECT_TRUE(f.m_bWeighted);
    const StudyCondition& jan = f.m_Conditions[0];
    EXPECT_EQ(jan.m_strName, "jan");
    EXPECT_EQ(jan.m_nLine, 3);
    ASSERT_EQ(jan.m_Rows.size(), 2u);
    EXPECT_DOUBLE_EQ(jan.m_Rows[1].m_dDepth, 10.0);
    EXPECT_DOUBLE_EQ(jan.m_Rows[1].m_dValue, 34.0);
    EXPECT_DOUBLE_EQ(jan.m_Rows[1].m_dTemperature, 14.0);
    EXPECT_DOUBLE_EQ(jan.m_Rows[1].m_dCurrent, 0.05);
    EXPECT_DOUBLE_EQ(jan.m_dFlowFactor, 1.2);
    EXPECT_TRUE(jan.m_bHasCurrentAngle);
    EXPECT_DOUBLE_EQ(jan.m_dCurrentAngle, 80.0);
    EXPECT_DOUBLE_EQ(jan.m_dWeight, 31.0);
    const StudyCondition& feb = f.m_Conditions[1];
    EXPECT_EQ(feb.m_strName, "feb, windy");
    EXPECT_DOUBLE_EQ(feb.m_dFlowFactor, 1.0);
    EXPECT_FALSE(feb.m_bHasCurrentAngle);
    EXPECT_DOUBLE_EQ(feb.m_dWeight, 2.0);
    EXPECT_TRUE(feb.Usable());
    EXPECT_EQ(f.SkippedCount(), 0u);
}

TEST(ConditionsFile, DensityColumnMakesDensityRowsAndColumnsMayComeInAnyOrder) {
    const ConditionsFile f = Parse("depth,density,condition,current,temperature\n0,1.02,a,0.1,0\n10,1.025,a,0.1,0\n");
    ASSERT_EQ(f.m_Conditions.size(), 1u);
    EXPECT_FALSE(f.m_bSalinity);
    EXPECT_FALSE(f.m_bWeighted);
    EXPECT_DOUBLE_EQ(f.m_Conditions[0].m_Rows[1].m_dValue, 1.025);
    EXPECT_DOUBLE_EQ(f.m_Conditions[0].m_Rows[1].m_dTemperature, 0.0);
    EXPECT_TRUE(f.m_Conditions[0].Usable());
}

TEST(ConditionsFile, BadValuesSetTheirConditionAsideWithNameAndLine) {
    const ConditionsFile f = Parse(std::string(kHeader) +
                                   "good,0,33,15,0.1\n"
                                   "good,10,34,14,0.1\n"
                                   "salty,0,33,15,0.1\n"
                                   "salty,10,45,14,0.1\n"      // salinity above 40
                                   "cold,0,33,0,0.1\n"         // 0 degrees would make it a density
                                   "backwards,0,33,15,-0.1\n"  // negative current
                                   "text,0,abc,15,0.1\n"
                                   "unstable,0,34,14,0.1\n"
                                   "unstable,10,33,15,0.1\n"  // lighter below
                                   "tail,0,33,15,0.1\n");
    ASSERT_EQ(f.m_Conditions.size(), 7u);
    EXPECT_EQ(f.SkippedCount(), 5u);
    EXPECT_TRUE(f.m_Conditions[0].Usable());
    const StudyCondition& salty = f.m_Conditions[1];
    EXPECT_EQ(salty.m_strName, "salty");
    EXPECT_EQ(salty.m_nProblemLine, 5);
    EXPECT_NE(salty.m_strProblem.find("salinity: Please enter a number between 0.0 to 40.0"), std::string::npos);
    EXPECT_NE(f.m_Conditions[2].m_strProblem.find("temperature"), std::string::npos);
    EXPECT_NE(f.m_Conditions[3].m_strProblem.find("should not be negative"), std::string::npos);
    EXPECT_NE(f.m_Conditions[4].m_strProblem.find("not a number"), std::string::npos);
    const StudyCondition& unstable = f.m_Conditions[5];
    EXPECT_EQ(unstable.m_nProblemLine, 10);
    EXPECT_NE(unstable.m_strProblem.find("unstable"), std::string::npos);
    EXPECT_TRUE(f.m_Conditions[6].Usable());
}

TEST(ConditionsFile, DensityRulesApplyWithTheDensityColumn) {
    const ConditionsFile f = Parse(
        "condition,depth,density,temperature,current\n"
        "light,0,0.4,0,0.1\n"     // below 0.5 g/mL
        "warm,0,1.02,12,0.1\n");  // a temperature with densities
    ASSERT_EQ(f.m_Conditions.size(), 2u);
    EXPECT_NE(f.m_Conditions[0].m_strProblem.find("0.5 to 1.5"), std::string::npos);
    EXPECT_NE(f.m_Conditions[1].m_strProblem.find("temperature is not used"), std::string::npos);
}

TEST(ConditionsFile, PerConditionColumnsMustAgreeAndStayInRange) {
    const ConditionsFile f = Parse(
        "condition,depth,salinity,temperature,current,flow_factor,current_angle,weight\n"
        "two_flows,0,33,15,0.1,1.5,,\n"
        "two_flows,10,34,14,0.1,1.2,,\n"
        "no_flow,0,33,15,0.1,0,,\n"
        "spun,0,33,15,0.1,,400,\n"
        "negative,0,33,15,0.1,,,-1\n"
        "same,0,33,15,0.1,2,45,3\n"
        "same,10,34,14,0.1,2,45,3\n");
    ASSERT_EQ(f.m_Conditions.size(), 5u);
    EXPECT_EQ(f.m_Conditions[0].m_nProblemLine, 3);
    EXPECT_NE(f.m_Conditions[0].m_strProblem.find("flow_factor: differs"), std::string::npos);
    EXPECT_NE(f.m_Conditions[1].m_strProblem.find("flow_factor: out of range"), std::string::npos);
    EXPECT_NE(f.m_Conditions[2].m_strProblem.find("current_angle"), std::string::npos);
    EXPECT_NE(f.m_Conditions[3].m_strProblem.find("weight"), std::string::npos);
    EXPECT_TRUE(f.m_Conditions[4].Usable());
    EXPECT_DOUBLE_EQ(f.m_Conditions[4].m_dFlowFactor, 2.0);
}

TEST(ConditionsFile, RefusesTheWholeFileWithLineAndField) {
    const std::string h = kHeader;
    EXPECT_NE(Refusal("").find("empty file"), std::string::npos);
    EXPECT_NE(Refusal("# only a comment\n\n").find("empty file"), std::string::npos);
    EXPECT_NE(Refusal("jan,0,33,15,0.1\n").find("line 1: no header"), std::string::npos);
    EXPECT_NE(Refusal("condition,depth,salinity,density,temperature,current\n").find("mixed units"), std::string::npos);
    EXPECT_NE(Refusal("condition,depth,salinity,current\n").find("temperature is missing"), std::string::npos);
    EXPECT_NE(Refusal("condition,depth,salinity,temperature,current,tide\n").find("tide: unknown column"),
              std::string::npos);
    EXPECT_NE(Refusal(h).find("no condition"), std::string::npos);
    EXPECT_EQ(Refusal(h + "a,0,33,15,0.1\na,nan,34,14,0.1\n"), "line 3: depth: not a finite number (nan)");
    EXPECT_EQ(Refusal(h + "a,inf,33,15,0.1\n"), "line 2: depth: not a finite number (inf)");
    EXPECT_EQ(Refusal(h + "a,-1,33,15,0.1\n"), "line 2: depth: negative (-1)");
    EXPECT_EQ(Refusal(h + "a,,33,15,0.1\n"), "line 2: depth: not a finite number ()");
    EXPECT_NE(Refusal(h + "a,10,33,15,0.1\na,5,34,14,0.1\n").find("line 3: depth: not below"), std::string::npos);
    EXPECT_NE(Refusal(h + "a,10,33,15,0.1\na,10,34,14,0.1\n").find("line 3: depth"), std::string::npos);
    EXPECT_NE(Refusal(h + "a,0,33,15,0.1\nb,0,33,15,0.1\na,10,34,14,0.1\n").find("line 4: condition: \"a\" appears"),
              std::string::npos);
    EXPECT_NE(Refusal(h + "a,0,33,15\n").find("line 2: 4 fields where the header names 5"), std::string::npos);
    EXPECT_NE(Refusal(h + "\"a,0,33,15,0.1\n").find("line 2: unclosed quote"), std::string::npos);
    EXPECT_NE(Refusal(h + ",0,33,15,0.1\n").find("line 2: condition: empty name"), std::string::npos);
}

TEST(ConditionsFile, RefusesMoreThanAMillionRows) {
    std::string text = kHeader;
    text.reserve(text.size() + (kMaxConditionRows + 1) * 16);
    // 1000 levels in each of 1000 conditions, then one row more.
    for (std::size_t i = 0; i < kMaxConditionRows; ++i)
        text += "c" + std::to_string(i / 1000) + "," + std::to_string(i % 1000) + ",33,15,0\n";
    ConditionsFile f;
    std::string error;
    ASSERT_TRUE(ParseConditions(text, f, error)) << error;
    EXPECT_EQ(f.m_Conditions.size(), 1000u);
    text += "last,0,33,15,0\n";
    EXPECT_FALSE(ParseConditions(text, f, error));
    EXPECT_EQ(error, "line " + std::to_string(kMaxConditionRows + 2) + ": more than 1000000 rows");
}
