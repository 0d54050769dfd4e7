#include "scene/SortTree.h"

#include <cmath>
#include <utility>

namespace {
double Dot(const float a[3], const float b[3]) {
    return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2];
}

void Cross(const float a[3], const float b[3], const float c[3], double out[3]) {
    const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
    const double v[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
    out[0] = u[1] * v[2] - u[2] * v[1];
    out[1] = u[2] * v[0] - u[0] * v[2];
    out[2] = u[0] * v[1] - u[1] * v[0];
}

bool IsZero(const float n[3]) { return n[0] == 0.0f && n[1] == 0.0f && n[2] == 0.0f; }

// Side of a polygon: counts of vertices in front and behind the plane.
struct Sides {
    int m_nFront = 0;
    int m_nBack = 0;
};

Sides Classify(const CSortPolygon& p, const float n[3], double d) {
    Sides s;
    for (const auto& v : p.m_Vertices) {
        const double dist = Dot(n, v.m_fPos) + d;
        if (dist > CSortTree::kPlaneTolerance) ++s.m_nFront;
        else if (dist < -CSortTree::kPlaneTolerance) ++s.m_nBack;
    }
    return s;
}
}  // namespace

void CSortPolygon::ComputePlaneNormal() {
    double n[3] = {0, 0, 0};
    const auto& v = m_Vertices;
    if (v.size() >= 3) Cross(v[0].m_fPos, v[1].m_fPos, v[2].m_fPos, n);
    double len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (!(len > 0.0) && v.size() >= 3) {
        // The first three vertices are in line (a quad on a ring of no
        // width): take Newell's normal of the whole outline.
        n[0] = n[1] = n[2] = 0.0;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const float* a = v[i].m_fPos;
            const float* b = v[(i + 1) % v.size()].m_fPos;
            n[0] += (double(a[1]) - b[1]) * (double(a[2]) + b[2]);
            n[1] += (double(a[2]) - b[2]) * (double(a[0]) + b[0]);
            n[2] += (double(a[0]) - b[0]) * (double(a[1]) + b[1]);
        }
        len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    }
    for (int i = 0; i < 3; ++i) m_fPlaneNormal[i] = len > 0.0 ? static_cast<float>(n[i] / len) : 0.0f;
}

double CSortPolygon::SizeMeasure() const {
    double sum = 0.0;
    for (std::size_t i = 2; i < m_Vertices.size(); ++i) {
        double c[3];
        Cross(m_Vertices[0].m_fPos, m_Vertices[i - 1].m_fPos, m_Vertices[i].m_fPos, c);
        sum += c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
    }
    return sum;
}

void CSortTree::Clear() {
    m_Polygons.clear();
    m_Nodes.clear();
    m_Coplanar.clear();
    m_nRoot = -1;
    m_nInput = 0;
    m_nSplits = 0;
}

int CSortTree::ChooseSplitter(const std::vector<int>& list) const {
    // Small lists take their first usable polygon. Large ones try a few
    // candidates against a sample of the list and keep the one that splits
    // least and divides most evenly: that keeps the tree shallow and its
    // build time near n log n.
    constexpr std::size_t kSmall = 48;
    constexpr std::size_t kCandidates = 8;
    constexpr std::size_t kSample = 40;
    if (list.size() <= kSmall) return 0;
    int best = 0;
    long bestScore = -1;
    for (std::size_t c = 0; c < kCandidates; ++c) {
        const std::size_t ci = c * list.size() / kCandidates;
        const CSortPolygon& s = m_Polygons[list[ci]];
        if (IsZero(s.m_fPlaneNormal)) continue;
        const double d = -Dot(s.m_fPlaneNormal, s.m_Vertices[0].m_fPos);
        long front = 0, back = 0, split = 0;
        for (std::size_t k = 0; k < kSample; ++k) {
            const CSortPolygon& p = m_Polygons[list[(k * 7919 + 13) % list.size()]];
            const Sides side = Classify(p, s.m_fPlaneNormal, d);
            if (side.m_nFront && side.m_nBack) ++split;
            else if (side.m_nFront) ++front;
            else if (side.m_nBack) ++back;
        }
        const long score = 4 * split + std::labs(front - back);
        if (bestScore < 0 || score < bestScore) {
            bestScore = score;
            best = static_cast<int>(ci);
        }
    }
    return best;
}

void CSortTree::SplitPolygon(int index, const float n[3], float d, int& front, int& back) {
    const CSortPolygon& src = m_Polygons[index];
    CSortPolygon f, b;
    for (CSortPolygon* piece : {&f, &b}) {
        for (int i = 0; i < 4; ++i) piece->m_fValues[i] = src.m_fValues[i];
        for (int i = 0; i < 3; ++i) piece->m_fPlaneNormal[i] = src.m_fPlaneNormal[i];
        piece->m_nOutfall = src.m_nOutfall;
        piece->m_nRiser = src.m_nRiser;
        piece->m_nJet = src.m_nJet;
        piece->m_nRing = src.m_nRing;
        piece->m_nFlag = src.m_nFlag;
    }
    const std::size_t count = src.m_Vertices.size();
    for (std::size_t i = 0; i < count; ++i) {
        const SortVertex& a = src.m_Vertices[i];
        const SortVertex& c = src.m_Vertices[(i + 1) % count];
        const double da = Dot(n, a.m_fPos) + d;
        const double dc = Dot(n, c.m_fPos) + d;
        const bool aFront = da > kPlaneTolerance, aBack = da < -kPlaneTolerance;
        const bool cFront = dc > kPlaneTolerance, cBack = dc < -kPlaneTolerance;
        if (!aBack) f.m_Vertices.push_back(a);
        if (!aFront) b.m_Vertices.push_back(a);
        if ((aFront && cBack) || (aBack && cFront)) {
            const double t = da / (da - dc);
            SortVertex x;
            for (int k = 0; k < 3; ++k) {
                x.m_fPos[k] = static_cast<float>(a.m_fPos[k] + t * (double(c.m_fPos[k]) - a.m_fPos[k]));
                x.m_fNormal[k] = static_cast<float>(a.m_fNormal[k] + t * (double(c.m_fNormal[k]) - a.m_fNormal[k]));
            }
            f.m_Vertices.push_back(x);
            b.m_Vertices.push_back(x);
        }
    }
    ++m_nSplits;
    m_Polygons[index] = std::move(f);
    front = index;
    m_Polygons.push_back(std::move(b));
    back = static_cast<int>(m_Polygons.size()) - 1;
}

void CSortTree::Build(std::vector<CSortPolygon> polygons, double dMinSplitSize) {
    Clear();
    m_nInput = static_cast<int>(polygons.size());
    m_Polygons.reserve(polygons.size() * 2);
    std::vector<int> all;
    all.reserve(polygons.size());
    for (auto& p : polygons) {
        // A polygon without area has no plane and shows nothing.
        if (p.m_Vertices.size() < 3 || IsZero(p.m_fPlaneNormal)) continue;
        all.push_back(static_cast<int>(m_Polygons.size()));
        m_Polygons.push_back(std::move(p));
    }
    polygons.clear();
    if (all.empty()) return;

    // Work list instead of recursion: a degenerate scene may make the tree
    // as deep as it has polygons.
    struct Pending {
        std::vector<int> m_List;
        int* m_pSlot;  // where the new node's index goes (never into m_Nodes)
        int m_nParent;
        bool m_bFront;
    };
    std::vector<Pending> work;
    work.push_back({std::move(all), &m_nRoot, -1, false});
    while (!work.empty()) {
        Pending job = std::move(work.back());
        work.pop_back();
        std::vector<int>& list = job.m_List;
        const int pick = ChooseSplitter(list);
        if (pick != 0) std::swap(list[0], list[pick]);

        Node node;
        const int splitter = list[0];
        node.m_nFirst = static_cast<int>(m_Coplanar.size());
        m_Coplanar.push_back(splitter);
        float n[3];
        for (int i = 0; i < 3; ++i) {
            n[i] = m_Polygons[splitter].m_fPlaneNormal[i];
            node.m_fNormal[i] = n[i];
            node.m_fPoint[i] = m_Polygons[splitter].m_Vertices[0].m_fPos[i];
        }
        const float d = static_cast<float>(-Dot(n, m_Polygons[splitter].m_Vertices[0].m_fPos));
        std::vector<int> frontList, backList;
        for (std::size_t i = 1; i < list.size(); ++i) {
            const int idx = list[i];
            const Sides s = Classify(m_Polygons[idx], n, d);
            if (!s.m_nFront && !s.m_nBack) m_Coplanar.push_back(idx);
            else if (!s.m_nFront) backList.push_back(idx);
            else if (!s.m_nBack) frontList.push_back(idx);
            else if (m_Polygons[idx].SizeMeasure() > dMinSplitSize) {
                int f = -1, b = -1;
                SplitPolygon(idx, n, d, f, b);
                frontList.push_back(f);
                backList.push_back(b);
            } else if (s.m_nFront > s.m_nBack) frontList.push_back(idx);
            else if (s.m_nBack > s.m_nFront) backList.push_back(idx);
            else m_Coplanar.push_back(idx);
        }
        node.m_nCount = static_cast<int>(m_Coplanar.size()) - node.m_nFirst;
        const int nodeIndex = static_cast<int>(m_Nodes.size());
        m_Nodes.push_back(std::move(node));
        if (job.m_nParent < 0) *job.m_pSlot = nodeIndex;
        else if (job.m_bFront) m_Nodes[job.m_nParent].m_nFront = nodeIndex;
        else m_Nodes[job.m_nParent].m_nBack = nodeIndex;
        if (!frontList.empty()) work.push_back({std::move(frontList), nullptr, nodeIndex, true});
        if (!backList.empty()) work.push_back({std::move(backList), nullptr, nodeIndex, false});
    }
}

void CSortTree::ForEachBackToFront(const float eye[3], const std::function<void(const CSortPolygon&)>& f) const {
    std::vector<int> order;
    BackToFrontOrder(eye, order);
    for (int idx : order) f(m_Polygons[idx]);
}

void CSortTree::BackToFrontOrder(const float eye[3], std::vector<int>& order) const {
    order.clear();
    if (m_nRoot < 0) return;
    order.reserve(m_Polygons.size());
    // Each entry is a node still to be opened, or (bDraw) a node whose own
    // polygons are due.
    struct Step {
        int m_nNode;
        bool m_bDraw;
    };
    std::vector<Step> stack;
    stack.reserve(64);
    stack.push_back({m_nRoot, false});
    while (!stack.empty()) {
        const Step step = stack.back();
        stack.pop_back();
        const Node& node = m_Nodes[step.m_nNode];
        if (step.m_bDraw) {
            for (int i = 0; i < node.m_nCount; ++i) order.push_back(m_Coplanar[node.m_nFirst + i]);
            continue;
        }
        const float* p = node.m_fPoint;
        const float rel[3] = {eye[0] - p[0], eye[1] - p[1], eye[2] - p[2]};
        const bool eyeInFront = Dot(rel, node.m_fNormal) > 0.0;
        const int first = eyeInFront ? node.m_nBack : node.m_nFront;
        const int last = eyeInFront ? node.m_nFront : node.m_nBack;
        // Pushed in reverse: far side, own polygons, near side.
        if (last >= 0) stack.push_back({last, false});
        stack.push_back({step.m_nNode, true});
        if (first >= 0) stack.push_back({first, false});
    }
}
