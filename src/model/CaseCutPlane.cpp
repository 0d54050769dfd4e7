// The document's side of the cut plane: placing it (at a disk of the current
// jet), taking its section over, and the horizontal plane's reference level.
#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "base/DocObserver.h"
#include "base/MatrixFunctions.h"
#include "base/Prompt.h"
#include "geometry/Polygon.h"
#include "model/Case.h"
#include "model/CaseSection.h"
#include "model/TubeSection.h"

namespace {
constexpr double kRiserHeightWithoutRiser = 1.01;

}  // namespace

void CCase::SetCutPlane(double h, double v, double d, int diskNo, CutPlaneKind kind, bool recompute) {
    if (kind == CutPlaneKind::NormalToJet) {
        // Through the chosen disk, normal to the jet's axis there, with the
        // exact angles and distance of that disk.
        if (!PlaceCutPlaneAtDisk(diskNo, kind, h, v, d)) return;
        m_CutPlane.SetExactPlane(h, v, d, diskNo, kind);
    } else {
        ClearSectionMarks();
        m_CutPlane.SetPlane(h, v, d, diskNo, kind);
    }
    if (recompute) RecomputeSection();
}

void CCase::RecomputeSection(bool showProblems) {
    const SectionResult r = ComputeSection(*this, m_CutPlane);
    m_SectionStats = r.m_Stats;
    std::size_t k = 0;
    ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) {
        j.m_Section = k < r.m_Jets.size() && r.m_Jets[k].first == j.Id() ? r.m_Jets[k].second : JetSection{};
        ++k;
    });
    if (r.m_eOutcome == SectionOutcome::Empty || r.m_eOutcome == SectionOutcome::Composed) {
        Notify(DocEvent::Flag(DocEvent::CutPlaneChanged, r.m_bRecreated));
        return;
    }
    if (!showProblems) return;
    m_prompt.Inform(CCutPlane::OutcomeMessage(r.m_eOutcome),
                    r.m_eOutcome == SectionOutcome::ImageTooBig ? PromptIcon::Information : PromptIcon::Exclamation);
}

void CCase::ClearSectionMarks() {
    ForEachJet([](int, int, int, CRiser&, CBase&, CJet& j) { j.m_bSectionAtDisk = false; });
}

bool CCase::PlaceCutPlaneAtDisk(int& diskNo, CutPlaneKind kind, double& h, double& v, double& d) {
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

double CCase::CutPlaneReferenceLevel() const {
    const CRiser* outfall = GetCurrentOutfall();
    if (!outfall) return 0.0;
    const CBase* riser = outfall->GetCurrentRiser();
    const double height = riser ? riser->m_dHeight : kRiserHeightWithoutRiser;
    const double water = m_pAmbient ? m_pAmbient->m_dWaterDepth : 0.0;
    return outfall->m_dDepth - height - water;
}
