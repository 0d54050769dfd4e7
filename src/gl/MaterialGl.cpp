#include <GL/gl.h>

#include "model/MaterialProperty.h"

void ApplyMaterial(const CMaterialProperty& material) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.m_fAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, material.m_fDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.m_fSpecular);
    // GL refuses a shininess outside 0 ... 128 and would keep the previous
    // material's; a value read from a damaged file is held to the range.
    float fShininess = material.m_fShininess;
    if (!(fShininess >= 0.0f)) fShininess = 0.0f;
    if (fShininess > 128.0f) fShininess = 128.0f;
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, fShininess);
}
