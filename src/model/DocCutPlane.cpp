// The document's side of the cut plane: cutting every jet, placing the
// plane at a disk of the current jet, and the horizontal plane's reference level.
#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"
#include "geometry/Polygon.h"
#include "model/PlumexDoc.h"
#include "model/TubeSection.h"

namespace {
constexpr double kRiserHeightWithoutRiser = 1.01;

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
}  // namespace

void CPlumexDoc::CutAllJets(const double equation[4], std::vector<std::unique_ptr<CPolygon>>& polygons) const {
    polygons.clear();
    const CJet* current = GetCurrentJet();
    std::vector<TubeCrossing> points;
    ForEachJet([&](int, int, int, const CRiser& o, const CBase& r, const CJet& j) {
        const CJetDispModal& disp = *j.m_pDisplay;
        points.clear();
        // The jet the plane was put normal to shows the disk itself.
        if (CutPlaneShowsDiskOf(j, current)) {
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
}

void CPlumexDoc::ClearSectionMarks() {
    ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_bSectionAtDisk = false; });
}

bool CPlumexDoc::PlaceCutPlaneAtDisk(int& diskNo, CutPlaneKind kind, double& h, double& v, double& d) {
    CJet* jet = GetCurrentJet();
    if (!jet) return false;
    const int n = jet->GetDiskCount();
    // Disk 0 is the port itself; a jet needs a second disk to have an axis.
    if (n < 2) return false;
    int k = diskNo;
    if (k > n - 1) k = n - 1;
    if (k <= 0) k = 1;
    diskNo = k;

    const CJetDispModal& disp = *jet->m_pDisplay;
    const CJetDisk& disk = disp.m_Disks[k];
    const double a = disk.m_dHAngle * 180.0 / kPi;
    const double b = disk.m_dVAngle * 180.0 / kPi;
    const double hTurn = disk.m_dY >= 0.0 ? -a : a;
    const double theta = jet->m_dCurrentAngle;

    ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) {
        j.m_bSectionAtDisk = false;
        j.m_nSectionDisk = 0;
    });
    jet->m_nCurrentDisk = k;

    switch (kind) {
    case CutPlaneKind::NormalToJet:
        h = 180.0 - theta - hTurn;
        v = b;
        jet->m_bSectionAtDisk = true;
        jet->m_nSectionDisk = k;
        m_nSelectedDisk = k;
        break;
    case CutPlaneKind::SideView:
        h = 90.0 - theta;
        v = 0.0;
        break;
    case CutPlaneKind::CrossSection:
        h = 180.0 - theta;
        v = 0.0;
        break;
    case CutPlaneKind::Horizontal:
        v = 90.0;
        break;
    default:  // user specified (or unknown): keep the orientation, pass through the disk
        break;
    }

    double m[16], centre[3];
    const double origin[3] = {0.0, 0.0, 0.0};
    disp.DiskMatrix(disk, m);
    MatTransformPoint(m, origin, centre);
    if (kind == CutPlaneKind::Horizontal) {
        d = centre[1];
    } else {
        const double hr = h * kPi / 180.0, vr = v * kPi / 180.0;
        d = centre[0] * std::sin(hr) * std::cos(vr) + centre[1] * std::sin(vr) +
            centre[2] * std::cos(hr) * std::cos(vr);
    }
    return true;
}

double CPlumexDoc::CutPlaneReferenceLevel() const {
    const CRiser* outfall = GetCurrentOutfall();
    if (!outfall) return 0.0;
    const CBase* riser = outfall->GetCurrentRiser();
    const double height = riser ? riser->m_dHeight : kRiserHeightWithoutRiser;
    const double water = m_pAmbient ? m_pAmbient->m_dWaterDepth : 0.0;
    return outfall->m_dDepth - height - water;
}
