// The far field's plot: dilution and concentration of each outfall with a
// far field against the distance from the diffuser, the values of the far
// field itself, and upright lines at the edge and the points.
#include <gtest/gtest.h>

#include "plot/FarFieldPlot.h"

namespace {
OutfallFarField Field(const char* name, FarFieldStatus status) {
    OutfallFarField f;
    f.m_strOutfall = name;
    f.m_eStatus = status;
    f.m_Start.m_nJets = 2;
    f.m_Start.m_dWidth = 60.0;
    f.m_Start.m_dDilution = 80.0;
    f.m_Start.m_dTime = 400.0;
    f.m_Start.m_dAlong = 30.0;
    f.m_dCurrent = 0.105;
    return f;
}
}  // namespace

TEST(FarFieldPlot, CurvesOfTheOutfallsWithAFarFieldAndTheEdge) {
    FarFieldSettings s;
    s.m_dMixingZone = 2000.0;
    s.m_dT90Hours = 3.0;
    s.m_Points = {{"Beach", 1200.0}};
    const PlotData plot =
        BuildFarFieldPlot({Field("North", FarFieldStatus::Computed), Field("Still", FarFieldStatus::StillCurrent)}, s);
    EXPECT_EQ(plot.m_strTitle, kFarFieldPlotTitle);
    EXPECT_EQ(plot.m_strY2Title, "Concentration (FC/100 mL)");
    ASSERT_EQ(plot.m_Curves.size(), 4u);  // dilution, concentration, edge, beach
    const PlotCurve& dilution = plot.m_Curves[0];
    const PlotCurve& concentration = plot.m_Curves[1];
    EXPECT_EQ(dilution.m_strName, "North: dilution");
    EXPECT_FALSE(dilution.m_bRightAxis);
    EXPECT_TRUE(concentration.m_bRightAxis);
    // From the diffuser to twice the edge, the values of the far field.
    EXPECT_EQ(dilution.m_Points.front().x, 0.0);
    EXPECT_EQ(dilution.m_Points.back().x, 4000.0);
    const CFarFieldModel model(Field("North", FarFieldStatus::Computed).m_Start, 0.105, s);
    for (std::size_t k : {std::size_t(0), std::size_t(37), dilution.m_Points.size() - 1}) {
        const FarFieldValues v = model.At(dilution.m_Points[k].x);
        EXPECT_DOUBLE_EQ(dilution.m_Points[k].y, v.m_dDilution);
        EXPECT_DOUBLE_EQ(concentration.m_Points[k].y, v.m_dConcentration);
    }
    EXPECT_EQ(plot.m_Curves[2].m_Role, CurveRole::Reference);
    EXPECT_EQ(plot.m_Curves[2].m_Points.front().x, 2000.0);
    EXPECT_EQ(plot.m_Curves[3].m_strName, "Beach");
    EXPECT_EQ(plot.m_Curves[3].m_Points.back().y, dilution.m_Points.back().y);
}

TEST(FarFieldPlot, NothingToDrawWithoutAFarField) {
    const PlotData plot = BuildFarFieldPlot({Field("Still", FarFieldStatus::StillCurrent)}, FarFieldSettings{});
    EXPECT_TRUE(plot.m_Curves.empty());
}
