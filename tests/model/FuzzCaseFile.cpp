// libFuzzer target: the case stream reader must refuse any byte sequence it
// cannot read, without reading past its input or allocating without bound;
// whatever it accepts must go through what a user does next without a hang
// or undefined behaviour: the jet displays are prepared, cross-sections are
// computed, a jet, a riser and an outfall are added, and the case is written
// again.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "geometry/CutPlane.h"
#include "model/Case.h"

namespace {
// A case of more disks than this takes long per input without reaching
// other code; the reader itself still sees it whole.
constexpr int kMaxDisks = 20000;
// Sections are computed when the jets fit into a cube of this edge (m): a
// section image of a wider case costs up to two million pixels per plane,
// which would make this target a benchmark of the pixel loops.
constexpr double kMaxSectionExtent = 25.0;

double JetExtent(const CCase& doc) {
    double lo[3] = {1e300, 1e300, 1e300}, hi[3] = {-1e300, -1e300, -1e300};
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        for (const CJetDisk& d : j.m_pDisplay->m_Disks) {
            const double c[3] = {d.m_dX, d.m_dY, d.m_dZ};
            for (int k = 0; k < 3; ++k) {
                lo[k] = std::min(lo[k], c[k] - d.m_dRadius);
                hi[k] = std::max(hi[k], c[k] + d.m_dRadius);
            }
        }
    });
    double e = 0.0;
    for (int k = 0; k < 3; ++k) e = std::max(e, hi[k] - lo[k]);
    return e;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CAppState app;
    CSilentPrompt prompt;
    CCase doc(app, prompt);
    std::string error;
    if (!doc.LoadFromBytes(std::vector<unsigned char>(data, data + size), error)) return 0;
    int disks = 0;
    doc.ForEachJet([&](int, int, int, CRiser&, CBase&, CJet& j) { disks += j.GetDiskCount(); });
    if (disks <= kMaxDisks) {
        doc.PlaceJets();
    }
    if (disks <= kMaxDisks && JetExtent(doc) <= kMaxSectionExtent) {
        CCutPlane& plane = doc.m_CutPlane;
        // The stored plane (its kind, angles and distance come from the
        // input), then one normal to a jet. More planes cost pixels of the
        // section image, not new code.
        doc.SetCutPlane(plane.m_dHAngle, plane.m_dVAngle, plane.m_dDistance, plane.m_nDiskNo, plane.m_eKind, true);
        double h = 0, v = 0, d = 0;
        int disk = 1;
        if (doc.PlaceCutPlaneAtDisk(disk, CutPlaneKind::NormalToJet, h, v, d))
            doc.SetCutPlane(h, v, d, disk, CutPlaneKind::NormalToJet, true);
    }
    // Edits: a copy of the current jet (its angle turned), riser and outfall.
    doc.Add(TreeLevel::Jet);
    doc.Add(TreeLevel::Riser);
    doc.Add(TreeLevel::Outfall);
    (void)doc.SaveToBytes();
    return 0;
}
