#include "model/JetDispModal.h"

#include <algorithm>
#include <string>

#include "base/Archive.h"
#include "base/AppState.h"

CJetDispModal::CJetDispModal() {
    std::fill(m_Placement, m_Placement + 16, 0.0);
    for (int i = 0; i < 4; ++i) m_Placement[i * 5] = 1.0;
}

void CJetDispModal::SetPlacement(const double m[16]) { std::copy(m, m + 16, m_Placement); }

void CJetDispModal::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(static_cast<int>(m_Disks.size()));
        for (auto& d : m_Disks) d.Serialize(ar);
        ar.WriteInt32(m_nSlices);
        ar.WriteInt32(m_nRingInterval);
    } else {
        const bool withMax = ar.FileIsNewest();
        const int n = ar.ReadCount(withMax ? CJetDisk::kBytesCurrent : CJetDisk::kBytesOld, "disk");
        m_Disks.clear();
        m_Disks.resize(n);
        for (auto& d : m_Disks) d.Serialize(ar);
        m_nSlices = ar.ReadInt32();
        m_nRingInterval = ar.ReadInt32();
        if (m_nRingInterval < 20) m_nRingInterval = 20;
        // A tube needs at least three vertices per ring; an absurd stored
        // value would make every later tube build allocate without bound.
        if (m_nSlices < 3 || m_nSlices > 1024)
            throw CArchiveException("jet surface slices out of range: " + std::to_string(m_nSlices));
    }
}
