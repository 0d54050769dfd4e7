#include "gl/CutPlaneArrow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "geometry/CutPlane.h"

void DrawCutPlaneArrow(const CCutPlane& plane) {
    static const GLfloat green[4] = {0.2f, 0.8f, 0.2f, 1.0f};
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, green);
    glPushMatrix();
    glTranslated(plane.m_vPoint[0], plane.m_vPoint[1], plane.m_vPoint[2]);
    glRotated(plane.m_dHAngle, 0.0, 1.0, 0.0);
    glRotated(plane.m_dVAngle, -1.0, 0.0, 0.0);
    gluCylinder(q, 0.1, 0.1, 8.0, 10, 1);
    glTranslated(0.0, 0.0, 8.0);
    gluCylinder(q, 0.3, 0.001, 0.5, 10, 10);
    glPopMatrix();
    gluDeleteQuadric(q);
}
