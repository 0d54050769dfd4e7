// Numbers read from a case file are checked before anything computes with
// them, and the computations that could still meet a bad value stay bounded.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "geometry/CutPlane.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string ReadWhole(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

struct LoadedCaseCheckTest : ::testing::Test {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};

    CJet& FirstJet() { return *doc.GetOutfall(0)->GetRiser(0)->GetJet(0); }

    // Saves a small computed case changed by edit and reads it back.
    std::string LoadChanged(const std::function<void(CCase&)>& edit) {
        CAppState a;
        CCase src(a, prompt);
        BuildSmallCase(src, true);
        edit(src);
        std::string error;
        if (doc.LoadFromBytes(src.SaveToBytes(), error)) return "loaded";
        return error;
    }
};
}  // namespace

TEST_F(LoadedCaseCheckTest, BadNumbersAreRefusedNamingTheItem) {
    const std::string jet = "jet \"Jet1\" of riser \"Riser1\" of outfall \"Outfall_1\": ";
    const struct {
        std::function<void(CCase&)> edit;
        std::string message;
    } cases[] = {
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_dHAngle = 1e300; },
         jet + "the horizontal angle 1e+300 is out of range"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_dHAngle = kInf; },
         jet + "the horizontal angle is not a number"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_dDiameter = -0.1; },
         jet + "the diameter -0.1 is out of range"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Disks[1].m_dX = kNaN; },
         "disk 2 of " + jet + "the centre x is not a number"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_MaterialB.m_fDiffuse[2] = NAN; },
         jet + "the material's diffuse colour is not a number"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->m_dTopRadius = kInf; },
         "riser \"Riser1\" of outfall \"Outfall_1\": the top radius is not a number"},
        {[](CCase& d) { d.GetOutfall(0)->m_dJetSpacing = kNaN; },
         "outfall \"Outfall_1\": the jet spacing is not a number"},
        {[](CCase& d) {
             d.SetProfile({{0.0, 35.0, 20.0, 0.1}, {kInf, 35.5, 12.0, 0.05}});
         },
         "ambient profile row 2: the depth is not a number"},
        {[](CCase& d) { d.m_CutPlane.m_dDistance = kNaN; }, "the cut plane: the distance is not a number"},
        {[](CCase& d) { d.m_CutPlane.m_eKind = static_cast<CutPlaneKind>(9); },
         "the cut plane: the kind 9 is out of range"},
        {[](CCase& d) { d.m_RangeMax.m_fRadius = INFINITY; }, "the case: the range maximum is not a number"},
        {[](CCase& d) { d.SetCurrentAngle(1e30f); }, "the case: the current angle 1e+30 is out of range"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoadChanged(c.edit), c.message);
        EXPECT_EQ(doc.GetOutfallCount(), 0) << "nothing half-loaded stays";
    }
    EXPECT_EQ(LoadChanged([](CCase&) {}), "loaded");
}

TEST_F(LoadedCaseCheckTest, CopiedJetsTurnTheirAngleWithoutALoop) {
    EXPECT_EQ(CJet::TurnedAngle(100.0, 60.0), 160.0);
    EXPECT_EQ(CJet::TurnedAngle(350.0, 60.0), 50.0);
    EXPECT_EQ(CJet::TurnedAngle(300.0, 60.0), 360.0) << "a full turn stays 360, as before";
    EXPECT_EQ(CJet::TurnedAngle(660.0, 60.0), 360.0);
    EXPECT_EQ(CJet::TurnedAngle(-100.0, 60.0), -40.0);
    // Values no file can bring any more still end at once.
    const double huge = CJet::TurnedAngle(1e300, 60.0);
    EXPECT_TRUE(huge >= 0.0 && huge <= 360.0) << huge;
    EXPECT_TRUE(std::isnan(CJet::TurnedAngle(kInf, 60.0)));

    BuildSmallCase(doc, false);
    const int jets = doc.GetJetCount();
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_dHAngle = 1e300; });  // past the file check
    doc.Add(TreeLevel::Jet);  // used to subtract 360 forever
    EXPECT_EQ(doc.GetJetCount(), jets + 1);
}

TEST_F(LoadedCaseCheckTest, ASectionThroughHugeValuesIsRefusedWithoutAnOverflow) {
    BuildSmallCase(doc, true);
    doc.PlaceJets();
    int disk = 2;
    double h = 0, v = 0, d = 0;
    ASSERT_TRUE(doc.PlaceCutPlaneAtDisk(disk, CutPlaneKind::NormalToJet, h, v, d));
    CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(h, v, d, 0, CutPlaneKind::UserSpecified, true);
    ASSERT_TRUE(plane.m_bValid);
    ASSERT_FALSE(plane.Polygons().empty());
    EXPECT_GT(doc.m_SectionStats.m_dTotalArea, 0.0);

    // Finite values far beyond the image: the pixel arithmetic must stay
    // inside its integers, and the areas of the previous plane must go.
    doc.ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
        for (auto& k : j.m_pDisplay->m_Disks) k.m_dRadius *= 1e290;
    });
    doc.PlaceJets();
    prompt.Clear();
    doc.SetCutPlane(h, v, d, 0, CutPlaneKind::UserSpecified, true);
    EXPECT_FALSE(plane.m_bValid);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("too large"), std::string::npos) << prompt.Texts()[0];
    EXPECT_EQ(doc.m_SectionStats.m_dTotalArea, 0.0);
}

TEST_F(LoadedCaseCheckTest, ProfileOrderCheckFindsTheFirstBadPairInLinearTime) {
    CAmbient a;
    int rowA = 0, rowB = 0;
    // Pairs, not neighbours: row 1 against row 3 comes before row 2 against row 3.
    a.SetRows({{3.0, 1.02, 0, 0}, {5.0, 1.02, 0, 0}, {2.0, 1.03, 0, 0}});
    EXPECT_EQ(a.CheckProfile(rowA, rowB), -2);
    EXPECT_EQ(std::make_pair(rowA, rowB), std::make_pair(1, 3));
    a.SetRows({{0.0, 1.025, 0, 0}, {5.0, 1.026, 0, 0}, {9.0, 1.024, 0, 0}});
    EXPECT_EQ(a.CheckProfile(rowA, rowB), -1);
    EXPECT_EQ(std::make_pair(rowA, rowB), std::make_pair(1, 3));
    a.SetRows({{0.0, 1.025, 0, 0}, {kNaN, 1.026, 0, 0}});
    EXPECT_EQ(a.CheckProfile(rowA, rowB), -2);
    a.SetRows({{0.0, 1.025, 0, 0}, {5.0, kNaN, 0, 0}, {6.0, 1.026, 0, 0}});
    EXPECT_EQ(a.CheckProfile(rowA, rowB), 0) << "a NaN density fails no comparison";

    // 200,000 good rows: checking every pair would take minutes.
    std::vector<ProfileRow> rows;
    for (int i = 0; i < 200000; ++i) rows.push_back({i * 0.001, 1.02 + i * 1e-8, 0.0, 0.1});
    a.SetRows(rows);
    EXPECT_EQ(a.CheckProfile(rowA, rowB), 0);
    rows.back().m_dDepth = 0.0005;  // the last row lies between the first two
    a.SetRows(rows);
    EXPECT_EQ(a.CheckProfile(rowA, rowB), -2);
    EXPECT_EQ(std::make_pair(rowA, rowB), std::make_pair(2, 200000));
}

TEST_F(LoadedCaseCheckTest, ACaseTheLoaderWouldRefuseIsNeverWritten) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("c.pmx").toStdString();
    BuildSmallCase(doc, true);
    ASSERT_TRUE(doc.SaveCase(path));
    const std::string before = ReadWhole(path);
    const struct {
        std::function<void(CCase&)> edit;
        std::string message;
    } cases[] = {
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_dFlow = 2e6; }, "the flow 2e+06 is out of range"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->m_dTotalFlow = -1.0; }, "the total flow -1 is out of range"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Disks[0].m_dVelocity = 1e39; },
         "disk 1 of jet \"Jet1\" of riser \"Riser1\" of outfall \"Outfall_1\": the velocity 1e+39 is out of range"},
        {[](CCase& d) { d.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_pDisplay->m_Disks[0].m_dRadius = -1.0; },
         "the radius -1 is out of range"},
    };
    for (const auto& c : cases) {
        CAppState a;
        CCase changed(a, prompt);
        BuildSmallCase(changed, true);
        c.edit(changed);
        prompt.Clear();
        EXPECT_FALSE(changed.SaveCase(path)) << c.message;
        ASSERT_EQ(prompt.Texts().size(), 1u);
        EXPECT_NE(prompt.Texts()[0].find(c.message), std::string::npos) << prompt.Texts()[0];
        EXPECT_EQ(ReadWhole(path), before) << "the previous file stays";
    }
}

TEST_F(LoadedCaseCheckTest, AStoredViewThatCannotBeDrawnIsReplacedAndTheUserTold) {
    CAppState a;
    CCase src(a, prompt);
    BuildSmallCase(src, true);
    // Straight down the up axis: no side axis, one colour on the screen.
    src.m_ViewControl.m_dEye[0] = src.m_ViewControl.m_dTarget[0];
    src.m_ViewControl.m_dEye[2] = src.m_ViewControl.m_dTarget[2];
    src.m_ViewControl.m_dEye[1] = src.m_ViewControl.m_dTarget[1] + 50.0;
    prompt.Clear();
    std::string error;
    ASSERT_TRUE(doc.LoadFromBytes(src.SaveToBytes(), error)) << error;
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("the default view is shown"), std::string::npos) << prompt.Texts()[0];
    EXPECT_NE(doc.m_ViewControl.m_dEye[1], src.m_ViewControl.m_dEye[1]);
    // A view from beyond the limits as well.
    src.m_ViewControl.m_dEye[0] = 1e300;
    prompt.Clear();
    ASSERT_TRUE(doc.LoadFromBytes(src.SaveToBytes(), error)) << error;
    EXPECT_EQ(prompt.Texts().size(), 1u);
    // A usable view loads without a word.
    prompt.Clear();
    CAppState b;
    CCase fresh(b, prompt);
    BuildSmallCase(fresh, true);
    ASSERT_TRUE(doc.LoadFromBytes(fresh.SaveToBytes(), error)) << error;
    EXPECT_TRUE(prompt.Texts().empty());
}
