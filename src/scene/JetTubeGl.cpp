// The uniform tube of a jet ("Fast Display"), with the picked segment
// highlighted and the growth animation's limit.
#include <GL/gl.h>

#include <algorithm>

#include "model/JetDispModal.h"
#include "scene/SceneDrawState.h"

namespace {
void ApplyTubeMaterial() {
    static const GLfloat ambient[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    static const GLfloat diffuse[4] = {0.3f, 0.7f, 0.8f, 1.0f};
    static const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
}

void Strip(const TubeRing& from, const TubeRing& to) {
    const int n = static_cast<int>(std::min(from.m_Vertices.size(), to.m_Vertices.size()));
    if (n == 0) return;
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= n; ++j) {
        const TubeVertex& a = to.m_Vertices[j % n];
        const TubeVertex& b = from.m_Vertices[j % n];
        glNormal3dv(a.m_dNormal);
        glVertex3dv(a.m_dPos);
        glNormal3dv(b.m_dNormal);
        glVertex3dv(b.m_dPos);
    }
    glEnd();
}
}  // namespace

void CJetDispModal::Draw(SceneDrawState state) const {
    if (state.particleMode) return;  // the smoke presentation draws the jet then
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    ApplyTubeMaterial();
    glPushMatrix();
    const bool selecting = state.Selecting();
    // Picking names every disk: it draws a tube of its own with a ring per
    // disk, so that the ring named by a hit is the disk, and the jet's tube
    // stays as the display settings made it.
    std::vector<TubeRing> pickRings;
    if (selecting) MakeRings(1, state.waterDepth, true, pickRings);
    const std::vector<TubeRing>& rings = selecting ? pickRings : Rings();
    const int interval = selecting ? 1 : m_nRingInterval;
    int count = static_cast<int>(rings.size());
    if (state.animating && state.animationStep < count) count = state.animationStep;
    const int stride = selecting ? 1 : (interval == 1 ? 20 : 1);
    // The picked ring counts disks; the highlighted segment is the one of
    // this tube that holds the picked disk.
    int picked = m_nPickedRing;
    if (interval != 1) {
        for (int k = 0; k + 1 < count; ++k)
            if (rings[k].m_nDisk <= m_nPickedRing && m_nPickedRing < rings[k + 1].m_nDisk) picked = k;
    }
    for (int k = 0; k < count - 1;) {
        // The highlighted segment turns lighting off; the material stays.
        glEnable(GL_LIGHTING);
        int next = std::min(k + stride, count - 1);
        if (state.highlightPick && k <= picked && picked <= next) {
            if (k < picked) {
                next = picked;
            } else {
                next = k + 1;
                glColor4d(0.8, 0.1, 0.6, 1.0);
                glDisable(GL_LIGHTING);
            }
        }
        if (selecting) glPushName(static_cast<GLuint>(k));
        Strip(rings[k], rings[next]);
        if (selecting) glPopName();
        k = next;
    }
    glPopMatrix();
    glPopAttrib();
}
