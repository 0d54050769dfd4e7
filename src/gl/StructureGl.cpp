// Drawing of the case's structures: the traversal from the document down to
// the jets, outfall bodies and risers, with selection names for picking.
#include <GL/gl.h>
#include <GL/glu.h>

#include "base/AppState.h"
#include "gl/CaseRenderer.h"
#include "gl/GlResources.h"
#include "gl/SceneShapes.h"
#include "model/Case.h"
#include "model/MaterialProperty.h"
#include "scene/JetDisplays.h"
#include "scene/SceneDrawState.h"

void DrawAmbient(const CCase& c, const SceneDrawState& state, CGlResources& resources) {
    if (c.Ambient()) resources.DrawAmbientBox(*c.Ambient(), state.zoomFactor);
}

void DrawStructures(const CCase& c, CJetDisplays& displays, SceneDrawState& state) {
    state.noRiser = c.IsNoRiser();
    state.currentAngle = c.CurrentAngle();
    const double depth = c.Ambient() ? c.Ambient()->m_dWaterDepth : 0.0;
    state.waterDepth = depth;
    glPushMatrix();
    if (!state.jetsOnly) glTranslated(0.0, depth, 0.0);
    for (int i = 0; i < c.GetOutfallCount(); ++i) {
        const CRiser& outfall = *c.GetOutfall(i);
        glPushMatrix();
        if (state.particleMode) glTranslated(0.0, depth, 0.0);
        if (state.Selecting()) glPushName(static_cast<GLuint>(i));
        if (outfall.m_nVisible) DrawOutfall(outfall, displays, state);
        if (state.Selecting()) glPopName();
        glPopMatrix();
    }
    glPopMatrix();
}

void DrawOutfall(const CRiser& outfall, CJetDisplays& displays, SceneDrawState& state) {
    ApplyMaterial(CMaterialProperty::OutfallDefault());
    glPushMatrix();
    const double* pos = outfall.m_dPosition;
    if (!state.jetsOnly) {
        glTranslated(pos[0], -outfall.m_dDepth, pos[2]);
        DrawOutfallBody(outfall, state);
    }
    if (state.particleMode) glTranslated(pos[0], -outfall.m_dDepth, pos[2]);
    for (int j = 0; j < outfall.GetRiserCount(); ++j) {
        const CBase& riser = *outfall.GetRiser(j);
        if (state.Selecting()) glPushName(static_cast<GLuint>(j));
        if (riser.m_nVisible) DrawRiser(riser, outfall.m_dJetSpacing, displays, state);
        if (state.Selecting()) glPopName();
    }
    glPopMatrix();
}

void DrawOutfallBody(const CRiser& outfall, const SceneDrawState& state) {
    glPushMatrix();
    ApplyMaterial(outfall.m_Material);
    if (state.noRiser) {
        // A round pipe along z, closed at its start.
        const double r = outfall.m_dWidth > 0.0 ? outfall.m_dWidth / 2.0 : 0.0;
        const int slices = static_cast<int>(r * 20.0) < 3 ? 3 : static_cast<int>(r * 20.0);
        if (GLUquadric* q = gluNewQuadric()) {
            glTranslated(0.0, -r / 2.0, -r / 2.0);
            gluCylinder(q, r, r, outfall.m_dLength, slices, 1);
            gluDisk(q, 0.0, r, slices, 1);
            gluDeleteQuadric(q);
        }
    } else {
        // The base block: the pipe's width and length, the block's height.
        const double w = outfall.m_dWidth, h = outfall.m_dBlockSize[1], len = outfall.m_dLength;
        glTranslated(0.0, -h / 2.0, len / 2.0 - w / 2.0);
        DrawBox(w, h, len);
    }
    glPopMatrix();
}

void DrawRiser(const CBase& riser, double jetSpacing, CJetDisplays& displays, SceneDrawState& state) {
    glPushMatrix();
    if (!state.jetsOnly) DrawRiserBody(riser, state);
    for (int k = 0; k < riser.GetJetCount(); ++k) {
        const CJet& jet = *riser.GetJet(k);
        state.riserRadiusAtPort = riser.RadiusAt(jet.m_dPortHeight);
        if (state.Selecting()) glPushName(static_cast<GLuint>(k));
        glPushMatrix();
        if (state.noRiser) {
            if (!state.jetsOnly || state.particleMode) glTranslated(0.0, 0.0, k * jetSpacing);
        } else if (state.particleMode) {
            glTranslated(0.0, 0.0, riser.m_dDistance);
        }
        DrawJet(jet, displays, state);
        glPopMatrix();
        if (state.Selecting()) glPopName();
    }
    glPopMatrix();
}

void DrawRiserBody(const CBase& riser, const SceneDrawState& state) {
    if (state.noRiser) return;
    glTranslated(0.0, 0.0, riser.m_dDistance);
    ApplyMaterial(riser.m_Material);
    DrawCappedCylinder(riser.m_dTopRadius, riser.m_dBottomRadius, riser.m_dHeight, 100);
}
