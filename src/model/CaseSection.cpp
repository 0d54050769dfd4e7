// The cross-section of a case on its cut plane: cutting, composing,
// measuring areas, spans, the composite mean and the composite dilution.
#include "model/CaseSection.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "base/Angles.h"
#include "geometry/Polygon.h"
#include "model/Case.h"
#include "model/TubeSection.h"

namespace {
// Grid cells below this value are background in the section image too.
constexpr double kBackgroundValue = 1e-6;

std::unique_ptr<CPolygon> MakePolygon(const std::vector<TubeCrossing>& points, const std::vector<int>& order,
                                      const CRiser& o, const CBase& r, const CJet& j) {
    auto poly = std::make_unique<CPolygon>();
    poly->m_aVertices.reserve(order.size());
    for (int i : order) {
        const TubeCrossing& c = points[i];
        SectionVertex v;
        v.m_dX = c.m_dPos[0];
        v.m_dY = c.m_dPos[1];
        v.m_dZ = c.m_dPos[2];
        v.m_fValue = c.m_fValue;
        v.m_nTag = c.m_nKind;
        poly->AddVertex(v);
    }
    poly->m_strOutfall = o.m_strName;
    poly->m_strRiser = r.m_strName;
    poly->m_strJet = j.m_strName;
    poly->m_nJetId = j.Id();
    return poly;
}

// The cross-section polygons of every jet cut by the plane.
std::vector<std::unique_ptr<CPolygon>> CutAllJets(const CCase& doc, const CCutPlane& plane) {
    std::vector<std::unique_ptr<CPolygon>> polygons;
    const double* equation = plane.m_dEquation;
    const CJet* current = doc.GetCurrentJet();
    std::vector<TubeCrossing> points;
    doc.ForEachJet([&](int, int, int, const CRiser& o, const CBase& r, const CJet& j) {
        const CJetDispModal& disp = *j.m_pDisplay;
        points.clear();
        // The jet the plane was put normal to shows the disk itself.
        if (CutPlaneShowsDiskOf(plane, j, current)) {
            if (disp.PickedDiskOutline(j.m_nSectionDisk, points) && points.size() >= 3) {
                std::vector<int> order(points.size());
                for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
                polygons.push_back(MakePolygon(points, order, o, r, j));
            }
            return;
        }
        disp.IntersectTubeWithPlane(equation[0], equation[1], equation[2], equation[3], points);
        if (points.empty()) return;
        int slices = 0;
        for (const TubeRing& ring : disp.Rings()) slices = std::max(slices, static_cast<int>(ring.m_Vertices.size()));
        for (const auto& chain : ChainTubeCrossings(points, disp.GetRingCount(), slices))
            polygons.push_back(MakePolygon(points, chain, o, r, j));
    });
    return polygons;
}

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

// Areas and spans of every jet and the composite values of the polygons the
// plane holds (composed or none).
void MeasureSection(const CCase& doc, CCutPlane& plane, SectionResult& r) {
    CSectionStats& st = r.m_Stats;
    const double scale = plane.m_dScale > 0.0 ? plane.m_dScale : CCutPlane::kScaleFine;
    if (plane.m_bOverlap) st.m_dTotalArea = static_cast<double>(plane.CountCoveredPixels()) / (scale * scale);

    const CJet* current = doc.GetCurrentJet();
    // Polygons name their jet by identity: names may repeat in a case.
    std::unordered_map<JetId, std::size_t> index;
    std::vector<const CJet*> inOrder;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        index.emplace(j.Id(), inOrder.size());
        inOrder.push_back(&j);
        r.m_Jets.emplace_back(j.Id(), JetSection{});
    });
    double polygonSum = 0.0, weighted = 0.0;
    for (const auto& poly : plane.Polygons()) {
        const auto found = index.find(poly->m_nJetId);
        const CJet* jet = found != index.end() ? inOrder[found->second] : nullptr;
        PolygonArea a;
        if (jet && CutPlaneShowsDiskOf(plane, *jet, current)) {
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
            JetSection& s = r.m_Jets[found->second].second;
            s.m_dArea += a.m_dArea;
            s.m_dHSpan = a.m_dHSpan;
            s.m_dVSpan = a.m_dVSpan;
        }
        polygonSum += a.m_dArea;
        weighted += a.m_dArea * a.m_dMean;
        ++st.m_nPolygons;
    }
    if (!plane.m_bOverlap) st.m_dTotalArea = polygonSum;
    st.m_dCompositeMean = st.m_dTotalArea > 0.0 ? weighted / st.m_dTotalArea : 0.0;

    for (std::size_t k = 0; k < inOrder.size(); ++k) {
        const JetSection& s = r.m_Jets[k].second;
        st.m_dSumOfArea += s.m_dArea;
        if (s.m_dArea > 0.0) st.m_dFlow += inOrder[k]->m_dFlow;
        if (inOrder[k] == current) st.m_Selected = s;
    }
    st.m_dCurrent = doc.Ambient() ? doc.Ambient()->AverageCurrent() : 0.0;
    st.m_dDilution = st.m_dFlow > 0.0 ? 2.0 * st.m_dCurrent * st.m_dTotalArea / st.m_dFlow : 0.0;
    st.m_dInvMean = st.m_dCompositeMean > 0.0 ? std::trunc(1000.0 / st.m_dCompositeMean) / 1000.0 : 0.0;
}
}  // namespace

bool CutPlaneShowsDiskOf(const CCutPlane& plane, const CJet& jet, const CJet* current) {
    return plane.m_eKind == CutPlaneKind::NormalToJet && &jet == current && jet.m_bSectionAtDisk &&
           jet.m_nSectionDisk > 0 && jet.m_nSectionDisk < jet.GetDiskCount();
}

SectionResult ComputeSection(const CCase& doc, CCutPlane& plane) {
    SectionInput input;
    doc.GetValueRanges(input.m_Min, input.m_Max);
    input.m_pColourTable = &doc.SectionColourTable();
    input.m_Polygons = CutAllJets(doc, plane);
    SectionResult r;
    r.m_eOutcome = plane.ComposeSection(std::move(input), &r.m_bRecreated);
    if (r.m_eOutcome == SectionOutcome::Empty || r.m_eOutcome == SectionOutcome::Composed) {
        MeasureSection(doc, plane, r);
    } else {
        doc.ForEachJet([&r](int, int, int, const CRiser&, const CBase&, const CJet& j) {
            r.m_Jets.emplace_back(j.Id(), JetSection{});
        });
    }
    return r;
}
