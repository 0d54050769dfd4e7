#include "scene/TubeDetail.h"

#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "model/JetDispModal.h"

TubeProjection MakeTubeProjection(const double projection[16], const double modelview[16], const int viewport[4]) {
    TubeProjection p{};
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            double s = 0.0;
            for (int k = 0; k < 4; ++k) s += projection[k * 4 + r] * modelview[c * 4 + k];
            p.m_dMatrix[c * 4 + r] = s;
        }
    for (int i = 0; i < 4; ++i) p.m_dViewport[i] = viewport[i];
    // The view volume is -w <= x, y, z <= w: rows 3 +- 0, 1, 2 of the matrix.
    const double* m = p.m_dMatrix;
    for (int row = 0; row < 3; ++row)
        for (double sign : {1.0, -1.0}) {
            double plane[4];
            for (int c = 0; c < 4; ++c) plane[c] = m[c * 4 + 3] + sign * m[c * 4 + row];
            const double len = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
            if (!(len > 0.0) || !std::isfinite(len)) continue;
            for (int c = 0; c < 4; ++c) p.m_dPlanes[p.m_nPlanes][c] = plane[c] / len;
            ++p.m_nPlanes;
        }
    return p;
}

void AddTubeClipPlane(TubeProjection& p, const double eyePlane[4], const double modelview[16]) {
    if (p.m_nPlanes >= 12) return;
    // A point x of the tube is at modelview * x in eye space.
    double plane[4];
    for (int c = 0; c < 4; ++c) {
        plane[c] = 0.0;
        for (int k = 0; k < 4; ++k) plane[c] += eyePlane[k] * modelview[c * 4 + k];
    }
    const double len = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    if (!(len > 0.0) || !std::isfinite(len)) return;
    for (int c = 0; c < 4; ++c) p.m_dPlanes[p.m_nPlanes][c] = plane[c] / len;
    ++p.m_nPlanes;
}

bool BallOutside(const TubeProjection& p, const double centre[3], double radius) {
    // A small margin for the vertices' rounding to floats.
    const double margin = radius * 1.001 + 1e-3;
    for (int i = 0; i < p.m_nPlanes; ++i) {
        const double* q = p.m_dPlanes[i];
        if (q[0] * centre[0] + q[1] * centre[1] + q[2] * centre[2] + q[3] < -margin) return true;
    }
    return false;
}

void RingBounds(const TubeRing& ring, double centre[3], double& radius) {
    centre[0] = centre[1] = centre[2] = 0.0;
    radius = 0.0;
    const auto& v = ring.m_Vertices;
    if (v.empty()) return;
    for (const TubeVertex& t : v)
        for (int c = 0; c < 3; ++c) centre[c] += t.m_dPos[c];
    for (int c = 0; c < 3; ++c) centre[c] /= static_cast<double>(v.size());
    double worst = 0.0;
    for (const TubeVertex& t : v) {
        double d2 = 0.0;
        for (int c = 0; c < 3; ++c) d2 += (t.m_dPos[c] - centre[c]) * (t.m_dPos[c] - centre[c]);
        if (d2 > worst) worst = d2;
    }
    radius = std::sqrt(worst);
}

int RingDetail(const TubeProjection& p, const double centre[3], double radius, int vertices) {
    const double* m = p.m_dMatrix;
    double clip[4];
    for (int r = 0; r < 4; ++r) clip[r] = m[r] * centre[0] + m[4 + r] * centre[1] + m[8 + r] * centre[2] + m[12 + r];
    const double w = clip[3];
    if (!(w > 0.0) || clip[2] < -w) return vertices;
    // The screen position's derivative at the centre (pixels per scene
    // unit): its largest stretch over all directions, times the radius, is
    // the ring's radius on the screen, whichever way the ring faces.
    const double sx = 0.5 * p.m_dViewport[2], sy = 0.5 * p.m_dViewport[3];
    double jx[3], jy[3];
    for (int c = 0; c < 3; ++c) {
        jx[c] = sx * (m[c * 4] - clip[0] / w * m[c * 4 + 3]) / w;
        jy[c] = sy * (m[c * 4 + 1] - clip[1] / w * m[c * 4 + 3]) / w;
    }
    const double a = jx[0] * jx[0] + jx[1] * jx[1] + jx[2] * jx[2];
    const double b = jx[0] * jy[0] + jx[1] * jy[1] + jx[2] * jy[2];
    const double d = jy[0] * jy[0] + jy[1] * jy[1] + jy[2] * jy[2];
    const double stretch = std::sqrt(0.5 * (a + d) + std::sqrt(0.25 * (a - d) * (a - d) + b * b));
    const double rPx = radius * stretch;
    if (!std::isfinite(rPx)) return vertices;
    int n = vertices;
    while (n % 2 == 0 && n / 2 >= 4 && rPx * (1.0 - std::cos(kPi / (n / 2))) <= 0.5) n /= 2;
    return n;
}

void StitchTriangles(int slices, int nFrom, int nTo, std::vector<SegmentCorner>& out) {
    out.clear();
    if (nFrom <= 0 || nTo <= 0 || nFrom == nTo) return;
    const bool fromCoarse = nFrom < nTo;
    const int nCoarse = fromCoarse ? nFrom : nTo;
    const int coarseStep = slices / nCoarse;
    const int fineStep = slices / (fromCoarse ? nTo : nFrom);
    const int ratio = coarseStep / fineStep;
    const bool coarseRing = !fromCoarse;  // m_bTo of the coarse ring's corners
    out.reserve(static_cast<std::size_t>(3 * nCoarse * (ratio + 1)));
    // The segment's quads run along the first ring with rising slices and
    // back along the second: each triangle keeps that turn.
    auto triangle = [&](int coarseSlice, int fineA, int fineB) {
        const SegmentCorner c{coarseRing, coarseSlice % slices};
        const SegmentCorner f0{!coarseRing, fineA % slices}, f1{!coarseRing, fineB % slices};
        if (fromCoarse) out.insert(out.end(), {c, f1, f0});
        else out.insert(out.end(), {f0, f1, c});
    };
    for (int i = 0; i < nCoarse; ++i) {
        const int c0 = i * coarseStep, c1 = c0 + coarseStep;
        for (int k = 0; k < ratio / 2; ++k) triangle(c0, c0 + k * fineStep, c0 + (k + 1) * fineStep);
        const int mid = c0 + (ratio / 2) * fineStep;
        // The middle triangle has the coarse edge and the fine vertex across it.
        const SegmentCorner a{coarseRing, c0 % slices}, b{coarseRing, c1 % slices}, f{!coarseRing, mid % slices};
        if (fromCoarse) out.insert(out.end(), {a, b, f});
        else out.insert(out.end(), {f, b, a});
        for (int k = ratio / 2; k < ratio; ++k) triangle(c1, c0 + k * fineStep, c0 + (k + 1) * fineStep);
    }
}

void FastTubeSegments(int count, int stride, int picked, bool highlight, std::vector<TubeSegment>& out) {
    out.clear();
    for (int k = 0; k < count - 1;) {
        int next = std::min(k + stride, count - 1);
        bool lit = false;
        if (highlight && k <= picked && picked <= next) {
            if (k < picked) {
                next = picked;
            } else {
                next = k + 1;
                lit = true;
            }
        }
        out.push_back({k, next, lit});
        k = next;
    }
}
