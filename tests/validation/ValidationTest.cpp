#include <gtest/gtest.h>

#include <cmath>

#include "base/AppState.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"
#include "validation/CaseValidation.h"
#include "validation/FieldLimits.h"
#include "validation/StructureCheck.h"

namespace {
std::vector<std::string> Fields(const std::vector<CheckFailure>& f) {
    std::vector<std::string> out;
    for (const auto& x : f) out.push_back(x.m_strField);
    return out;
}
OutfallData Outfall() {
    OutfallData o;
    o.m_dLength = 200.0;
    o.m_dWidth = 4.0;
    o.m_dDepth = 21.0;
    return o;
}
RiserData Riser() { return RiserData{10.0, 0.5, 1.0, 2.0, 0.02, 1}; }
}  // namespace

TEST(StructureCheck, OutfallLimitsAreInclusiveAndOrdered) {
    OutfallData o = Outfall();
    EXPECT_TRUE(CheckOutfallValues(o, false).empty());
    o.m_dLength = 0.1;
    o.m_dDensity = 1.5;
    EXPECT_TRUE(CheckOutfallValues(o, false).empty());
    o.m_dLength = 0.0999;
    o.m_dDensity = 1.51;
    const auto f = CheckOutfallValues(o, false);
    ASSERT_EQ(Fields(f), (std::vector<std::string>{"length_m", "effluent.density_g_ml"}));
    EXPECT_EQ(f[0].m_strMessage, "Outfall length should be greater than 0.1m");
    // A salinity effluent has no density limit.
    o.m_dTemperature = 20.0;
    EXPECT_EQ(CheckOutfallValues(o, false).size(), 1u);
}

TEST(StructureCheck, JetSpacingOnlyWithoutRisers) {
    OutfallData o = Outfall();
    o.m_dJetSpacing = 0.0005;
    EXPECT_TRUE(CheckOutfallValues(o, false).empty());
    const auto f = CheckOutfallValues(o, true);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].m_strMessage, "Space between two jets should be greater than 0.001m.");
}

TEST(StructureCheck, RiserDistanceBoundAndRiserOnlyChecks) {
    const OutfallData o = Outfall();
    RiserData r = Riser();
    r.m_dDistance = o.m_dLength - 2 * r.m_dBottomRadius - o.m_dWidth / 2;  // exactly the bound
    EXPECT_TRUE(CheckRiserValues(r, o, false).empty());
    r.m_dDistance += 1e-9;
    EXPECT_EQ(Fields(CheckRiserValues(r, o, false)), std::vector<std::string>{"distance_m"});
    r = Riser();
    r.m_dHeight = 25.0;       // deeper than the outfall
    r.m_dBottomRadius = 2.5;  // more than half the width
    r.m_dTopRadius = 3.0;     // more than the bottom radius
    r.m_dTotalFlow = 0.0;
    EXPECT_EQ(Fields(CheckRiserValues(r, o, false)),
              (std::vector<std::string>{"total_flow_m3_s", "height_m", "bottom_radius_m", "top_radius_m"}));
    // Without risers height and radii are not checked at all.
    EXPECT_EQ(Fields(CheckRiserValues(r, o, true)), std::vector<std::string>{"total_flow_m3_s"});
}

TEST(StructureCheck, JetValuesAndTheTwoWordingsOfThePortHeight) {
    const RiserData r = Riser();
    JetData j;
    j.m_dPortHeight = r.m_dHeight;  // equal passes on both surfaces
    EXPECT_TRUE(CheckJetValues(j, r, false, CheckSurface::Wizard).empty());
    j.m_dPortHeight = 2.5;
    EXPECT_EQ(CheckJetValues(j, r, false, CheckSurface::Wizard)[0].m_strMessage,
              "Port height should be smaller than the riser height.");
    EXPECT_EQ(CheckJetValues(j, r, false, CheckSurface::InputBar)[0].m_strMessage,
              "Port height should be smaller than or equal to the riser height.");
    EXPECT_TRUE(CheckJetValues(j, r, true, CheckSurface::InputBar).empty());
    j.m_dDiameter = 1.0e-4;
    j.m_dFlow = 1.0e-8;
    EXPECT_TRUE(CheckJetValues(j, r, true, CheckSurface::InputBar).empty());
    j.m_dDiameter = 0.99e-4;
    j.m_dFlow = std::nan("");
    EXPECT_EQ(Fields(CheckJetValues(j, r, true, CheckSurface::InputBar)),
              (std::vector<std::string>{"diameter_m", "flow_m3_s"}));
}

TEST(FieldLimits, ProfileCellRules) {
    bool restore = false;
    EXPECT_EQ(ProfileCellMessage(0, 0.0, 1.0, 0.0, CheckSurface::Wizard), "");
    EXPECT_EQ(ProfileCellMessage(0, -0.01, 1.0, 0.0, CheckSurface::Wizard, &restore), "Please enter a positive number");
    EXPECT_TRUE(restore);
    EXPECT_EQ(ProfileCellMessage(1, 0.5, 0.5, 0.0, CheckSurface::Wizard), "");
    EXPECT_EQ(ProfileCellMessage(1, 1.51, 1.51, 0.0, CheckSurface::Wizard), "Please enter a number between 0.5 to 1.5");
    EXPECT_EQ(ProfileCellMessage(1, 35.0, 35.0, 10.0, CheckSurface::Wizard), "");
    // Temperature 10 -> 0 while column 1 holds a salinity: message, no restore.
    EXPECT_EQ(ProfileCellMessage(2, 0.0, 35.0, 0.0, CheckSurface::Wizard, &restore),
              "Density of ambient water should be in the range of 0.5 to 1.5");
    EXPECT_FALSE(restore);
    EXPECT_EQ(ProfileCellMessage(3, -1.0, 1.0, 0.0, CheckSurface::InputBar),
              "Current of ambient water should not be negative");
    EXPECT_EQ(ProfileCellMessage(3, -1.0, 1.0, 0.0, CheckSurface::Wizard),
              "Current of Ambient water should not be negative");
}

TEST(FieldLimits, RangesNamesAndProfileOrderTexts) {
    EXPECT_EQ(CheckRange(360.0, -360.0, 360.0), "");
    EXPECT_EQ(CheckRange(360.5, -360.0, 360.0), "Please enter a number between -360 and 360.");
    EXPECT_NE(CheckRange(std::nan(""), 1, 5000), "");
    EXPECT_EQ(CheckName(std::string(60, 'a')), "");
    EXPECT_NE(CheckName(std::string(61, 'a')), "");
    EXPECT_NE(CheckName("two\nlines"), "");
    EXPECT_EQ(ProfileOrderMessage(-1, 1, 2), "Invalid ambient density of row 1 and row 2, proceed or not?");
    EXPECT_EQ(ProfileOrderMessage(-2, 2, 3), "Invalid ambient depth of row 2 and row 3");
    EXPECT_EQ(ProfileOrderMessage(0, 0, 0), "");
}

namespace {
std::string IssueText(const std::vector<CaseIssue>& issues) {
    std::string text;
    for (const CaseIssue& i : issues) text += i.m_strPath + ": " + i.m_strMessage + "\n";
    return text;
}
}  // namespace

TEST(NewItemDefaults, PassTheChecksOfTheCaseTheyAreMadeIn) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    doc.ResetToNew();
    doc.SetProfile({{0.0, 1.024, 0.0, 0.1}, {40.0, 1.026, 0.0, 0.05}}, 40.0);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    // The outfall lies on the sea bed, not below it.
    EXPECT_EQ(doc.GetCurrentOutfall()->m_dDepth, 40.0);
    EXPECT_TRUE(ValidateCase(doc).empty()) << IssueText(ValidateCase(doc));
    EXPECT_TRUE(doc.CheckDepth());
    EXPECT_TRUE(prompt.Empty());

    // A narrower pipe still carries the default riser.
    OutfallData o = doc.GetCurrentOutfall()->GetData();
    o.m_dWidth = 0.8;
    EXPECT_TRUE(CheckRiserValues(doc.GetCurrentRiser()->GetData(), o, false).empty());

    // A riser made on a pipe narrower still, and a jet on a low riser, fit
    // where they are made.
    doc.Create(TreeLevel::Outfall);
    doc.GetCurrentOutfall()->m_dWidth = 0.3;
    doc.Create(TreeLevel::Riser);
    EXPECT_EQ(doc.GetCurrentRiser()->m_dBottomRadius, 0.15);
    doc.GetCurrentRiser()->m_dHeight = 0.6;
    doc.GetCurrentJet()->m_dPortHeight = 0.6;
    doc.Create(TreeLevel::Jet);
    EXPECT_EQ(doc.GetCurrentJet()->m_dPortHeight, 0.6);
    EXPECT_TRUE(ValidateCase(doc).empty()) << IssueText(ValidateCase(doc));
}

TEST(StructureCheck, TheCaseFilesLimitsHoldInEveryForm) {
    // What the loader would refuse is refused where it is typed.
    JetData j;
    j.m_dFlow = 2e6;
    auto f = CheckJetValues(j, Riser(), true, CheckSurface::InputBar);
    ASSERT_EQ(Fields(f), std::vector<std::string>{"flow_m3_s"});
    EXPECT_EQ(f[0].m_strMessage, "The flow 2e+06 is out of range; it must lie between 0 and 1e+06.");
    j.m_dFlow = 1e6;
    EXPECT_TRUE(CheckJetValues(j, Riser(), true, CheckSurface::InputBar).empty()) << "the limit itself passes";
    j.m_dTemperature = -2e6;
    EXPECT_EQ(Fields(CheckJetValues(j, Riser(), true, CheckSurface::InputBar)),
              std::vector<std::string>{"temperature_c"});

    OutfallData o = Outfall();
    o.m_dLength = 2e6;
    o.m_dPositionX = std::nan("");
    f = CheckOutfallValues(o, false);
    ASSERT_EQ(Fields(f), (std::vector<std::string>{"length_m", "position_x_m"}));
    EXPECT_EQ(f[1].m_strMessage, "The position is not a number; it must lie between -1e+06 and 1e+06.");

    // A value its own check refused is named once.
    o = Outfall();
    o.m_dLength = -5.0;
    EXPECT_EQ(Fields(CheckOutfallValues(o, false)), std::vector<std::string>{"length_m"});

    // The hidden riser of a case without risers is still stored.
    RiserData r = Riser();
    r.m_dTopRadius = -1.0;
    EXPECT_EQ(Fields(CheckRiserValues(r, Outfall(), true)), std::vector<std::string>{"top_radius_m"});
}

TEST(CaseValidation, AnImportedCaseThatCouldNotBeOpenedAgainIsInvalid) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    doc.Create(TreeLevel::Outfall);
    doc.Create(TreeLevel::Riser);
    ASSERT_TRUE(ValidateCase(doc).empty()) << ValidateCase(doc).front().m_strMessage;
    doc.m_CutPlane.m_dDistance = 5e6;  // no form holds it: only the whole-case check finds it
    const auto issues = ValidateCase(doc);
    ASSERT_FALSE(issues.empty());
    EXPECT_EQ(issues.back().m_strMessage, "the cut plane: the distance 5e+06 is out of range");
}
