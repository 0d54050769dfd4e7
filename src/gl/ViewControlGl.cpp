#include <GL/gl.h>
#include <GL/glu.h>

#include "model/ViewControl.h"

void CViewControl::ApplyProjection() const {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    MultProjection();
}

void CViewControl::MultProjection() const { gluPerspective(m_fFieldOfView, m_dAspect, m_fNear, m_fFar); }

void CViewControl::ApplyCamera() const {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(m_dEye[0], m_dEye[1], m_dEye[2], m_dTarget[0], m_dTarget[1], m_dTarget[2], m_dUp[0], m_dUp[1], m_dUp[2]);
}
