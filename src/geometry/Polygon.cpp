#include "geometry/Polygon.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

CPolygon::CPolygon() {
    for (int i = 0; i < 6; i += 2) {
        m_dBox[i] = kBoxMin;
        m_dBox[i + 1] = kBoxMax;
    }
}

CPolygon::~CPolygon() { FreeGrid(); }

void CPolygon::AddVertex(const SectionVertex& v) {
    m_aVertices.push_back(v);
    GrowBox(v.m_dX, v.m_dY, v.m_dZ);
}

void CPolygon::GrowBox(double x, double y, double z) {
    const double p[3] = {x, y, z};
    for (int k = 0; k < 3; ++k) {
        m_dBox[2 * k] = std::min(m_dBox[2 * k], p[k]);
        m_dBox[2 * k + 1] = std::max(m_dBox[2 * k + 1], p[k]);
    }
}

bool CPolygon::AllocateGrid() {
    FreeGrid();
    const long long w = std::max(0, m_rcPixel.Width());
    const long long h = std::max(0, m_rcPixel.Height());
    // (4 W + 20) (H + 5) bytes: W + 5 floats per row, 5 spare rows.
    const long long bytes = (4 * w + 20) * (h + 5);
    m_pValues = static_cast<float*>(std::malloc(static_cast<std::size_t>(bytes)));
    if (!m_pValues) return false;
    std::memset(m_pValues, 0, static_cast<std::size_t>(bytes));
    return true;
}

void CPolygon::FreeGrid() {
    std::free(m_pValues);
    m_pValues = nullptr;
}

namespace {
// One polygon edge during scan conversion; rows and x relative to the pixel box.
struct ScanEdge {
    int m_nEndRow;
    float m_fX;
    float m_fDx;
    float m_fValue;
};

// Order of the edge lists: x ascending, nearly equal x by slope.
bool EdgeBefore(const ScanEdge& a, const ScanEdge& b) {
    if (std::fabs(static_cast<double>(a.m_fX) - b.m_fX) < 1e-12) return a.m_fDx < b.m_fDx;
    return a.m_fX < b.m_fX;
}
}  // namespace

void CPolygon::Fill(float* grid, int stride) {
    m_dMax = 0.0;
    m_dMin = 100.0;
    const int w = m_rcPixel.Width();
    const int h = m_rcPixel.Height();
    const int n = static_cast<int>(std::min(m_aPixels.size(), m_aVertices.size()));
    if (!grid || w <= 0 || h <= 0 || n < 2) return;
    const int lastColumn = std::min(w, stride) - 1;

    // Edge table: one bucket per row, edges entering at that row.
    std::vector<std::vector<ScanEdge>> buckets(h + 1);
    for (int i = 0; i < n; ++i) {
        const int k = (i + 1) % n;
        const int yi = m_aPixels[i].y - m_rcPixel.top;
        const int yk = m_aPixels[k].y - m_rcPixel.top;
        if (yi == yk) continue;  // horizontal edges add nothing
        const int up = yi < yk ? i : k;
        const int lo = yi < yk ? k : i;
        const int upperRow = std::min(yi, yk);
        const int lowerRow = std::max(yi, yk);
        const float upperX = static_cast<float>(m_aPixels[up].x - m_rcPixel.left);
        const float lowerX = static_cast<float>(m_aPixels[lo].x - m_rcPixel.left);
        ScanEdge e{lowerRow, upperX, (lowerX - upperX) / static_cast<float>(lowerRow - upperRow),
                   m_aVertices[up].m_fValue};
        // Clip edges that begin above the box (only for positions outside
        // their own box) so that the fill stays inside the grid.
        int startRow = upperRow;
        if (startRow < 0) {
            if (lowerRow <= 0) continue;
            e.m_fX += e.m_fDx * static_cast<float>(-startRow);
            startRow = 0;
        }
        if (startRow >= h) continue;
        auto& b = buckets[startRow];
        b.insert(std::upper_bound(b.begin(), b.end(), e, EdgeBefore), e);
    }

    std::vector<ScanEdge> active;
    for (int i = 0; i < h; ++i) {
        for (const ScanEdge& e : buckets[i])
            active.insert(std::upper_bound(active.begin(), active.end(), e, EdgeBefore), e);
        float* row = grid + static_cast<std::size_t>(i) * stride;
        for (std::size_t p = 0; p + 1 < active.size(); p += 2) {
            const ScanEdge& a = active[p];
            const ScanEdge& b = active[p + 1];
            const int x0 = static_cast<int>(a.m_fX);
            const int x1 = static_cast<int>(b.m_fX);
            const int from = std::max(x0, 0);
            const int to = std::min(x1 - 1, lastColumn);
            for (int j = from; j <= to; ++j) {
                const float v = a.m_fValue + static_cast<float>(j - x0) * (b.m_fValue - a.m_fValue) /
                                                 static_cast<float>(x1 - x0);
                row[j] = v;
                m_dMax = std::max(m_dMax, static_cast<double>(v));
                m_dMin = std::min(m_dMin, static_cast<double>(v));
            }
        }
        for (ScanEdge& e : active) e.m_fX += e.m_fDx;
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [i](const ScanEdge& e) { return e.m_nEndRow == i + 1; }),
                     active.end());
        // Edges of a polygon that crosses itself change order; keep the list sorted.
        std::stable_sort(active.begin(), active.end(), EdgeBefore);
    }
}
