#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The sorted jet polygons as vertex arrays, so that a sorted frame goes out
// in a few draw calls instead of one call per vertex. Three layers, each
// made again only when what it depends on changed:
//  - positions and normals of every polygon of the sort tree (per tree),
//    interleaved with the colours;
//  - a diffuse colour per vertex and a material per polygon, and whether the
//    polygon is shown (per look: the caller's key of everything colouring
//    and visibility depend on);
//  - the triangles of a back-to-front walk, in runs of one material (per
//    eye point and look).
// GL-free: the GL code draws the arrays.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CSortTree;
struct CSortPolygon;

class CSortedJetArrays {
public:
    // The material a polygon is lit with besides its diffuse colour.
    struct Material {
        float m_fAmbient[4];
        float m_fSpecular[4];
        float m_fShininess;
        bool operator==(const Material& o) const;
    };
    // What the caller decides for one polygon.
    struct Look {
        bool m_bShown = false;
        float m_fDiffuse[4] = {0, 0, 0, 1};
        Material m_Material{};
    };
    // Consecutive triangle indices drawn with one material.
    struct Run {
        int m_nFirst = 0;  // into Indices()
        int m_nCount = 0;
        int m_nMaterial = 0;  // into Materials()
    };
    using LookFunction = std::function<void(const CSortPolygon&, Look&)>;

    // Brings the arrays up to date for the tree, the look and the eye. The
    // look function is called for every polygon when key differs from the
    // key of the last look (or the tree is new). Returns true when the
    // triangles were made again (the walk was redone).
    bool Update(const std::shared_ptr<const CSortTree>& tree, const std::vector<double>& key, const LookFunction& look,
                const float eye[3]);

    // Per vertex kStride floats: position (3), normal (3), diffuse colour (4).
    static constexpr int kStride = 10;
    const std::vector<float>& Vertices() const { return m_Vertices; }
    const std::vector<unsigned int>& Indices() const { return m_Indices; }
    const std::vector<Run>& Runs() const { return m_Runs; }
    const std::vector<Material>& Materials() const { return m_Materials; }
    // The diffuse colour of the last triangle of the walk (the nearest polygon shown).
    const float* LastDiffuse() const { return m_fLastDiffuse; }
    int WalkCount() const { return m_nWalks; }

private:
    void MakeVertices(const CSortTree& tree);
    void MakeLook(const CSortTree& tree, const LookFunction& look);
    void Walk(const CSortTree& tree, const float eye[3]);

    std::weak_ptr<const CSortTree> m_pTree;  // the tree the vertices were made from
    std::vector<float> m_Vertices;
    std::vector<int> m_First;            // first vertex of each polygon, one more at the end
    std::vector<int> m_PolygonMaterial;  // -1: not shown
    std::vector<Material> m_Materials;
    std::vector<double> m_LookKey;
    bool m_bHaveLook = false;
    bool m_bHaveWalk = false;
    float m_fEye[3] = {0, 0, 0};
    std::vector<int> m_Order;
    std::vector<unsigned int> m_Indices;
    std::vector<Run> m_Runs;
    float m_fLastDiffuse[4] = {0, 0, 0, 1};
    int m_nWalks = 0;
};
