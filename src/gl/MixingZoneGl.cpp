#include "gl/MixingZoneGl.h"

#include <GL/gl.h>

#include "farfield/MixingZoneEdge.h"
#include "model/Case.h"

void DrawMixingZoneEdges(const CCase& doc) {
    // Just above the water line, so that the surface never hides it.
    constexpr double kLift = 0.15;
    glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(3.0f);
    glColor4d(1.0, 0.45, 0.0, 1.0);
    glBegin(GL_LINES);
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        MixingZoneEdge edge;
        if (!FindMixingZoneEdge(doc, i, edge)) continue;
        glVertex3d(edge.m_dFrom[0], edge.m_dFrom[1] + kLift, edge.m_dFrom[2]);
        glVertex3d(edge.m_dTo[0], edge.m_dTo[1] + kLift, edge.m_dTo[2]);
    }
    glEnd();
    glPopAttrib();
}
