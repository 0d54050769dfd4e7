#include "geometry/CutPlane.h"

#include <cmath>

#include "model/AppState.h"
#include "model/Archive.h"

double CCutPlane::Truncate2(double x) { return std::trunc(x * 100.0) / 100.0; }

void CCutPlane::SetPlane(double h, double v, double d, int diskNo, int kind, bool /*recompute*/) {
    m_dHAngle = Truncate2(h);
    m_dVAngle = Truncate2(v);
    m_dDistance = Truncate2(d);
    m_nDiskNo = diskNo;
    m_nKind = kind;
}

void CCutPlane::GetPlane(double& h, double& v, double& d, int& diskNo, int& kind) const {
    h = m_dHAngle;
    v = m_dVAngle;
    d = m_dDistance;
    diskNo = m_nDiskNo;
    kind = m_nKind;
}

void CCutPlane::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteDouble(m_dHAngle);
        ar.WriteDouble(m_dVAngle);
        ar.WriteDouble(m_dDistance);
        ar.WriteInt32(m_nKind);
        ar.WriteInt32(m_nDiskNo);
        return;
    }
    m_dHAngle = ar.ReadDouble();
    m_dVAngle = ar.ReadDouble();
    m_dDistance = ar.ReadDouble();
    const std::string& ver = ar.App().m_strFileVersion;
    if (ver == "Plumex2.0" || ver == "Plumex2.00") {
        m_nKind = ar.ReadInt32();
        m_nDiskNo = ar.ReadInt32();
    } else {
        m_nKind = 0;
        m_nDiskNo = 200;
    }
}
