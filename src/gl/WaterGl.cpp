// The water surface's texture and its translucent drawing.
#include <GL/gl.h>

#include "base/Prompt.h"
#include "image/Texture.h"
#include "scene/Water.h"

bool CWater::LoadTexture(int kind, const std::string& startDir, CPrompt& prompt) {
    std::string path;
    switch (kind) {
    case 1:
        path = "clouds.bmp";
        break;
    case 2:
        path = "wall511.bmp";
        break;
    case 3:
        path = startDir + "/water.bmp";
        break;
    default:
        return false;
    }
    ReleaseTexture();
    m_pTexture = std::make_unique<CTexture>(path);
    if (!m_pTexture->Load(path, prompt)) {
        prompt.Inform("Error reading texture");
        return false;
    }
    if (!m_pTexture->Upload()) return false;
    // The surface covers most of the picture: one mipmap level per pixel
    // costs half the texel reads of blending two, with no visible change.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    return true;
}

void CWater::PrepareArrays(float s) {
    if (m_TexCoords.empty() || s != m_fTexCoordStep) {
        m_TexCoords.assign(std::size_t(kGridMax) * kGridMax * 2, 0.0f);
        for (int z = 0; z < kGridMax; ++z)
            for (int x = 0; x < kGridMax; ++x) {
                m_TexCoords[(std::size_t(z) * kGridMax + x) * 2] = x * s;
                m_TexCoords[(std::size_t(z) * kGridMax + x) * 2 + 1] = z * s;
            }
        m_fTexCoordStep = s;
    }
    if (m_nStripColumns != m_nColumns || m_nStripRows != m_nRows) {
        m_StripIndices.clear();
        for (int i = 0; i + 1 < m_nRows; ++i)
            for (int j = 0; j + 1 < m_nColumns; ++j) {
                m_StripIndices.push_back(unsigned(i) * kGridMax + j);
                m_StripIndices.push_back(unsigned(i + 1) * kGridMax + j);
            }
        m_nStripColumns = m_nColumns;
        m_nStripRows = m_nRows;
    }
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
    // The strips come from arrays: the same vertices and coordinates as
    // one call per vertex, at a fraction of the cost.
    PrepareArrays(s);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, m_Positions.data());
    glTexCoordPointer(2, GL_FLOAT, 0, m_TexCoords.data());
    const int perStrip = 2 * (m_nColumns - 1);
    for (int i = 0; i + 1 < m_nRows; ++i)
        glDrawElements(GL_TRIANGLE_STRIP, perStrip, GL_UNSIGNED_INT, &m_StripIndices[std::size_t(i) * perStrip]);
    glPopClientAttrib();
    if (textured) {
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
    glPopAttrib();
}
