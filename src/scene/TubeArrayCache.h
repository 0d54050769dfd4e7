#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// What the fast tube of one jet keeps between frames: its rings' vertices
// as floats (position, normal) ready for the vertex arrays, each ring's
// centre and radius, and the face lists of the last frame, made again only
// when the segments or the vertices used per ring change. GL-free.
#include <cstddef>
#include <vector>

#include "scene/TubeDetail.h"

struct TubeRing;

class CTubeArrayCache {
public:
    // One draw call's worth of faces: quads or triangles, lit or highlighted.
    struct Batch {
        bool m_bQuads;
        bool m_bHighlighted;
        std::size_t m_nFirst;
        std::size_t m_nCount;
    };

    // Forgets everything when the rings are not those it was filled from.
    void Sync(const std::vector<TubeRing>& rings, unsigned long long generation);
    // The segments of which something can be seen through p, into visible.
    void DropHidden(const std::vector<TubeSegment>& segments, const TubeProjection& p,
                    std::vector<TubeSegment>& visible);
    // The vertices used per ring for the segments, as seen through p (all
    // with full); the rings no segment uses get 0. Kept for Build.
    const std::vector<int>& ChooseDetail(const std::vector<TubeSegment>& segments, const TubeProjection& p,
                                         bool full = false);
    // The face lists of the segments with the vertex counts ChooseDetail
    // chose, unless they are those of the last frame.
    void Build(const std::vector<TubeSegment>& segments);

    const std::vector<float>& Vertices() const { return m_Vertices; }
    const std::vector<unsigned int>& Indices() const { return m_Indices; }
    const std::vector<Batch>& Batches() const { return m_Batches; }
    // How often the face lists were made (for the tests of the cache).
    int BuildCount() const { return m_nBuilds; }

private:
    unsigned int RingStart(int ring);
    void Bounds(int ring, double centre[3], double& radius);
    void AddSegment(const TubeSegment& s);
    void AddIndices(bool quads, bool highlighted, std::size_t first);

    const std::vector<TubeRing>* m_pRings = nullptr;
    unsigned long long m_nGeneration = 0;
    const TubeRing* m_pFirstRing = nullptr;
    std::size_t m_nRingCount = 0;

    std::vector<float> m_Vertices;
    std::vector<int> m_RingStart;  // first vertex of each ring added, -1 for the others
    std::vector<double> m_Bounds;  // centre and radius per ring, radius -1 until asked for
    std::vector<int> m_Detail;     // vertices used per ring this frame
    std::vector<int> m_Key;        // segments and vertex counts the face lists were made for
    std::vector<int> m_NewKey;
    std::vector<unsigned int> m_Indices;
    std::vector<Batch> m_Batches;
    std::vector<SegmentCorner> m_Stitch;
    int m_nBuilds = 0;
};
