// Minimum and maximum of the disk values per jet, riser, outfall and case,
// in the order of the range records: mean concentration, half width,
// thickness, velocity.
#include <algorithm>

#include "model/PlumexDoc.h"

namespace {
void Widen(CRangeRecord& min, CRangeRecord& max, const CRangeRecord& jMin, const CRangeRecord& jMax) {
    for (int q = 0; q < 4; ++q) {
        min.Set(q, std::min(min.Get(q), jMin.Get(q)));
        max.Set(q, std::max(max.Get(q), jMax.Get(q)));
    }
}

CRangeRecord DiskValues(const CJetDisk& d) {
    CRangeRecord v;
    v.m_fConc = static_cast<float>(d.m_dMeanConc);
    v.m_fRadius = static_cast<float>(d.m_dRadius);
    v.m_fThickness = static_cast<float>(d.m_dThickness);
    v.m_fVelocity = static_cast<float>(d.m_dVelocity);
    return v;
}
}  // namespace

void CPlumexDoc::ComputeValueRanges() {
    m_RangeMin = CRangeRecord::FreshMin();
    m_RangeMax = CRangeRecord::FreshMax();
    for (auto& o : m_Outfalls) {
        o->m_RangeMin = CRangeRecord::FreshMin();
        o->m_RangeMax = CRangeRecord::FreshMax();
        for (auto& r : o->m_Risers) {
            r->m_RangeMin = CRangeRecord::FreshMin();
            r->m_RangeMax = CRangeRecord::FreshMax();
            for (auto& j : r->m_Jets) {
                j->m_RangeMin = CRangeRecord::FreshMin();
                j->m_RangeMax = CRangeRecord::FreshMax();
                for (const CJetDisk& d : j->m_pDisplay->m_Disks) {
                    const CRangeRecord v = DiskValues(d);
                    Widen(j->m_RangeMin, j->m_RangeMax, v, v);
                }
                // A jet without disks keeps the fresh records and so widens nothing.
                Widen(r->m_RangeMin, r->m_RangeMax, j->m_RangeMin, j->m_RangeMax);
            }
            Widen(o->m_RangeMin, o->m_RangeMax, r->m_RangeMin, r->m_RangeMax);
        }
        Widen(m_RangeMin, m_RangeMax, o->m_RangeMin, o->m_RangeMax);
    }
}
