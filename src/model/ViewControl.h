#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The camera of the main 3-D view: eye, target and up fed to gluLookAt, and a
// perspective projection (vertical field of view in degrees, aspect, near and
// far planes) fed to gluPerspective. The mouse modes turn the view direction
// about the eye, orbit the eye about the target, move the eye towards the
// target and narrow or widen the field of view.
// Stored as the 112-byte camera block of the case file.

class CArchive;

class CViewControl {
public:
    CViewControl();
    virtual ~CViewControl() = default;

    // Width, height, aspect, eye, target, up, field of view, initial field of
    // view, near, far, far again and four unused bytes: 112 bytes.
    void Serialize(CArchive& ar);

    // Stores the client size; the aspect follows when both are positive.
    void SetWindowSize(int nWidth, int nHeight);

    // GL: projection matrix mode, identity, then the perspective.
    void ApplyProjection() const;
    // GL: only the perspective, multiplied onto the current matrix (after a
    // pick matrix).
    void MultProjection() const;
    // GL: model-view matrix mode, identity, then the look-at transform.
    void ApplyCamera() const;

    void GetEyePosition(float fEye[3]) const;
    // Field of view over the initial field of view.
    float ZoomFactor() const;

    // Turn the target about the eye (angles in degrees).
    void TurnTargetAboutUp(double dAngle);
    void TurnTargetAboutSide(double dAngle);
    // Orbit the eye about the target; about the side axis the eye stops short
    // of looking along the up axis.
    void OrbitAboutUp(double dAngle);
    void OrbitAboutSide(double dAngle);
    // eye = target + (eye - target) * factor; only positive factors.
    void Dolly(double dFactor);
    // Kept only when the new field of view stays within 0.001 ... 70 degrees.
    void ScaleFieldOfView(double dFactor);

    // A view that can be drawn: finite, within the case's limits, a field of
    // view below 180 degrees, an eye apart from its target that does not
    // look along the up axis (straight down or up, which leaves no side).
    bool HasUsableView() const;
    // Reading found a stored view that HasUsableView refuses and put the
    // fresh view in its place.
    bool StoredViewWasReset() const { return m_bStoredViewReset; }

    int m_nWidth;
    int m_nHeight;
    double m_dAspect;
    double m_dEye[3];
    double m_dTarget[3];
    double m_dUp[3];
    float m_fFieldOfView;
    float m_fInitFieldOfView;
    float m_fNear;
    float m_fFar;

private:
    // (target - eye) x up; false when it has no usable length.
    bool SideAxis(double dSide[3]) const;
    void ResetView();

    bool m_bStoredViewReset = false;
};
