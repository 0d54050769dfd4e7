// Cross-sections of straight jets built in code, against their analytic
// areas, and the section image, its composition and the statistics.
#include <gtest/gtest.h>

#include <QUndoStack>
#include <cmath>
#include <map>

#include "SectionCase.h"
#include "base/AppState.h"
#include "base/DocObserver.h"
#include "edit/TreeEditCommand.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"
#include "image/Dib.h"
#include "model/CaseSection.h"
#include "model/SectionColours.h"
#include "model/TubeSection.h"
#include "support/ScriptedPrompt.h"

namespace {
constexpr double kPi = 3.14159265358979;

// Area of the regular 32-gon inscribed in a circle of radius r.
double GonArea(double r) { return 0.5 * 32 * r * r * std::sin(2.0 * kPi / 32); }

// Shoelace area of a polygon's world vertices, measured in plane coordinates.
double PlaneArea(const CCutPlane& plane, const CPolygon& poly) {
    double a = 0.0;
    const auto& v = poly.m_aVertices;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const auto& p = v[i];
        const auto& q = v[(i + 1) % v.size()];
        double px, py, qx, qy;
        plane.WorldToPlane(p.m_dX, p.m_dY, p.m_dZ, px, py);
        plane.WorldToPlane(q.m_dX, q.m_dY, q.m_dZ, qx, qy);
        a += px * qy - qx * py;
    }
    return std::fabs(a) / 2.0;
}

std::map<int, long long> Histogram(const CDib& dib) {
    std::map<int, long long> h;
    for (int r = 0; r < dib.Height(); ++r)
        for (int c = 0; c < dib.Width(); ++c) ++h[dib.Bits()[r * dib.Stride() + c]];
    return h;
}

class SectionTest : public ::testing::Test {
protected:
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};
    CCutPlane& Plane() { return m_doc.m_CutPlane; }
    CJet& Jet(int k) { return *m_doc.GetCurrentRiser()->m_Jets[k]; }
    // Plane x = d (normal to a jet running along the model's x axis).
    void CutAcrossX(double d, CutPlaneKind kind = CutPlaneKind::UserSpecified) {
        m_doc.SetCutPlane(90.0, 0.0, d, 200, kind, true);
    }
};
}  // namespace

TEST_F(SectionTest, StraightJetCutNormalToItsAxisGivesOneDiskOfItsRadius) {
    const double r = 2.0;
    BuildSectionCase(m_doc, {StraightJet{}});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);  // between two rings
    ASSERT_EQ(Plane().Polygons().size(), 1u);
    const CPolygon& poly = *Plane().Polygons()[0];
    EXPECT_EQ(poly.m_aVertices.size(), 32u);
    EXPECT_EQ(poly.m_strJet, Jet(0).m_strName);
    EXPECT_NEAR(PlaneArea(Plane(), poly), GonArea(r), 1e-9);
    EXPECT_TRUE(Plane().m_bValid);
    EXPECT_DOUBLE_EQ(Plane().m_dScale, 20.0);

    const CSectionStats& st = m_doc.m_SectionStats;
    EXPECT_NEAR(st.m_dTotalArea, GonArea(r), 0.02 * GonArea(r));
    EXPECT_NEAR(st.m_dTotalArea, kPi * r * r, 0.03 * kPi * r * r);
    EXPECT_DOUBLE_EQ(st.m_dSumOfArea, st.m_dTotalArea);
    EXPECT_DOUBLE_EQ(st.m_Selected.m_dArea, st.m_dTotalArea);
    EXPECT_NEAR(st.m_Selected.m_dHSpan, 2 * r, 0.1);
    EXPECT_NEAR(st.m_Selected.m_dVSpan, 2 * r, 0.1);
    EXPECT_NEAR(st.m_dCompositeMean, 0.5, 1e-6);
    EXPECT_DOUBLE_EQ(st.m_dInvMean, 2.0);
    EXPECT_FALSE(Plane().m_bOverlap);
    EXPECT_NEAR(Plane().CountCoveredPixels(), st.m_dTotalArea * 400.0, 0.01 * st.m_dTotalArea * 400.0);
    EXPECT_TRUE(m_prompt.Empty());
}

TEST_F(SectionTest, StraightJetCutAlongItsAxisGivesABandOfWidthTwoRadii) {
    const double r = 2.0;
    StraightJet s;
    s.m_dStart[2] = 5.0;
    BuildSectionCase(m_doc, {s});
    double first[3], last[3];
    DiskCentre(Jet(0), 0, first);
    DiskCentre(Jet(0), s.m_nDisks - 1, last);
    // The horizontal plane through the axis passes exactly through two
    // vertices of every ring.
    m_doc.SetCutPlane(0.0, 90.0, first[1], 200, CutPlaneKind::Horizontal, true);
    ASSERT_EQ(Plane().Polygons().size(), 1u);
    const double length = last[0] - first[0];
    EXPECT_NEAR(PlaneArea(Plane(), *Plane().Polygons()[0]), 2 * r * length, 1e-6);
    const CSectionStats& st = m_doc.m_SectionStats;
    EXPECT_NEAR(st.m_dTotalArea, 2 * r * length, 0.02 * 2 * r * length);
    // Horizontal plane coordinates: x along world z (across the jet), y along -x.
    EXPECT_NEAR(st.m_Selected.m_dHSpan, 2 * r, 0.1);
    EXPECT_NEAR(st.m_Selected.m_dVSpan, length, 0.1);
}

TEST_F(SectionTest, ParallelJetsApartAddUpAndOverlappingJetsCountTheOverlapOnce) {
    StraightJet a, b;
    b.m_dStart[1] = 10.0;  // 10 m beside the first, radius 2: apart
    BuildSectionCase(m_doc, {a, b});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_FALSE(Plane().m_bOverlap);
    const CSectionStats apart = m_doc.m_SectionStats;
    EXPECT_DOUBLE_EQ(apart.m_dTotalArea, apart.m_dSumOfArea);
    EXPECT_NEAR(apart.m_dTotalArea, 2 * GonArea(2.0), 0.04 * GonArea(2.0));

    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    b.m_dStart[1] = 2.0;  // overlapping
    BuildSectionCase(doc, {a, b});
    doc.SetCutPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified, true);
    ASSERT_EQ(doc.m_CutPlane.Polygons().size(), 2u);
    EXPECT_TRUE(doc.m_CutPlane.m_bOverlap);
    const CSectionStats& st = doc.m_SectionStats;
    EXPECT_LT(st.m_dTotalArea, st.m_dSumOfArea - 1.0);
    // Each jet keeps its own area; only the pixel raster differs.
    EXPECT_NEAR(st.m_dSumOfArea, apart.m_dSumOfArea, 0.01 * apart.m_dSumOfArea);
}

TEST_F(SectionTest, JetsWithTheSameNamesEachGetTheirOwnArea) {
    // Two jets of different radii under one riser, both called "Jet1" (a
    // text-form case may hold that): each polygon belongs to its own jet.
    StraightJet a, b;
    b.m_dStart[1] = 10.0;
    b.m_dRadius = 1.0;
    BuildSectionCase(m_doc, {a, b});
    Jet(1).m_strName = Jet(0).m_strName;
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_NEAR(Jet(0).m_Section.m_dArea, GonArea(2.0), 0.03 * GonArea(2.0));
    EXPECT_NEAR(Jet(1).m_Section.m_dArea, GonArea(1.0), 0.05 * GonArea(1.0));
    EXPECT_NEAR(Jet(1).m_Section.m_dHSpan, 2.0, 0.1);
    // The current jet's figures are its own, not its namesake's.
    m_doc.GetCurrentRiser()->m_nCurrentJet = 1;
    m_doc.RecomputeSection();
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_Selected.m_dArea, Jet(1).m_Section.m_dArea);
    EXPECT_NEAR(m_doc.m_SectionStats.m_Selected.m_dHSpan, 2.0, 0.1);
}

TEST_F(SectionTest, AComputedSectionChangesNothingOfTheCaseUntilTheCaseTakesItOver) {
    StraightJet a, b;
    b.m_dRadius = 1.0;
    b.m_nDisks = 400;
    BuildSectionCase(m_doc, {a, b});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    const CSectionStats before = m_doc.m_SectionStats;
    const double area0 = Jet(0).m_Section.m_dArea;
    ASSERT_GT(area0, 0.0);

    // Only the second jet is cut further along, where the first has ended.
    DiskCentre(Jet(1), 290, c);
    Plane().SetPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified);
    const SectionResult r = ComputeSection(m_doc, Plane());
    EXPECT_EQ(r.m_eOutcome, SectionOutcome::Composed);
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_dTotalArea, before.m_dTotalArea);
    EXPECT_DOUBLE_EQ(Jet(0).m_Section.m_dArea, area0);
    ASSERT_EQ(r.m_Jets.size(), 2u);
    EXPECT_EQ(r.m_Jets[0].first, Jet(0).Id());
    EXPECT_NE(r.m_Stats.m_dTotalArea, before.m_dTotalArea);

    m_doc.RecomputeSection();
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_dTotalArea, r.m_Stats.m_dTotalArea);
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_dDilution, r.m_Stats.m_dDilution);
    EXPECT_DOUBLE_EQ(Jet(0).m_Section.m_dArea, r.m_Jets[0].second.m_dArea);
    EXPECT_DOUBLE_EQ(Jet(1).m_Section.m_dArea, r.m_Jets[1].second.m_dArea);
}

TEST_F(SectionTest, DeletingACutJetAndTakingTheDeletionBackKeepTheSectionCurrent) {
    StraightJet a, b;
    b.m_dRadius = 1.0;
    BuildSectionCase(m_doc, {a, b});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    const double both = m_doc.m_SectionStats.m_dSumOfArea;
    const double first = Jet(0).m_Section.m_dArea;
    ASSERT_GT(Jet(1).m_Section.m_dArea, 0.0);
    // Computed jets, as a run leaves them: a jet that comes back is placed again.
    for (int k = 0; k < 2; ++k) Jet(k).m_KeyParams.m_nSteps = Jet(k).GetDiskCount();

    QUndoStack stack;
    m_doc.GetCurrentRiser()->m_nCurrentJet = 1;
    stack.push(CTreeEditCommand::Make(m_doc, CTreeEditCommand::Kind::Delete, TreeLevel::Jet).release());
    EXPECT_EQ(m_doc.m_SectionStats.m_nPolygons, 1);
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_dSumOfArea, first);
    stack.undo();
    EXPECT_EQ(m_doc.m_SectionStats.m_nPolygons, 2);
    EXPECT_DOUBLE_EQ(m_doc.m_SectionStats.m_dSumOfArea, both);
}

TEST_F(SectionTest, ObserversHearOfEveryNewSection) {
    struct Log : CDocObserver {
        void OnDocEvent(const DocEvent& e) override {
            if (e == DocEvent::CutPlaneChanged) recreated.push_back(e.m_bFlag);
        }
        std::vector<bool> recreated;
    } log;
    BuildSectionCase(m_doc, {StraightJet{}});
    m_doc.AddObserver(&log);
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    ASSERT_EQ(log.recreated.size(), 1u);
    EXPECT_TRUE(log.recreated[0]) << "the first section makes its image";
    CutAcrossX(c[0] + 0.4);
    EXPECT_EQ(log.recreated.size(), 2u);
    m_doc.RemoveObserver(&log);
}

TEST_F(SectionTest, CompositeDilutionOfOneJetInACrossSection) {
    StraightJet s;
    s.m_dFlow = 0.35;
    BuildSectionCase(m_doc, {s}, 0.2);
    double c[3];
    DiskCentre(Jet(0), 120, c);
    // Cross-section view with the current at 90 degrees: H = (90 - 90) + 90.
    CutAcrossX(c[0] + 0.3, CutPlaneKind::CrossSection);
    const CSectionStats& st = m_doc.m_SectionStats;
    ASSERT_GT(st.m_dTotalArea, 0.0);
    EXPECT_NEAR(st.m_dCurrent, 0.2, 1e-12);
    EXPECT_DOUBLE_EQ(st.m_dFlow, 0.35);
    EXPECT_NEAR(st.m_dDilution, 2 * 0.2 * st.m_dTotalArea / 0.35, 1e-12);
    EXPECT_NEAR(st.m_dDilution, 2 * 0.2 * kPi * 4.0 / 0.35, 0.03 * 2 * 0.2 * kPi * 4.0 / 0.35);
}

TEST_F(SectionTest, PlaneMissingEveryJetClearsImageAndStatistics) {
    BuildSectionCase(m_doc, {StraightJet{}});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    ASSERT_GT(Plane().CountCoveredPixels(), 0);
    CutAcrossX(c[0] + 500.0);
    EXPECT_TRUE(Plane().Polygons().empty());
    EXPECT_EQ(Plane().CountCoveredPixels(), 0);
    EXPECT_EQ(m_doc.m_SectionStats.m_dTotalArea, 0.0);
    EXPECT_EQ(m_doc.m_SectionStats.m_dCompositeMean, 0.0);
    EXPECT_EQ(m_doc.m_SectionStats.m_dDilution, 0.0);
    EXPECT_EQ(Jet(0).m_Section.m_dArea, 0.0);
}

TEST_F(SectionTest, LargeSectionDropsToTenPixelsPerMetreAndTooLargeIsRefused) {
    // Two upright jets of radius 1: with the margin the section box is
    // 120 m by 90 m.
    StraightJet a, b;
    a.m_dVAngle = b.m_dVAngle = kPi / 2;
    a.m_dRadius = b.m_dRadius = 1.0;
    a.m_dStep = b.m_dStep = 0.1;
    a.m_dStart[2] = b.m_dStart[2] = 0.0;
    b.m_dStart[0] = 117.0;
    b.m_dStart[1] = -87.0;
    BuildSectionCase(m_doc, {a, b});
    double c[3];
    DiskCentre(Jet(0), 100, c);
    m_doc.SetCutPlane(0.0, 90.0, c[1] + 0.05, 200, CutPlaneKind::Horizontal, true);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_TRUE(Plane().m_bValid);
    EXPECT_DOUBLE_EQ(Plane().m_dScale, 10.0);
    EXPECT_NEAR(Plane().ImageWidth(), 900, 1);
    EXPECT_NEAR(Plane().ImageHeight(), 1200, 1);
    EXPECT_NEAR(m_doc.m_SectionStats.m_dTotalArea, 2 * GonArea(1.0), 0.1 * GonArea(1.0));

    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    b.m_dStart[0] = 300.0;
    b.m_dStart[1] = -300.0;
    BuildSectionCase(doc, {a, b});
    // Numbers of an earlier plane on show: a refused section clears them.
    doc.m_SectionStats.m_dTotalArea = 12.0;
    doc.m_SectionStats.m_dDilution = 34.0;
    doc.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_Section.m_dArea = 5.0;
    doc.SetCutPlane(0.0, 90.0, c[1] + 0.05, 200, CutPlaneKind::Horizontal, true);
    EXPECT_FALSE(doc.m_CutPlane.m_bValid);
    EXPECT_EQ(doc.m_CutPlane.Polygons().size(), 2u);
    EXPECT_EQ(doc.m_SectionStats.m_dTotalArea, 0.0);
    EXPECT_EQ(doc.m_SectionStats.m_dDilution, 0.0);
    EXPECT_EQ(doc.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_Section.m_dArea, 0.0);
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0],
              "The range of the cross section is too large, please reset the cutplane's position again.");
}

TEST_F(SectionTest, SectionImageHeaderAndColourTable) {
    BuildSectionCase(m_doc, {StraightJet{}});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    const CDib* dib = Plane().Image();
    ASSERT_NE(dib, nullptr);
    const BITMAPINFOHEADER* bi = dib->Header();
    EXPECT_EQ(bi->biSize, 40u);
    EXPECT_EQ(bi->biBitCount, 8);
    EXPECT_EQ(bi->biXPelsPerMeter, 2925);
    EXPECT_EQ(bi->biWidth, Plane().ImageWidth());
    EXPECT_EQ(bi->biHeight, Plane().ImageHeight());
    EXPECT_EQ(dib->BlockSize(), 1064u + static_cast<std::size_t>(dib->Stride()) * bi->biHeight);
    const RGBQUAD* t = const_cast<CDib*>(dib)->ColorTable();
    EXPECT_EQ(t[0].rgbBlue, 124);
    EXPECT_EQ(t[0].rgbGreen, 1);
    EXPECT_EQ(t[127].rgbRed, 127 * 253 / 254 + 1);
    EXPECT_EQ(t[254].rgbGreen, 254);
    EXPECT_EQ(t[255].rgbBlue, 255);
    EXPECT_EQ(t[255].rgbRed, 255);
    ASSERT_NE(Plane().Palette(), nullptr);
}

TEST_F(SectionTest, OverlappingIndicesAddModulo256AndNeverGiveBackground) {
    StraightJet a, b;
    a.m_dConc = 0.5;   // table entry 127
    b.m_dConc = 0.25;  // table entry 63
    b.m_dStart[1] = 2.0;
    double c[3];
    struct Case {
        int ia, ib, sum;
    } cases[] = {{128, 127, 254}, {200, 100, 44}};
    for (const Case& k : cases) {
        // The section takes its colour table from whoever shows the jets.
        struct FixedColours : CSectionColours {
            ColourTable m_Table{};
            const ColourTable& SectionColourTable() const override { return m_Table; }
        } colours;
        CAppState app;
        CScriptedPrompt prompt;
        CCase doc(app, prompt);
        BuildSectionCase(doc, {a, b});
        doc.m_RangeMin.m_fConc = 0.0f;
        doc.m_RangeMax.m_fConc = 1.0f;
        colours.m_Table = doc.SectionColourTable();
        colours.m_Table[127] = ColourTableEntry{k.ia, k.ia, 0.0, 1.0};
        colours.m_Table[63] = ColourTableEntry{k.ib, k.ib, 0.0, 1.0};
        doc.SetSectionColours(&colours);
        DiskCentre(*doc.GetCurrentRiser()->m_Jets[0], 90, c);
        doc.SetCutPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified, true);
        ASSERT_TRUE(doc.m_CutPlane.m_bOverlap);
        auto h = Histogram(*doc.m_CutPlane.Image());
        EXPECT_GT(h[k.ia], 0);
        EXPECT_GT(h[k.ib], 0);
        EXPECT_GT(h[k.sum], 0);
        EXPECT_EQ(h.size(), 4u);  // the two indices, their sum and background
    }
}

TEST_F(SectionTest, ValuesBelowTheLevelMinimumStayBackground) {
    StraightJet a, b;
    a.m_dConc = 0.5;
    b.m_dConc = 0.25;
    b.m_dStart[1] = 10.0;
    b.m_dFlow = 7.0;
    BuildSectionCase(m_doc, {a, b});
    m_doc.m_RangeMin.m_fConc = 0.3f;
    m_doc.m_RangeMax.m_fConc = 1.0f;
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    const CSectionStats& st = m_doc.m_SectionStats;
    EXPECT_EQ(Jet(1).m_Section.m_dArea, 0.0);
    EXPECT_NEAR(st.m_dTotalArea, Jet(0).m_Section.m_dArea, 1e-12);
    EXPECT_NEAR(Plane().CountCoveredPixels(), st.m_dTotalArea * 400.0, 0.01 * st.m_dTotalArea * 400.0);
    EXPECT_DOUBLE_EQ(st.m_dFlow, Jet(0).m_dFlow);  // the unseen jet brings no discharge
    EXPECT_NEAR(st.m_dCompositeMean, 0.5, 1e-6);
}

TEST_F(SectionTest, ProbeSumsTheValuesOfThePolygonsUnderThePixel) {
    StraightJet a, b;
    a.m_dConc = 0.5;
    b.m_dConc = 0.25;
    b.m_dStart[1] = 2.0;
    BuildSectionCase(m_doc, {a, b});
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    // The midpoint of the two axes lies inside both jets.
    double mid[3];
    DiskCentre(Jet(1), 90, mid);
    int column, row;
    Plane().WorldToPixel(c[0] + 0.3, (c[1] + mid[1]) / 2, (c[2] + mid[2]) / 2, column, row);
    double x, y, z;
    std::vector<CPolygon*> hits;
    EXPECT_NEAR(Plane().Probe(column, row, x, y, z, &hits), 0.75, 1e-5);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_NEAR(hits[0]->m_fProbeValue + hits[1]->m_fProbeValue, 0.75, 1e-5);
    EXPECT_NEAR(x, c[0] + 0.3, 0.01);
}

TEST_F(SectionTest, NormalPlaneAtADiskIsThatDisk) {
    StraightJet a, b;
    a.m_dHAngle = -0.6;  // runs to the far side of the current axis (model y < 0)
    a.m_dVAngle = 0.4;
    a.m_dStart[2] = 1.0;
    a.m_nDisks = 60;
    b.m_dStart[1] = 30.0;
    BuildSectionCase(m_doc, {a, b});
    m_doc.GetCurrentRiser()->m_nCurrentJet = 0;
    m_doc.SetCutPlane(0.0, 0.0, 0.0, 500, CutPlaneKind::NormalToJet, true);
    EXPECT_EQ(Plane().m_nDiskNo, 59);  // held to the last disk
    EXPECT_EQ(Jet(0).m_nCurrentDisk, 59);
    EXPECT_EQ(m_doc.SelectedDisk(), 59);
    // The plane holds the whole disk: every point of its outline lies on it.
    std::vector<TubeCrossing> outline;
    ASSERT_TRUE(Jet(0).m_pDisplay->PickedDiskOutline(30, outline));
    m_doc.SetCutPlane(0.0, 0.0, 0.0, 30, CutPlaneKind::NormalToJet, true);
    for (const TubeCrossing& p : outline)
        EXPECT_NEAR(p.m_dPos[0] * Plane().m_dEquation[0] + p.m_dPos[1] * Plane().m_dEquation[1] +
                        p.m_dPos[2] * Plane().m_dEquation[2] + Plane().m_dEquation[3],
                    0.0, 1e-9);
    ASSERT_EQ(Plane().Polygons().size(), 1u);  // the other jet runs elsewhere
    EXPECT_EQ(Plane().Polygons()[0]->m_aVertices.size(), 32u);
    const CSectionStats& st = m_doc.m_SectionStats;
    EXPECT_NEAR(st.m_Selected.m_dArea, kPi * 4.0, 1e-9);
    EXPECT_DOUBLE_EQ(st.m_Selected.m_dHSpan, 2.0);
    EXPECT_DOUBLE_EQ(st.m_dCompositeMean, 0.5);

    // Any other kind clears the mark: the jet is cut like every other.
    m_doc.SetCutPlane(0.0, 90.0, 200.0, 30, CutPlaneKind::Horizontal, false);
    EXPECT_FALSE(Jet(0).m_bSectionAtDisk);
}

TEST_F(SectionTest, NormalPlaneMeasuresAnUnmarkedCurrentJetFromItsCut) {
    // Two parallel jets; the plane is put normal to the first at disk 90.
    StraightJet a, b;
    b.m_dStart[1] = 10.0;
    BuildSectionCase(m_doc, {a, b});
    // Disk 0 of the second jet (the port) is much narrower than its cut.
    Jet(1).m_pDisplay->m_Disks[0].m_dRadius = 0.25;
    m_doc.GetCurrentRiser()->m_nCurrentJet = 0;
    m_doc.SetCutPlane(0.0, 0.0, 0.0, 90, CutPlaneKind::NormalToJet, true);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    EXPECT_NEAR(Jet(0).m_Section.m_dArea, kPi * 4.0, 1e-9);
    EXPECT_NEAR(Jet(1).m_Section.m_dArea, GonArea(2.0), 0.03 * GonArea(2.0));

    // The second jet becomes the current one while the plane stays: its
    // polygon is its cut, not a disk, and is measured as such.
    m_doc.GetCurrentRiser()->m_nCurrentJet = 1;
    m_doc.RecomputeSection();
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    const CSectionStats& st = m_doc.m_SectionStats;
    EXPECT_NEAR(st.m_Selected.m_dArea, GonArea(2.0), 0.03 * GonArea(2.0));
    EXPECT_NEAR(st.m_Selected.m_dHSpan, 4.0, 0.1);
    EXPECT_NEAR(st.m_dSumOfArea, Jet(0).m_Section.m_dArea + Jet(1).m_Section.m_dArea, 1e-12);
}

TEST_F(SectionTest, SectionOfAnOpenedCaseNeedsNoFrameDrawnFirst) {
    StraightJet a, b;
    b.m_dStart[1] = 2.0;  // overlapping
    BuildSectionCase(m_doc, {a, b});
    ASSERT_TRUE(Jet(0).m_pDisplay->IsTubePending()) << "nothing has asked for the tube yet";
    // The same case with every tube made before the section.
    CAppState app;
    CScriptedPrompt prompt;
    CCase built(app, prompt);
    BuildSectionCase(built, {a, b});
    for (const auto& jet : built.GetCurrentRiser()->m_Jets) jet->m_pDisplay->Rings();

    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3);
    built.SetCutPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified, true);
    ASSERT_EQ(Plane().Polygons().size(), 2u);
    ASSERT_EQ(built.m_CutPlane.Polygons().size(), 2u);
    EXPECT_GT(m_doc.m_SectionStats.m_dTotalArea, 0.0);
    EXPECT_EQ(m_doc.m_SectionStats.m_dTotalArea, built.m_SectionStats.m_dTotalArea);
    EXPECT_EQ(m_doc.m_SectionStats.m_dSumOfArea, built.m_SectionStats.m_dSumOfArea);
    EXPECT_EQ(Plane().ImageWidth(), built.m_CutPlane.ImageWidth());
    EXPECT_EQ(Plane().ImageHeight(), built.m_CutPlane.ImageHeight());
}

// A row of ports whose plumes have merged: every port's tube has the radius
// b of the merged field, and neighbouring axes stand 2a < 2b apart, so the
// tubes form one wall. A cross-section through the wall covers the union of
// the circles, in which each overlap counts once: (N - 1) strips of the
// width of the spacing and the two end caps, the area the jet model gives
// the merged row. The composite dilution follows from that area, not from
// the sum of the jets' own areas.
TEST_F(SectionTest, CrossSectionThroughAMergedWallCountsEveryOverlapOnce) {
    const int n = 6;
    const double b = 2.0, a = 1.5;  // half spacing below the radius: merged
    const double flow = 0.05, current = 0.2;
    std::vector<StraightJet> row(n);
    for (int k = 0; k < n; ++k) {
        row[k].m_dStart[1] = 2.0 * a * k;
        row[k].m_dRadius = b;
        row[k].m_dFlow = flow;
    }
    BuildSectionCase(m_doc, row, current);
    double c[3];
    DiskCentre(Jet(0), 90, c);
    CutAcrossX(c[0] + 0.3, CutPlaneKind::CrossSection);
    ASSERT_EQ(Plane().Polygons().size(), static_cast<std::size_t>(n));
    EXPECT_TRUE(Plane().m_bOverlap);

    const double strip = 2.0 * (a * std::sqrt(b * b - a * a) + b * b * std::asin(a / b));
    const double disk = kPi * b * b;
    const double wall = (n - 1) * strip + disk;
    ASSERT_LT(wall, 0.9 * n * disk) << "the circles must overlap for the test to tell union from sum";
    const CSectionStats& st = m_doc.m_SectionStats;
    // Inscribed 32-gons and the pixel raster: within 1.5 % of the circles.
    EXPECT_NEAR(st.m_dTotalArea, wall, 0.015 * wall);
    EXPECT_NEAR(st.m_dSumOfArea, n * disk, 0.015 * n * disk);
    EXPECT_DOUBLE_EQ(st.m_dFlow, n * flow);
    EXPECT_NEAR(st.m_dCurrent, current, 1e-12);
    const double dilution = 2.0 * current * wall / (n * flow);
    EXPECT_NEAR(st.m_dDilution, dilution, 0.015 * dilution);
    EXPECT_LT(st.m_dDilution, 0.95 * 2.0 * current * st.m_dSumOfArea / (n * flow));
}
