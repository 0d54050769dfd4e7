// The smoke presentation of a jet: textured sprites facing the viewer,
// scattered behind every tenth disk and coloured by its mean concentration.
// A jet's sprites go out in one call per smoke texture: they are blended
// with src + dst (1 - src) and no depth test, which gives the same picture
// in any order.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "base/Angles.h"
#include "gl/CaseRenderer.h"
#include "gl/GlSetup.h"
#include "model/JetDispModal.h"
#include "scene/JetDisplays.h"
#include "scene/Random15.h"
#include "scene/SceneDrawState.h"
#include "scene/SmokeSprites.h"

// Eye-space triangles of sprites, by smoke texture: per vertex the texture
// coordinates (2), the colour (4) and the position (3).
struct SmokeBatch {
    static constexpr int kFloats = 9;
    std::array<std::vector<float>, kSmokeTextureCount> m_Vertices;
};

namespace {
void AddSmoke(const CJetDispModal& disp, int frame, int i, SmokeBatch& batch);
}  // namespace

void DrawJetSmoke(const CJetDispModal& disp, SmokeProgress& progress, const SceneDrawState& state) {
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
    const int count = static_cast<int>(disp.m_Disks.size());
    const int shown = std::min(progress.m_nShownDisks, count);
    if (state.smokeTextures) {
        SmokeBatch batch;
        for (int i = 0; i < shown; ++i) AddSmoke(disp, progress.m_nSpriteFrame, i, batch);
        glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_COLOR);
        glDisable(GL_LIGHTING);
        glPushMatrix();
        glLoadIdentity();
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        glEnableClientState(GL_VERTEX_ARRAY);
        constexpr GLsizei stride = SmokeBatch::kFloats * sizeof(float);
        for (int t = 0; t < kSmokeTextureCount; ++t) {
            const std::vector<float>& v = batch.m_Vertices[t];
            if (v.empty()) continue;
            glBindTexture(GL_TEXTURE_2D, state.smokeTextures[t]);
            glTexCoordPointer(2, GL_FLOAT, stride, v.data());
            glColorPointer(4, GL_FLOAT, stride, v.data() + 2);
            glVertexPointer(3, GL_FLOAT, stride, v.data() + 6);
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(v.size() / SmokeBatch::kFloats));
        }
        glPopClientAttrib();
        glPopMatrix();
    }
    if (progress.m_nShownDisks < count) ++progress.m_nShownDisks;
    progress.m_nSpriteFrame = (progress.m_nSpriteFrame + 1) % kSmokeFrames;
    glPopAttrib();
}

namespace {
void AddSmoke(const CJetDispModal& disp, int frame, int i, SmokeBatch& batch) {
    const std::vector<CJetDisk>& disks = disp.m_Disks;
    if (i < 0 || i >= static_cast<int>(disks.size()) || i % kSmokeDiskStep != 0) return;
    const CJetDisk& d = disks[i];
    glPushMatrix();
    // The disk's own frame, as the tube places it, scaled to the disk.
    const double hDeg = d.m_dHAngle * kRadToDeg;
    const double theta = d.m_dY >= 0.0 ? -hDeg : hDeg;
    glRotated(90.0 - disp.m_dDisplayAngle, 0.0, 1.0, 0.0);
    glTranslated(d.m_dX, d.m_dZ, -d.m_dY);
    glRotated(-theta, 0.0, 1.0, 0.0);
    glRotated(d.m_dVAngle * kRadToDeg - 90.0, 0.0, 0.0, 1.0);
    glScaled(d.m_dRadius, d.m_dRadius, d.m_dThickness);

    // The same disk in the same sprite frame always shows the same pattern.
    CRandom15 random(SmokeSeed(frame, i));
    double spread = 0.0;
    if (i >= kSmokeDiskStep) {
        const CJetDisk& p = disks[i - kSmokeDiskStep];
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
    float sprite[16] = {c * shape.m_fScaleX,
                        s * shape.m_fScaleX,
                        0,
                        0,
                        -s * shape.m_fScaleY,
                        c * shape.m_fScaleY,
                        0,
                        0,
                        0,
                        0,
                        1,
                        0,
                        0,
                        0,
                        0,
                        1};
    // The two triangles of a sprite as a strip over its corners would draw them.
    static const float kCorner[6][4] = {{1, 1, 0, 0},  {-1, 1, 1, 0}, {1, -1, 0, 1},
                                        {1, -1, 0, 1}, {-1, 1, 1, 0}, {-1, -1, 1, 1}};
    for (int k = 0; k < sprites; ++k) {
        const double r = random.Normal() / 4.0;
        const double phi = random.Unit() * 2.0 * kPi;
        const double offset[3] = {r * std::cos(phi), r * std::sin(phi), -random.Unit() * spread};
        for (int q = 0; q < 3; ++q)
            sprite[12 + q] = float(m[q] * offset[0] + m[4 + q] * offset[1] + m[8 + q] * offset[2] + m[12 + q]);
        const int texture = std::clamp(static_cast<int>(random.Unit() * kSmokeTextureCount), 0, kSmokeTextureCount - 1);
        std::vector<float>& out = batch.m_Vertices[texture];
        for (const float* corner : kCorner) {
            out.insert(out.end(), {corner[2], corner[3], colour[0], colour[1], colour[2], colour[3]});
            // The sprite matrix has no z part in its first two columns.
            out.insert(out.end(), {sprite[0] * corner[0] + sprite[4] * corner[1] + sprite[12],
                                   sprite[1] * corner[0] + sprite[5] * corner[1] + sprite[13], sprite[14]});
        }
    }
    glPopMatrix();
}
}  // namespace
