// The --section job on computed cases saved from code.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "SectionCase.h"
#include "base/AppState.h"
#include "cli/SectionCommand.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr double kPi = 3.14159265358979;

class SectionCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_strCase = m_dir.filePath("straight.pmx").toStdString();
        CAppState app;
        CScriptedPrompt prompt;
        CCase doc(app, prompt);
        StraightJet s;
        s.m_dFlow = 0.35;
        BuildSectionCase(doc, {s}, 0.2);
        double c[3];
        DiskCentre(*doc.GetCurrentJet(), 90, c);
        m_dAcross = c[0] + 0.3;
        ASSERT_TRUE(doc.SaveCase(m_strCase));
    }

    // Runs the job and returns what it printed.
    std::string Run(const SectionRequest& req, int& code) {
        std::FILE* f = std::tmpfile();
        code = RunSection(req, m_prompt, f);
        std::rewind(f);
        std::string text;
        char buf[512];
        while (std::fgets(buf, sizeof buf, f)) text += buf;
        std::fclose(f);
        return text;
    }

    static double Value(const std::string& text, const std::string& label) {
        const auto at = text.find(label + ": ");
        return at == std::string::npos ? NAN : std::atof(text.c_str() + at + label.size() + 2);
    }

    QTemporaryDir m_dir;
    std::string m_strCase;
    double m_dAcross = 0.0;
    CScriptedPrompt m_prompt;
};
}  // namespace

TEST_F(SectionCommandTest, CrossSectionViewPrintsAreasAndCompositeDilutionAndWritesTheImage) {
    SectionRequest req;
    req.m_strCase = m_strCase;
    req.m_eKind = CutPlaneKind::CrossSection;  // current at 90 degrees: the plane x = distance
    req.m_bDistance = true;
    req.m_dDistance = m_dAcross;
    req.m_strImage = m_dir.filePath("section.bmp").toStdString();
    int code = -1;
    const std::string text = Run(req, code);
    ASSERT_EQ(code, 0) << text;
    const double area = Value(text, "Total Area(m^2)");
    EXPECT_NEAR(area, kPi * 4.0, 0.03 * kPi * 4.0);
    EXPECT_DOUBLE_EQ(Value(text, "Sum of Area(m^2)"), area);
    EXPECT_NEAR(Value(text, "Composite dilution(merged jets)"), 2 * 0.2 * area / 0.35, 0.002);
    EXPECT_NE(text.find("Jet Outfall_1/Riser1/Jet1: Area(m^2)"), std::string::npos) << text;

    std::ifstream bmp(req.m_strImage, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(bmp)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 14u + 1064u);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(bytes[14 + 14]), 8);  // bits per pixel
}

TEST_F(SectionCommandTest, NormalPlaneAtADiskPrintsTheDiskArea) {
    SectionRequest req;
    req.m_strCase = m_strCase;
    req.m_eKind = CutPlaneKind::NormalToJet;
    req.m_bDisk = true;
    req.m_nDisk = 50;
    int code = -1;
    const std::string text = Run(req, code);
    ASSERT_EQ(code, 0) << text;
    EXPECT_NEAR(Value(text, "Selected Jet Area"), kPi * 4.0, 1e-3);
    EXPECT_EQ(Value(text, "Disk No"), 50);
    EXPECT_EQ(text.find("Composite dilution"), std::string::npos);
}

TEST_F(SectionCommandTest, TypedPlaneValuesArePrintedAsTyped) {
    // 2.3 and 0.29 are held just below themselves in binary; truncating
    // them to decimals must not make 2.29 and 0.28 of them.
    SectionRequest req;
    req.m_strCase = m_strCase;
    req.m_eKind = CutPlaneKind::UserSpecified;
    req.m_bDistance = true;
    req.m_dDistance = 2.3;
    req.m_dHAngle = 0.0;
    req.m_dVAngle = 0.29;
    int code = -1;
    const std::string text = Run(req, code);
    ASSERT_EQ(code, 0) << text;
    EXPECT_NE(text.find("Distance(m): 2.300\n"), std::string::npos) << text;
    EXPECT_NE(text.find("V.Angle(deg): 0.290\n"), std::string::npos) << text;
}

TEST_F(SectionCommandTest, DistanceBeyondTwentyFiveDepthsIsRefused) {
    SectionRequest req;
    req.m_strCase = m_strCase;
    req.m_eKind = CutPlaneKind::SideView;
    req.m_bDistance = true;
    req.m_dDistance = 30.0 * 25.0 + 1.0;
    int code = -1;
    Run(req, code);
    EXPECT_EQ(code, 1);
    ASSERT_EQ(m_prompt.Texts().size(), 1u);
    EXPECT_EQ(m_prompt.Texts()[0],
              "The distance of cutplane is too large, it should be smaller than 25 times of the ambient depth");
}

TEST_F(SectionCommandTest, ACrossSectionThatCutsNoJetGivesNoCompositeDilution) {
    SectionRequest req;
    req.m_strCase = m_strCase;
    req.m_eKind = CutPlaneKind::CrossSection;
    req.m_bDistance = true;
    req.m_dDistance = -20.0;  // behind the port: the jet runs the other way
    int code = -1;
    const std::string text = Run(req, code);
    ASSERT_EQ(code, 0) << text;
    EXPECT_EQ(Value(text, "Total Area(m^2)"), 0.0);
    EXPECT_NE(text.find("Composite dilution(merged jets): none, the plane cuts no jet"), std::string::npos) << text;
    EXPECT_EQ(text.find("dilution(merged jets): 0"), std::string::npos) << text;
}

TEST_F(SectionCommandTest, MissingCaseAndPlaneMissingTheJetsFail) {
    SectionRequest req;
    req.m_strCase = m_dir.filePath("none.pmx").toStdString();
    req.m_eKind = CutPlaneKind::Horizontal;
    req.m_bDistance = true;
    int code = -1;
    Run(req, code);
    EXPECT_EQ(code, 1);

    // A horizontal plane high above the jet: no section, so no image either.
    req.m_strCase = m_strCase;
    req.m_dDistance = 25.0;
    req.m_strImage = m_dir.filePath("empty.bmp").toStdString();
    const std::string text = Run(req, code);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(Value(text, "Total Area(m^2)"), 0.0);
    EXPECT_FALSE(std::ifstream(req.m_strImage).good());
}
