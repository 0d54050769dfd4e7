// The uniform tube of a jet ("Fast Display"), with the picked segment
// highlighted and the growth animation's limit. The tube goes out as vertex
// arrays, the segments between highlights in one call; picking draws it
// segment by segment, each with its selection name.
#include <GL/gl.h>

#include <algorithm>
#include <vector>

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

// The vertices of the rings drawn, one ring after another as floats
// (position, normal), each ring added on its first use (with a ring at
// every disk only every twentieth is drawn), and the quads waiting to go out.
struct TubeArrays {
    const std::vector<TubeRing>& m_Rings;
    std::vector<float> m_Vertices;
    std::vector<int> m_RingStart;  // first vertex of each ring added, -1 for the others
    std::vector<unsigned int> m_Indices;

    explicit TubeArrays(const std::vector<TubeRing>& rings) : m_Rings(rings), m_RingStart(rings.size(), -1) {}

    unsigned int RingStart(int ring) {
        if (m_RingStart[ring] < 0) {
            m_RingStart[ring] = static_cast<int>(m_Vertices.size() / 6);
            for (const TubeVertex& v : m_Rings[ring].m_Vertices) {
                for (int c = 0; c < 3; ++c) m_Vertices.push_back(static_cast<float>(v.m_dPos[c]));
                for (int c = 0; c < 3; ++c) m_Vertices.push_back(static_cast<float>(v.m_dNormal[c]));
            }
        }
        return static_cast<unsigned int>(m_RingStart[ring]);
    }
    // Adds the quads of the strip Strip draws between ring from and ring to,
    // each starting on ring from, so that GL cuts it into the same two
    // triangles as the strip's quad.
    void AddSegment(int from, int to) {
        const int n = static_cast<int>(std::min(m_Rings[from].m_Vertices.size(), m_Rings[to].m_Vertices.size()));
        if (n == 0) return;
        const unsigned int a = RingStart(to);
        const unsigned int b = RingStart(from);
        for (int j = 0; j < n; ++j) {
            const unsigned int j1 = static_cast<unsigned int>((j + 1) % n);
            m_Indices.insert(m_Indices.end(), {b + j, b + j1, a + j1, a + j});
        }
    }
    // Draws the quads waiting; the arrays of the client state point at the
    // vertices as they are now, added rings included.
    void Flush() {
        if (m_Indices.empty()) return;
        glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), m_Vertices.data());
        glNormalPointer(GL_FLOAT, 6 * sizeof(float), m_Vertices.data() + 3);
        glDrawElements(GL_QUADS, static_cast<GLsizei>(m_Indices.size()), GL_UNSIGNED_INT, m_Indices.data());
        m_Indices.clear();
    }
};
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
    if (selecting || state.immediateMode) {
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
    } else if (count > 1) {
        TubeArrays arrays(rings);
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnable(GL_LIGHTING);
        for (int k = 0; k < count - 1;) {
            int next = std::min(k + stride, count - 1);
            if (state.highlightPick && k <= picked && picked <= next) {
                if (k < picked) {
                    next = picked;
                } else {
                    // The highlighted segment turns lighting off; the material stays.
                    next = k + 1;
                    arrays.Flush();
                    glColor4d(0.8, 0.1, 0.6, 1.0);
                    glDisable(GL_LIGHTING);
                    arrays.AddSegment(k, next);
                    arrays.Flush();
                    glEnable(GL_LIGHTING);
                    k = next;
                    continue;
                }
            }
            arrays.AddSegment(k, next);
            k = next;
        }
        arrays.Flush();
        glPopClientAttrib();
    }
    glPopMatrix();
    glPopAttrib();
}
