#include "model/MaterialProperty.h"

#include "base/Archive.h"

namespace {
CMaterialProperty Make(const float amb[4], const float dif[4], float fShininess) {
    CMaterialProperty mat;
    mat.SetColorArray(CMaterialProperty::kAmbient, amb);
    mat.SetColorArray(CMaterialProperty::kDiffuse, dif);
    mat.SetColor(CMaterialProperty::kSpecular, 1.0f, 1.0f, 1.0f, 1.0f);
    mat.SetShininess(fShininess);
    return mat;
}

// Outfalls and risers share one copper-like colour.
CMaterialProperty StructureDefault() {
    const float amb[4] = {0.205f, 0.16f, 0.135f, 1.0f};
    const float dif[4] = {0.82f, 0.64f, 0.54f, 1.0f};
    return Make(amb, dif, 50.0f);
}
}  // namespace

CMaterialProperty::CMaterialProperty()
    : m_fAmbient{0.0f, 0.0f, 0.0f, 1.0f},
      m_fDiffuse{0.0f, 0.0f, 0.0f, 1.0f},
      m_fSpecular{0.0f, 0.0f, 0.0f, 1.0f},
      m_fShininess(0.0f) {}

CMaterialProperty CMaterialProperty::OutfallDefault() { return StructureDefault(); }

CMaterialProperty CMaterialProperty::RiserDefault() { return StructureDefault(); }

CMaterialProperty CMaterialProperty::JetHighDefault() {
    const float amb[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    const float dif[4] = {0.3f, 0.9f, 0.0f, 0.6f};
    return Make(amb, dif, 100.0f);
}

CMaterialProperty CMaterialProperty::JetLowDefault() {
    const float amb[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    const float dif[4] = {0.3f, 0.9f, 1.0f, 0.6f};
    return Make(amb, dif, 100.0f);
}

CMaterialProperty CMaterialProperty::ParticleADefault() {
    const float amb[4] = {0.0f, 0.5f, 0.5f, 1.0f};
    const float dif[4] = {0.6f, 1.0f, 0.0f, 0.6f};
    return Make(amb, dif, 100.0f);
}

CMaterialProperty CMaterialProperty::ParticleBDefault() {
    const float amb[4] = {0.0f, 0.5f, 0.5f, 1.0f};
    const float dif[4] = {0.6f, 0.2f, 1.0f, 0.6f};
    return Make(amb, dif, 100.0f);
}

const float* CMaterialProperty::Color(int nKind) const {
    switch (nKind) {
    case kAmbient:
        return m_fAmbient;
    case kDiffuse:
        return m_fDiffuse;
    case kSpecular:
        return m_fSpecular;
    default:
        return nullptr;
    }
}

float* CMaterialProperty::Color(int nKind) {
    return const_cast<float*>(static_cast<const CMaterialProperty*>(this)->Color(nKind));
}

void CMaterialProperty::SetColor(int nKind, float fR, float fG, float fB, float fA) {
    const float c[4] = {fR, fG, fB, fA};
    SetColorArray(nKind, c);
}

void CMaterialProperty::SetColorArray(int nKind, const float fColor[4]) {
    float* pColor = Color(nKind);
    if (!pColor) return;
    for (int i = 0; i < 4; ++i) pColor[i] = fColor[i];
}

void CMaterialProperty::GetColorArray(int nKind, float fColor[4]) const {
    const float* pColor = Color(nKind);
    if (!pColor) return;
    for (int i = 0; i < 4; ++i) fColor[i] = pColor[i];
}

void CMaterialProperty::CopyFrom(const CMaterialProperty& other) { *this = other; }

void CMaterialProperty::Serialize(CArchive& ar) {
    float* const groups[3] = {m_fAmbient, m_fDiffuse, m_fSpecular};
    if (ar.IsStoring()) {
        for (float* g : groups)
            for (int i = 0; i < 4; ++i) ar.WriteFloat(g[i]);
        ar.WriteFloat(m_fShininess);
    } else {
        // Read everything before changing anything, so that a stream that
        // ends early leaves the material as it was.
        float f[13];
        for (float& v : f) v = ar.ReadFloat();
        for (int g = 0; g < 3; ++g)
            for (int i = 0; i < 4; ++i) groups[g][i] = f[4 * g + i];
        m_fShininess = f[12];
    }
}
