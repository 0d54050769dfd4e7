// The uniform tube of a jet ("Fast Display"), with the picked segment
// highlighted and the growth animation's limit. The tube goes out as vertex
// arrays kept between frames, each ring with as many of its vertices as its
// size on the screen needs; picking draws it segment by segment with every
// vertex, each segment with its selection name.
#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "model/JetDispModal.h"
#include "scene/SceneDrawState.h"
#include "scene/TubeArrayCache.h"
#include "scene/TubeDetail.h"

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

// The quad strip between two rings drawn with n of their vertices each
// (every size/n-th), or the stitching triangles between rings drawn with
// different counts, one GL call per vertex.
void Segment(const TubeRing& from, const TubeRing& to, int nFrom, int nTo) {
    const int sizeFrom = static_cast<int>(from.m_Vertices.size()), sizeTo = static_cast<int>(to.m_Vertices.size());
    const int slices = std::min(sizeFrom, sizeTo);
    if (slices == 0) return;
    if (sizeFrom != sizeTo) nFrom = nTo = slices;
    if (nFrom == nTo) {
        const int step = slices / nFrom;
        glBegin(GL_QUAD_STRIP);
        for (int j = 0; j <= nFrom; ++j) {
            const TubeVertex& a = to.m_Vertices[(j % nFrom) * step];
            const TubeVertex& b = from.m_Vertices[(j % nFrom) * step];
            glNormal3dv(a.m_dNormal);
            glVertex3dv(a.m_dPos);
            glNormal3dv(b.m_dNormal);
            glVertex3dv(b.m_dPos);
        }
        glEnd();
        return;
    }
    std::vector<SegmentCorner> corners;
    StitchTriangles(slices, nFrom, nTo, corners);
    glBegin(GL_TRIANGLES);
    for (const SegmentCorner& c : corners) {
        const TubeVertex& v = (c.m_bTo ? to : from).m_Vertices[c.m_nSlice];
        glNormal3dv(v.m_dNormal);
        glVertex3dv(v.m_dPos);
    }
    glEnd();
}

// Where the tube lands on the screen now, for the choice of vertices per
// ring, and what bounds the drawing: the view volume and the clip planes on.
TubeProjection CurrentProjection() {
    double modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    TubeProjection p = MakeTubeProjection(projection, modelview, viewport);
    GLint planes = 0;
    glGetIntegerv(GL_MAX_CLIP_PLANES, &planes);
    for (int i = 0; i < planes && i < 6; ++i) {
        if (!glIsEnabled(GL_CLIP_PLANE0 + i)) continue;
        double eyePlane[4];
        glGetClipPlane(GL_CLIP_PLANE0 + i, eyePlane);
        AddTubeClipPlane(p, eyePlane, modelview);
    }
    return p;
}

void HighlightOn() {
    glColor4d(0.8, 0.1, 0.6, 1.0);
    glDisable(GL_LIGHTING);
}

// The face batches of the cache, from its arrays.
void DrawBatches(const CTubeArrayCache& cache) {
    const std::vector<float>& v = cache.Vertices();
    if (cache.Batches().empty()) return;
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), v.data());
    glNormalPointer(GL_FLOAT, 6 * sizeof(float), v.data() + 3);
    glEnable(GL_LIGHTING);
    const unsigned int* indices = cache.Indices().data();
    for (const CTubeArrayCache::Batch& b : cache.Batches()) {
        // The highlighted segment turns lighting off; the material stays.
        if (b.m_bHighlighted) HighlightOn();
        glDrawElements(b.m_bQuads ? GL_QUADS : GL_TRIANGLES, static_cast<GLsizei>(b.m_nCount), GL_UNSIGNED_INT,
                       indices + b.m_nFirst);
        if (b.m_bHighlighted) glEnable(GL_LIGHTING);
    }
    glPopClientAttrib();
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
    std::vector<TubeSegment> segments;
    FastTubeSegments(count, stride, picked, state.highlightPick, segments);
    if (!selecting && !state.immediateMode) {
        if (!m_pTubeArrays) m_pTubeArrays = std::make_shared<CTubeArrayCache>();
        CTubeArrayCache& cache = *m_pTubeArrays;
        cache.Sync(rings, RingGeneration());
        const TubeProjection projection = CurrentProjection();
        // What lies wholly outside the view or beyond a clip plane would be
        // clipped away by GL after all its vertices were lit.
        std::vector<TubeSegment> visible;
        cache.DropHidden(segments, projection, visible);
        cache.ChooseDetail(visible, projection, state.fullDetail);
        cache.Build(visible);
        DrawBatches(cache);
    } else {
        // Picking names every disk and draws every vertex; the plain drawing
        // takes the same vertices per ring as the arrays.
        std::vector<int> detail(rings.size(), 0);
        const TubeProjection projection = selecting ? TubeProjection{} : CurrentProjection();
        for (const TubeSegment& s : segments) {
            for (int ring : {s.m_nFrom, s.m_nTo}) {
                const int size = static_cast<int>(rings[ring].m_Vertices.size());
                if (selecting || state.fullDetail) {
                    detail[ring] = size;
                } else if (detail[ring] == 0) {
                    double centre[3], radius;
                    RingBounds(rings[ring], centre, radius);
                    detail[ring] = RingDetail(projection, centre, radius, size);
                }
            }
            glEnable(GL_LIGHTING);
            if (s.m_bHighlighted) HighlightOn();
            if (selecting) glPushName(static_cast<GLuint>(s.m_nFrom));
            Segment(rings[s.m_nFrom], rings[s.m_nTo], detail[s.m_nFrom], detail[s.m_nTo]);
            if (selecting) glPopName();
        }
    }
    glPopMatrix();
    glPopAttrib();
}
