// The smoke presentation of a jet: textured sprites facing the viewer,
// scattered behind every tenth disk and coloured by its mean concentration.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "model/JetDispModal.h"
#include "scene/GlSetup.h"
#include "scene/Random15.h"
#include "scene/SceneDrawState.h"
#include "scene/SmokeSprites.h"

void CJetDispModal::DrawSmokePresentation(const SceneDrawState& state) {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT | GL_TEXTURE_BIT |
                 GL_CURRENT_BIT);
    glEnable(GL_AUTO_NORMAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDepthFunc(GL_LEQUAL);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    const int count = static_cast<int>(m_Disks.size());
    const int shown = std::min(m_nShownDisks, count);
    if (state.smokeTextures)
        for (int i = 0; i < shown; ++i) DrawSmoke(i, state.smokeTextures);
    if (m_nShownDisks < count) ++m_nShownDisks;
    m_nSpriteFrame = (m_nSpriteFrame + 1) % kSmokeFrames;
    glPopAttrib();
}

void CJetDispModal::DrawSmoke(int i, const unsigned int* smokeTextures) const {
    if (i < 0 || i >= static_cast<int>(m_Disks.size()) || i % kSmokeDiskStep != 0) return;
    const CJetDisk& d = m_Disks[i];
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
    glDisable(GL_LIGHTING);
    glPushMatrix();
    // The disk's own frame, as the tube places it, scaled to the disk.
    const double hDeg = d.m_dHAngle * kRadToDeg;
    const double theta = d.m_dY >= 0.0 ? -hDeg : hDeg;
    glRotated(90.0 - m_dDisplayAngle, 0.0, 1.0, 0.0);
    glTranslated(d.m_dX, d.m_dZ, -d.m_dY);
    glRotated(-theta, 0.0, 1.0, 0.0);
    glRotated(d.m_dVAngle * kRadToDeg - 90.0, 0.0, 0.0, 1.0);
    glScaled(d.m_dRadius, d.m_dRadius, d.m_dThickness);

    // The same disk in the same sprite frame always shows the same pattern.
    CRandom15 random(SmokeSeed(m_nSpriteFrame, i));
    double spread = 0.0;
    if (i >= kSmokeDiskStep) {
        const CJetDisk& p = m_Disks[i - kSmokeDiskStep];
        spread = SmokeSpread(std::hypot(d.m_dX - p.m_dX, d.m_dY - p.m_dY, d.m_dZ - p.m_dZ), d.m_dThickness);
    }
    const int sprites = SmokeSpriteCount(spread);
    float colour[4];
    SmokeColour(d.m_dMeanConc, colour);
    // Every sprite of the disk faces the viewer alike: the offsets only
    // move it, so the turn and the scales come from the disk's matrix once.
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const SpritePlacement shape = DecomposeSpriteMatrix(m);
    const float c = std::cos(shape.m_fAngle * float(kDegToRad)), s = std::sin(shape.m_fAngle * float(kDegToRad));
    float sprite[16] = {c * shape.m_fScaleX, s * shape.m_fScaleX, 0, 0, -s * shape.m_fScaleY, c * shape.m_fScaleY, 0, 0,
                        0, 0, 1, 0, 0, 0, 0, 1};
    glColor4fv(colour);
    for (int k = 0; k < sprites; ++k) {
        const double r = random.Normal() / 4.0;
        const double phi = random.Unit() * 2.0 * kPi;
        const double offset[3] = {r * std::cos(phi), r * std::sin(phi), -random.Unit() * spread};
        for (int q = 0; q < 3; ++q)
            sprite[12 + q] = float(m[q] * offset[0] + m[4 + q] * offset[1] + m[8 + q] * offset[2] + m[12 + q]);
        const int texture = std::clamp(static_cast<int>(random.Unit() * kSmokeTextureCount), 0, kSmokeTextureCount - 1);
        glBindTexture(GL_TEXTURE_2D, smokeTextures[texture]);
        glLoadMatrixf(sprite);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, 0);
        glVertex3f(1, 1, 0);
        glTexCoord2f(1, 0);
        glVertex3f(-1, 1, 0);
        glTexCoord2f(0, 1);
        glVertex3f(1, -1, 0);
        glTexCoord2f(1, 1);
        glVertex3f(-1, -1, 0);
        glEnd();
    }
    glPopMatrix();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}
