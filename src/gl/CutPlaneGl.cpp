// Drawing of the cut plane into the 3-D scene: outline, axis arrows,
// section outlines, probe point and the clip plane.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#include "geometry/CutPlane.h"
#include "geometry/Polygon.h"

namespace {
void PlaneVertex(const CCutPlane& plane, double px, double py) {
    double x, y, z;
    plane.PlaneToWorld(px, py, x, y, z);
    glVertex3d(x, y, z);
}

void PlaneLine(const CCutPlane& plane, double x0, double y0, double x1, double y1) {
    PlaneVertex(plane, x0, y0);
    PlaneVertex(plane, x1, y1);
}
}  // namespace

void CCutPlane::Draw() const {
    // The outline follows the section, at least 20 m each way; without one
    // it stays where the last section put it.
    double outline[4] = {m_dOutline[0], m_dOutline[1], m_dOutline[2], m_dOutline[3]};
    if (!m_aPolygons.empty()) SectionOutline(outline);
    const double xmin = outline[0], xmax = outline[1];
    const double ymin = outline[2], ymax = outline[3];

    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_LIGHTING_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);

    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINE_LOOP);
    PlaneVertex(*this, xmin - 1.0, ymin - 1.0);
    PlaneVertex(*this, xmax + 1.0, ymin - 1.0);
    PlaneVertex(*this, xmax + 1.0, ymax + 1.0);
    PlaneVertex(*this, xmin - 1.0, ymax + 1.0);
    glEnd();

    glBegin(GL_LINES);
    glColor3f(0.0f, 1.0f, 0.0f);
    PlaneLine(*this, xmin, ymax, xmax - 4.0, ymax);
    PlaneLine(*this, xmax - 4.0, ymax, xmax - 4.866, ymax + 1.0);
    PlaneLine(*this, xmax - 4.0, ymax, xmax - 4.866, ymax - 1.0);
    glColor3f(0.0f, 0.0f, 1.0f);
    PlaneLine(*this, xmin, ymax, xmin, ymin + 9.0);
    PlaneLine(*this, xmin, ymin + 9.0, xmin - 1.0, ymin + 9.866);
    PlaneLine(*this, xmin, ymin + 9.0, xmin + 1.0, ymin + 9.866);
    glEnd();

    // Section outlines, lifted off the plane against the normal.
    glColor3f(1.0f, 0.0f, 0.0f);
    const double lift[3] = {-m_vNormal[0] * m_dLift, -m_vNormal[1] * m_dLift, -m_vNormal[2] * m_dLift};
    for (const auto& poly : m_aPolygons) {
        glBegin(GL_LINE_LOOP);
        for (const SectionVertex& v : poly->m_aVertices)
            glVertex3d(v.m_dX + lift[0], v.m_dY + lift[1], v.m_dZ + lift[2]);
        glEnd();
    }

    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
    glTranslatef(m_fProbe[0], m_fProbe[1], m_fProbe[2]);
    if (GLUquadric* q = gluNewQuadric()) {
        gluSphere(q, 0.2, 5, 5);
        gluDeleteQuadric(q);
    }
    glPopMatrix();

    glPopAttrib();
    glClipPlane(GL_CLIP_PLANE1, m_dEquation);
}
