#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The surface colour of a drawn structure, jet or particle system: the
// GL_AMBIENT, GL_DIFFUSE and GL_SPECULAR colours (r, g, b, a) and the
// GL_SHININESS. The diffuse alpha is the surface's opacity.
// Stored as 52 bytes of little-endian floats inside the owning record.

class CArchive;

class CMaterialProperty {
public:
    // Colour kinds of SetColor, SetColorArray and GetColorArray.
    enum { kAmbient = 1, kDiffuse = 2, kSpecular = 3 };

    // All colours (0, 0, 0, 1), shininess 0.
    CMaterialProperty();
    virtual ~CMaterialProperty() = default;

    // The materials the owners start with.
    static CMaterialProperty OutfallDefault();
    static CMaterialProperty RiserDefault();
    static CMaterialProperty JetHighDefault();
    static CMaterialProperty JetLowDefault();
    static CMaterialProperty ParticleADefault();
    static CMaterialProperty ParticleBDefault();

    // A kind other than 1, 2 or 3 is ignored.
    void SetColor(int nKind, float fR, float fG, float fB, float fA);
    void SetColorArray(int nKind, const float fColor[4]);
    // A kind other than 1, 2 or 3 leaves fColor untouched.
    void GetColorArray(int nKind, float fColor[4]) const;

    void SetShininess(float fShininess) { m_fShininess = fShininess; }
    float GetShininess() const { return m_fShininess; }

    void CopyFrom(const CMaterialProperty& other);

    // Ambient, diffuse, specular (16 bytes each), then shininess (4 bytes).
    void Serialize(CArchive& ar);

    float m_fAmbient[4];
    float m_fDiffuse[4];
    float m_fSpecular[4];
    float m_fShininess;

private:
    const float* Color(int nKind) const;
    float* Color(int nKind);
};

// Makes the material current for front and back faces (GL drawing code).
void ApplyMaterial(const CMaterialProperty& material);
