#include "model/ViewControl.h"

#include <cmath>

#include "base/Archive.h"
#include "base/MatrixFunctions.h"
#include "model/CaseLimits.h"

namespace {
const double kFreshEye[3] = {8.0, 15.0, 100.0};
const float kFreshFieldOfView = 40.0f;
const float kDefaultNear = 5.0f;
const float kDefaultFar = 5000.0f;

// Rotates the point in place by the angle about the axis through the centre:
// T(centre) * R(axis, angle) * T(-centre).
void RotatePointAbout(double dPoint[3], const double dCentre[3], const double dAxis[3], double dAngle) {
    double m[16], r[16], t[16];
    MatTranslate(m, dCentre[0], dCentre[1], dCentre[2]);
    MatRotateAxis(r, dAxis[0], dAxis[1], dAxis[2], dAngle);
    MatMultiply(m, r, m);
    MatTranslate(t, -dCentre[0], -dCentre[1], -dCentre[2]);
    MatMultiply(m, t, m);
    MatTransformPoint(m, dPoint, dPoint);
}

double Length(const double v[3]) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }

bool AllFinite(const double* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

// An axis that a rotation can normalise: finite and not of zero length.
bool UsableAxis(const double v[3]) {
    const double dLen = Length(v);
    return std::isfinite(dLen) && dLen > 1e-12;
}
}  // namespace

CViewControl::CViewControl()
    : m_nWidth(1),
      m_nHeight(1),
      m_dAspect(1.0),
      m_dEye{kFreshEye[0], kFreshEye[1], kFreshEye[2]},
      m_dTarget{0.0, 0.0, 0.0},
      m_dUp{0.0, 1.0, 0.0},
      m_fFieldOfView(kFreshFieldOfView),
      m_fInitFieldOfView(kFreshFieldOfView),
      m_fNear(kDefaultNear),
      m_fFar(kDefaultFar) {}

void CViewControl::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(m_nWidth);
        ar.WriteInt32(m_nHeight);
        ar.WriteDouble(m_dAspect);
        for (double v : m_dEye) ar.WriteDouble(v);
        for (double v : m_dTarget) ar.WriteDouble(v);
        for (double v : m_dUp) ar.WriteDouble(v);
        ar.WriteFloat(m_fFieldOfView);
        ar.WriteFloat(m_fInitFieldOfView);
        ar.WriteFloat(m_fNear);
        ar.WriteFloat(m_fFar);
        ar.WriteFloat(m_fFar);
        ar.WriteZeros(4);
        return;
    }
    // Read the whole block before changing anything, so that a stream that
    // ends early leaves the camera as it was.
    CViewControl in;
    in.m_nWidth = ar.ReadInt32();
    in.m_nHeight = ar.ReadInt32();
    in.m_dAspect = ar.ReadDouble();
    for (double& v : in.m_dEye) v = ar.ReadDouble();
    for (double& v : in.m_dTarget) v = ar.ReadDouble();
    for (double& v : in.m_dUp) v = ar.ReadDouble();
    in.m_fFieldOfView = ar.ReadFloat();
    in.m_fInitFieldOfView = ar.ReadFloat();
    in.m_fNear = ar.ReadFloat();
    ar.ReadFloat();  // far: always reset below
    ar.ReadFloat();  // far again
    ar.Skip(4);

    // The clipping planes are not taken from the file: a near plane closer
    // than 1 loses depth precision, and the far plane is always the default.
    in.m_fFar = kDefaultFar;
    if (!(in.m_fNear >= 1.0f) || !(in.m_fNear < in.m_fFar)) in.m_fNear = kDefaultNear;

    // A damaged block must not leave a camera that draws nothing or fills the
    // matrices with non-finite values: fall back to the fresh view.
    if (in.m_nWidth <= 0) in.m_nWidth = 1;
    if (in.m_nHeight <= 0) in.m_nHeight = 1;
    if (!std::isfinite(in.m_dAspect) || !(in.m_dAspect > 0.0))
        in.m_dAspect = static_cast<double>(in.m_nWidth) / in.m_nHeight;
    if (!in.HasUsableView()) {
        in.ResetView();
        in.m_bStoredViewReset = true;
    }
    *this = in;
}

bool CViewControl::HasUsableView() const {
    if (!AllFinite(m_dEye, 3) || !AllFinite(m_dTarget, 3) || !UsableAxis(m_dUp)) return false;
    for (int i = 0; i < 3; ++i)
        if (std::fabs(m_dEye[i]) > CaseLimits::kMaxMagnitude || std::fabs(m_dTarget[i]) > CaseLimits::kMaxMagnitude)
            return false;
    if (!(m_fFieldOfView > 0.0f && m_fFieldOfView < 180.0f)) return false;
    if (!(m_fInitFieldOfView > 0.0f && m_fInitFieldOfView < 180.0f)) return false;
    const double d[3] = {m_dTarget[0] - m_dEye[0], m_dTarget[1] - m_dEye[1], m_dTarget[2] - m_dEye[2]};
    if (!UsableAxis(d)) return false;
    double side[3];
    return SideAxis(side);
}

void CViewControl::ResetView() {
    const CViewControl fresh;
    for (int i = 0; i < 3; ++i) {
        m_dEye[i] = fresh.m_dEye[i];
        m_dTarget[i] = fresh.m_dTarget[i];
        m_dUp[i] = fresh.m_dUp[i];
    }
    m_fFieldOfView = fresh.m_fFieldOfView;
    m_fInitFieldOfView = fresh.m_fInitFieldOfView;
}

void CViewControl::SetWindowSize(int nWidth, int nHeight) {
    m_nWidth = nWidth;
    m_nHeight = nHeight;
    // A window of no area has no aspect; keep the last one.
    if (nWidth > 0 && nHeight > 0) m_dAspect = static_cast<double>(nWidth) / nHeight;
}

void CViewControl::GetEyePosition(float fEye[3]) const {
    for (int i = 0; i < 3; ++i) fEye[i] = static_cast<float>(m_dEye[i]);
}

float CViewControl::ZoomFactor() const { return m_fFieldOfView / m_fInitFieldOfView; }

bool CViewControl::SideAxis(double dSide[3]) const {
    const double d[3] = {m_dTarget[0] - m_dEye[0], m_dTarget[1] - m_dEye[1], m_dTarget[2] - m_dEye[2]};
    VecCross(d, m_dUp, dSide);
    return UsableAxis(dSide);
}

void CViewControl::TurnTargetAboutUp(double dAngle) {
    if (!UsableAxis(m_dUp)) return;
    RotatePointAbout(m_dTarget, m_dEye, m_dUp, dAngle);
}

void CViewControl::TurnTargetAboutSide(double dAngle) {
    double side[3];
    // Looking exactly along the up axis there is no side axis to turn about.
    if (!SideAxis(side)) return;
    RotatePointAbout(m_dTarget, m_dEye, side, dAngle);
}

void CViewControl::OrbitAboutUp(double dAngle) {
    if (!UsableAxis(m_dUp)) return;
    RotatePointAbout(m_dEye, m_dTarget, m_dUp, dAngle);
}

void CViewControl::OrbitAboutSide(double dAngle) {
    double side[3];
    if (!SideAxis(side)) return;
    const double old[3] = {m_dEye[0], m_dEye[1], m_dEye[2]};
    RotatePointAbout(m_dEye, m_dTarget, side, dAngle);
    double d[3] = {m_dTarget[0] - m_dEye[0], m_dTarget[1] - m_dEye[1], m_dTarget[2] - m_dEye[2]};
    const double dLen = Length(d);
    for (double& v : d) v /= dLen;
    const double c = d[0] * m_dUp[0] + d[1] * m_dUp[1] + d[2] * m_dUp[2];
    // Looking (almost) straight along the up axis would flip the view.
    if (std::fabs(c + 1.0) < 0.01 || std::fabs(c - 1.0) < 0.01 || !std::isfinite(c)) {
        for (int i = 0; i < 3; ++i) m_dEye[i] = old[i];
    }
}

void CViewControl::Dolly(double dFactor) {
    // A factor of 0 would put the eye on the target and a negative one behind
    // it; neither gives a view.
    if (!std::isfinite(dFactor) || !(dFactor > 0.0)) return;
    for (int i = 0; i < 3; ++i) m_dEye[i] = m_dTarget[i] + (m_dEye[i] - m_dTarget[i]) * dFactor;
}

void CViewControl::ScaleFieldOfView(double dFactor) {
    const double dNew = dFactor * m_fFieldOfView;
    if (!(dNew >= 0.001 && dNew <= 70.0)) return;
    m_fFieldOfView = static_cast<float>(dNew);
}
