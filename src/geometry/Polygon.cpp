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
// One polygon edge during scan conversion; rows and x relative to the pixel
// box, x taken where the edge crosses the centre line of the current row.
struct ScanEdge {
    int m_nEndRow;  // first row whose centre line lies below the edge
    double m_dX;
    double m_dDx;
    float m_fValue;
};

// Order of the edge lists: x ascending, nearly equal x by slope.
bool EdgeBefore(const ScanEdge& a, const ScanEdge& b) {
    if (std::fabs(a.m_dX - b.m_dX) < 1e-12) return a.m_dDx < b.m_dDx;
    return a.m_dX < b.m_dX;
}

// First row (or column) whose centre k + 0.5 is not below v.
long long FirstCentreAtOrAfter(double v) { return static_cast<long long>(std::ceil(v - 0.5)); }
}  // namespace

void CPolygon::Fill(float* grid, int stride) {
    m_dMax = 0.0;
    m_dMin = 100.0;
    m_nCells = 0;
    const int w = m_rcPixel.Width();
    const int h = m_rcPixel.Height();
    const int n = static_cast<int>(std::min(m_aPixels.size(), m_aVertices.size()));
    if (!grid || w <= 0 || h <= 0 || n < 2) return;
    const int lastColumn = std::min(w, stride) - 1;

    // Edge table: one bucket per row, edges entering at that row. An edge
    // covers the rows whose centre line y = row + 0.5 satisfies
    // upper <= y < lower, so a vertex shared by two edges counts once.
    std::vector<std::vector<ScanEdge>> buckets(h + 1);
    for (int i = 0; i < n; ++i) {
        const int k = (i + 1) % n;
        const double yi = m_aPixels[i].y - m_rcPixel.top;
        const double yk = m_aPixels[k].y - m_rcPixel.top;
        if (!(std::isfinite(yi) && std::isfinite(yk)) || yi == yk) continue;  // horizontal edges add nothing
        const int up = yi < yk ? i : k;
        const int lo = yi < yk ? k : i;
        const double upperY = std::min(yi, yk);
        const double lowerY = std::max(yi, yk);
        long long startRow = FirstCentreAtOrAfter(upperY);
        const long long endRow = std::min<long long>(FirstCentreAtOrAfter(lowerY), h);
        if (startRow < 0) startRow = 0;    // clipped above the box
        if (startRow >= endRow) continue;  // crosses no centre line inside the box
        const double upperX = m_aPixels[up].x - m_rcPixel.left;
        const double lowerX = m_aPixels[lo].x - m_rcPixel.left;
        const double dx = (lowerX - upperX) / (lowerY - upperY);
        ScanEdge e{static_cast<int>(endRow), upperX + dx * (static_cast<double>(startRow) + 0.5 - upperY), dx,
                   m_aVertices[up].m_fValue};
        auto& b = buckets[static_cast<std::size_t>(startRow)];
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
            // Cells whose centre lies in [a, b).
            const long long from = std::max<long long>(FirstCentreAtOrAfter(a.m_dX), 0);
            const long long to = std::min<long long>(FirstCentreAtOrAfter(b.m_dX) - 1, lastColumn);
            const double width = b.m_dX - a.m_dX;
            for (long long j = from; j <= to; ++j) {
                const double t = width > 0.0 ? (static_cast<double>(j) + 0.5 - a.m_dX) / width : 0.0;
                const float v = static_cast<float>(a.m_fValue + t * (b.m_fValue - a.m_fValue));
                row[j] = v;
                ++m_nCells;
                m_dMax = std::max(m_dMax, static_cast<double>(v));
                m_dMin = std::min(m_dMin, static_cast<double>(v));
            }
        }
        for (ScanEdge& e : active) e.m_dX += e.m_dDx;
        active.erase(
            std::remove_if(active.begin(), active.end(), [i](const ScanEdge& e) { return e.m_nEndRow <= i + 1; }),
            active.end());
        // Edges of a polygon that crosses itself change order; keep the list sorted.
        std::stable_sort(active.begin(), active.end(), EdgeBefore);
    }
}
