// Drawing of a jet: its port pipe among the structures, its tube among the jets.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "base/Angles.h"
#include "gl/CaseRenderer.h"
#include "model/Jet.h"
#include "scene/JetDisplays.h"
#include "scene/SceneDrawState.h"

namespace {
// The elbow of a port without riser is drawn as thin rings, one per degree
// of bend; a damaged angle must not make that loop endless.
constexpr int kMaxElbowRings = 180;
}  // namespace

void DrawJet(const CJet& jet, CJetDisplays& displays, const SceneDrawState& state) {
    glPushMatrix();
    if (state.jetsOnly) {
        const CJetDispModal& display = *jet.m_pDisplay;
        if (!display.m_Disks.empty()) {
            const double* port = jet.m_dPortPos;
            if (state.particleMode) glTranslated(port[0], port[1], port[2]);
            if (state.particleMode && !state.Selecting()) DrawJetSmoke(display, displays.Smoke(jet.Id()), state);
            else display.Draw(state);
        }
    } else {
        DrawJetPort(jet, state);
    }
    glPopMatrix();
}

void DrawJetPort(const CJet& jet, const SceneDrawState& state) {
    const double a = 180.0 - state.currentAngle + jet.m_dHAngle;
    // With lighting on the colour leaves the port in the material applied
    // last (the riser's, or the pipe's without risers).
    glColor3d(state.portColour[0], state.portColour[1], state.portColour[2]);
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    glPushMatrix();
    if (state.noRiser) {
        const double r = jet.m_dDiameter / 2.0 + 0.001;
        const double len = jet.m_dNozzleLength;
        glTranslated(0.0, jet.m_dPortHeight, 0.0);
        // Vertical stub.
        glPushMatrix();
        glRotated(-90.0, 1, 0, 0);
        gluCylinder(q, r, r, len, 32, 1);
        glPopMatrix();
        // The elbow: thin rings turning from vertical to the jet's angle.
        const double bend = std::fabs(jet.m_dVAngle - 90.0);
        int n = static_cast<int>(bend);
        if (!(n >= 0)) n = 0;
        if (n > kMaxElbowRings) n = kMaxElbowRings;
        glPushMatrix();
        glRotated(-90.0, 1, 0, 0);
        glRotated(a, 0, 0, 1);
        glTranslated(0.0, 0.0, len);
        for (int i = 0; i < n; ++i) {
            glPushMatrix();
            glTranslated(0.0, -r, 0.0);
            glRotated(i * bend / n, 1, 0, 0);
            glTranslated(0.0, r, 0.0);
            gluCylinder(q, r, r, 0.01, 32, 1);
            glPopMatrix();
        }
        glPopMatrix();
        // The final leg along the jet's direction.
        glRotated(-90.0, 1, 0, 0);
        glRotated(a, 0, 0, 1);
        glTranslated(0.0, 0.0, len);
        glTranslated(0.0, -r, 0.0);
        glRotated(90.0 - jet.m_dVAngle, 1, 0, 0);
        glTranslated(0.0, r, 0.0);
        gluCylinder(q, r, r, len, 32, 1);
    } else {
        const double rho = state.riserRadiusAtPort;
        const double r = jet.m_dDiameter / 2.0;
        glTranslated(std::sin(a * kDegToRad) * rho, jet.m_dPortHeight, std::cos(a * kDegToRad) * rho);
        glRotated(a, 0, 1, 0);
        glRotated(-jet.m_dVAngle, 1, 0, 0);
        gluCylinder(q, r, r, 0.1, 32, 1);  // ports on a riser are 0.1 m long
    }
    glPopMatrix();
    gluDeleteQuadric(q);
}
