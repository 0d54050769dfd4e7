// Section areas against geometry: the raster must estimate a polygon's area
// without bias, each jet's own area must be its polygon's exact area, and
// unions of jets must match the analytic union of their circles.
#include <gtest/gtest.h>

#include <cmath>

#include "SectionCase.h"
#include "base/AppState.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

class SectionAreaTest : public ::testing::Test {
protected:
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};
    CCutPlane& Plane() { return m_doc.m_CutPlane; }
    CJet& Jet(int k) { return *m_doc.GetCurrentRiser()->m_Jets[k]; }
    const CSectionStats& Stats() const { return m_doc.m_SectionStats; }

    // A plane through the centre of disk `disk` of jet 0 (which runs along
    // the model's x axis), tilted by phi degrees from normal to the jet,
    // shifted by `shift` metres along the jet.
    void CutJetZero(int disk, double phiDeg, double shift) {
        double c[3];
        DiskCentre(Jet(0), disk, c);
        const double h = (90.0 - phiDeg) * kPi / 180.0;
        const double u[3] = {std::sin(h), 0.0, std::cos(h)};
        const double d = (c[0] + shift) * u[0] + c[1] * u[1] + c[2] * u[2];
        // The plane keeps its numbers to two decimals: hand it exact ones.
        Plane().m_dHAngle = 90.0 - phiDeg;
        Plane().m_dVAngle = 0.0;
        Plane().m_dDistance = d;
        Plane().m_eKind = CutPlaneKind::UserSpecified;
        Plane().ComputePlane();
        m_doc.RecomputeSection();
    }
    double RasterArea() const {
        const double s = m_doc.m_CutPlane.m_dScale;
        return static_cast<double>(m_doc.m_CutPlane.CountCoveredPixels()) / (s * s);
    }
    double ExactArea(std::size_t k) {
        double a, hs, vs;
        Plane().MeasurePolygon(*Plane().Polygons()[k], a, hs, vs);
        return a;
    }
};

// Area of two circles of radius r whose centres lie d apart.
double UnionOfCircles(double r, double d) {
    const double lens = 2 * r * r * std::acos(d / (2 * r)) - 0.5 * d * std::sqrt(4 * r * r - d * d);
    return 2 * kPi * r * r - lens;
}
}  // namespace

TEST_F(SectionAreaTest, NormalCutOfATubeIsExactAndTheRasterIsUnbiasedAtAnyOffset) {
    StraightJet a;
    a.m_dRadius = 1.0;
    BuildSectionCase(m_doc, {a});
    const double gon = 0.5 * 32 * std::sin(2 * kPi / 32);
    double rasterSum = 0.0;
    const int offsets = 7;
    // Different shifts place the outline differently on the pixel grid.
    for (int k = 0; k < offsets; ++k) {
        CutJetZero(90, 0.0, 0.013 + 0.037 * k);
        ASSERT_TRUE(Plane().m_bValid);
        ASSERT_EQ(Plane().Polygons().size(), 1u);
        EXPECT_DOUBLE_EQ(Plane().m_dScale, 20.0);
        const double exact = ExactArea(0);
        EXPECT_NEAR(exact, gon, 1e-9);
        EXPECT_NEAR(exact, kPi, 0.007 * kPi);
        EXPECT_NEAR(RasterArea(), exact, 0.01 * exact) << "shift " << k;
        rasterSum += RasterArea();
        // The jet reports its polygon's own area and spans, not the raster's.
        EXPECT_NEAR(Stats().m_dTotalArea, exact, 1e-12);
        EXPECT_NEAR(Stats().m_Selected.m_dArea, exact, 1e-12);
        EXPECT_NEAR(Stats().m_Selected.m_dHSpan, 2.0, 0.006);
        EXPECT_NEAR(Stats().m_Selected.m_dVSpan, 2.0, 0.006);
    }
    // Averaged over placements the raster's error is far below a boundary pixel row.
    EXPECT_NEAR(rasterSum / offsets, gon, 0.003 * gon);
}

TEST_F(SectionAreaTest, ObliqueCutIsAnEllipseOfAreaPiRSquaredOverCosPhi) {
    StraightJet a;
    a.m_dRadius = 1.0;
    BuildSectionCase(m_doc, {a});
    for (double phi : {30.0, 50.0}) {
        CutJetZero(90, phi, 0.0);
        ASSERT_EQ(Plane().Polygons().size(), 1u);
        const double ellipse = kPi / std::cos(phi * kPi / 180.0);
        EXPECT_NEAR(Stats().m_Selected.m_dArea, ellipse, 0.007 * ellipse) << phi;
        EXPECT_NEAR(RasterArea(), Stats().m_Selected.m_dArea, 0.01 * ellipse) << phi;
        // The long axis lies across the plane's horizontal direction.
        const double spanLong = std::max(Stats().m_Selected.m_dHSpan, Stats().m_Selected.m_dVSpan);
        EXPECT_NEAR(spanLong, 2.0 / std::cos(phi * kPi / 180.0), 0.02) << phi;
    }
}

TEST_F(SectionAreaTest, SeparateTubesAddUpAndOverlappingTubesGiveTheUnionOfTheirCircles) {
    StraightJet a, b;
    a.m_dRadius = b.m_dRadius = 1.0;
    b.m_dStart[1] = 3.0;  // 3 m apart, radius 1: separate
    BuildSectionCase(m_doc, {a, b});
    CutJetZero(90, 0.0, 0.02);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_FALSE(Plane().m_bOverlap);
    EXPECT_DOUBLE_EQ(Stats().m_dTotalArea, Stats().m_dSumOfArea);
    EXPECT_NEAR(Stats().m_dSumOfArea, ExactArea(0) + ExactArea(1), 1e-12);
    EXPECT_NEAR(Jet(1).m_Section.m_dArea, ExactArea(1), 1e-12);

    for (double apart : {1.0, 1.6}) {
        CAppState app;
        CScriptedPrompt prompt;
        CCase doc(app, prompt);
        b.m_dStart[1] = apart;
        BuildSectionCase(doc, {a, b});
        double c[3];
        DiskCentre(*doc.GetCurrentRiser()->m_Jets[0], 90, c);
        doc.m_CutPlane.m_dHAngle = 90.0;
        doc.m_CutPlane.m_dVAngle = 0.0;
        doc.m_CutPlane.m_dDistance = c[0] + 0.02;
        doc.m_CutPlane.m_eKind = CutPlaneKind::UserSpecified;
        doc.m_CutPlane.ComputePlane();
        doc.RecomputeSection();
        ASSERT_TRUE(doc.m_CutPlane.m_bOverlap);
        const CSectionStats& st = doc.m_SectionStats;
        const double uni = UnionOfCircles(1.0, apart);
        EXPECT_NEAR(st.m_dTotalArea, uni, 0.02 * uni) << apart;
        // Each jet keeps its whole circle; the overlap is counted once only in the total.
        EXPECT_NEAR(st.m_dSumOfArea, 2 * kPi, 0.014 * kPi) << apart;
    }
}

TEST_F(SectionAreaTest, AJetBelowTheLevelMinimumShowsNoArea) {
    StraightJet a, b;
    a.m_dRadius = b.m_dRadius = 1.0;
    a.m_dConc = 0.5;
    b.m_dConc = 0.1;
    b.m_dStart[1] = 4.0;
    BuildSectionCase(m_doc, {a, b});
    m_doc.m_RangeMin.m_fConc = 0.3f;
    m_doc.m_RangeMax.m_fConc = 1.0f;
    CutJetZero(90, 0.0, 0.02);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_EQ(Jet(1).m_Section.m_dArea, 0.0);
    EXPECT_NEAR(Jet(0).m_Section.m_dArea, ExactArea(0), 1e-12);
    EXPECT_NEAR(Stats().m_dTotalArea, ExactArea(0), 1e-12);
}
