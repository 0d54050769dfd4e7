#include "scene/TubeArrayCache.h"

#include <algorithm>
#include <cmath>

#include "model/JetDispModal.h"

void CTubeArrayCache::Sync(const std::vector<TubeRing>& rings, unsigned long long generation) {
    if (m_pRings == &rings && m_nGeneration == generation && m_nRingCount == rings.size() &&
        m_pFirstRing == rings.data())
        return;
    m_pRings = &rings;
    m_nGeneration = generation;
    m_nRingCount = rings.size();
    m_pFirstRing = rings.data();
    m_Vertices.clear();
    m_RingStart.assign(rings.size(), -1);
    m_Bounds.assign(4 * rings.size(), -1.0);
    m_Key.clear();
    m_Indices.clear();
    m_Batches.clear();
}

unsigned int CTubeArrayCache::RingStart(int ring) {
    if (m_RingStart[ring] < 0) {
        m_RingStart[ring] = static_cast<int>(m_Vertices.size() / 6);
        const auto& verts = (*m_pRings)[ring].m_Vertices;
        std::size_t at = m_Vertices.size();
        m_Vertices.resize(at + 6 * verts.size());
        for (const TubeVertex& v : verts) {
            for (int c = 0; c < 3; ++c) m_Vertices[at++] = static_cast<float>(v.m_dPos[c]);
            for (int c = 0; c < 3; ++c) m_Vertices[at++] = static_cast<float>(v.m_dNormal[c]);
        }
    }
    return static_cast<unsigned int>(m_RingStart[ring]);
}

void CTubeArrayCache::Bounds(int ring, double centre[3], double& radius) {
    double* b = &m_Bounds[4 * static_cast<std::size_t>(ring)];
    if (b[3] < 0.0) RingBounds((*m_pRings)[ring], b, b[3]);
    for (int c = 0; c < 3; ++c) centre[c] = b[c];
    radius = b[3];
}

void CTubeArrayCache::DropHidden(const std::vector<TubeSegment>& segments, const TubeProjection& p,
                                 std::vector<TubeSegment>& visible) {
    visible.clear();
    for (const TubeSegment& s : segments) {
        // A ball holding both rings holds the segment between them.
        double a[3], b[3], ra, rb;
        Bounds(s.m_nFrom, a, ra);
        Bounds(s.m_nTo, b, rb);
        double centre[3], half = 0.0;
        for (int c = 0; c < 3; ++c) {
            centre[c] = 0.5 * (a[c] + b[c]);
            half += (b[c] - a[c]) * (b[c] - a[c]);
        }
        if (!BallOutside(p, centre, 0.5 * std::sqrt(half) + std::max(ra, rb))) visible.push_back(s);
    }
}

const std::vector<int>& CTubeArrayCache::ChooseDetail(const std::vector<TubeSegment>& segments, const TubeProjection& p,
                                                      bool full) {
    m_Detail.assign(m_nRingCount, 0);
    for (const TubeSegment& s : segments) {
        for (int ring : {s.m_nFrom, s.m_nTo}) {
            if (m_Detail[ring] != 0) continue;
            const int size = static_cast<int>((*m_pRings)[ring].m_Vertices.size());
            if (full) {
                m_Detail[ring] = size;
                continue;
            }
            double centre[3], radius;
            Bounds(ring, centre, radius);
            m_Detail[ring] = RingDetail(p, centre, radius, size);
        }
    }
    return m_Detail;
}

void CTubeArrayCache::Build(const std::vector<TubeSegment>& segments) {
    m_NewKey.clear();
    m_NewKey.reserve(5 * segments.size());
    for (const TubeSegment& s : segments)
        m_NewKey.insert(m_NewKey.end(),
                        {s.m_nFrom, s.m_nTo, s.m_bHighlighted ? 1 : 0, m_Detail[s.m_nFrom], m_Detail[s.m_nTo]});
    if (m_NewKey == m_Key && !m_Batches.empty()) return;
    m_Key.swap(m_NewKey);
    ++m_nBuilds;
    m_Indices.clear();
    m_Batches.clear();
    for (const TubeSegment& s : segments) AddSegment(s);
}

// Appends the faces of one segment, merged into the last batch when it has
// the same kind; segments are drawn in their order either way.
void CTubeArrayCache::AddSegment(const TubeSegment& s) {
    const auto& from = (*m_pRings)[s.m_nFrom].m_Vertices;
    const auto& to = (*m_pRings)[s.m_nTo].m_Vertices;
    const int sizeFrom = static_cast<int>(from.size()), sizeTo = static_cast<int>(to.size());
    const int slices = std::min(sizeFrom, sizeTo);
    if (slices == 0) return;
    int nFrom = m_Detail[s.m_nFrom], nTo = m_Detail[s.m_nTo];
    if (sizeFrom != sizeTo) nFrom = nTo = slices;  // rings of unequal size keep all their vertices
    const unsigned int b = RingStart(s.m_nFrom);
    const unsigned int a = RingStart(s.m_nTo);
    const std::size_t first = m_Indices.size();
    if (nFrom == nTo) {
        // Quads starting on the first ring, so that GL cuts each into the
        // same two triangles as the quad strip of the plain drawing.
        const unsigned int step = static_cast<unsigned int>(slices / nFrom);
        m_Indices.resize(first + 4 * static_cast<std::size_t>(nFrom));
        unsigned int* out = m_Indices.data() + first;
        for (int j = 0; j < nFrom; ++j) {
            const unsigned int s0 = static_cast<unsigned int>(j) * step;
            const unsigned int s1 = static_cast<unsigned int>((j + 1) % nFrom) * step;
            *out++ = b + s0;
            *out++ = b + s1;
            *out++ = a + s1;
            *out++ = a + s0;
        }
        AddIndices(true, s.m_bHighlighted, first);
    } else {
        StitchTriangles(slices, nFrom, nTo, m_Stitch);
        m_Indices.resize(first + m_Stitch.size());
        unsigned int* out = m_Indices.data() + first;
        for (const SegmentCorner& c : m_Stitch) *out++ = (c.m_bTo ? a : b) + static_cast<unsigned int>(c.m_nSlice);
        AddIndices(false, s.m_bHighlighted, first);
    }
}

void CTubeArrayCache::AddIndices(bool quads, bool highlighted, std::size_t first) {
    const std::size_t count = m_Indices.size() - first;
    if (!m_Batches.empty()) {
        Batch& last = m_Batches.back();
        if (last.m_bQuads == quads && !last.m_bHighlighted && !highlighted) {
            last.m_nCount += count;
            return;
        }
    }
    m_Batches.push_back({quads, highlighted, first, count});
}
