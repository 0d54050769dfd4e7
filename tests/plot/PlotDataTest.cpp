// Plots built from jet series keep each jet's colour place whatever is
// overlaid, carry units, and their CSV form holds exactly the plotted points.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>
#include <tuple>

#include "SyntheticCase.h"
#include "model/Case.h"
#include "plot/JetPalette.h"
#include "plot/PlotCsv.h"
#include "plot/PlotData.h"
#include "plot/PlotLegend.h"
#include "support/ScriptedPrompt.h"

namespace {
std::vector<std::string> SplitCsv(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            cell += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.push_back(cell);
            cell.clear();
        } else {
            cell += c;
        }
    }
    cells.push_back(cell);
    return cells;
}

class PlotDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        BuildSyntheticCase(m_doc, 4, 40);
        m_doc.GetOutfall(0)->GetRiser(1)->GetJet(0)->m_strName = "Port \"A\", east";
        m_doc.PlaceJets();
        m_series = MakeCaseSeries(m_doc, nullptr);
    }
    CAppState m_app;
    CScriptedPrompt m_prompt;
    CCase m_doc{m_app, m_prompt};
    std::vector<JetSeries> m_series;
};

TEST_F(PlotDataTest, OverlaidJetsKeepTheirPlaceAndColour) {
    const PlotData alone = BuildPlot(PlotKind::DilutionAlongPath, {m_series[2]});
    const PlotData both = BuildPlot(PlotKind::DilutionAlongPath, {m_series[0], m_series[2]});
    std::set<int> ordinals;
    for (const PlotCurve& c : both.m_Curves) ordinals.insert(c.m_nOrdinal);
    EXPECT_EQ(ordinals, (std::set<int>{0, 2}));
    for (const PlotCurve& c : alone.m_Curves) EXPECT_EQ(c.m_nOrdinal, 2);
    // The palette gives different jets different colours, the same jet the same.
    std::set<std::tuple<int, int, int>> seen;
    for (int i = 0; i < JetPaletteSize(); ++i) {
        const JetColour c = JetPaletteColour(i);
        EXPECT_TRUE(seen.insert({c.r, c.g, c.b}).second) << i;
        EXPECT_LT(c.r + c.g + c.b, 3 * 235) << "too pale to see on white: " << i;
    }
    EXPECT_EQ(JetPaletteColour(3).r, JetPaletteColour(3 + JetPaletteSize()).r);
}

TEST(JetPaletteTest, TwentyJetsGetColoursThatStayApart) {
    ASSERT_GE(JetPaletteSize(), 20);
    // The weighted ("redmean") distance between two colours.
    auto distance = [](const JetColour& a, const JetColour& b) {
        const double r = (a.r + b.r) / 2.0, dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
        return std::sqrt((2 + r / 256) * dr * dr + 4 * dg * dg + (2 + (255 - r) / 256) * db * db);
    };
    for (int i = 0; i < 20; ++i)
        for (int j = i + 1; j < 20; ++j)
            EXPECT_GE(distance(JetPaletteColour(i), JetPaletteColour(j)), 100.0) << i << " and " << j;
}

TEST_F(PlotDataTest, TheLegendNamesEachJetOnceAndSaysWhichLineIsWhichQuantity) {
    auto texts = [](const std::vector<LegendEntry>& legend) {
        std::vector<std::string> out;
        for (const LegendEntry& e : legend) out.push_back(e.m_strText);
        return out;
    };
    const std::vector<LegendEntry> dilution =
        BuildLegend(BuildPlot(PlotKind::DilutionAlongPath, {m_series[0], m_series[2]}));
    ASSERT_EQ(texts(dilution), (std::vector<std::string>{m_series[0].Label(), m_series[2].Label(),
                                                         "centreline dilution (solid)", "average dilution (dashed)"}));
    EXPECT_EQ(dilution[0].m_Kind, LegendKind::Jet);
    EXPECT_EQ(dilution[1].m_nOrdinal, 2);
    EXPECT_EQ(dilution[2].m_Line, LegendLine::Solid);
    EXPECT_EQ(dilution[3].m_Line, LegendLine::Dashed);
    EXPECT_EQ(dilution[3].m_Kind, LegendKind::LineKind);

    const std::vector<LegendEntry> width = BuildLegend(BuildPlot(PlotKind::WidthAndVelocity, {m_series[1]}));
    EXPECT_EQ(texts(width), (std::vector<std::string>{m_series[1].Label(), "half width (solid)", "velocity (dashed)"}));
    // One kind of line: nothing to tell apart; the levels and the band are named.
    const std::vector<LegendEntry> elevation = BuildLegend(BuildPlot(PlotKind::Elevation, {m_series[1]}));
    EXPECT_EQ(texts(elevation),
              (std::vector<std::string>{m_series[1].Label(), "half-width band", "water surface", "sea bed"}));
    EXPECT_EQ(elevation[2].m_Line, LegendLine::Dotted);
}

TEST(PlotLegendTest, PastThePalettesColoursTheLegendSaysHowManyMoreJetsThereAre) {
    // 25 jets of two lines each: 20 named, then how many more (each jet once).
    PlotData plot;
    for (int j = 0; j < 25; ++j)
        for (bool dashed : {false, true}) {
            PlotCurve c;
            c.m_Role = CurveRole::Line;
            c.m_strJet = "Riser" + std::to_string(j + 1) + " / Jet1";
            c.m_strName = dashed ? "average dilution" : "centreline dilution";
            c.m_bDashed = dashed;
            c.m_nOrdinal = j;
            plot.m_Curves.push_back(c);
        }
    const std::vector<LegendEntry> legend = BuildLegend(plot);
    ASSERT_EQ(legend.size(), 23u);
    EXPECT_EQ(legend[19].m_strText, "Riser20 / Jet1");
    EXPECT_EQ(legend[20].m_strText, "and 5 more jets (their colours repeat)");
    EXPECT_EQ(legend[20].m_Kind, LegendKind::More);
    EXPECT_EQ(legend[22].m_strText, "average dilution (dashed)");
    // Twenty jets: every one named, nothing more to say.
    plot.m_Curves.resize(40);
    EXPECT_EQ(BuildLegend(plot).size(), 22u);
}

TEST_F(PlotDataTest, EveryKindHasTitlesWithUnitsAndItsCurves) {
    for (int k = 0; k < kPlotKindCount; ++k) {
        const PlotData p = BuildPlot(static_cast<PlotKind>(k), {m_series[1]});
        EXPECT_NE(p.m_strXTitle.find("("), std::string::npos) << p.m_strTitle;
        EXPECT_NE(p.m_strYTitle.find("("), std::string::npos) << p.m_strTitle;
        int lines = 0;
        for (const PlotCurve& c : p.m_Curves)
            if (c.m_Role == CurveRole::Line) {
                ++lines;
                EXPECT_EQ(c.m_Points.size(), m_series[1].m_Samples.size());
            }
        EXPECT_GE(lines, 1) << p.m_strTitle;
    }
    const PlotData wv = BuildPlot(PlotKind::WidthAndVelocity, {m_series[1]});
    EXPECT_EQ(wv.m_strY2Title, "Velocity (m/s)");
    for (const PlotCurve& c : wv.m_Curves)
        if (c.m_strName == "velocity") {
            EXPECT_TRUE(c.m_bRightAxis);
        }
}

TEST_F(PlotDataTest, ElevationHasBandLevelsAndOnePairOfLevelsForEqualPorts) {
    JetSeries s = m_series[0];
    s.m_Samples[3].m_dVAngle = 0.0;  // horizontal axis: edges straight above and below
    s.m_dSurface = 18.5;
    s.m_dBed = -1.5;
    JetSeries t = m_series[1];
    t.m_dSurface = 18.5;
    t.m_dBed = -1.5;
    const PlotData p = BuildPlot(PlotKind::Elevation, {s, t});
    int surfaces = 0, beds = 0;
    const PlotCurve* upper = nullptr;
    const PlotCurve* lower = nullptr;
    for (const PlotCurve& c : p.m_Curves) {
        if (c.m_strName == "water surface") {
            ++surfaces;
            EXPECT_EQ(c.m_Points[0].y, 18.5);
        }
        if (c.m_strName == "sea bed") {
            ++beds;
            EXPECT_EQ(c.m_Points[1].y, -1.5);
        }
        if (c.m_Role == CurveRole::BandUpper && c.m_nOrdinal == 0) upper = &c;
        if (c.m_Role == CurveRole::BandLower && c.m_nOrdinal == 0) lower = &c;
    }
    EXPECT_EQ(surfaces, 1);
    EXPECT_EQ(beds, 1);
    ASSERT_TRUE(upper && lower);
    const JetSample& q = s.m_Samples[3];
    EXPECT_NEAR(upper->m_Points[3].y, q.m_dHeight + q.m_dHalfWidth, 1e-12);
    EXPECT_NEAR(lower->m_Points[3].y, q.m_dHeight - q.m_dHalfWidth, 1e-12);
    EXPECT_NEAR(upper->m_Points[3].x, q.m_dHorizontal, 1e-12);
}

TEST_F(PlotDataTest, CsvHoldsThePlottedPoints) {
    const PlotData p = BuildPlot(PlotKind::WidthAndVelocity, {m_series[0], m_series[2]});
    const std::string csv = PlotCsv(p);
    std::istringstream in(csv);
    std::string line;
    ASSERT_TRUE(std::getline(in, line));
    const auto header = SplitCsv(line);
    ASSERT_EQ(header.size(), 5u);
    EXPECT_EQ(header[2], "Distance along the path (m)");
    std::vector<std::vector<std::string>> rows;
    while (std::getline(in, line)) rows.push_back(SplitCsv(line));
    std::size_t points = 0;
    for (const PlotCurve& c : p.m_Curves) points += c.m_Points.size();
    ASSERT_EQ(rows.size(), points);
    std::size_t r = 0;
    for (const PlotCurve& c : p.m_Curves) {
        for (const PlotPoint& q : c.m_Points) {
            const auto& row = rows[r++];
            ASSERT_EQ(row.size(), 5u) << r;
            EXPECT_EQ(row[0], c.m_strJet);
            EXPECT_EQ(row[1], c.m_strName);
            EXPECT_NEAR(std::stod(row[2]), q.x, 1e-9 * (1 + std::fabs(q.x)));
            EXPECT_EQ(row[3], c.m_bRightAxis ? "Velocity (m/s)" : "Half width (m)");
            EXPECT_NEAR(std::stod(row[4]), q.y, 1e-9 * (1 + std::fabs(q.y)));
        }
    }
    // The jet whose name holds a comma and quotes comes back whole.
    EXPECT_EQ(rows.back()[0], "Riser2 / Port \"A\", east");
}

TEST_F(PlotDataTest, AProfilePlotHasEveryRowWithDepthDownwards) {
    const PlotData d = BuildDensityProfilePlot(*m_doc.Ambient());
    EXPECT_TRUE(d.m_bYDown);
    ASSERT_EQ(d.m_Curves.size(), 1u);
    ASSERT_EQ(d.m_Curves[0].m_Points.size(), 2u);
    EXPECT_NEAR(d.m_Curves[0].m_Points[1].x, 1.0250, 1e-12);
    EXPECT_EQ(d.m_Curves[0].m_Points[1].y, 20.0);
    EXPECT_EQ(BuildCurrentProfilePlot(*m_doc.Ambient()).m_Curves[0].m_Points[0].x, 0.1);
}
}  // namespace

TEST_F(PlotDataTest, TheBandStaysBetweenBedAndSurfaceAndAJetOnTheBedIsMarked) {
    JetSeries s = m_series[0];
    for (JetSample& p : s.m_Samples) p.m_dVAngle = 0.0;  // edges straight above and below the axis
    s.m_Samples[2].m_dHalfWidth = 50.0;                  // wider than the water is deep
    s.m_dSurface = 18.5;
    s.m_dBed = -1.5;
    const PlotData p = BuildPlot(PlotKind::Elevation, {s});
    const PlotCurve* bed = nullptr;
    for (const PlotCurve& c : p.m_Curves) {
        if (c.m_Role == CurveRole::BandUpper || c.m_Role == CurveRole::BandLower) {
            for (const PlotPoint& q : c.m_Points) {
                EXPECT_LE(q.y, 18.5) << c.m_strName;
                EXPECT_GE(q.y, -1.5) << c.m_strName;
            }
        }
        if (c.m_Role == CurveRole::BedContact) bed = &c;
    }
    ASSERT_TRUE(bed) << "the band reached the bed";
    ASSERT_EQ(bed->m_Points.size(), 1u);
    EXPECT_EQ(bed->m_Points[0].y, -1.5);
    EXPECT_NEAR(bed->m_Points[0].x, s.m_Samples[2].m_dHorizontal, 1e-12);

    // A jet that stays clear of the bed has no mark.
    JetSeries t = m_series[1];
    t.m_dSurface = 1e3;
    t.m_dBed = -1e3;
    for (const PlotCurve& c : BuildPlot(PlotKind::Elevation, {t}).m_Curves) EXPECT_NE(c.m_Role, CurveRole::BedContact);
}
