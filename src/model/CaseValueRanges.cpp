// Minimum and maximum of the disk values per jet, riser, outfall and case,
// in the order of the range records: mean concentration, half width,
// thickness, velocity.
#include <algorithm>
#include <vector>

#include "model/Case.h"

namespace {
void Widen(CRangeRecord& min, CRangeRecord& max, const CRangeRecord& jMin, const CRangeRecord& jMax) {
    for (int q = 0; q < 4; ++q) {
        min.Set(q, std::min(min.Get(q), jMin.Get(q)));
        max.Set(q, std::max(max.Get(q), jMax.Get(q)));
    }
}

// The range of one jet's disks: the same minimum and maximum steps as
// Widen, kept in plain floats because a case holds many thousand disks.
void JetRange(const std::vector<CJetDisk>& disks, CRangeRecord& min, CRangeRecord& max) {
    float lo[4], hi[4];
    for (int q = 0; q < 4; ++q) {
        lo[q] = CRangeRecord::kFreshMin;
        hi[q] = CRangeRecord::kFreshMax;
    }
    for (const CJetDisk& d : disks) {
        const float v[4] = {static_cast<float>(d.m_dMeanConc), static_cast<float>(d.m_dRadius),
                            static_cast<float>(d.m_dThickness), static_cast<float>(d.m_dVelocity)};
        for (int q = 0; q < 4; ++q) {
            lo[q] = std::min(lo[q], v[q]);
            hi[q] = std::max(hi[q], v[q]);
        }
    }
    for (int q = 0; q < 4; ++q) {
        min.Set(q, lo[q]);
        max.Set(q, hi[q]);
    }
}
}  // namespace

void CCase::ComputeValueRanges() {
    m_RangeMin = CRangeRecord::FreshMin();
    m_RangeMax = CRangeRecord::FreshMax();
    for (auto& o : m_Outfalls) {
        o->m_RangeMin = CRangeRecord::FreshMin();
        o->m_RangeMax = CRangeRecord::FreshMax();
        for (auto& r : o->m_Risers) {
            r->m_RangeMin = CRangeRecord::FreshMin();
            r->m_RangeMax = CRangeRecord::FreshMax();
            for (auto& j : r->m_Jets) {
                JetRange(j->m_pDisplay->m_Disks, j->m_RangeMin, j->m_RangeMax);
                // A jet without disks keeps the fresh records and so widens nothing.
                Widen(r->m_RangeMin, r->m_RangeMax, j->m_RangeMin, j->m_RangeMax);
            }
            Widen(o->m_RangeMin, o->m_RangeMax, r->m_RangeMin, r->m_RangeMax);
        }
        Widen(m_RangeMin, m_RangeMax, o->m_RangeMin, o->m_RangeMax);
    }
}
