// The water surface's texture and its translucent drawing.
#include <GL/gl.h>

#include "base/Prompt.h"
#include "image/Texture.h"
#include "scene/Water.h"

bool CWater::LoadTexture(int kind, const std::string& startDir, CPrompt& prompt) {
    std::string path;
    switch (kind) {
    case 1: path = "clouds.bmp"; break;
    case 2: path = "wall511.bmp"; break;
    case 3: path = startDir + "/water.bmp"; break;
    default: return false;
    }
    ReleaseTexture();
    m_pTexture = std::make_unique<CTexture>(path);
    if (!m_pTexture->Load(path, prompt)) {
        prompt.Inform("Error reading texture");
        return false;
    }
    return m_pTexture->Upload();
}

void CWater::ReleaseTexture() { m_pTexture.reset(); }

void CWater::Draw(bool disturbed) {
    const float s = 1.0f / (m_fTiling * 20.0f);
    if (disturbed) Disturb();
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    // The fog set by the ambient box stays in force.
    glEnable(GL_FOG);
    glEnable(GL_BLEND);
    glColor4f(m_fColour[0], m_fColour[1], m_fColour[2], 0.5f);
    // A texture that was not built leaves the surface plain.
    const bool textured = m_bTextured && HasTexture();
    if (textured) {
        glMatrixMode(GL_TEXTURE);
        glEnable(GL_TEXTURE_2D);
        m_pTexture->Bind();
        glPushMatrix();
    }
    for (int i = 0; i + 1 < m_nRows; ++i) {
        glBegin(GL_TRIANGLE_STRIP);
        for (int j = 0; j + 1 < m_nColumns; ++j) {
            glTexCoord2f(j * s, i * s);
            glVertex3fv(Position(j, i));
            glTexCoord2f(j * s, (i + 1) * s);
            glVertex3fv(Position(j, i + 1));
        }
        glEnd();
    }
    if (textured) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
    glPopAttrib();
}
