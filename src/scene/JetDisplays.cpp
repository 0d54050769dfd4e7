#include "scene/JetDisplays.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include "model/Case.h"
#include "scene/ColourTable.h"
#include "scene/SortTree.h"
#include "scene/SortedJetArrays.h"

CJetDisplays::CJetDisplays(CCase& c) : m_case(c) {
    m_Table = c.SectionColourTable();  // the identity table of a case without displays
    c.SetSectionColours(this);
}

CJetDisplays::~CJetDisplays() {
    // A tree still being made is waited for: its thread holds no part of
    // the case, but it must not outlive its owner.
    if (m_Building.valid()) m_Building.wait();
    m_case.SetSectionColours(nullptr);
}

const ColourTable& CJetDisplays::Colours() const {
    const int q = m_eMode == ColourMode::Concentration ? 0 : 3;  // value quadruple index
    if (m_nTablePlacement == m_case.PlacementGeneration() && m_nTableQuantity == q) return m_Table;
    double lo = 10000.0, hi = -20.0;
    std::vector<double> values;
    m_case.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        const auto& disks = j.m_pDisplay->m_Disks;
        if (disks.empty()) return;
        lo = std::min(lo, static_cast<double>(j.m_RangeMin.Get(q)));
        hi = std::max(hi, static_cast<double>(j.m_RangeMax.Get(q)));
        for (const CJetDisk& d : disks) values.push_back(q == 0 ? d.m_dMeanConc : d.m_dVelocity);
    });
    FillColourTable(m_Table, values, lo, hi);
    m_nTablePlacement = m_case.PlacementGeneration();
    m_nTableQuantity = q;
    return m_Table;
}

std::vector<CSortPolygon> CJetDisplays::TubePolygons() const {
    std::vector<CSortPolygon> polygons;
    m_case.ForEachJet([&](int i, int j, int k, const CRiser&, const CBase&, const CJet& jet) {
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
    return polygons;
}

void CJetDisplays::BuildSortTree() const {
    // A tree being made for the case as it is will do.
    if (m_Building.valid() && TakeBuiltTree(true)) return;
    // Before the new one is made: one tree in memory at a time.
    m_pSortTree.reset();
    m_pSortedArrays.reset();
    auto tree = std::make_shared<CSortTree>();
    tree->Build(TubePolygons());
    m_pSortTree = std::move(tree);
    m_nTreeGeneration = m_case.DisplayGeneration();
}

bool CJetDisplays::IsSortTreeStale() const { return m_nTreeGeneration != m_case.DisplayGeneration(); }

bool CJetDisplays::TakeBuiltTree(bool wait) const {
    if (!m_Building.valid()) return false;
    if (!wait && m_Building.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return false;
    std::shared_ptr<CSortTree> tree = m_Building.get();
    if (m_nBuildingGeneration != m_case.DisplayGeneration()) return false;
    m_pSortTree = std::move(tree);
    m_pSortedArrays.reset();
    m_nTreeGeneration = m_nBuildingGeneration;
    return true;
}

bool CJetDisplays::SortTreePending() const {
    return m_Building.valid() && m_Building.wait_for(std::chrono::seconds(0)) != std::future_status::ready;
}

bool CJetDisplays::SortTreeReadyInBackground() const {
    if (SortTreePending()) return false;
    TakeBuiltTree(false);
    if (!IsSortTreeStale()) return true;
    // The quads are copied here, where the case lives; the tree is made of
    // the copies alone.
    m_pSortTree.reset();
    m_pSortedArrays.reset();
    m_nBuildingGeneration = m_case.DisplayGeneration();
    m_Building = std::async(std::launch::async, [polygons = TubePolygons()]() mutable {
        auto tree = std::make_shared<CSortTree>();
        tree->Build(std::move(polygons));
        return tree;
    });
    return false;
}

const CSortTree* CJetDisplays::SortTree() const {
    if (IsSortTreeStale()) BuildSortTree();
    return m_pSortTree.get();
}

std::shared_ptr<const CSortTree> CJetDisplays::SharedSortTree() const {
    SortTree();
    return m_pSortTree;
}

CSortedJetArrays& CJetDisplays::SortedArrays() const {
    if (!m_pSortedArrays) m_pSortedArrays = std::make_shared<CSortedJetArrays>();
    return *m_pSortedArrays;
}
