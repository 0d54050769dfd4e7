#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// Binary space partitioning of the translucent jet polygons, so that they
// can be drawn back to front from any eye point. GL-free.
#include <cstdint>
#include <functional>
#include <vector>

struct SortVertex {
    float m_fPos[3];
    float m_fNormal[3];
};

// One tube quad (or a piece of one after splitting).
struct CSortPolygon {
    std::vector<SortVertex> m_Vertices;
    float m_fValues[4] = {0, 0, 0, 0};    // mean of the quad's vertex value quadruples
    float m_fPlaneNormal[3] = {0, 0, 0};  // unit normal of the first three vertices
    std::uint16_t m_nOutfall = 0, m_nRiser = 0, m_nJet = 0, m_nRing = 0;
    std::uint16_t m_nFlag = 0;

    // Sets the plane normal from the first three vertices.
    void ComputePlaneNormal();
    // Sum over the fan triangles of the squared length of the edge cross product.
    double SizeMeasure() const;
};

class CSortTree {
public:
    // Pieces smaller than this (by SizeMeasure) are not split but go whole
    // to the side holding more of their vertices.
    static constexpr double kDefaultMinSplitSize = 0.1;
    // A vertex is in front of or behind a plane only beyond this distance.
    static constexpr double kPlaneTolerance = 1e-6;

    // Builds the tree from the polygons (consumed).
    void Build(std::vector<CSortPolygon> polygons, double dMinSplitSize = kDefaultMinSplitSize);
    void Clear();
    bool IsEmpty() const { return m_Nodes.empty(); }

    // Calls f for every polygon, farthest from the eye first.
    void ForEachBackToFront(const float eye[3], const std::function<void(const CSortPolygon&)>& f) const;
    // The indices (for Polygon) of every polygon, farthest from the eye
    // first, into order (replaced).
    void BackToFrontOrder(const float eye[3], std::vector<int>& order) const;
    const CSortPolygon& Polygon(int index) const { return m_Polygons[index]; }

    int InputPolygonCount() const { return m_nInput; }
    int PolygonCount() const { return static_cast<int>(m_Polygons.size()); }
    int NodeCount() const { return static_cast<int>(m_Nodes.size()); }
    int SplitCount() const { return m_nSplits; }

private:
    struct Node {
        // The polygons in the node's plane, m_Coplanar[m_nFirst ...
        // m_nFirst + m_nCount - 1]; the first is the splitter.
        int m_nFirst = 0;
        int m_nCount = 0;
        // The splitter's first vertex and plane normal, kept here so that a
        // walk does not reach into the polygons.
        float m_fPoint[3] = {0, 0, 0};
        float m_fNormal[3] = {0, 0, 0};
        int m_nFront = -1;
        int m_nBack = -1;
    };
    int ChooseSplitter(const std::vector<int>& list) const;
    void SplitPolygon(int index, const float n[3], float d, int& front, int& back);

    std::vector<CSortPolygon> m_Polygons;
    std::vector<Node> m_Nodes;
    std::vector<int> m_Coplanar;  // the nodes' polygon lists, one after another
    int m_nRoot = -1;
    int m_nInput = 0;
    int m_nSplits = 0;
};
