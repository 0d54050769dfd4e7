// The cross-section of all jets on the cut plane: polygons from the jets,
// their value grids, and the 8-bit section image composed from them.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "base/RangeRecord.h"
#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"
#include "image/Dib.h"

namespace {
constexpr std::uint8_t kBackground = 255;
constexpr int kResizeSlack = 100;  // pixels an image may be larger than needed before it is re-made
const char* const kTooLarge =
    "The range of the cross section is too large, please reset the cutplane's position again.";
const char* const kNoMemory = "Sorry, memory is not enough!";
const char* const kDibTooBig = "The DIB is too big.";
const char* const kNotNumbers =
    "The cross section cannot be computed: a jet on the cut plane holds values that are not numbers.";

// Integer part of (v * scale + 0.5), as a wide integer so that a plane far
// away from the jets cannot overflow before the size check sees it.
// A value that is not a number counts as infinitely far.
long long PixelEdge(double v, double scale) {
    const double p = std::trunc(v * scale + 0.5);
    if (std::isnan(p)) return 4000000000000000000LL;
    if (p > 4e18) return 4000000000000000000LL;
    if (p < -4e18) return -4000000000000000000LL;
    return static_cast<long long>(p);
}
}  // namespace

long long CCutPlane::CountCoveredPixels() const {
    if (!m_pImage || m_pImage->IsEmpty()) return 0;
    long long n = 0;
    const std::uint8_t* bits = m_pImage->Bits();
    for (int r = 0; r < m_pImage->Height(); ++r) {
        const std::uint8_t* row = bits + static_cast<std::size_t>(r) * m_pImage->Stride();
        for (int c = 0; c < m_pImage->Width(); ++c)
            if (row[c] != kBackground) ++n;
    }
    return n;
}

const char* CCutPlane::OutcomeMessage(SectionOutcome outcome) {
    switch (outcome) {
    case SectionOutcome::NotNumbers:
        return kNotNumbers;
    case SectionOutcome::TooLarge:
        return kTooLarge;
    case SectionOutcome::ImageTooBig:
        return kDibTooBig;
    case SectionOutcome::NoMemory:
        return kNoMemory;
    case SectionOutcome::Empty:
    case SectionOutcome::Composed:
        break;
    }
    return "";
}

void CCutPlane::ClearImage() {
    if (!m_pImage || m_pImage->IsEmpty()) return;
    std::memset(m_pImage->Bits(), kBackground, static_cast<std::size_t>(m_pImage->Stride()) * m_pImage->Height());
}

bool CCutPlane::CreateImage(int cx, int cy) {
    m_pPalette.reset();
    m_pImage.reset();
    // 8 bits per pixel with a full 256-entry colour table.
    auto image = std::make_unique<CDib>();
    if (!image->Create(cx, cy, 8)) {
        m_bValid = false;
        return false;
    }
    BITMAPINFOHEADER* bi = image->Header();
    bi->biXPelsPerMeter = 2925;
    bi->biYPelsPerMeter = 2925;
    RGBQUAD* table = image->ColorTable();
    // Light to dark over a fixed blue: index 1 .. 254 carry values.
    for (int i = 0; i < 255; ++i) {
        const auto c = static_cast<std::uint8_t>(i * 253 / 254 + 1);
        table[i] = RGBQUAD{124, c, c, 0};
    }
    table[255] = RGBQUAD{255, 255, 255, 0};
    m_pImage = std::move(image);
    m_pPalette = std::make_unique<CPalette>();
    if (!m_pImage->MakePalette(*m_pPalette)) m_pPalette.reset();
    return true;
}

int CCutPlane::ColourIndex(double v) const {
    if (v < 1e-6) return kBackground;
    const double lo = m_fLevelMin.m_fConc;
    const double hi = m_fLevelMax.m_fConc;
    // A value range of no width maps everything to the first table entry.
    int k = hi > lo ? static_cast<int>((v - lo) * 254.0 / (hi - lo)) : 0;
    k = std::clamp(k, 0, 255);
    int index = k;
    if (m_bColourTable) {
        const ColourTableEntry& e = m_ColourTable[k];
        const double width = e.m_dToValue - e.m_dFromValue;
        const double level = width != 0.0
                                 ? e.m_nLowLevel + (v - e.m_dFromValue) * (e.m_nHighLevel - e.m_nLowLevel) / width
                                 : e.m_nLowLevel;
        index = std::isfinite(level) ? static_cast<int>(std::clamp(level, -1.0, 255.0)) : 0;
    }
    return std::clamp(index, 0, 254);
}

void CCutPlane::ComposePolygon(const CPolygon& poly) {
    const float* grid = poly.Values();
    if (!grid || !m_pImage || m_pImage->IsEmpty()) return;
    const int w = poly.m_rcPixel.Width();
    const int h = poly.m_rcPixel.Height();
    const int stride = poly.GridStride();
    const int cx = m_pImage->Width();
    const int cy = m_pImage->Height();
    const float levelMin = m_fLevelMin.m_fConc;
    std::uint8_t* bits = m_pImage->Bits();
    for (int i = 0; i < h; ++i) {
        const int y = poly.m_rcPixel.top + i;
        if (y < 0 || y >= cy) continue;
        std::uint8_t* row = bits + static_cast<std::size_t>(cy - y - 1) * m_pImage->Stride();
        const float* values = grid + static_cast<std::size_t>(i) * stride;
        for (int j = 0; j < w; ++j) {
            const float v = values[j];
            if (!(v >= levelMin)) continue;
            const int x = poly.m_rcPixel.left + j;
            const int idx = ColourIndex(v);
            // A background index adds nothing: it is not a cover of the pixel.
            if (idx == kBackground || x < 0 || x >= cx) continue;
            std::uint8_t& pixel = row[x];
            if (pixel == kBackground) {
                pixel = static_cast<std::uint8_t>(idx);
            } else {
                m_bOverlap = true;
                int sum = (pixel + idx) & 0xFF;
                if (sum == kBackground) sum = 254;
                pixel = static_cast<std::uint8_t>(sum);
            }
        }
    }
}

void CCutPlane::SectionOutline(double out[4]) const {
    const double hx = std::max((m_dExtent[1] - m_dExtent[0]) / 2.0, 10.0);
    const double hy = std::max((m_dExtent[3] - m_dExtent[2]) / 2.0, 10.0);
    const double cx = (m_dExtent[0] + m_dExtent[1]) / 2.0;
    const double cy = (m_dExtent[2] + m_dExtent[3]) / 2.0;
    out[0] = cx - hx;
    out[1] = cx + hx;
    out[2] = cy - hy;
    out[3] = cy + hy;
}

SectionOutcome CCutPlane::ComposeSection(SectionInput input, bool* recreatedOut) {
    if (recreatedOut) *recreatedOut = false;
    m_fLevelMin = input.m_Min;
    m_fLevelMax = input.m_Max;
    m_bColourTable = input.m_pColourTable != nullptr;
    if (m_bColourTable) m_ColourTable = *input.m_pColourTable;
    if (!m_aPolygons.empty()) SectionOutline(m_dOutline);
    m_aPolygons = std::move(input.m_Polygons);
    if (m_aPolygons.empty()) {
        ClearImage();
        return SectionOutcome::Empty;
    }

    // A polygon with a non-finite vertex has no place on the image.
    for (const auto& poly : m_aPolygons)
        for (double b : poly->m_dBox)
            if (!std::isfinite(b)) {
                m_bValid = false;
                return SectionOutcome::NotNumbers;
            }

    // World box of all polygons with a margin on every side.
    for (int k = 0; k < 6; k += 2) {
        m_dBox[k] = CPolygon::kBoxMin;
        m_dBox[k + 1] = CPolygon::kBoxMax;
    }
    for (const auto& poly : m_aPolygons)
        for (int k = 0; k < 6; k += 2) {
            m_dBox[k] = std::min(m_dBox[k], poly->m_dBox[k]);
            m_dBox[k + 1] = std::max(m_dBox[k + 1], poly->m_dBox[k + 1]);
        }
    for (int k = 0; k < 6; k += 2) {
        m_dBox[k] -= m_dMargin;
        m_dBox[k + 1] += m_dMargin;
    }

    // Its extent on the plane.
    m_dExtent[0] = m_dExtent[2] = CPolygon::kBoxMin;
    m_dExtent[1] = m_dExtent[3] = CPolygon::kBoxMax;
    for (int c = 0; c < 8; ++c) {
        double px = 0.0, py = 0.0;
        WorldToPlane(m_dBox[c & 1], m_dBox[2 + ((c >> 1) & 1)], m_dBox[4 + ((c >> 2) & 1)], px, py);
        m_dExtent[0] = std::min(m_dExtent[0], px);
        m_dExtent[1] = std::max(m_dExtent[1], px);
        m_dExtent[2] = std::min(m_dExtent[2], py);
        m_dExtent[3] = std::max(m_dExtent[3], py);
    }

    // Image rectangle at the fine scale, or the coarse one when too large.
    bool fits = false;
    for (double scale : {kScaleFine, kScaleCoarse}) {
        const long long left = PixelEdge(m_dExtent[0], scale), right = PixelEdge(m_dExtent[1], scale);
        const long long top = PixelEdge(m_dExtent[2], scale), bottom = PixelEdge(m_dExtent[3], scale);
        const double pixels = static_cast<double>(right - left) * static_cast<double>(bottom - top);
        const bool inRange =
            std::max({std::llabs(left), std::llabs(right), std::llabs(top), std::llabs(bottom)}) < 1000000000LL;
        if (inRange && pixels <= static_cast<double>(kMaxPixels)) {
            m_dScale = scale;
            m_rcImage =
                CRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom));
            // The extent snaps to the pixel edges, so that a pixel is exactly
            // 1 / scale metres wide and high and cell counts measure areas.
            m_dExtent[0] = static_cast<double>(left) / scale;
            m_dExtent[1] = static_cast<double>(right) / scale;
            m_dExtent[2] = static_cast<double>(top) / scale;
            m_dExtent[3] = static_cast<double>(bottom) / scale;
            fits = true;
            break;
        }
    }
    if (!fits) {
        m_bValid = false;
        return SectionOutcome::TooLarge;
    }

    // Vertices keep their fractional pixel positions; the box holds every
    // cell whose centre can lie inside the polygon.
    for (auto& poly : m_aPolygons) {
        poly->m_aPixels.resize(poly->m_aVertices.size());
        double box[4] = {1e9, -1e9, 1e9, -1e9};
        for (std::size_t i = 0; i < poly->m_aVertices.size(); ++i) {
            const SectionVertex& v = poly->m_aVertices[i];
            PixelPoint& p = poly->m_aPixels[i];
            WorldToImage(v.m_dX, v.m_dY, v.m_dZ, p.x, p.y);
            box[0] = std::min(box[0], p.x);
            box[1] = std::max(box[1], p.x);
            box[2] = std::min(box[2], p.y);
            box[3] = std::max(box[3], p.y);
        }
        if (poly->m_aVertices.empty()) {
            poly->m_rcPixel = CRect(0, 0, 0, 0);
            continue;
        }
        auto clampPixel = [](double v) { return static_cast<int>(std::clamp(v, -1e8, 1e8)); };
        poly->m_rcPixel = CRect(clampPixel(std::floor(box[0])), clampPixel(std::floor(box[2])),
                                clampPixel(std::ceil(box[1])), clampPixel(std::ceil(box[3])));
    }

    const int cx = std::max(1, m_rcImage.Width());
    const int cy = std::max(1, m_rcImage.Height());
    bool recreated = false;
    if (!m_pImage || m_pImage->Width() < cx || m_pImage->Height() < cy || m_pImage->Width() > cx + kResizeSlack ||
        m_pImage->Height() > cy + kResizeSlack) {
        if (!CreateImage(cx, cy)) return SectionOutcome::ImageTooBig;
        recreated = true;
    }
    ClearImage();

    m_dValueMax = 0.0;
    m_dValueMin = 100.0;
    for (auto& poly : m_aPolygons) {
        if (!poly->AllocateGrid()) {
            m_bValid = false;
            return SectionOutcome::NoMemory;
        }
        poly->Fill(poly->Values(), poly->GridStride());
        m_dValueMax = std::max(m_dValueMax, poly->m_dMax);
        m_dValueMin = std::min(m_dValueMin, poly->m_dMin);
    }

    m_bOverlap = false;
    for (const auto& poly : m_aPolygons) ComposePolygon(*poly);
    m_bValid = true;
    if (recreatedOut) *recreatedOut = recreated;
    return SectionOutcome::Composed;
}
