// Scan conversion of section polygons into their value grids.
#include <gtest/gtest.h>

#include <vector>

#include "geometry/Polygon.h"

namespace {
// A polygon given directly in pixels, its box set to rcBox.
void SetPixels(CPolygon& p, const std::vector<PixelPoint>& pts, const std::vector<float>& values, CRect rcBox) {
    p.m_aPixels = pts;
    p.m_aVertices.clear();
    for (float v : values) {
        SectionVertex sv;
        sv.m_fValue = v;
        p.m_aVertices.push_back(sv);
    }
    p.m_rcPixel = rcBox;
}

int CountNonZero(const std::vector<float>& grid) {
    int n = 0;
    for (float v : grid) n += v != 0.0f;
    return n;
}
}  // namespace

TEST(PolygonFill, SquareCoversItsCellsWithValuesInterpolatedAlongRows) {
    CPolygon p;
    // Left side carries 1, right side 3 (an edge takes its upper vertex's value).
    SetPixels(p, {{10, 20}, {20, 20}, {20, 30}, {10, 30}}, {1.0f, 3.0f, 3.0f, 1.0f}, CRect(10, 20, 20, 30));
    const int stride = 11;
    std::vector<float> grid(stride * 15, 0.0f);
    p.Fill(grid.data(), stride);
    EXPECT_EQ(CountNonZero(grid), 100);
    EXPECT_EQ(p.m_nCells, 100);
    // Cells are sampled at their centres.
    EXPECT_FLOAT_EQ(grid[0], 1.1f);
    EXPECT_FLOAT_EQ(grid[5 * stride + 5], 2.1f);
    EXPECT_FLOAT_EQ(grid[9 * stride + 9], 2.9f);
    EXPECT_FLOAT_EQ(grid[9 * stride + 10], 0.0f);  // right column is exclusive
    EXPECT_NEAR(p.m_dMin, 1.1, 1e-6);
    EXPECT_NEAR(p.m_dMax, 2.9, 1e-6);
}

TEST(PolygonFill, TriangleWithHorizontalEdgeHalvesItsBox) {
    CPolygon p;
    SetPixels(p, {{0, 0}, {20, 0}, {0, 20}}, {1.0f, 1.0f, 1.0f}, CRect(0, 0, 20, 20));
    std::vector<float> grid(21 * 25, 0.0f);
    p.Fill(grid.data(), 21);
    // Row i holds the centres of columns 0 .. 18 - i: 19 + 18 + ... + 0
    // cells, against an area of 200 (the diagonal passes through centres,
    // which it leaves out).
    EXPECT_EQ(CountNonZero(grid), 190);
}

TEST(PolygonFill, AllVerticesOnOneRowFillNothing) {
    CPolygon p;
    SetPixels(p, {{0, 4}, {9, 4}, {5, 4}}, {1.0f, 2.0f, 3.0f}, CRect(0, 4, 9, 4));
    std::vector<float> grid(10 * 6, 0.0f);
    p.Fill(grid.data(), 10);
    EXPECT_EQ(CountNonZero(grid), 0);
    EXPECT_DOUBLE_EQ(p.m_dMax, 0.0);
    EXPECT_DOUBLE_EQ(p.m_dMin, 100.0);
}

TEST(PolygonFill, VerticesOutsideTheirBoxNeverWriteOutsideTheGrid) {
    CPolygon p;
    // The box says 10 x 10 but the vertices reach far beyond it on every side.
    SetPixels(p, {{-50, -40}, {70, -40}, {70, 60}, {-50, 60}}, {1.0f, 1.0f, 1.0f, 1.0f}, CRect(0, 0, 10, 10));
    const int stride = 11;
    const float guard = -7.0f;
    std::vector<float> grid(stride * 15, guard);
    p.Fill(grid.data(), stride);
    for (int i = 0; i < 15; ++i)
        for (int j = 0; j < stride; ++j) {
            const float v = grid[i * stride + j];
            if (i < 10 && j < 10) EXPECT_FLOAT_EQ(v, 1.0f) << i << "," << j;
            else EXPECT_FLOAT_EQ(v, guard) << i << "," << j;
        }
}

TEST(PolygonFill, GridIsSizedFromThePixelBoxAndBoxGrowsWithVertices) {
    CPolygon p;
    EXPECT_DOUBLE_EQ(p.m_dBox[0], 10000.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[1], -10000.0);
    SectionVertex a{1.0, -2.0, 3.0, 0.5f, 0}, b{-4.0, 5.0, 0.0, 0.5f, 0};
    p.AddVertex(a);
    p.AddVertex(b);
    p.GrowBox(0.0, 0.0, 9.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[0], -4.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[1], 1.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[2], -2.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[3], 5.0);
    EXPECT_DOUBLE_EQ(p.m_dBox[5], 9.0);
    EXPECT_EQ(p.m_aVertices.size(), 2u);

    p.m_rcPixel = CRect(0, 0, 7, 3);
    ASSERT_TRUE(p.AllocateGrid());
    EXPECT_EQ(p.GridStride(), 8);
    // (4 W + 20) (H + 5) bytes, all zero.
    for (int i = 0; i < (7 + 5) * (3 + 5); ++i) ASSERT_EQ(p.Values()[i], 0.0f);
}
