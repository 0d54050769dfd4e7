#include "model/JetDispModal.h"

#include <algorithm>
#include <string>

#include "base/AppState.h"
#include "base/Archive.h"

CJetDispModal::CJetDispModal() {
    std::fill(m_Placement, m_Placement + 16, 0.0);
    for (int i = 0; i < 4; ++i) m_Placement[i * 5] = 1.0;
}

namespace {
// One disk as CJetDisk::Serialize reads it, taken from the stream in one
// block: a case holds many thousand disks. A stream too short for the whole
// disk is read field by field, so that the error names the same byte.
void ReadDisk(CArchive& ar, bool withMax, CJetDisk& d) {
    constexpr std::size_t kFieldsCurrent = 12;
    const std::size_t fields = withMax ? kFieldsCurrent : kFieldsCurrent - 1;
    if (ar.Remaining() < fields * sizeof(double)) {
        d.Serialize(ar);
        return;
    }
    double v[kFieldsCurrent];
    ar.ReadBytes(v, fields * sizeof(double));
    const double* p = v;
    d.m_dRadius = *p++;
    d.m_dX = *p++;
    d.m_dY = *p++;
    d.m_dZ = *p++;
    d.m_dMeanConc = *p++;
    d.m_dMaxConc = withMax ? *p++ : 0.0;
    d.m_dDilution = *p++;
    d.m_dVelocity = *p++;
    d.m_dVAngle = *p++;
    d.m_dHAngle = *p++;
    d.m_dUnnamed = *p++;
    d.m_dThickness = *p++;
}
}  // namespace

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
        for (auto& d : m_Disks) ReadDisk(ar, withMax, d);
        m_nSlices = ar.ReadInt32();
        m_nRingInterval = ar.ReadInt32();
        if (m_nRingInterval < 20) m_nRingInterval = 20;
        // A tube needs at least three vertices per ring; an absurd stored
        // value would make every later tube build allocate without bound.
        if (m_nSlices < 3 || m_nSlices > 1024)
            throw CArchiveException("jet surface slices out of range: " + std::to_string(m_nSlices));
    }
}
