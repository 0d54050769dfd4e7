// The far-field settings are inputs of the case: they survive save and
// reopen in their own stream (the case stream unchanged, no stream at all
// for the defaults), and the text form; values out of range or not finite
// are refused with the name of the field.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/CaseJson.h"
#include "model/FarFieldSettings.h"
#include "support/ScriptedPrompt.h"

namespace {
FarFieldSettings Changed() {
    FarFieldSettings f;
    f.m_dAlpha = 3.3e-4;
    f.m_dEffluentConcentration = 2.5e7;
    f.m_strUnit = "E. coli/100 mL";
    f.m_dT90Hours = 2.75;
    f.m_dMixingZone = 2000.0;
    f.m_bStandardIsDilution = false;
    f.m_dStandard = 0.1;
    f.m_Points = {{"Beach 1200 m", 1200.0}, {"Harbour", 3456.5}};
    return f;
}

struct FarFieldFile : ::testing::Test {
    QTemporaryDir dir;
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};
    std::string Path(const char* name) const { return dir.filePath(name).toStdString(); }
    CaseFile::SideStreams Streams(const std::string& path, std::vector<unsigned char>& contents) {
        std::string error;
        CaseFile::SideStreams side;
        EXPECT_TRUE(CaseFile::Read(path, contents, error, &side)) << error;
        return side;
    }
};

std::vector<std::string> Fields(const FarFieldSettings& f) {
    std::vector<std::string> out;
    for (const FarFieldProblem& p : CheckFarFieldSettings(f)) out.push_back(p.m_strField);
    return out;
}
}  // namespace

TEST_F(FarFieldFile, SettingsComeBackAndTheCaseStreamIsUnchanged) {
    BuildSmallCase(doc, true);
    const std::string plain = Path("plain.pmx");
    ASSERT_TRUE(doc.SaveCase(plain));
    std::vector<unsigned char> before;
    EXPECT_TRUE(Streams(plain, before).m_strFarField.empty());  // the defaults write no stream

    doc.SetFarField(Changed());
    EXPECT_TRUE(doc.IsModified());
    const std::string path = Path("far.pmx");
    ASSERT_TRUE(doc.SaveCase(path));
    std::vector<unsigned char> contents;
    EXPECT_FALSE(Streams(path, contents).m_strFarField.empty());
    EXPECT_EQ(contents, before);

    CCase again(app, prompt);
    ASSERT_TRUE(again.OpenCase(path));
    EXPECT_TRUE(again.GetFarField() == Changed());
    CCase old(app, prompt);
    ASSERT_TRUE(old.OpenCase(plain));
    EXPECT_TRUE(old.GetFarField() == FarFieldSettings{});
}

TEST_F(FarFieldFile, AStreamWithABadValueKeepsTheFileShut) {
    BuildSmallCase(doc, false);
    const std::string path = Path("bad.pmx");
    CaseFile::SideStreams side;
    side.m_strFarField = "t90_h -1\n";
    std::string error;
    ASSERT_TRUE(CaseFile::Write(path, doc.SaveToBytes(), error, CaseFile::kMaxStreamBytes, &side)) << error;
    CCase other(app, prompt);
    EXPECT_FALSE(other.OpenCase(path));
    ASSERT_FALSE(prompt.Texts().empty());
    EXPECT_NE(prompt.Texts().back().find("t90_h"), std::string::npos) << prompt.Texts().back();

    FarFieldSettings f;
    std::string why;
    EXPECT_FALSE(ParseFarFieldSettings("mixing_zone_m 1e5x\n", f, why));
    EXPECT_NE(why.find("mixing_zone_m"), std::string::npos);
    EXPECT_FALSE(ParseFarFieldSettings("point 1200\n", f, why));
    EXPECT_TRUE(ParseFarFieldSettings("some_later_name 3\nt90_h 2\n", f, why)) << why;
    EXPECT_EQ(f.m_dT90Hours, 2.0);
}

TEST(FarFieldSettingsCheck, EachBadValueIsNamed) {
    EXPECT_TRUE(CheckFarFieldSettings(FarFieldSettings{}).empty());
    EXPECT_TRUE(CheckFarFieldSettings(Changed()).empty());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Bad {
        void (*make)(FarFieldSettings&);
        const char* field;
    };
    const Bad bad[] = {
        {[](FarFieldSettings& f) { f.m_dAlpha = 9e-5; }, "spreading_coefficient_m23_s"},
        {[](FarFieldSettings& f) { f.m_dAlpha = 1.01e-3; }, "spreading_coefficient_m23_s"},
        {[](FarFieldSettings& f) { f.m_dEffluentConcentration = 0.0; }, "effluent_concentration"},
        {[](FarFieldSettings& f) { f.m_strUnit = "FC\n100"; }, "concentration_unit"},
        {[](FarFieldSettings& f) { f.m_dT90Hours = -0.5; }, "t90_h"},
        {[](FarFieldSettings& f) { f.m_dMixingZone = 0.0; }, "mixing_zone_m"},
        {[](FarFieldSettings& f) { f.m_dMixingZone = 100001.0; }, "mixing_zone_m"},
        {[](FarFieldSettings& f) { f.m_dStandard = 0.5; }, "min_dilution"},
        {[](FarFieldSettings& f) {
             f.m_bStandardIsDilution = false;
             f.m_dStandard = 0.0;
         },
         "max_concentration"},
        {[](FarFieldSettings& f) {
             f.m_Points = {{"", 100.0}};
         },
         "points[0].name"},
        {[](FarFieldSettings& f) {
             f.m_Points = {{"A", 1.0}, {"B", -3.0}};
         },
         "points[1].distance_m"},
    };
    for (const Bad& b : bad) {
        FarFieldSettings f;
        b.make(f);
        EXPECT_EQ(Fields(f), std::vector<std::string>{b.field});
    }
    for (double v : {nan, inf}) {
        FarFieldSettings f;
        f.m_dAlpha = f.m_dT90Hours = f.m_dMixingZone = f.m_dStandard = f.m_dEffluentConcentration = v;
        EXPECT_EQ(Fields(f).size(), 5u);
    }
    // The ends of the ranges are allowed.
    FarFieldSettings edge;
    edge.m_dAlpha = 1e-4;
    edge.m_dT90Hours = 1000.0;
    edge.m_dMixingZone = 100000.0;
    edge.m_dStandard = 1.0;
    EXPECT_TRUE(CheckFarFieldSettings(edge).empty());
}

TEST(FarFieldJson, WrittenWhenSetAndReadBack) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, false);
    const std::string plain = WriteCaseJson(doc);
    EXPECT_EQ(plain.find("far_field"), std::string::npos);
    doc.SetFarField(Changed());
    const std::string text = WriteCaseJson(doc);
    EXPECT_NE(text.find("\"far_field\""), std::string::npos);

    CCase back(app, prompt);
    std::vector<CaseJsonProblem> problems;
    ASSERT_TRUE(ReadCaseJson(text, back, problems)) << (problems.empty() ? "" : problems[0].m_strPath);
    EXPECT_TRUE(back.GetFarField() == Changed());
    ASSERT_TRUE(ReadCaseJson(plain, back, problems));
    EXPECT_TRUE(back.GetFarField() == FarFieldSettings{});
}

TEST(FarFieldJson, MistakesAreNamedByTheirPath) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSmallCase(doc, false);
    const std::string text = WriteCaseJson(doc);
    const std::size_t at = text.find("\"run\"");
    ASSERT_NE(at, std::string::npos);
    auto with = [&](const std::string& farField) {
        return text.substr(0, at) + "\"far_field\": " + farField + ", " + text.substr(at);
    };
    struct Case {
        const char* object;
        const char* path;
    };
    const Case cases[] = {
        {R"({"t90": 3})", "far_field.t90"},
        {R"({"t90_h": "3"})", "far_field.t90_h"},
        {R"({"min_dilution": 100, "max_concentration": 5})", "far_field.max_concentration"},
        {R"({"points": [{"distance_m": 5}]})", "far_field.points[0].name"},
        {R"({"points": [{"name": "A", "distance_m": 5, "depth_m": 1}]})", "far_field.points[0].depth_m"},
    };
    for (const Case& c : cases) {
        CCase back(app, prompt);
        std::vector<CaseJsonProblem> problems;
        EXPECT_FALSE(ReadCaseJson(with(c.object), back, problems)) << c.object;
        ASSERT_FALSE(problems.empty()) << c.object;
        EXPECT_EQ(problems.front().m_strPath, c.path) << c.object;
    }
    CCase back(app, prompt);
    std::vector<CaseJsonProblem> problems;
    ASSERT_TRUE(ReadCaseJson(with(R"({"t90_h": 2, "max_concentration": 1000})"), back, problems));
    EXPECT_FALSE(back.GetFarField().m_bStandardIsDilution);
    EXPECT_EQ(back.GetFarField().m_dStandard, 1000.0);
    EXPECT_EQ(back.GetFarField().m_dT90Hours, 2.0);
}
