// The sort tree of the document: every quad of every jet tube, split and
// ordered by a BSP tree for back-to-front drawing of the translucent jets.
#include <cstdint>
#include <memory>
#include <vector>

#include "model/PlumexDoc.h"
#include "scene/SortTree.h"

void CPlumexDoc::BuildSortTree() const {
    // Before the new one is made: one tree in memory at a time.
    m_pSortTree.reset();
    m_pSortedArrays.reset();
    std::vector<CSortPolygon> polygons;
    ForEachJet([&](int i, int j, int k, CRiser&, CBase&, CJet& jet) {
        const auto& rings = jet.m_pDisplay->Rings();
        for (int r = static_cast<int>(rings.size()) - 1; r >= 1; --r) {
            const auto& a = rings[r - 1].m_Vertices;
            const auto& b = rings[r].m_Vertices;
            const int n = static_cast<int>(std::min(a.size(), b.size()));
            for (int s = 0; s < n; ++s) {
                const int s1 = (s + 1) % n;
                const TubeVertex* quad[4] = {&a[s], &a[s1], &b[s1], &b[s]};
                CSortPolygon p;
                p.m_Vertices.resize(4);
                for (int v = 0; v < 4; ++v) {
                    for (int c = 0; c < 3; ++c) {
                        p.m_Vertices[v].m_fPos[c] = static_cast<float>(quad[v]->m_dPos[c]);
                        p.m_Vertices[v].m_fNormal[c] = static_cast<float>(quad[v]->m_dNormal[c]);
                    }
                    for (int q = 0; q < 4; ++q) p.m_fValues[q] += quad[v]->m_fValues[q] / 4.0f;
                }
                p.ComputePlaneNormal();
                p.m_nOutfall = static_cast<std::uint16_t>(i);
                p.m_nRiser = static_cast<std::uint16_t>(j);
                p.m_nJet = static_cast<std::uint16_t>(k);
                p.m_nRing = static_cast<std::uint16_t>(r);
                polygons.push_back(std::move(p));
            }
        }
    });
    auto tree = std::make_shared<CSortTree>();
    tree->Build(std::move(polygons));
    m_pSortTree = std::move(tree);
    m_bSortTreeStale = false;
}

const CSortTree* CPlumexDoc::SortTree() const {
    if (m_bSortTreeStale) BuildSortTree();
    return m_pSortTree.get();
}
