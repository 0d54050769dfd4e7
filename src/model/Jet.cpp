#include "model/Jet.h"

#include <atomic>
#include <cmath>
#include <cstring>

#include "base/Archive.h"

namespace {
// Identities count up from 1 for the whole process; a copy of a jet is a new
// jet with a new identity.
JetId NextJetId() {
    static std::atomic<JetId> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

CJet::CJet(bool noRiser)
    : m_pDisplay(std::make_unique<CJetDispModal>()),
      m_MaterialA(CMaterialProperty::JetHighDefault()),
      m_MaterialB(CMaterialProperty::JetLowDefault()),
      m_nId(NextJetId()) {
    CopyFrom(nullptr, noRiser);
}

double CJet::TurnedAngle(double angle, double turn) {
    // Above 360 the angle is taken back into (0, 360]; fmod, not a loop of
    // subtractions, so that a huge or infinite value cannot hang.
    double a = angle + turn;
    if (a > 360.0) {
        a = std::fmod(a, 360.0);
        if (a == 0.0) a = 360.0;
    }
    return a;
}

void CJet::CopyFrom(const CJet* src, bool noRiser) {
    if (!src) {
        const JetData def;
        SetData(def);
        m_dPortHeight = noRiser ? 2.0 : 1.0;
        m_dVAngle = noRiser ? 90.0 : 0.0;
        return;
    }
    // The editable fields are exactly what a copy takes over; only the
    // horizontal angle is turned.
    SetData(src->GetData());
    m_dHAngle = TurnedAngle(m_dHAngle, 60.0);
}

JetData CJet::GetData() const {
    JetData d;
    d.m_dCurrent = m_dCurrent;
    d.m_dDiameter = m_dDiameter;
    d.m_dFlow = m_dFlow;
    d.m_dPortHeight = m_dPortHeight;
    d.m_dHAngle = m_dHAngle;
    d.m_dSalinity = m_dSalinity;
    d.m_dTemperature = m_dTemperature;
    d.m_dVAngle = m_dVAngle;
    d.m_nVisible = m_nVisible;
    return d;
}

void CJet::SetData(const JetData& d) {
    m_dCurrent = d.m_dCurrent;
    m_dDiameter = d.m_dDiameter;
    m_dFlow = d.m_dFlow;
    m_dPortHeight = d.m_dPortHeight;
    m_dHAngle = d.m_dHAngle;
    m_dSalinity = d.m_dSalinity;
    m_dTemperature = d.m_dTemperature;
    m_dVAngle = d.m_dVAngle;
    m_nVisible = d.m_nVisible;
}

void CJet::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteText(m_strName, 64);
        m_MaterialA.Serialize(ar);
        m_MaterialB.Serialize(ar);
        ar.WriteDouble(m_dCurrent);
        ar.WriteDouble(m_dDiameter);
        ar.WriteDouble(m_dFlow);
        ar.WriteDouble(m_dPortHeight);
        ar.WriteDouble(m_dHAngle);
        ar.WriteDouble(m_dVAngle);
        ar.WriteDouble(m_dSalinity);
        ar.WriteDouble(m_dTemperature);
        ar.WriteBytes(&m_KeyParams, kStoredKeyParameterBytes);
        ar.WriteInt32(m_nVisible);
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        m_pDisplay->Serialize(ar);
    } else {
        m_strName = ar.ReadText(64);
        m_MaterialA.Serialize(ar);
        m_MaterialB.Serialize(ar);
        m_dCurrent = ar.ReadDouble();
        m_dDiameter = ar.ReadDouble();
        m_dFlow = ar.ReadDouble();
        m_dPortHeight = ar.ReadDouble();
        m_dHAngle = ar.ReadDouble();
        m_dVAngle = ar.ReadDouble();
        m_dSalinity = ar.ReadDouble();
        m_dTemperature = ar.ReadDouble();
        ar.ReadBytes(&m_KeyParams, kStoredKeyParameterBytes);
        // The row's merging is not in the case stream: whoever reads the
        // jet puts it back (the case file's own stream, an undone deletion).
        m_KeyParams.m_Row = CRowMerging{};
        // The title is shown as text: make sure it ends inside its field.
        m_KeyParams.m_szTitle[sizeof m_KeyParams.m_szTitle - 1] = '\0';
        m_nVisible = ar.ReadInt32();
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        m_pDisplay->Serialize(ar);
    }
}
