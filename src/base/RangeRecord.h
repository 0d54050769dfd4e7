#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// Minimum or maximum of the disk values of a jet, riser, outfall or case:
// four floats in the order mean concentration, radius, thickness, velocity,
// followed by 16 bytes without meaning (written as zero, ignored on read).
class CArchive;

class CRangeRecord {
public:
    static constexpr float kFreshMin = 100000.0f;
    static constexpr float kFreshMax = -100000.0f;
    static constexpr int kBytes = 32;

    static CRangeRecord FreshMin() { return CRangeRecord(kFreshMin); }
    static CRangeRecord FreshMax() { return CRangeRecord(kFreshMax); }

    CRangeRecord() = default;
    explicit CRangeRecord(float all) : m_fConc(all), m_fRadius(all), m_fThickness(all), m_fVelocity(all) {}

    float Get(int i) const;
    void Set(int i, float v);
    void Serialize(CArchive& ar);

    bool operator==(const CRangeRecord& o) const {
        return m_fConc == o.m_fConc && m_fRadius == o.m_fRadius && m_fThickness == o.m_fThickness &&
               m_fVelocity == o.m_fVelocity;
    }

    float m_fConc = 0.0f;       // mean concentration
    float m_fRadius = 0.0f;     // half width
    float m_fThickness = 0.0f;  // disk thickness
    float m_fVelocity = 0.0f;   // velocity
};
