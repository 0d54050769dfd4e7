#include "scene/SortedJetArrays.h"

#include <algorithm>
#include <cstring>

#include "scene/SortTree.h"

bool CSortedJetArrays::Material::operator==(const Material& o) const {
    return std::memcmp(m_fAmbient, o.m_fAmbient, sizeof m_fAmbient) == 0 &&
           std::memcmp(m_fSpecular, o.m_fSpecular, sizeof m_fSpecular) == 0 && m_fShininess == o.m_fShininess;
}

bool CSortedJetArrays::Update(const std::shared_ptr<const CSortTree>& tree, const std::vector<double>& key,
                              const LookFunction& look, const float eye[3]) {
    // A tree made after the one the arrays hold has its own control block,
    // even where it took the old one's memory.
    const bool sameTree = !m_pTree.expired() && !m_pTree.owner_before(tree) && !tree.owner_before(m_pTree);
    if (!sameTree) {
        m_pTree = tree;
        MakeVertices(*tree);
        m_bHaveLook = false;
    }
    if (!m_bHaveLook || key != m_LookKey) {
        MakeLook(*tree, look);
        m_LookKey = key;
        m_bHaveLook = true;
        m_bHaveWalk = false;
    }
    if (m_bHaveWalk && std::equal(eye, eye + 3, m_fEye)) return false;
    Walk(*tree, eye);
    std::copy(eye, eye + 3, m_fEye);
    m_bHaveWalk = true;
    return true;
}

void CSortedJetArrays::MakeVertices(const CSortTree& tree) {
    const int count = tree.PolygonCount();
    m_Vertices.clear();
    m_First.assign(1, 0);
    m_First.reserve(count + 1);
    for (int i = 0; i < count; ++i) {
        for (const SortVertex& v : tree.Polygon(i).m_Vertices) {
            m_Vertices.insert(m_Vertices.end(), v.m_fPos, v.m_fPos + 3);
            m_Vertices.insert(m_Vertices.end(), v.m_fNormal, v.m_fNormal + 3);
            m_Vertices.insert(m_Vertices.end(), 4, 0.0f);
        }
        m_First.push_back(static_cast<int>(m_Vertices.size() / kStride));
    }
}

void CSortedJetArrays::MakeLook(const CSortTree& tree, const LookFunction& look) {
    const int count = tree.PolygonCount();
    m_PolygonMaterial.assign(count, -1);
    m_Materials.clear();
    for (int i = 0; i < count; ++i) {
        Look l;
        look(tree.Polygon(i), l);
        if (!l.m_bShown) continue;
        auto found = std::find(m_Materials.begin(), m_Materials.end(), l.m_Material);
        if (found == m_Materials.end()) found = m_Materials.insert(m_Materials.end(), l.m_Material);
        m_PolygonMaterial[i] = static_cast<int>(found - m_Materials.begin());
        for (int v = m_First[i]; v < m_First[i + 1]; ++v)
            std::copy(l.m_fDiffuse, l.m_fDiffuse + 4, &m_Vertices[v * kStride + 6]);
    }
}

void CSortedJetArrays::Walk(const CSortTree& tree, const float eye[3]) {
    ++m_nWalks;
    tree.BackToFrontOrder(eye, m_Order);
    m_Runs.clear();
    // Room for every polygon as a fan, cut to what was written at the end.
    m_Indices.resize(3 * (m_Vertices.size() / kStride));
    unsigned int* out = m_Indices.data();
    int lastShown = -1;
    for (int idx : m_Order) {
        const int material = m_PolygonMaterial[idx];
        if (material < 0) continue;
        const int written = static_cast<int>(out - m_Indices.data());
        if (m_Runs.empty() || m_Runs.back().m_nMaterial != material) {
            if (!m_Runs.empty()) m_Runs.back().m_nCount = written - m_Runs.back().m_nFirst;
            Run run;
            run.m_nFirst = written;
            run.m_nMaterial = material;
            m_Runs.push_back(run);
        }
        // The polygon as a fan about its first vertex, each triangle in the
        // vertex order GL gives the triangles of a polygon.
        const unsigned int first = static_cast<unsigned int>(m_First[idx]);
        const unsigned int end = static_cast<unsigned int>(m_First[idx + 1]);
        for (unsigned int v = first + 2; v < end; ++v) {
            *out++ = v - 1;
            *out++ = v;
            *out++ = first;
        }
        lastShown = static_cast<int>(first);
    }
    m_Indices.resize(static_cast<std::size_t>(out - m_Indices.data()));
    if (!m_Runs.empty()) m_Runs.back().m_nCount = static_cast<int>(m_Indices.size()) - m_Runs.back().m_nFirst;
    if (lastShown >= 0) {
        const float* colour = &m_Vertices[lastShown * kStride + 6];
        std::copy(colour, colour + 4, m_fLastDiffuse);
    }
}
