// The tube of a jet: rings of vertices around selected disks, with face and
// smooth normals. GL-free, so cross-sections can be computed headless.
#include <atomic>
#include <cmath>

#include "base/Angles.h"
#include "base/MatrixFunctions.h"
#include "model/JetDispModal.h"

namespace {

// Unit normal of the triangle (a, b, c); a degenerate triangle gives zero.
void TriangleNormal(const double a[3], const double b[3], const double c[3], double out[3]) {
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    VecCross(u, v, out);
    const double len = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
    if (len > 0.0)
        for (int i = 0; i < 3; ++i) out[i] /= len;
}
}  // namespace

void CJetDispModal::DiskMatrix(const CJetDisk& d, double out[16]) const {
    // The horizontal angle turns the other way on the far side of the
    // current axis (model y < 0).
    const double hDeg = d.m_dHAngle * kRadToDeg;
    const double theta = d.m_dY >= 0.0 ? -hDeg : hDeg;
    const double vDeg = d.m_dVAngle * kRadToDeg;
    double a[16], b[16], c[16], e[16], l[16];
    MatRotate(a, 90.0 - m_dDisplayAngle, 2);
    MatTranslate(b, d.m_dX, d.m_dZ, -d.m_dY);  // model (x, y, z), z up -> scene (x, z, -y)
    MatRotate(c, -theta, 2);
    MatRotate(e, vDeg - 90.0, 3);
    MatMultiply(a, b, l);
    MatMultiply(l, c, l);
    MatMultiply(l, e, l);
    MatMultiply(m_Placement, l, out);
}

void CJetDispModal::NewRingGeneration() const {
    static std::atomic<unsigned long long> s_nLast{0};
    m_nRingGeneration = ++s_nLast;
}

void CJetDispModal::ReleaseTube() {
    NewRingGeneration();
    m_bTubePending = false;
    m_Rings.clear();
    m_Sections.clear();
}

namespace {
// The disks that become rings: the first, the last and every interval-th
// disk between.
std::vector<int> RingDisks(int n, int interval) {
    std::vector<int> out;
    int counter = 0;
    for (int i = 0; i < n; ++i) {
        bool makeRing = (i == 0 || i == n - 1);
        if (!makeRing) {
            ++counter;
            makeRing = counter >= interval;
        }
        if (!makeRing) continue;
        counter = 0;
        out.push_back(i);
    }
    return out;
}

// A disk exactly on the current axis followed by one on its far side would
// take the near side's turn; it is nudged across.
bool NeedsNudge(const std::vector<CJetDisk>& disks, int i) {
    return i + 1 < static_cast<int>(disks.size()) && disks[i].m_dY == 0.0 && disks[i + 1].m_dY < 0.0;
}
}  // namespace

void CJetDispModal::BuildTube(double dDepthLimit, bool bClampToSurface) {
    ScheduleTube(dDepthLimit, bClampToSurface);
    Rings();
}

void CJetDispModal::ScheduleTube(double dDepthLimit, bool bClampToSurface) {
    ReleaseTube();
    // The nudge stays with the disks, as it always has; it is made at once
    // because the disks are read and saved whether or not the tube is drawn.
    for (int i : RingDisks(static_cast<int>(m_Disks.size()), m_nRingInterval))
        if (NeedsNudge(m_Disks, i)) m_Disks[i].m_dY -= 0.0001;
    m_dPendingDepth = dDepthLimit;
    m_bPendingClamp = bClampToSurface;
    m_bTubePending = true;
}

const std::vector<TubeRing>& CJetDispModal::Rings() const {
    if (m_bTubePending) {
        m_bTubePending = false;
        MakeRings(m_nRingInterval, m_dPendingDepth, m_bPendingClamp, m_Rings);
        NewRingGeneration();
    }
    return m_Rings;
}

void CJetDispModal::SetDisplayAngle(double angle) {
    Rings();
    m_dDisplayAngle = angle;
}

void CJetDispModal::MakeRings(int interval, double dDepthLimit, bool bClampToSurface,
                              std::vector<TubeRing>& rings) const {
    rings.clear();
    const int n = static_cast<int>(m_Disks.size());
    const int slices = m_nSlices;
    if (n == 0 || slices < 1) return;
    const double step = 2.0 * kPi / slices;

    for (int i : RingDisks(n, interval)) {
        CJetDisk d = m_Disks[i];
        if (NeedsNudge(m_Disks, i)) d.m_dY -= 0.0001;

        double m[16];
        DiskMatrix(d, m);
        TubeRing ring;
        ring.m_nDisk = i;
        ring.m_nVertices = slices;
        ring.m_Vertices.resize(slices);
        const float values[4] = {static_cast<float>(d.m_dMeanConc), static_cast<float>(d.m_dRadius),
                                 static_cast<float>(d.m_dThickness), static_cast<float>(d.m_dVelocity)};
        for (int s = 0; s < slices; ++s) {
            const double t = d.m_dHAngle + s * step;
            const double p[3] = {d.m_dRadius * std::sin(t), 0.0, d.m_dRadius * std::cos(t)};
            TubeVertex& v = ring.m_Vertices[s];
            MatTransformPoint(m, p, v.m_dPos);
            for (int q = 0; q < 4; ++q) v.m_fValues[q] = values[q];
        }
        rings.push_back(std::move(ring));
    }

    const int count = static_cast<int>(rings.size());
    // Face normals: ring k, vertex s holds the normal of the quad towards ring k+1.
    for (int k = 0; k + 1 < count; ++k) {
        auto& a = rings[k].m_Vertices;
        const auto& b = rings[k + 1].m_Vertices;
        for (int s = 0; s < slices; ++s) {
            const int s1 = (s + 1) % slices;
            TriangleNormal(a[s].m_dPos, a[s1].m_dPos, b[s1].m_dPos, a[s].m_dFaceNormal);
        }
    }
    // Smooth normals: the mean of the face normals around each vertex. The
    // first and last ring see one ring of faces, the middle rings two. GL
    // normalises them.
    for (int k = 0; k < count; ++k) {
        auto& verts = rings[k].m_Vertices;
        const bool middle = k > 0 && k < count - 1;
        const int faceRing = (k == count - 1 && k > 0) ? k - 1 : k;
        const auto& f = rings[faceRing].m_Vertices;
        const auto* g = middle ? &rings[k - 1].m_Vertices : nullptr;
        for (int s = 0; s < slices; ++s) {
            const int sp = (s + slices - 1) % slices;
            for (int q = 0; q < 3; ++q) {
                if (middle)
                    verts[s].m_dNormal[q] = (f[sp].m_dFaceNormal[q] + f[s].m_dFaceNormal[q] +
                                             (*g)[sp].m_dFaceNormal[q] + (*g)[s].m_dFaceNormal[q]) /
                                            4.0;
                else verts[s].m_dNormal[q] = (f[sp].m_dFaceNormal[q] + f[s].m_dFaceNormal[q]) / 2.0;
            }
        }
    }
    // The surface flattens at the water line.
    if (bClampToSurface)
        for (auto& r : rings)
            for (auto& v : r.m_Vertices)
                if (v.m_dPos[1] > dDepthLimit) v.m_dPos[1] = dDepthLimit;
}
