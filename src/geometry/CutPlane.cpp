// Parameters, frame and coordinate mappings of the cut plane.
#include "geometry/CutPlane.h"

#include <algorithm>
#include <cmath>

#include "base/Angles.h"
#include "base/AppState.h"
#include "base/Archive.h"
#include "base/MatrixFunctions.h"
#include "geometry/Polygon.h"
#include "image/Dib.h"

CCutPlane::CCutPlane() {
    MatIdentity(m_mWorldToPlane);
    MatIdentity(m_mPlaneToWorld);
}

CCutPlane::~CCutPlane() = default;

double CCutPlane::Truncate2(double x) { return TruncateDecimals(x, 2); }

double CCutPlane::TruncateDecimals(double x, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = x * scale;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) <= 1e-9 * std::max(1.0, std::fabs(scaled))) return nearest / scale;
    return std::trunc(scaled) / scale;
}

void CCutPlane::SetPlane(double h, double v, double d, int diskNo, CutPlaneKind kind) {
    SetExactPlane(Truncate2(h), Truncate2(v), Truncate2(d), diskNo, kind);
}

void CCutPlane::SetExactPlane(double h, double v, double d, int diskNo, CutPlaneKind kind) {
    m_dHAngle = h;
    m_dVAngle = v;
    m_dDistance = d;
    m_nDiskNo = diskNo;
    m_eKind = kind;
    ComputePlane();
    m_fProbe[0] = m_fProbe[1] = m_fProbe[2] = 0.0f;
}

void CCutPlane::GetPlane(double& h, double& v, double& d, int& diskNo, CutPlaneKind& kind) const {
    h = m_dHAngle;
    v = m_dVAngle;
    d = m_dDistance;
    diskNo = m_nDiskNo;
    kind = m_eKind;
}

void CCutPlane::ComputePlane() {
    const double h = m_dHAngle * kPi / 180.0;
    const double v = m_dVAngle * kPi / 180.0;
    const double u[3] = {std::sin(h) * std::cos(v), std::sin(v), std::cos(h) * std::cos(v)};
    for (int k = 0; k < 3; ++k) {
        m_vNormal[k] = -u[k];
        m_vPoint[k] = m_dDistance * u[k];
    }
    const double* n = m_vNormal;
    const double* p = m_vPoint;
    const double np = n[0] * p[0] + n[1] * p[1] + n[2] * p[2];
    m_dEquation[0] = n[0];
    m_dEquation[1] = n[1];
    m_dEquation[2] = n[2];
    m_dEquation[3] = -np;

    // In-plane frame: r = up x n, s = n x r. A horizontal plane takes -x
    // as its auxiliary direction, every other plane -y.
    const bool horizontal = std::fabs(std::fabs(n[1]) - 1.0) <= 1e-12;
    m_vUp[0] = horizontal ? -1.0 : 0.0;
    m_vUp[1] = horizontal ? 0.0 : -1.0;
    m_vUp[2] = 0.0;
    double r[3], s[3];
    VecCross(m_vUp, n, r);
    const double len = std::sqrt(r[0] * r[0] + r[1] * r[1] + r[2] * r[2]);
    for (double& c : r) c /= len;
    VecCross(n, r, s);

    const double rp = r[0] * p[0] + r[1] * p[1] + r[2] * p[2];
    const double sp = s[0] * p[0] + s[1] * p[1] + s[2] * p[2];
    MatSet(m_mWorldToPlane, r[0], r[1], r[2], -rp, s[0], s[1], s[2], -sp, n[0], n[1], n[2], -np, 0, 0, 0, 1);
    MatInverse(m_mPlaneToWorld, m_mWorldToPlane);
}

void CCutPlane::WorldToPlane(double x, double y, double z, double& px, double& py) const {
    const double* m = m_mWorldToPlane;
    px = m[0] * x + m[1] * y + m[2] * z + m[3];
    py = m[4] * x + m[5] * y + m[6] * z + m[7];
}

void CCutPlane::WorldToImage(double x, double y, double z, double& column, double& row) const {
    double px = 0.0, py = 0.0;
    WorldToPlane(x, y, z, px, py);
    const double ex = m_dExtent[1] - m_dExtent[0];
    const double ey = m_dExtent[3] - m_dExtent[2];
    // Before any section the extent has no width: everything maps to 0.
    column = ex > 0.0 ? (px - m_dExtent[0]) * m_rcImage.Width() / ex : 0.0;
    row = ey > 0.0 ? (py - m_dExtent[2]) * m_rcImage.Height() / ey : 0.0;
}

void CCutPlane::WorldToPixel(double x, double y, double z, int& column, int& row) const {
    double c = 0.0, r = 0.0;
    WorldToImage(x, y, z, c, r);
    // Bounded before the conversion: a point far off the image (or not a
    // number) must not overflow the integer.
    auto pixel = [](double v) {
        if (!(v > -1e8)) return -100000000;
        if (v > 1e8) return 100000000;
        return static_cast<int>(v);
    };
    column = pixel(c + 0.5);
    row = pixel(r + 0.5);
}

void CCutPlane::MeasurePolygon(const CPolygon& poly, double& area, double& hSpan, double& vSpan) const {
    area = hSpan = vSpan = 0.0;
    const auto& v = poly.m_aVertices;
    if (v.empty()) return;
    double twice = 0.0;
    double xmin = 0.0, xmax = 0.0, ymin = 0.0, ymax = 0.0;
    double px0 = 0.0, py0 = 0.0;
    WorldToPlane(v[0].m_dX, v[0].m_dY, v[0].m_dZ, px0, py0);
    xmin = xmax = px0;
    ymin = ymax = py0;
    double px = px0, py = py0;
    for (std::size_t i = 1; i <= v.size(); ++i) {
        double qx = px0, qy = py0;
        if (i < v.size()) WorldToPlane(v[i].m_dX, v[i].m_dY, v[i].m_dZ, qx, qy);
        twice += px * qy - qx * py;
        xmin = std::min(xmin, qx);
        xmax = std::max(xmax, qx);
        ymin = std::min(ymin, qy);
        ymax = std::max(ymax, qy);
        px = qx;
        py = qy;
    }
    area = std::fabs(twice) / 2.0;
    hSpan = xmax - xmin;
    vSpan = ymax - ymin;
}

void CCutPlane::PlaneToWorld(double px, double py, double& x, double& y, double& z) const {
    const double* m = m_mPlaneToWorld;
    x = m[0] * px + m[1] * py + m[3];
    y = m[4] * px + m[5] * py + m[7];
    z = m[8] * px + m[9] * py + m[11];
}

void CCutPlane::PixelToWorld(int column, int row, double& x, double& y, double& z) const {
    const int w = m_rcImage.Width();
    const int h = m_rcImage.Height();
    const double px = m_dExtent[0] + (w != 0 ? column * (m_dExtent[1] - m_dExtent[0]) / w : 0.0);
    const double py = m_dExtent[2] + (h != 0 ? row * (m_dExtent[3] - m_dExtent[2]) / h : 0.0);
    PlaneToWorld(px, py, x, y, z);
}

float CCutPlane::Probe(int column, int row, double& x, double& y, double& z, std::vector<CPolygon*>* hits) {
    PixelToWorld(column, row, x, y, z);
    m_fProbe[0] = static_cast<float>(x);
    m_fProbe[1] = static_cast<float>(y);
    m_fProbe[2] = static_cast<float>(z);
    if (!m_bValid) return 0.0f;
    float sum = 0.0f;
    for (auto& poly : m_aPolygons) {
        const CRect& rc = poly->m_rcPixel;
        if (!poly->Values() || column < rc.left || column >= rc.right || row < rc.top || row >= rc.bottom) continue;
        const float v =
            poly->Values()[static_cast<std::size_t>(row - rc.top) * poly->GridStride() + (column - rc.left)];
        poly->m_fProbeValue = v;
        sum += v;
        if (hits) hits->push_back(poly.get());
    }
    return sum;
}

void CCutPlane::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteDouble(m_dHAngle);
        ar.WriteDouble(m_dVAngle);
        ar.WriteDouble(m_dDistance);
        ar.WriteInt32(static_cast<std::int32_t>(m_eKind));
        ar.WriteInt32(m_nDiskNo);
        return;
    }
    m_dHAngle = ar.ReadDouble();
    m_dVAngle = ar.ReadDouble();
    m_dDistance = ar.ReadDouble();
    if (ar.FileIsVersion2()) {
        // A number that names no kind is kept, so the file is written back
        // as it was; such a plane is placed like a user-specified one.
        m_eKind = static_cast<CutPlaneKind>(ar.ReadInt32());
        m_nDiskNo = ar.ReadInt32();
    } else {
        m_eKind = CutPlaneKind::Horizontal;
        m_nDiskNo = 200;
    }
}
