// The document's statistics of the last cross-section: areas and spans per
// jet, Total Area, Sum of Area, the composite mean and the composite dilution.
#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "base/Angles.h"
#include "geometry/Polygon.h"
#include "model/PlumexDoc.h"

namespace {
// Grid cells below this value are background in the section image too.
constexpr double kBackgroundValue = 1e-6;

struct PolygonArea {
    double m_dArea = 0.0;
    double m_dMean = 0.0;
    double m_dHSpan = 0.0;
    double m_dVSpan = 0.0;
};

// Area, mean and spans of a polygon: the area exactly from its outline,
// less the share of its cells that show no value (below the level minimum),
// the mean over the cells that show one.
PolygonArea MeasurePolygon(const CCutPlane& plane, const CPolygon& poly, double levelMin) {
    PolygonArea a;
    const float* grid = poly.Values();
    const int w = poly.m_rcPixel.Width();
    const int h = poly.m_rcPixel.Height();
    long long cells = 0;
    double sum = 0.0;
    if (grid && w > 0 && h > 0) {
        const int stride = poly.GridStride();
        for (int i = 0; i < h; ++i)
            for (int j = 0; j < w; ++j) {
                const double v = grid[static_cast<std::size_t>(i) * stride + j];
                if (v >= levelMin && v >= kBackgroundValue) {
                    ++cells;
                    sum += v;
                }
            }
    }
    double exact = 0.0;
    plane.MeasurePolygon(poly, exact, a.m_dHSpan, a.m_dVSpan);
    if (poly.m_nCells > 0) {
        a.m_dArea = exact * std::min(1.0, static_cast<double>(cells) / static_cast<double>(poly.m_nCells));
        a.m_dMean = cells > 0 ? sum / static_cast<double>(cells) : 0.0;
    } else if (!poly.m_aVertices.empty()) {
        // Smaller than a cell: its vertices' mean value decides and stands.
        double vsum = 0.0;
        for (const SectionVertex& v : poly.m_aVertices) vsum += v.m_fValue;
        const double mean = vsum / static_cast<double>(poly.m_aVertices.size());
        if (mean >= levelMin && mean >= kBackgroundValue) {
            a.m_dArea = exact;
            a.m_dMean = mean;
        }
    }
    return a;
}
}  // namespace

bool CPlumexDoc::CutPlaneShowsDiskOf(const CJet& jet, const CJet* current) const {
    return m_CutPlane.m_eKind == CutPlaneKind::NormalToJet && &jet == current && jet.m_bSectionAtDisk &&
           jet.m_nSectionDisk > 0 && jet.m_nSectionDisk < jet.GetDiskCount();
}

void CPlumexDoc::ComputeSectionStatistics() {
    CSectionStats st;
    const CCutPlane& plane = m_CutPlane;
    const double scale = plane.m_dScale > 0.0 ? plane.m_dScale : CCutPlane::kScaleFine;
    ClearSectionStatistics();
    if (plane.m_bOverlap) st.m_dTotalArea = static_cast<double>(plane.CountCoveredPixels()) / (scale * scale);

    const CJet* current = GetCurrentJet();
    // Polygons name their jet by identity: names may repeat in a case.
    std::unordered_map<JetId, CJet*> jets;
    ForEachJet([&jets](int, int, int, CRiser&, CBase&, CJet& j) { jets.emplace(j.Id(), &j); });
    double polygonSum = 0.0, weighted = 0.0;
    for (const auto& poly : plane.Polygons()) {
        const auto found = jets.find(poly->m_nJetId);
        CJet* jet = found != jets.end() ? found->second : nullptr;
        PolygonArea a;
        if (jet && CutPlaneShowsDiskOf(*jet, current)) {
            // The section is the selected disk itself (the polygon is its
            // outline only when the jet is marked; otherwise it was cut
            // like every other jet and is measured from its grid).
            const CJetDisk& disk = jet->m_pDisplay->m_Disks[jet->m_nSectionDisk];
            a.m_dArea = kPi * disk.m_dRadius * disk.m_dRadius;
            a.m_dHSpan = a.m_dVSpan = disk.m_dRadius;
            a.m_dMean = disk.m_dMeanConc;
        } else {
            a = MeasurePolygon(plane, *poly, plane.m_fLevelMin.m_fConc);
        }
        poly->m_dMean = a.m_dMean;
        if (jet) {
            // A jet cut into several pieces owns the sum of their areas; its
            // spans are those of its last piece.
            jet->m_Section.m_dArea += a.m_dArea;
            jet->m_Section.m_dHSpan = a.m_dHSpan;
            jet->m_Section.m_dVSpan = a.m_dVSpan;
        }
        polygonSum += a.m_dArea;
        weighted += a.m_dArea * a.m_dMean;
        ++st.m_nPolygons;
    }
    if (!plane.m_bOverlap) st.m_dTotalArea = polygonSum;
    st.m_dCompositeMean = st.m_dTotalArea > 0.0 ? weighted / st.m_dTotalArea : 0.0;

    ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        st.m_dSumOfArea += j.m_Section.m_dArea;
        if (j.m_Section.m_dArea > 0.0) st.m_dFlow += j.m_dFlow;
    });
    if (current) {
        st.m_Selected = current->m_Section;
    }
    st.m_dCurrent = m_pAmbient ? m_pAmbient->AverageCurrent() : 0.0;
    st.m_dDilution = st.m_dFlow > 0.0 ? 2.0 * st.m_dCurrent * st.m_dTotalArea / st.m_dFlow : 0.0;
    st.m_dInvMean = st.m_dCompositeMean > 0.0 ? std::trunc(1000.0 / st.m_dCompositeMean) / 1000.0 : 0.0;
    m_SectionStats = st;
}

void CPlumexDoc::ClearSectionStatistics() {
    m_SectionStats = CSectionStats{};
    ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_Section = JetSection{}; });
}
