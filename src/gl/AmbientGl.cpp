// The ambient box: textured sea bed and walls, fogged below the water line,
// compiled into one display list held by the context's resource holder.
#include <GL/gl.h>

#include <algorithm>

#include "gl/GlResources.h"
#include "model/Ambient.h"
#include "scene/AmbientImages.h"

namespace {
// File stem of a face in texture order, from the record's face names
// ("SeaBed", "Left", "Front", "Right").
const std::string& Stem(const CAmbient& a, int face) {
    static const int kNameIndex[4] = {1, 3, 0, 2};  // Left, Right, SeaBed, Front
    return a.m_strFaceNames[kNameIndex[face]];
}
}  // namespace

bool CGlResources::BoxKey::operator==(const BoxKey& o) const {
    for (int i = 0; i < 4; ++i)
        if (m_strFaceNames[i] != o.m_strFaceNames[i]) return false;
    return m_dHalfExtentX == o.m_dHalfExtentX && m_dHalfExtentZ == o.m_dHalfExtentZ && m_dWaterDepth == o.m_dWaterDepth;
}

CGlResources::BoxKey CGlResources::KeyOf(const CAmbient& ambient) {
    BoxKey k;
    k.m_dHalfExtentX = ambient.m_dHalfExtentX;
    k.m_dHalfExtentZ = ambient.m_dHalfExtentZ;
    k.m_dWaterDepth = ambient.m_dWaterDepth;
    for (int i = 0; i < 4; ++i) k.m_strFaceNames[i] = ambient.m_strFaceNames[i];
    return k;
}

void CGlResources::DrawAmbientBox(const CAmbient& ambient, float zoomFactor) {
    m_fZoomFactor = zoomFactor;
    PrepareAmbientBox(ambient);
    if (m_nBoxList) glCallList(m_nBoxList);
}

void CGlResources::PrepareAmbientBox(const CAmbient& ambient) {
    if (m_strTextureDir.empty()) return;
    const BoxKey key = KeyOf(ambient);
    if (!m_bHaveBox || !(key == m_Key)) {
        // The face names decide the images; the extents and depth the list.
        if (!m_bHaveBox || !std::equal(key.m_strFaceNames, key.m_strFaceNames + 4, m_Key.m_strFaceNames))
            LoadTextures(ambient);
        BuildList(ambient);
        m_Key = key;
        m_bHaveBox = true;
    }
}

void CGlResources::LoadTextures(const CAmbient& ambient) {
    FaceTexture faces[4];
    for (int i = 0; i < 4; ++i) ReadFaceImage(m_strTextureDir + "/" + Stem(ambient, i) + ".bmp", faces[i]);
    if (m_nTexNames[0]) glDeleteTextures(4, m_nTexNames);
    glGenTextures(4, m_nTexNames);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < 4; ++i) {
        FaceTexture& f = faces[i];
        m_bFaceLoaded[i] = f.m_bLoaded;
        if (!f.m_bLoaded) continue;
        glBindTexture(GL_TEXTURE_2D, m_nTexNames[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, f.m_nWidth, f.m_nHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, f.m_Pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glShadeModel(GL_SMOOTH);
}

void CGlResources::BuildList(const CAmbient& ambient) {
    if (m_nBoxList) glDeleteLists(m_nBoxList, 1);
    m_nBoxList = glGenLists(1);
    if (!m_nBoxList) return;
    const double W = ambient.m_dHalfExtentX, D = ambient.m_dHalfExtentZ, H = ambient.m_dWaterDepth;
    const double B = -50.0, T = H + W;  // sea-bed level, top of the walls
    struct FaceDef {
        int face;
        bool fog;
        double v[4][3];
        double t[4][2];
    };
    const FaceDef faces[] = {
        {kFaceLeft, true, {{-W, B, D}, {-W, H, D}, {-W, H, -D}, {-W, B, -D}}, {{0, 0}, {0, 0.5}, {1, 0.5}, {1, 0}}},
        {kFaceLeft, false, {{-W, H, D}, {-W, T, D}, {-W, T, -D}, {-W, H, -D}}, {{0, 0.5}, {0, 1}, {1, 1}, {1, 0.5}}},
        {kFaceRight, true, {{W, B, -D}, {W, H, -D}, {W, H, D}, {W, B, D}}, {{0, 0}, {0, 0.5}, {1, 0.5}, {1, 0}}},
        {kFaceRight, false, {{W, H, -D}, {W, T, -D}, {W, T, D}, {W, H, D}}, {{0, 0.5}, {0, 1}, {1, 1}, {1, 0.5}}},
        {kFaceSeaBed, true, {{-W, B, D}, {-W, B, -D}, {W, B, -D}, {W, B, D}}, {{0, 0}, {0, 40}, {40, 40}, {40, 0}}},
        {kFaceFront, true, {{-W, B, -D}, {-W, H, -D}, {W, H, -D}, {W, B, -D}}, {{0, 0}, {0, 0.5}, {1, 0.5}, {1, 0}}},
        {kFaceFront, false, {{-W, H, -D}, {-W, T, -D}, {W, T, -D}, {W, H, -D}}, {{0, 0.5}, {0, 1}, {1, 1}, {1, 0.5}}},
    };
    static const GLfloat fogColour[4] = {0.0f, 0.0f, 0.5f, 1.0f};
    static const GLfloat diffuse[4] = {0.0f, 0.0f, 1.0f, 0.4f};
    glNewList(m_nBoxList, GL_COMPILE);
    // The attribute stack gives back texturing, fog, lighting, the texture
    // binding and environment, the colour and the material the box changes.
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_FOG_BIT | GL_LIGHTING_BIT | GL_CURRENT_BIT);
    glPushMatrix();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    glFogi(GL_FOG_MODE, GL_EXP);
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.002f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, 1.0f);
    glFogf(GL_FOG_END, 1000.0f);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    for (const FaceDef& f : faces) {
        // A face whose image is missing is still drawn, in a plain colour:
        // sand for the bed, sea water below the water line, sky above it.
        const bool textured = m_bFaceLoaded[f.face];
        if (textured) {
            glEnable(GL_TEXTURE_2D);
            glEnable(GL_LIGHTING);
            glBindTexture(GL_TEXTURE_2D, m_nTexNames[f.face]);
        } else {
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_LIGHTING);
            if (f.face == kFaceSeaBed) glColor3d(0.55, 0.5, 0.38);
            else if (f.fog) glColor3d(0.12, 0.3, 0.45);
            else glColor3d(0.62, 0.75, 0.88);
        }
        if (f.fog) glEnable(GL_FOG);
        glBegin(GL_POLYGON);
        for (int i = 0; i < 4; ++i) {
            glTexCoord2dv(f.t[i]);
            glVertex3dv(f.v[i]);
        }
        glEnd();
        if (f.fog) glDisable(GL_FOG);
    }
    glDisable(GL_FOG);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glPopAttrib();
    glEndList();
}
