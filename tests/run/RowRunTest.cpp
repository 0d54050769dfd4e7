// Whole runs of the jet model with a row of ports: the plumes of close
// ports merge and dilute less than ports alone, and a row whose ports share
// risers standing far apart is warned of.
#include <gtest/gtest.h>

#include <algorithm>

#include "RunFixture.h"
#include "base/MatrixFunctions.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"

#ifdef PLUMEX_REAL_MODEL
namespace {
class RowRunTest : public RunFixture {
protected:
    void SetUp() override {
        Settings().m_strModelProgram = PLUMEX_REAL_MODEL;
        // Still unstratified water 30 m deep; fresh effluent.
        m_doc.SetProfile({{0.0, 1.025, 0.0, 0.0}, {30.0, 1.025, 0.0, 0.0}});
    }
    // The average dilution every jet reached; all jets must have results.
    std::vector<double> Dilutions() {
        std::vector<double> s;
        m_doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
            EXPECT_GT(j.GetDiskCount(), 10) << j.m_strName;
            s.push_back(j.m_KeyParams.m_dSb);
        });
        return s;
    }
};
}  // namespace

TEST_F(RowRunTest, PortsOnThePipeMergeWhenMergingIsOnAndNotWhenOff) {
    m_doc.SetNoRiser(true);
    MakeJets(10);
    m_doc.GetOutfall(0)->m_dJetSpacing = 1.0;
    m_doc.GetOutfall(0)->m_dDepth = 21.0;

    ASSERT_TRUE(Run(true)) << (m_prompt.Empty() ? "" : m_prompt.Texts()[0]);
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 10);
    const std::vector<double> merged = Dilutions();

    m_doc.SetRunOptions(RunOptions{m_doc.IsContinuous(), m_doc.MaxTimeSteps(), false});
    ASSERT_TRUE(Run(true));
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 1);
    const std::vector<double> alone = Dilutions();
    EXPECT_FALSE(JetAt(0).m_KeyParams.m_Row.HasRow());
    ASSERT_EQ(merged.size(), alone.size());
    for (std::size_t k = 0; k < merged.size(); ++k) {
        // Plumes 1 m apart share their water long before the surface.
        EXPECT_LT(merged[k], 0.8 * alone[k]) << k;
        EXPECT_GT(merged[k], 1.0) << k;
    }
}

TEST_F(RowRunTest, PortsSharingRisersFarApartAreWarnedOf) {
    MakeJets(4);
    m_doc.Add(TreeLevel::Riser);
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 50.0;
    ASSERT_TRUE(Run(true));
    const std::vector<std::string> texts = m_prompt.Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("riser spacing of 50.0 m"), std::string::npos) << texts[0];
    EXPECT_EQ(JetAt(0).m_KeyParams.m_nPorts, 8);

    // Risers close enough for their plumes to meet: nothing to tell.
    m_doc.GetOutfall(0)->GetRiser(1)->m_dDistance = 2.0;
    m_prompt.Clear();
    ASSERT_TRUE(Run(true));
    EXPECT_TRUE(m_prompt.Empty()) << m_prompt.Texts()[0];
}
namespace {
// Area of the union of the section's polygons, sampled on a fine grid in
// the plane's own coordinates: a point counts once however many polygons
// hold it.
double SampledUnionArea(const CCutPlane& plane) {
    std::vector<std::vector<std::pair<double, double>>> outlines;
    double lo[2] = {1e300, 1e300}, hi[2] = {-1e300, -1e300};
    for (const auto& poly : plane.Polygons()) {
        outlines.emplace_back();
        for (const SectionVertex& v : poly->m_aVertices) {
            double px, py;
            plane.WorldToPlane(v.m_dX, v.m_dY, v.m_dZ, px, py);
            outlines.back().emplace_back(px, py);
            lo[0] = std::min(lo[0], px), hi[0] = std::max(hi[0], px);
            lo[1] = std::min(lo[1], py), hi[1] = std::max(hi[1], py);
        }
    }
    const int n = 800;
    const double dx = (hi[0] - lo[0]) / n, dy = (hi[1] - lo[1]) / n;
    long long inside = 0;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            const double x = lo[0] + (i + 0.5) * dx, y = lo[1] + (j + 0.5) * dy;
            for (const auto& o : outlines) {
                bool in = false;
                for (std::size_t a = 0, b = o.size() - 1; a < o.size(); b = a++)
                    if ((o[a].second > y) != (o[b].second > y) &&
                        x < o[b].first + (y - o[b].second) * (o[a].first - o[b].first) / (o[a].second - o[b].second))
                        in = !in;
                if (in) {
                    ++inside;
                    break;
                }
            }
        }
    return static_cast<double>(inside) * dx * dy;
}
}  // namespace

// Ten ports 1 m apart in a current across the pipe: the model reports where
// their plumes merge, and a cross-section downstream of that point, through
// the merged wall, measures the area the plumes cover together (each overlap
// once) and the composite dilution from it.
TEST_F(RowRunTest, TheRowsMergingIsReadAndTheSectionThroughTheWallCountsEachOverlapOnce) {
    const double current = 0.1;
    m_doc.SetProfile({{0.0, 1.025, 0.0, current}, {30.0, 1.025, 0.0, current}});
    m_doc.SetNoRiser(true);
    MakeJets(10);
    m_doc.GetOutfall(0)->m_dJetSpacing = 1.0;
    m_doc.GetOutfall(0)->m_dDepth = 21.0;
    ASSERT_TRUE(Run(true));
    double flow = 0.0;
    for (int k = 0; k < 10; ++k) {
        const CJet& j = JetAt(k);
        const CRowMerging& row = j.m_KeyParams.m_Row;
        SCOPED_TRACE(k);
        EXPECT_EQ(row.m_nPorts, 10);
        EXPECT_NEAR(row.m_dSpacing, 1.0, 1e-4);
        ASSERT_TRUE(row.m_bMerged);
        // Merged on the way up, diluted less there than at the end.
        EXPECT_GT(row.m_dZ, 0.0);
        EXPECT_LT(row.m_dZ, j.m_pDisplay->m_Disks.back().m_dZ);
        EXPECT_GT(row.m_dDilution, 1.0);
        EXPECT_LT(row.m_dDilution, j.m_KeyParams.m_dSb);
        EXPECT_GT(row.m_dHalfLength, 4.5);
        flow += j.m_dFlow;
    }

    // The plane normal to the current, halfway between the merging point of
    // the first jet and its end.
    const CJet& first = JetAt(0);
    const auto& disks = first.m_pDisplay->m_Disks;
    std::size_t merge = 0;
    while (merge < disks.size() && disks[merge].m_dX < first.m_KeyParams.m_Row.m_dX) ++merge;
    const std::size_t at = (merge + disks.size()) / 2;
    double m[16], centre[3];
    const double origin[3] = {0.0, 0.0, 0.0};
    first.m_pDisplay->DiskMatrix(disks[at], m);
    MatTransformPoint(m, origin, centre);
    m_doc.SetCutPlane(90.0, 0.0, centre[0], 200, CutPlaneKind::CrossSection, true);
    ASSERT_EQ(m_doc.m_CutPlane.Polygons().size(), 10u);
    ASSERT_TRUE(m_doc.m_CutPlane.m_bOverlap);

    const CSectionStats& st = m_doc.m_SectionStats;
    const double wall = SampledUnionArea(m_doc.m_CutPlane);
    EXPECT_LT(wall, 0.8 * st.m_dSumOfArea) << "the plumes overlap";
    EXPECT_NEAR(st.m_dTotalArea, wall, 0.02 * wall);
    EXPECT_NEAR(st.m_dFlow, flow, 1e-12);
    EXPECT_NEAR(st.m_dDilution, 2.0 * current * wall / flow, 0.02 * 2.0 * current * wall / flow);
}
#endif
