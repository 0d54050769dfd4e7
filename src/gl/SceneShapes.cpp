#include "gl/SceneShapes.h"

#include <GL/gl.h>
#include <GL/glu.h>

void DrawCappedCylinder(double r1, double r2, double h, int n) {
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    glPushMatrix();
    glTranslated(0.0, h, 0.0);
    glRotated(90.0, 1.0, 0.0, 0.0);  // the quadric's axis now points down
    gluCylinder(q, r1, r2, h, n, 1);
    gluDisk(q, 0.0, r1, n, 1);
    glPopMatrix();
    gluDeleteQuadric(q);
}

void DrawBox(double sx, double sy, double sz) {
    const double x = sx / 2, y = sy / 2, z = sz / 2;
    struct Face {
        double n[3];
        double v[4][3];
    };
    const Face faces[6] = {
        {{-1, 0, 0}, {{-x, -y, -z}, {-x, -y, z}, {-x, y, z}, {-x, y, -z}}},
        {{1, 0, 0}, {{x, -y, -z}, {x, y, -z}, {x, y, z}, {x, -y, z}}},
        {{0, 1, 0}, {{-x, -y, -z}, {x, -y, -z}, {x, -y, z}, {-x, -y, z}}},
        {{0, -1, 0}, {{-x, y, -z}, {-x, y, z}, {x, y, z}, {x, y, -z}}},
        {{0, 0, -1}, {{-x, -y, -z}, {-x, y, -z}, {x, y, -z}, {x, -y, -z}}},
        {{0, 0, 1}, {{-x, -y, z}, {x, -y, z}, {x, y, z}, {-x, y, z}}},
    };
    for (const Face& f : faces) {
        glBegin(GL_POLYGON);
        for (const auto& v : f.v) {
            glNormal3dv(f.n);
            glVertex3dv(v);
        }
        glEnd();
    }
}

void DrawFloorGrid() {
    int square = 0;
    glBegin(GL_QUADS);
    for (int r = -5; r <= 5; ++r) {
        for (int c = -5; c <= 5; ++c, ++square) {
            if (square % 2) glColor3d(0.9, 0.9, 0.9);
            else glColor3d(0.05, 0.05, 0.05);
            glVertex3d(0.5 * c, 0.0, 0.5 * r);
            glVertex3d(0.5 * c + 0.5, 0.0, 0.5 * r);
            glVertex3d(0.5 * c + 0.5, 0.0, 0.5 * r + 0.5);
            glVertex3d(0.5 * c, 0.0, 0.5 * r + 0.5);
        }
    }
    glEnd();
}
