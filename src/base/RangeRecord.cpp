#include "base/RangeRecord.h"

#include "base/Archive.h"

float CRangeRecord::Get(int i) const {
    switch (i) {
    case 0:
        return m_fConc;
    case 1:
        return m_fRadius;
    case 2:
        return m_fThickness;
    case 3:
        return m_fVelocity;
    default:
        return 0.0f;
    }
}

void CRangeRecord::Set(int i, float v) {
    switch (i) {
    case 0:
        m_fConc = v;
        break;
    case 1:
        m_fRadius = v;
        break;
    case 2:
        m_fThickness = v;
        break;
    case 3:
        m_fVelocity = v;
        break;
    default:
        break;
    }
}

void CRangeRecord::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteFloat(m_fConc);
        ar.WriteFloat(m_fRadius);
        ar.WriteFloat(m_fThickness);
        ar.WriteFloat(m_fVelocity);
        ar.WriteZeros(16);
    } else {
        m_fConc = ar.ReadFloat();
        m_fRadius = ar.ReadFloat();
        m_fThickness = ar.ReadFloat();
        m_fVelocity = ar.ReadFloat();
        ar.Skip(16);
    }
}
