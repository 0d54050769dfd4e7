// Section outlines of a jet's tube: edge crossings with a plane, disk
// outlines, and the chaining of crossings into polygons.
#include "model/TubeSection.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"
#include "model/JetDisk.h"
#include "model/JetDispModal.h"

float SectionValue(const CJetDisk& d, double threshold) {
    if (d.m_dMeanConc >= threshold) return static_cast<float>(d.m_dMeanConc);
    // A disk without a dilution has no value to show rather than an infinite one.
    return d.m_dDilution > 0.0 ? static_cast<float>(1.0 / d.m_dDilution) : 0.0f;
}

namespace {
constexpr double kRingThreshold = 0.01;
constexpr double kDiskThreshold = 0.001;

double SignedDistance(const double n[3], double d, const double p[3]) {
    return n[0] * p[0] + n[1] * p[1] + n[2] * p[2] + d;
}

// Where the edge p0 -> p1 crosses the plane. A vertex lying on the plane
// counts on the positive side, so that an outline through a vertex is found
// on exactly one pair of the edges that meet there.
bool EdgeCrossing(const double n[3], double d, const double p0[3], const double p1[3], double out[3]) {
    const double f0 = SignedDistance(n, d, p0);
    const double f1 = SignedDistance(n, d, p1);
    if ((f0 >= 0.0) == (f1 >= 0.0)) return false;
    const double t = f0 / (f0 - f1);
    for (int k = 0; k < 3; ++k) out[k] = p0[k] + t * (p1[k] - p0[k]);
    return true;
}
}  // namespace

void CJetDispModal::IntersectTubeWithPlane(double a, double b, double c, double d,
                                           std::vector<TubeCrossing>& out) const {
    const double n[3] = {a, b, c};
    const double norm = std::sqrt(a * a + b * b + c * c);
    const std::vector<TubeRing>& tube = Rings();
    const int rings = static_cast<int>(tube.size());
    if (!(norm > 0.0) || rings == 0) return;

    // Distance of every ring centre (midpoint of vertex 0 and the middle
    // vertex) from the plane, and whether the ring and the band to the next
    // ring can meet it.
    std::vector<double> dist(rings, 0.0);
    std::vector<float> value(rings, 0.0f);
    std::vector<char> ringHit(rings, 0), bandHit(rings, 0);
    const int nDisks = static_cast<int>(m_Disks.size());
    for (int i = 0; i < rings; ++i) {
        const TubeRing& r = tube[i];
        if (r.m_Vertices.empty()) continue;
        const int u = static_cast<int>(r.m_Vertices.size()) / 2;
        double m[3];
        for (int k = 0; k < 3; ++k) m[k] = (r.m_Vertices[0].m_dPos[k] + r.m_Vertices[u].m_dPos[k]) / 2.0;
        dist[i] = SignedDistance(n, d, m);
        const bool validDisk = r.m_nDisk >= 0 && r.m_nDisk < nDisks;
        const double radius = validDisk ? m_Disks[r.m_nDisk].m_dRadius : 0.0;
        ringHit[i] = std::fabs(dist[i]) / norm < radius;
        value[i] = validDisk ? SectionValue(m_Disks[r.m_nDisk], kRingThreshold) : 0.0f;
    }
    for (int i = 0; i + 1 < rings; ++i) bandHit[i] = dist[i] * dist[i + 1] < 0.0 || ringHit[i] || ringHit[i + 1];

    for (int i = 0; i < rings; ++i) {
        // The ring's own edges are tested too when a band next to it is, so
        // that an outline never loses a point on a shared ring edge.
        const bool testRing = ringHit[i] || bandHit[i] || (i > 0 && bandHit[i - 1]);
        const bool testBand = i + 1 < rings && bandHit[i];
        if (!testRing && !testBand) continue;
        const auto& v = tube[i].m_Vertices;
        const int slices = static_cast<int>(v.size());
        for (int s = 0; s < slices; ++s) {
            TubeCrossing p;
            p.m_nRing = i;
            p.m_nSlice = s;
            if (testRing && EdgeCrossing(n, d, v[s].m_dPos, v[(s + 1) % slices].m_dPos, p.m_dPos)) {
                p.m_nKind = TubeCrossing::kRingEdge;
                p.m_fValue = value[i];
                out.push_back(p);
            }
            const auto& w = tube[testBand ? i + 1 : i].m_Vertices;
            if (testBand && s < static_cast<int>(w.size()) && EdgeCrossing(n, d, v[s].m_dPos, w[s].m_dPos, p.m_dPos)) {
                p.m_nKind = TubeCrossing::kBandEdge;
                p.m_fValue = (value[i] + value[i + 1]) / 2.0f;
                out.push_back(p);
            }
        }
    }
}

bool CJetDispModal::PickedDiskOutline(int nDisk, std::vector<TubeCrossing>& out) const {
    const int nDisks = static_cast<int>(m_Disks.size());
    if (nDisk <= 0 || nDisk >= nDisks || m_nSlices < 1) return false;
    const CJetDisk& disk = m_Disks[nDisk];
    const float value = SectionValue(disk, kDiskThreshold);
    TubeCrossing p;
    p.m_nKind = TubeCrossing::kDiskOutline;
    p.m_fValue = value;
    p.m_nRing = nDisk;
    if (m_nRingInterval == 1 && nDisk < GetRingCount()) {
        // Every disk is a ring: its vertices are the outline.
        for (const TubeVertex& v : Rings()[nDisk].m_Vertices) {
            std::copy(v.m_dPos, v.m_dPos + 3, p.m_dPos);
            out.push_back(p);
            ++p.m_nSlice;
        }
        return true;
    }
    double m[16];
    DiskMatrix(disk, m);
    const double step = 2.0 * kPi / m_nSlices;
    for (int s = 0; s < m_nSlices; ++s) {
        const double t = disk.m_dHAngle + s * step;
        const double local[3] = {disk.m_dRadius * std::sin(t), 0.0, disk.m_dRadius * std::cos(t)};
        MatTransformPoint(m, local, p.m_dPos);
        p.m_nSlice = s;
        out.push_back(p);
    }
    return true;
}

namespace {
long long EdgeKey(int kind, int ring, int slice, int nRings, int nSlices) {
    return (static_cast<long long>(kind - 1) * nRings + ring) * nSlices + slice;
}
}  // namespace

std::vector<std::vector<int>> ChainTubeCrossings(const std::vector<TubeCrossing>& crossings, int nRings, int nSlices) {
    std::vector<std::vector<int>> outlines;
    const int count = static_cast<int>(crossings.size());
    if (count < 3 || nRings < 1 || nSlices < 1) return outlines;

    // Edge key -> crossing index, for the look-up of a quad's crossings.
    std::vector<std::pair<long long, int>> byEdge;
    byEdge.reserve(count);
    for (int i = 0; i < count; ++i) {
        const TubeCrossing& c = crossings[i];
        if (c.m_nKind != TubeCrossing::kRingEdge && c.m_nKind != TubeCrossing::kBandEdge) continue;
        byEdge.emplace_back(EdgeKey(c.m_nKind, c.m_nRing, c.m_nSlice, nRings, nSlices), i);
    }
    std::sort(byEdge.begin(), byEdge.end());
    auto find = [&](int kind, int ring, int slice) {
        const long long key = EdgeKey(kind, ring, slice, nRings, nSlices);
        auto it = std::lower_bound(byEdge.begin(), byEdge.end(), std::make_pair(key, -1));
        return (it != byEdge.end() && it->first == key) ? it->second : -1;
    };

    // The quads (ring q to q + 1, slice s to s + 1) each crossing lies on.
    std::vector<long long> quads;
    for (const TubeCrossing& c : crossings) {
        const int s = c.m_nSlice;
        if (c.m_nKind == TubeCrossing::kRingEdge) {
            if (c.m_nRing + 1 < nRings) quads.push_back(static_cast<long long>(c.m_nRing) * nSlices + s);
            if (c.m_nRing > 0) quads.push_back(static_cast<long long>(c.m_nRing - 1) * nSlices + s);
        } else if (c.m_nKind == TubeCrossing::kBandEdge && c.m_nRing + 1 < nRings) {
            quads.push_back(static_cast<long long>(c.m_nRing) * nSlices + s);
            quads.push_back(static_cast<long long>(c.m_nRing) * nSlices + (s + nSlices - 1) % nSlices);
        }
    }
    std::sort(quads.begin(), quads.end());
    quads.erase(std::unique(quads.begin(), quads.end()), quads.end());

    // Link the crossings of each quad, taken in order around it.
    std::vector<std::vector<int>> next(count);
    auto link = [&](int a, int b) {
        if (a == b || next[a].size() >= 2 || next[b].size() >= 2) return;
        next[a].push_back(b);
        next[b].push_back(a);
    };
    for (long long q : quads) {
        const int ring = static_cast<int>(q / nSlices);
        const int s = static_cast<int>(q % nSlices);
        const int s1 = (s + 1) % nSlices;
        const int around[4] = {find(TubeCrossing::kRingEdge, ring, s), find(TubeCrossing::kBandEdge, ring, s1),
                               find(TubeCrossing::kRingEdge, ring + 1, s), find(TubeCrossing::kBandEdge, ring, s)};
        int found[4];
        int n = 0;
        for (int e : around)
            if (e >= 0) found[n++] = e;
        if (n >= 2) link(found[0], found[1]);
        if (n == 4) link(found[2], found[3]);
    }

    // The open ends of the tube are closed by flat caps: the crossings on
    // the first and on the last ring are joined in pairs in slice order
    // (a flat ring is crossed at two edges).
    const std::vector<int> caps = nRings > 1 ? std::vector<int>{0, nRings - 1} : std::vector<int>{0};
    for (int cap : caps) {
        std::vector<std::pair<int, int>> onCap;  // slice, crossing
        for (int i = 0; i < count; ++i)
            if (crossings[i].m_nKind == TubeCrossing::kRingEdge && crossings[i].m_nRing == cap)
                onCap.emplace_back(crossings[i].m_nSlice, i);
        std::sort(onCap.begin(), onCap.end());
        for (std::size_t k = 0; k + 1 < onCap.size(); k += 2) link(onCap[k].second, onCap[k + 1].second);
    }

    // Walk the chains: open ones (ending at the tube's ends) first, then loops.
    std::vector<char> seen(count, 0);
    auto walk = [&](int start) {
        std::vector<int> chain;
        int prev = -1, cur = start;
        while (cur >= 0 && !seen[cur]) {
            seen[cur] = 1;
            chain.push_back(cur);
            int nxt = -1;
            for (int cand : next[cur])
                if (cand != prev && !seen[cand]) {
                    nxt = cand;
                    break;
                }
            prev = cur;
            cur = nxt;
        }
        if (chain.size() >= 3) outlines.push_back(std::move(chain));
    };
    for (int i = 0; i < count; ++i)
        if (!seen[i] && next[i].size() < 2) walk(i);
    for (int i = 0; i < count; ++i)
        if (!seen[i]) walk(i);
    return outlines;
}
