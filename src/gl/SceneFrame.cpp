#include "gl/SceneFrame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "gl/CaseRenderer.h"
#include "gl/CutPlaneArrow.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/MixingZoneGl.h"
#include "model/Case.h"
#include "model/ViewControl.h"
#include "scene/JetDisplays.h"
#include "scene/ParticleSystems.h"
#include "scene/SceneDrawState.h"
#include "scene/Water.h"

void DrawCurrentArrow(float fCurrentAngle) {
    static const GLfloat red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    // The rest of the material as the jets leave it, so that the arrow
    // looks the same whatever was drawn before it.
    static const GLfloat ambient[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    static const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const double s = 3.0;
    GLUquadric* q = gluNewQuadric();
    if (!q) return;
    glPushMatrix();
    glColor4d(0.0, 1.0, 0.5, 1.0);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, red);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
    glTranslated(-30.0, -4.0, 0.0);
    glRotated(180.0 - fCurrentAngle, 0.0, 1.0, 0.0);
    glTranslated(2 * s, 2 * s, -3 * s);
    gluCylinder(q, 0.2 * s, 0.2 * s, 1.8 * s, 16, 1);
    glTranslated(0.0, 0.0, 1.8 * s);
    gluCylinder(q, 0.3 * s, 0.0, s, 16, 1);
    glPopMatrix();
    gluDeleteQuadric(q);
}

void DrawWaterSurface(const CCase& doc, CWater& water, bool disturbed) {
    const CAmbient* ambient = doc.Ambient();
    if (!ambient) return;
    glPushMatrix();
    glTranslated(-ambient->m_dHalfExtentX, ambient->m_dWaterDepth + 0.1, -ambient->m_dHalfExtentZ);
    water.Draw(disturbed);
    glPopMatrix();
}

void DrawSceneFrame(const CCase& doc, CJetDisplays& displays, const CViewControl& camera,
                    const SceneFrameOptions& options, CGlResources& resources) {
    if (doc.Ambient()) resources.PrepareAmbientBox(*doc.Ambient());
    // The picture stays opaque (alpha 1) while it is drawn.
    BeginOpaqueFrame();
    camera.ApplyProjection();
    camera.ApplyCamera();
    glPushMatrix();

    SceneDrawState state;
    state.highlightPick = options.m_bHighlightPick;
    state.immediateMode = options.m_bImmediateMode;
    state.renderMode = kRenderModeRender;
    state.jetsOnly = false;
    state.particleMode = false;
    DrawStructures(doc, displays, state);

    state.jetsOnly = true;
    state.animating = options.m_bAnimating;
    state.particleMode = options.m_bParticles;
    state.smokeTextures = options.m_pSmokeTextures;
    state.animationStep = options.m_nAnimStep;
    // The context's holder keeps the zoom factor of the frame it drew.
    state.zoomFactor = camera.ZoomFactor();
    DrawAmbient(doc, state, resources);

    const CCutPlane& plane = doc.m_CutPlane;
    if (options.m_bDrawCutPlane) {
        glDisable(GL_LIGHTING);
        plane.Draw();
        if (plane.m_eKind == CutPlaneKind::UserSpecified) DrawCutPlaneArrow(plane);
        glEnable(GL_CLIP_PLANE1);
        glEnable(GL_LIGHTING);
    }
    // The plane cuts the jets away on its far side.
    if (options.m_bClipToCutPlane) {
        glClipPlane(GL_CLIP_PLANE0, plane.m_dEquation);
        glEnable(GL_CLIP_PLANE0);
    }
    if (options.m_bFastDisplay ||
        (options.m_bSortTreeInBackground && !options.m_bParticles && !displays.SortTreeReadyInBackground())) {
        DrawStructures(doc, displays, state);
    } else if (options.m_bParticles) {
        if (options.m_pParticles) options.m_pParticles->Draw(doc);
    } else {
        camera.GetEyePosition(state.eyePosition);
        DrawSortedJets(doc, displays, state);
    }
    glDisable(GL_CLIP_PLANE0);
    glDisable(GL_CLIP_PLANE1);

    DrawCurrentArrow(doc.CurrentAngle());
    if (options.m_pWater) DrawWaterSurface(doc, *options.m_pWater, options.m_bDisturbed);
    DrawMixingZoneEdges(doc);
    glPopMatrix();
    EndOpaqueFrame();
    glFinish();
}

int PickScene(const CCase& doc, CJetDisplays& displays, const CViewControl& camera, int x, int y, unsigned int* buffer,
              int size) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(size, buffer);
    glRenderMode(GL_SELECT);
    glInitNames();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 2.0, 2.0, viewport);
    camera.MultProjection();
    camera.ApplyCamera();

    SceneDrawState state;
    state.renderMode = kRenderModeSelect;
    state.jetsOnly = true;
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    DrawStructures(doc, displays, state);
    glEnable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glFlush();
    return glRenderMode(GL_RENDER);
}
