// The cut plane's parameters, frame, coordinate mappings and colour index.
#include <gtest/gtest.h>

#include <cmath>

#include "base/AppState.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {
double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
}  // namespace

TEST(CutPlane, SetPlaneTruncatesTowardZeroToTwoDecimals) {
    CCutPlane plane;
    plane.SetPlane(12.349, -0.005, 7.777, 5, CutPlaneKind::CrossSection);
    EXPECT_DOUBLE_EQ(plane.m_dHAngle, 12.34);
    EXPECT_EQ(plane.m_dVAngle, 0.0);
    EXPECT_DOUBLE_EQ(plane.m_dDistance, 7.77);
    EXPECT_EQ(plane.m_nDiskNo, 5);
    EXPECT_EQ(plane.m_eKind, CutPlaneKind::CrossSection);
}

TEST(CutPlane, TruncationKeepsValuesWhoseBinaryFormLiesJustBelowThem) {
    // 2.3 * 100 is 229.99999999999997 in doubles, 0.29 * 100 is 28.999...:
    // a plain truncation would move the plane by a hundredth.
    CCutPlane plane;
    plane.SetPlane(2.3, 0.29, 20.57, 200, CutPlaneKind::UserSpecified);
    EXPECT_DOUBLE_EQ(plane.m_dHAngle, 2.3);
    EXPECT_DOUBLE_EQ(plane.m_dVAngle, 0.29);
    EXPECT_DOUBLE_EQ(plane.m_dDistance, 20.57);
    EXPECT_DOUBLE_EQ(CCutPlane::TruncateDecimals(1.005, 3), 1.005);
    EXPECT_DOUBLE_EQ(CCutPlane::TruncateDecimals(-1.13, 2), -1.13);
    // Genuine further digits are still cut off toward zero.
    EXPECT_DOUBLE_EQ(CCutPlane::TruncateDecimals(12.3459, 3), 12.345);
    EXPECT_DOUBLE_EQ(CCutPlane::TruncateDecimals(-12.3459, 3), -12.345);
    EXPECT_DOUBLE_EQ(CCutPlane::TruncateDecimals(0.0999999, 2), 0.09);
}

TEST(CutPlane, HorizontalPlaneFrameWhateverTheHorizontalAngle) {
    for (double h : {0.0, 37.5, 200.0}) {
        CCutPlane plane;
        plane.SetPlane(h, 90.0, 6.5, 200, CutPlaneKind::Horizontal);
        EXPECT_NEAR(plane.m_vNormal[0], 0.0, 1e-12);
        EXPECT_DOUBLE_EQ(plane.m_vNormal[1], -1.0);
        EXPECT_NEAR(plane.m_vNormal[2], 0.0, 1e-12);
        EXPECT_DOUBLE_EQ(plane.m_vUp[0], -1.0);
        EXPECT_DOUBLE_EQ(plane.m_vUp[1], 0.0);
        // The plane is y = d.
        const double onPlane[3] = {3.0, 6.5, -8.0};
        EXPECT_NEAR(Dot(plane.m_dEquation, onPlane) + plane.m_dEquation[3], 0.0, 1e-12);
        const double above[3] = {3.0, 7.5, -8.0};
        EXPECT_NEAR(Dot(plane.m_dEquation, above) + plane.m_dEquation[3], -1.0, 1e-12);
    }
}

TEST(CutPlane, VerticalPlaneFacingZ) {
    CCutPlane plane;
    plane.SetPlane(0.0, 0.0, 4.25, 200, CutPlaneKind::UserSpecified);
    EXPECT_NEAR(plane.m_vNormal[0], 0.0, 1e-15);
    EXPECT_NEAR(plane.m_vNormal[1], 0.0, 1e-15);
    EXPECT_DOUBLE_EQ(plane.m_vNormal[2], -1.0);
    EXPECT_DOUBLE_EQ(plane.m_vPoint[2], 4.25);
    double px = 1.0, py = 1.0;
    plane.WorldToPlane(0.0, 0.0, 4.25, px, py);
    EXPECT_NEAR(px, 0.0, 1e-12);
    EXPECT_NEAR(py, 0.0, 1e-12);
    // up = (0, -1, 0): r = up x n = (1, 0, 0), s = n x r = (0, -1, 0).
    plane.WorldToPlane(2.0, 3.0, 4.25, px, py);
    EXPECT_NEAR(px, 2.0, 1e-12);
    EXPECT_NEAR(py, -3.0, 1e-12);
}

TEST(CutPlane, PlaneAndWorldMappingsAreInverse) {
    CCutPlane plane;
    plane.SetPlane(123.45, 31.7, -12.5, 200, CutPlaneKind::UserSpecified);
    double x, y, z;
    plane.PlaneToWorld(3.5, -7.25, x, y, z);
    const double p[3] = {x, y, z};
    EXPECT_NEAR(Dot(plane.m_dEquation, p) + plane.m_dEquation[3], 0.0, 1e-10);
    double px, py;
    plane.WorldToPlane(x, y, z, px, py);
    EXPECT_NEAR(px, 3.5, 1e-10);
    EXPECT_NEAR(py, -7.25, 1e-10);
}

TEST(CutPlane, PixelsMapToTheExtentOfTheSection) {
    CCutPlane plane;
    plane.SetPlane(30.0, 10.0, 5.0, 200, CutPlaneKind::UserSpecified);
    plane.m_dExtent[0] = -3.0;
    plane.m_dExtent[1] = 7.0;
    plane.m_dExtent[2] = 2.0;
    plane.m_dExtent[3] = 6.0;
    plane.m_rcImage = CRect(-60, 40, 140, 120);  // 200 x 80 pixels
    double x, y, z, px, py;
    plane.PixelToWorld(0, 0, x, y, z);
    plane.WorldToPlane(x, y, z, px, py);
    EXPECT_NEAR(px, -3.0, 1e-10);
    EXPECT_NEAR(py, 2.0, 1e-10);
    plane.PixelToWorld(150, 20, x, y, z);
    int column = 0, row = 0;
    plane.WorldToPixel(x, y, z, column, row);
    EXPECT_EQ(column, 150);
    EXPECT_EQ(row, 20);
}

TEST(CutPlane, ProbeWithoutValidSectionGivesZeroAndStoresThePoint) {
    CCutPlane plane;
    plane.SetPlane(0.0, 0.0, 2.0, 200, CutPlaneKind::UserSpecified);
    plane.m_dExtent[0] = 0.0;
    plane.m_dExtent[1] = 10.0;
    plane.m_dExtent[2] = 0.0;
    plane.m_dExtent[3] = 10.0;
    plane.m_rcImage = CRect(0, 0, 100, 100);
    double x, y, z;
    std::vector<CPolygon*> hits;
    EXPECT_EQ(plane.Probe(50, 20, x, y, z, &hits), 0.0f);
    EXPECT_TRUE(hits.empty());
    EXPECT_FLOAT_EQ(plane.m_fProbe[0], static_cast<float>(x));
    EXPECT_NEAR(x, 5.0, 1e-12);
    EXPECT_NEAR(y, -2.0, 1e-12);
    EXPECT_NEAR(z, 2.0, 1e-12);
}

TEST(CutPlane, NormalPlaneWithoutCurrentJetLeavesThePlaneUnchanged) {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    const CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(10.0, 20.0, 30.0, 7, CutPlaneKind::UserSpecified, false);
    const double before = plane.m_dEquation[3];
    doc.SetCutPlane(50.0, 60.0, 70.0, 9, CutPlaneKind::NormalToJet, true);
    EXPECT_DOUBLE_EQ(plane.m_dEquation[3], before);
    EXPECT_TRUE(plane.Polygons().empty());
    EXPECT_TRUE(prompt.Empty());
}

TEST(CutPlane, ColourIndexGuardsEmptyRangesAndClamps) {
    CCutPlane plane;
    // Identity transfer table over 0 .. 1, given with a section that cuts nothing.
    ColourTable table{};
    for (int k = 0; k < 256; ++k) table[k] = ColourTableEntry{k, k + 1, k / 254.0, (k + 1) / 254.0};
    auto compose = [&](float lo, float hi) {
        SectionInput input;
        input.m_Min.m_fConc = lo;
        input.m_Max.m_fConc = hi;
        input.m_pColourTable = &table;
        EXPECT_EQ(plane.ComposeSection(std::move(input)), SectionOutcome::Empty);
    };
    compose(0.0f, 1.0f);
    EXPECT_EQ(plane.ColourIndex(0.0), 255);
    EXPECT_EQ(plane.ColourIndex(5e-7), 255);
    EXPECT_EQ(plane.ColourIndex(0.5), 127);
    EXPECT_EQ(plane.ColourIndex(1.0), 254);
    EXPECT_EQ(plane.ColourIndex(40.0), 254);
    // A range of no width: no division by zero, a valid index.
    compose(0.5f, 0.5f);
    const int idx = plane.ColourIndex(0.5);
    EXPECT_GE(idx, 0);
    EXPECT_LE(idx, 254);
    // A table entry of no width takes its low level.
    table[0] = ColourTableEntry{42, 42, 0.3, 0.3};
    compose(0.5f, 0.5f);
    EXPECT_EQ(plane.ColourIndex(0.5), 42);
}
