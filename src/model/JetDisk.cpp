#include "model/JetDisk.h"

#include "base/AppState.h"
#include "base/Archive.h"

bool CJetDisk::operator==(const CJetDisk& o) const {
    return m_dRadius == o.m_dRadius && m_dX == o.m_dX && m_dY == o.m_dY && m_dZ == o.m_dZ &&
           m_dMeanConc == o.m_dMeanConc && m_dDilution == o.m_dDilution && m_dVelocity == o.m_dVelocity &&
           m_dVAngle == o.m_dVAngle && m_dHAngle == o.m_dHAngle && m_dUnnamed == o.m_dUnnamed &&
           m_dThickness == o.m_dThickness && m_dMaxConc == o.m_dMaxConc;
}

void CJetDisk::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteDouble(m_dRadius);
        ar.WriteDouble(m_dX);
        ar.WriteDouble(m_dY);
        ar.WriteDouble(m_dZ);
        ar.WriteDouble(m_dMeanConc);
        ar.WriteDouble(m_dMaxConc);
        ar.WriteDouble(m_dDilution);
        ar.WriteDouble(m_dVelocity);
        ar.WriteDouble(m_dVAngle);
        ar.WriteDouble(m_dHAngle);
        ar.WriteDouble(m_dUnnamed);
        ar.WriteDouble(m_dThickness);
    } else {
        m_dRadius = ar.ReadDouble();
        m_dX = ar.ReadDouble();
        m_dY = ar.ReadDouble();
        m_dZ = ar.ReadDouble();
        m_dMeanConc = ar.ReadDouble();
        m_dMaxConc = ar.FileIsNewest() ? ar.ReadDouble() : 0.0;
        m_dDilution = ar.ReadDouble();
        m_dVelocity = ar.ReadDouble();
        m_dVAngle = ar.ReadDouble();
        m_dHAngle = ar.ReadDouble();
        m_dUnnamed = ar.ReadDouble();
        m_dThickness = ar.ReadDouble();
    }
}
