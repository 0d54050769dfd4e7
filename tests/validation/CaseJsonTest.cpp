#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "model/JsonDuplicateKeys.h"
#include "support/ScriptedPrompt.h"
#include "validation/CaseValidation.h"
#include "validation/FieldLimits.h"

namespace {
std::string Example(const char* name) {
    std::ifstream f(std::string(PLUMEX_EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

class CaseJsonTest : public ::testing::Test {
protected:
    CaseJsonTest() : m_doc(m_app, m_prompt) {}
    bool Read(const std::string& text) {
        m_problems.clear();
        return ReadCaseJson(text, m_doc, m_problems);
    }
    std::vector<std::string> Paths() const {
        std::vector<std::string> p;
        for (const auto& x : m_problems) p.push_back(x.m_strPath);
        return p;
    }
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc;
    std::vector<CaseJsonProblem> m_problems;
};

const char* kSmall = R"({
  "format": "plumex-case", "version": 1, "scenario": "with-risers", "current_angle_deg": 45,
  "run": {"continuous": true, "max_time_steps": 900},
  "ambient": {"profile": [
    {"depth_m": 0, "salinity_ppt": 33, "temperature_c": 20, "current_m_s": 0.1},
    {"depth_m": 25, "density_g_ml": 1.026, "temperature_c": 0, "current_m_s": 0.3}]},
  "outfalls": [{"name": "O", "depth_m": 24, "width_m": 2, "length_m": 100,
    "effluent": {"temperature_c": 18, "salinity_ppt": 0.5},
    "risers": [{"distance_m": 5, "top_radius_m": 0.3, "bottom_radius_m": 0.5, "height_m": 2, "visible": false,
      "jets": [{"name": "Port A", "diameter_m": 0.1, "flow_m3_s": 0.01, "port_height_m": 1.5,
                "vertical_angle_deg": 10, "horizontal_angle_deg": 90},
               {"diameter_m": 0.12, "flow_m3_s": 0.03, "port_height_m": 1.0,
                "vertical_angle_deg": 0, "horizontal_angle_deg": 270, "visible": false}]}]}]
})";
}  // namespace

TEST_F(CaseJsonTest, ReadsEveryFieldIntoTheRecords) {
    ASSERT_TRUE(Read(kSmall)) << m_problems[0].m_strPath << ": " << m_problems[0].m_strMessage;
    EXPECT_FALSE(m_doc.IsNoRiser());
    EXPECT_EQ(m_doc.CurrentAngle(), 45.0f);
    EXPECT_TRUE(m_doc.IsContinuous());
    EXPECT_EQ(m_doc.MaxTimeSteps(), 900);
    ASSERT_EQ(m_doc.Ambient()->GetRowCount(), 2);
    EXPECT_EQ(m_doc.Ambient()->GetRow(1).m_dValue, 1.026);
    EXPECT_EQ(m_doc.Ambient()->m_dWaterDepth, 25.0);
    const CRiser& o = *m_doc.GetOutfall(0);
    EXPECT_EQ(o.m_strName, "O");
    EXPECT_EQ(o.m_dPosition[0], 0.0);
    const CBase& r = *o.GetRiser(0);
    EXPECT_EQ(r.m_strName, "Riser1");
    EXPECT_EQ(r.m_nVisible, 0);
    EXPECT_DOUBLE_EQ(r.m_dTotalFlow, 0.04);
    const CJet& a = *r.GetJet(0);
    const CJet& b = *r.GetJet(1);
    EXPECT_EQ(a.m_strName, "Port A");
    EXPECT_EQ(b.m_strName, "Jet1");
    EXPECT_EQ(b.m_nVisible, 0);
    EXPECT_EQ(a.m_dPortHeight, 1.5);
    EXPECT_EQ(b.m_dHAngle, 270.0);
    // Effluent from the outfall, current speed the profile mean, angle passed on.
    EXPECT_EQ(b.m_dTemperature, 18.0);
    EXPECT_EQ(b.m_dSalinity, 0.5);
    EXPECT_DOUBLE_EQ(a.m_dCurrent, 0.2);
    EXPECT_EQ(a.m_dCurrentAngle, 45.0);
    EXPECT_TRUE(ValidateCase(m_doc).empty());
}

TEST_F(CaseJsonTest, WriteThenReadGivesTheSameCaseAndTheSameText) {
    ASSERT_TRUE(Read(kSmall));
    const std::string text = WriteCaseJson(m_doc);
    const std::vector<unsigned char> bytes = m_doc.SaveToBytes();
    ASSERT_TRUE(Read(text));
    EXPECT_EQ(WriteCaseJson(m_doc), text);
    EXPECT_EQ(m_doc.SaveToBytes(), bytes);
}

TEST_F(CaseJsonTest, ExamplesAreValidAndSurviveTheCaseFile) {
    for (const char* name : {"demo.json", "brine.json", "diffuser40.json", "diffuser.json"}) {
        ASSERT_TRUE(Read(Example(name))) << name;
        EXPECT_TRUE(ValidateCase(m_doc).empty()) << name;
        const std::string text = WriteCaseJson(m_doc);
        // Through the case stream (which keeps no run settings) and back.
        CAppState app2;
        CCase doc2(app2, m_prompt);
        std::string error;
        ASSERT_TRUE(doc2.LoadFromBytes(m_doc.SaveToBytes(), error)) << error;
        // The run settings travel beside the case stream.
        doc2.SetRunOptions(m_doc.GetRunOptions());
        EXPECT_EQ(WriteCaseJson(doc2), text) << name;
    }
    EXPECT_TRUE(m_doc.IsNoRiser());  // the diffuser has its ports on the pipe
    EXPECT_EQ(m_doc.GetOutfall(0)->GetRiser(0)->GetJetCount(), 6);
    EXPECT_EQ(m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_dPortHeight, 0.5);
}

TEST_F(CaseJsonTest, EveryStructuralProblemIsReportedWithItsPath) {
    std::string text = kSmall;
    text.replace(text.find("\"depth_m\": 24"), 13, "\"depht_m\": 24");
    text.replace(text.find("\"flow_m3_s\": 0.03"), 17, "\"flow_m3_s\": \"x\"");
    text.replace(text.find("\"density_g_ml\": 1.026"), 21, "\"salinity_ppt\": 1.026");
    text.replace(text.find("\"continuous\": true"), 18, "\"continuous\": 1");
    EXPECT_FALSE(Read(text));
    EXPECT_EQ(Paths(),
              (std::vector<std::string>{"run.continuous", "ambient.profile[1].salinity_ppt", "outfalls[0].depht_m",
                                        "outfalls[0].depth_m", "outfalls[0].risers[0].jets[1].flow_m3_s"}));
    // Nothing of it stays.
    EXPECT_EQ(m_doc.GetOutfallCount(), 0);
}

TEST_F(CaseJsonTest, BadJsonAndWrongKindOfCase) {
    EXPECT_FALSE(Read("{\n \"format\": \"plumex-case\",\n"));
    ASSERT_EQ(m_problems.size(), 1u);
    EXPECT_NE(m_problems[0].m_strMessage.find("line 3"), std::string::npos) << m_problems[0].m_strMessage;
    EXPECT_FALSE(Read("[1, 2]"));
    EXPECT_FALSE(Read(R"({"format": "other", "version": 2, "scenario": "x", "ambient": {"profile": []},
                          "outfalls": []})"));
    EXPECT_EQ(Paths(), (std::vector<std::string>{"format", "version", "scenario"}));
    EXPECT_FALSE(Read(""));
}

TEST_F(CaseJsonTest, ValidationFindsEveryRuleViolationWithPaths) {
    std::string text = kSmall;
    text.replace(text.find("\"length_m\": 100"), 15, "\"length_m\": 0.05");
    text.replace(text.find("\"port_height_m\": 1.5"), 20, "\"port_height_m\": 2.5");
    text.replace(text.find("\"horizontal_angle_deg\": 270"), 27, "\"horizontal_angle_deg\": 400");
    text.replace(text.find("\"depth_m\": 25"), 13, "\"depth_m\": 0");
    ASSERT_TRUE(Read(text));
    const std::vector<CaseIssue> issues = ValidateCase(m_doc);
    std::vector<std::string> paths;
    for (const auto& i : issues) paths.push_back(i.m_strPath);
    EXPECT_EQ(paths,
              (std::vector<std::string>{"ambient.profile", "outfalls[0].length_m", "outfalls[0].risers[0].distance_m",
                                        "outfalls[0].risers[0].jets[0].port_height_m",
                                        "outfalls[0].risers[0].jets[1].horizontal_angle_deg"}));
    EXPECT_EQ(issues[0].m_strMessage, "Invalid ambient depth of row 1 and row 2");
    EXPECT_FALSE(issues[0].m_bAcceptable);
}

TEST_F(CaseJsonTest, FarFieldValuesOutOfRangeAreNamed) {
    std::string text = kSmall;
    const std::size_t at = text.find("\"scenario\"");
    ASSERT_NE(at, std::string::npos);
    text.insert(at, R"("far_field": {"spreading_coefficient_m23_s": 0.002, "t90_h": 3,
        "points": [{"name": "Beach", "distance_m": 0}]}, )");
    ASSERT_TRUE(Read(text)) << m_problems[0].m_strPath;
    std::vector<std::string> paths;
    for (const auto& i : ValidateCase(m_doc)) paths.push_back(i.m_strPath);
    EXPECT_EQ(paths,
              (std::vector<std::string>{"far_field.spreading_coefficient_m23_s", "far_field.points[0].distance_m"}));
}

TEST_F(CaseJsonTest, FallingDensityIsAcceptableDepthOrderIsNot) {
    std::string text = kSmall;
    text.replace(text.find("\"density_g_ml\": 1.026"), 21, "\"density_g_ml\": 1.020");
    ASSERT_TRUE(Read(text));
    const auto issues = ValidateCase(m_doc);
    ASSERT_EQ(issues.size(), 1u);
    EXPECT_TRUE(issues[0].m_bAcceptable);
    EXPECT_EQ(issues[0].m_strMessage, "Invalid ambient density of row 1 and row 2, proceed or not?");
}

TEST_F(CaseJsonTest, WithoutAViewTheCameraFramesTheStructure) {
    ASSERT_TRUE(Read(kSmall));
    const CViewControl& c = m_doc.m_ViewControl;
    // The riser stands at z = 5; the framed box is the water column from the
    // sea bed (y = 0) to the water line (y = 25).
    EXPECT_NEAR(c.m_dTarget[0], 0.0, 1e-9);
    EXPECT_NEAR(c.m_dTarget[1], 12.5, 1e-9);
    EXPECT_NEAR(c.m_dTarget[2], 5.0, 1e-9) << "centred on the riser, not the pipe";
    EXPECT_GT(c.m_dEye[1], 25.0) << "looking down from above the water line";
    double d2 = 0;
    for (int i = 0; i < 3; ++i) d2 += (c.m_dEye[i] - c.m_dTarget[i]) * (c.m_dEye[i] - c.m_dTarget[i]);
    EXPECT_GT(std::sqrt(d2), 25.0) << "far enough to see the whole water column";
    EXPECT_LT(std::sqrt(d2), 500.0);
}

TEST_F(CaseJsonTest, AViewIsReadCheckedAndWrittenBack) {
    std::string text = kSmall;
    text.insert(text.rfind('}'),
                R"(, "view": {"eye_m": [10, 40, 120], "target_m": [0, 5, 50], "field_of_view_deg": 30})");
    ASSERT_TRUE(Read(text)) << m_problems[0].m_strPath << ": " << m_problems[0].m_strMessage;
    EXPECT_EQ(m_doc.m_ViewControl.m_dEye[2], 120.0);
    EXPECT_EQ(m_doc.m_ViewControl.m_dTarget[1], 5.0);
    EXPECT_EQ(m_doc.m_ViewControl.m_fFieldOfView, 30.0f);
    const std::string written = WriteCaseJson(m_doc);
    CAppState app2;
    CCase again(app2, m_prompt);
    std::vector<CaseJsonProblem> problems;
    ASSERT_TRUE(ReadCaseJson(written, again, problems));
    EXPECT_EQ(again.m_ViewControl.m_dEye[0], 10.0);
    EXPECT_EQ(again.m_ViewControl.m_fFieldOfView, 30.0f);

    std::string bad = kSmall;
    bad.insert(bad.rfind('}'), R"(, "view": {"eye_m": [1, 2], "target_m": [0, 0, 0], "field_of_view_deg": 90})");
    EXPECT_FALSE(Read(bad));
    const std::vector<std::string> paths = Paths();
    EXPECT_NE(std::find(paths.begin(), paths.end(), "view.eye_m"), paths.end());
    EXPECT_NE(std::find(paths.begin(), paths.end(), "view.field_of_view_deg"), paths.end());
}

TEST_F(CaseJsonTest, RepeatedKeysAreRefusedWithTheirPaths) {
    std::string text = kSmall;
    // A repeated diameter in the first jet and a repeated root key, one
    // spelled with an escape.
    const std::string jet = "\"name\": \"Port A\", ";
    text.insert(text.find(jet) + jet.size(), "\"diameter_m\": 0.3, ");
    text.insert(text.find("\"run\""), "\"curr\\u0065nt_angle_deg\": 10, ");
    EXPECT_FALSE(Read(text));
    EXPECT_EQ(Paths(), (std::vector<std::string>{"current_angle_deg", "outfalls[0].risers[0].jets[0].diameter_m"}));
    EXPECT_EQ(m_problems[0].m_strMessage, "given more than once");
    EXPECT_EQ(m_doc.GetOutfallCount(), 0) << "nothing of a refused text is kept";
    // Equal keys in different objects are no repetition.
    EXPECT_TRUE(Read(kSmall));
}

TEST_F(CaseJsonTest, ACurrentAngleTheCaseCannotHoldIsRefusedWhenRead) {
    // 9e159 is a finite double but no single-precision number: it would be
    // stored as infinity and written back as no number at all.
    for (const char* angle : {"9e159", "361", "-1e39"}) {
        std::string text = kSmall;
        text.replace(text.find("\"current_angle_deg\": 45"), 23, std::string("\"current_angle_deg\": ") + angle);
        EXPECT_FALSE(Read(text)) << angle;
        EXPECT_EQ(Paths(), std::vector<std::string>{"current_angle_deg"}) << angle;
    }
    std::string text = kSmall;
    text.replace(text.find("\"current_angle_deg\": 45"), 23, "\"current_angle_deg\": -360");
    EXPECT_TRUE(Read(text));
}

TEST_F(CaseJsonTest, AViewThatWouldDrawOneColourIsRefused) {
    // Straight down the up axis (y), and from 1e300 m: no side axis, or
    // numbers beyond what the drawing can take.
    for (const char* view :
         {R"("eye_m": [3, 100, 7], "target_m": [3, 0, 7])", R"("eye_m": [1e300, 5, 0], "target_m": [0, 0, 0])"}) {
        std::string text = kSmall;
        text.insert(text.rfind('}'), std::string(R"(, "view": {)") + view + R"(, "field_of_view_deg": 30})");
        EXPECT_FALSE(Read(text)) << view;
        EXPECT_EQ(Paths(), std::vector<std::string>{"view.eye_m"}) << view;
    }
    std::string text = kSmall;
    text.insert(text.rfind('}'), R"(, "view": {"eye_m": [3, 100, 8], "target_m": [3, 0, 7]})");
    EXPECT_TRUE(Read(text)) << "a view slightly off the vertical draws";
}

TEST_F(CaseJsonTest, AbsurdNestingIsRefusedAndLongKeysAreCutInPaths) {
    // A long key over lists nested past the limit: refused with a message,
    // not scanned level by level with the key copied into every path.
    const std::string key(1 << 20, 'k');
    const auto nested = [&](int depth) {
        return "{\"" + key + "\": " + std::string(depth, '[') + std::string(depth, ']') + "}";
    };
    EXPECT_FALSE(Read(nested(1000)));
    ASSERT_EQ(m_problems.size(), 1u);
    EXPECT_EQ(m_problems[0].m_strMessage, "values nested deeper than 64 levels: this is not a case");
    // At the limit the scan goes on, and the text is refused for what it is.
    EXPECT_FALSE(Read(nested(63)));
    for (const auto& p : m_problems) EXPECT_EQ(p.m_strMessage.find("nested deeper"), std::string::npos);

    // A repeated long key deep inside: its path names the key cut short.
    const JsonKeyScan scan = ScanJsonKeys("{\"" + key + "\": [[{\"a\": 1, \"a\": 2}]]}");
    ASSERT_EQ(scan.m_Duplicates.size(), 1u);
    EXPECT_EQ(scan.m_Duplicates[0], std::string(64, 'k') + "...[0][0].a");
    EXPECT_FALSE(scan.m_bTooDeep);

    // Thousands of repeated keys are not all listed.
    std::string many = "{";
    for (int i = 0; i < 5000; ++i) many += "\"x\": 1,";
    many += "\"y\": 2}";
    EXPECT_EQ(ScanJsonKeys(many).m_Duplicates.size(), kMaxDuplicatesReported);
}

TEST_F(CaseJsonTest, ManyJetsAndProfileRowsReadInLinearTime) {
    // 20,000 unnamed jets: each takes the next free default name; a search
    // through all siblings per jet would take minutes here.
    std::string jets;
    for (int i = 0; i < 20000; ++i)
        jets += std::string(i ? "," : "") +
                R"({"diameter_m": 0.1, "flow_m3_s": 0.01, "port_height_m": 1, "vertical_angle_deg": 0,)"
                R"( "horizontal_angle_deg": 0})";
    std::string text = kSmall;
    const std::size_t from = text.find("\"jets\": [") + 9;
    const std::size_t to = text.find("]}]}]", from);
    text.replace(from, to - from,
                 R"({"name": "Jet3", "diameter_m": 0.1, "flow_m3_s": 0.01, "port_height_m": 1,)"
                 R"( "vertical_angle_deg": 0, "horizontal_angle_deg": 0},)" +
                     jets);
    ASSERT_TRUE(Read(text));
    const CBase& r = *m_doc.GetOutfall(0)->GetRiser(0);
    ASSERT_EQ(r.GetJetCount(), 20001);
    // The given name is skipped by the defaults, as MakeChildName does.
    EXPECT_EQ(r.GetJet(1)->m_strName, "Jet1");
    EXPECT_EQ(r.GetJet(2)->m_strName, "Jet2");
    EXPECT_EQ(r.GetJet(3)->m_strName, "Jet4");
    EXPECT_EQ(r.GetJet(20000)->m_strName, "Jet20001");
}

TEST_F(CaseJsonTest, NamesAreCountedInCharactersAndMustFitTheCaseFile) {
    std::string sixty;
    for (int i = 0; i < 30; ++i) sixty += "\xc3\xa9";  // 30 x e-acute: 30 characters, 60 bytes
    EXPECT_EQ(CheckName(sixty), "");
    EXPECT_EQ(CheckName(std::string(61, 'a')), "A name may have at most 60 characters.");
    std::string wide;
    for (int i = 0; i < 22; ++i) wide += "\xe2\x82\xac";  // 22 euro signs: 66 bytes
    EXPECT_NE(CheckName(wide), "") << "a case file would cut it";
    EXPECT_NE(CheckStoredName(wide), "");
    EXPECT_EQ(CheckStoredName(std::string(63, 'a')), "");
}

TEST_F(CaseJsonTest, ANameFillingItsCaseFileFieldExportsToATextThatReadsBack) {
    ASSERT_TRUE(Read(kSmall));
    m_doc.GetOutfall(0)->m_strName = std::string(64, 'x');  // as a full name field reads
    std::string euro;
    for (int i = 0; i < 21; ++i) euro += "\xe2\x82\xac";
    m_doc.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_strName = "a" + euro;  // 64 bytes, the last euro cut
    const std::string text = WriteCaseJson(m_doc);
    CAppState app;
    CCase back(app, m_prompt);
    std::vector<CaseJsonProblem> problems;
    ASSERT_TRUE(ReadCaseJson(text, back, problems));
    EXPECT_TRUE(ValidateCase(back).empty());
    EXPECT_EQ(back.GetOutfall(0)->m_strName, std::string(63, 'x')) << "what saving the case keeps";
    EXPECT_EQ(back.GetOutfall(0)->GetRiser(0)->GetJet(0)->m_strName, "a" + euro.substr(0, 60));
}
