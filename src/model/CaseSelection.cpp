// Selection by picking, and the disk and key-parameter queries of the
// current jet.
#include <algorithm>
#include <cstring>

#include "base/DocObserver.h"
#include "model/Case.h"

bool CCase::SelectFromPick(const unsigned int* hits, int count) {
    // Each hit record: name count, minimum depth, maximum depth, then the
    // four names outfall, riser, jet, ring. The buffer holds 512 ints.
    constexpr int kRecord = 7;
    constexpr int kBufferInts = 512;
    // Compared by division so that a huge count cannot overflow the product.
    if (!hits || count <= 0 || count > kBufferInts / kRecord) return false;
    const unsigned int* best = hits;
    for (int i = 1; i < count; ++i) {
        const unsigned int* rec = hits + i * kRecord;
        if (rec[1] < best[1]) best = rec;
    }

    const int oldOutfall = m_nCurrentOutfall;
    const CRiser* oldO = GetCurrentOutfall();
    const int oldRiser = oldO ? oldO->m_nCurrentRiser : -1;
    const CBase* oldR = GetCurrentRiser();
    const int oldJet = oldR ? oldR->m_nCurrentJet : -1;

    const int oi = static_cast<int>(best[3]), ri = static_cast<int>(best[4]), ji = static_cast<int>(best[5]),
              ring = static_cast<int>(best[6]);
    const CJet* picked = nullptr;
    if (oi >= 0 && oi < GetOutfallCount()) {
        m_nCurrentOutfall = oi;
        CRiser* o = m_Outfalls[oi].get();
        if (ri >= 0 && ri < o->GetRiserCount()) {
            o->m_nCurrentRiser = ri;
            CBase* r = o->m_Risers[ri].get();
            if (ji >= 0 && ji < r->GetJetCount()) {
                r->m_nCurrentJet = ji;
                CJet* j = r->m_Jets[ji].get();
                // Picking draws a ring at every disk: the ring named is the
                // disk, held to the last one.
                if (ring >= 0 && j->GetDiskCount() > 0) {
                    const int last = std::max(0, j->GetDiskCount() - 1);
                    j->m_nCurrentDisk = std::min(ring, last);
                    m_nCurrentDiskMirror = j->m_nCurrentDisk;
                    picked = j;
                }
            }
        }
    }
    const CRiser* newO = GetCurrentOutfall();
    const CBase* newR = GetCurrentRiser();
    if (m_nCurrentOutfall != oldOutfall || (newO ? newO->m_nCurrentRiser : -1) != oldRiser ||
        (newR ? newR->m_nCurrentJet : -1) != oldJet)
        NotifySelection();
    if (picked) {
        // The picked jet alone shows its picked disk; the panes show that disk.
        ForEachJet([picked](int, int, int, CRiser&, CBase&, CJet& j) {
            j.m_pDisplay->m_nPickedRing = &j == picked ? j.m_nCurrentDisk : -1;
        });
        DocEvent e = DocEvent::Item(DocEvent::JetPicked, DocItemLevel::Jet, oi, ri, ji, picked->Id());
        e.m_nCount = picked->m_nCurrentDisk;
        Notify(e);
    }
    return true;
}

void CCase::GetCurrentJetKeyParameters(CKeyParameters& dst) const {
    const CJet* j = GetCurrentJet();
    if (j) std::memcpy(&dst, &j->m_KeyParams, sizeof dst);
}

std::string CCase::GetCurrentJetStatusText() const {
    const CJet* j = GetCurrentJet();
    return j ? j->m_strStatus : std::string();
}

void CCase::GetValueRanges(CRangeRecord& min, CRangeRecord& max) const {
    min = m_RangeMin;
    max = m_RangeMax;
}

namespace {
DiskInfo InfoOf(const CJetDisk& d, int index) {
    DiskInfo info;
    info.m_dX = d.m_dX;
    info.m_dY = d.m_dY;
    info.m_dZ = d.m_dZ;
    info.m_dMeanConc = d.m_dMeanConc;
    info.m_dMaxConc = d.m_dMaxConc;
    info.m_dHAngle = d.m_dHAngle;
    info.m_nIndex = index;
    info.m_dRadius = d.m_dRadius;
    info.m_dThickness = d.m_dThickness;
    info.m_dVAngle = d.m_dVAngle;
    info.m_dVelocity = d.m_dVelocity;
    info.m_dDilution = d.m_dDilution;
    return info;
}
}  // namespace

void CCase::GetCurrentDiskInfo(DiskInfo& info, int& index, int& count) const {
    const CJet* j = GetCurrentJet();
    index = 0;
    count = 0;
    if (!j) return;
    count = j->GetDiskCount();
    if (count == 0) return;
    index = std::min(j->m_nCurrentDisk, count - 1);
    if (index < 0) index = 0;
    info = InfoOf(j->m_pDisplay->m_Disks[index], index);
}

void CCase::GetDiskInfo(DiskInfo& info, int& index) const {
    const CJet* j = GetCurrentJet();
    if (!j) return;
    const int count = j->GetDiskCount();
    if (index > count - 1) index = count - 1;
    if (index <= 0) index = 1;
    // A jet with a single disk has no index 1: show nothing rather than
    // read past its list.
    if (index >= count) return;
    info = InfoOf(j->m_pDisplay->m_Disks[index], index);
}

void CCase::SetCurrentDisk(int index) {
    CJet* j = GetCurrentJet();
    if (j) j->m_nCurrentDisk = index;
}

int CCase::GetCurrentJetDiskCount() const {
    const CJet* j = GetCurrentJet();
    return j ? j->GetDiskCount() : 0;
}

namespace {
template <typename List>
int IndexOfName(const List& list, const std::string& name) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i]->m_strName == name) return static_cast<int>(i);
    return -1;
}
}  // namespace

bool CCase::SelectPath(const std::string& outfall, const std::string& riser, const std::string& jet) {
    const CurrentNames before = GetCurrentNames();
    const int o = IndexOfName(m_Outfalls, outfall);
    if (o < 0) return false;
    m_nCurrentOutfall = o;
    CRiser& out = *m_Outfalls[o];
    if (!riser.empty()) {
        const int r = IndexOfName(out.m_Risers, riser);
        if (r >= 0) {
            out.m_nCurrentRiser = r;
            CBase& base = *out.m_Risers[r];
            if (!jet.empty()) {
                const int j = IndexOfName(base.m_Jets, jet);
                if (j >= 0) base.m_nCurrentJet = j;
            }
        }
    }
    const CurrentNames after = GetCurrentNames();
    if (after.m_nOutfall != before.m_nOutfall || after.m_nRiser != before.m_nRiser || after.m_nJet != before.m_nJet)
        NotifySelection();
    return true;
}
