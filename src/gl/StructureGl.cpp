// Drawing of the case's structures: the traversal from the document down to
// the jets, outfall bodies and risers, with selection names for picking.
#include <GL/gl.h>
#include <GL/glu.h>

#include "base/AppState.h"
#include "gl/GlResources.h"
#include "gl/SceneShapes.h"
#include "model/MaterialProperty.h"
#include "model/PlumexDoc.h"
#include "scene/SceneDrawState.h"

void CPlumexDoc::DrawAmbient(const SceneDrawState& state, CGlResources& resources) const {
    if (m_pAmbient) resources.DrawAmbientBox(*m_pAmbient, state.zoomFactor);
}

void CPlumexDoc::DrawStructures(SceneDrawState& state) {
    state.noRiser = m_bNoRiser;
    state.currentAngle = m_fCurrentAngle;
    const double depth = m_pAmbient ? m_pAmbient->m_dWaterDepth : 0.0;
    state.waterDepth = depth;
    glPushMatrix();
    if (!state.jetsOnly) glTranslated(0.0, depth, 0.0);
    for (int i = 0; i < GetOutfallCount(); ++i) {
        glPushMatrix();
        if (state.particleMode) glTranslated(0.0, depth, 0.0);
        if (state.Selecting()) glPushName(static_cast<GLuint>(i));
        if (m_Outfalls[i]->m_nVisible) m_Outfalls[i]->Draw(state);
        if (state.Selecting()) glPopName();
        glPopMatrix();
    }
    glPopMatrix();
}

void CRiser::Draw(SceneDrawState& state) {
    ApplyMaterial(CMaterialProperty::OutfallDefault());
    glPushMatrix();
    if (!state.jetsOnly) {
        glTranslated(m_dPosition[0], -m_dDepth, m_dPosition[2]);
        DrawBody(state);
    }
    if (state.particleMode) glTranslated(m_dPosition[0], -m_dDepth, m_dPosition[2]);
    for (int j = 0; j < GetRiserCount(); ++j) {
        CBase& riser = *m_Risers[j];
        riser.m_dJetSpacing = m_dJetSpacing;
        if (state.Selecting()) glPushName(static_cast<GLuint>(j));
        if (riser.m_nVisible) riser.Draw(state);
        if (state.Selecting()) glPopName();
    }
    glPopMatrix();
}

void CRiser::DrawBody(const SceneDrawState& state) {
    glPushMatrix();
    ApplyMaterial(m_Material);
    if (state.noRiser) {
        // A round pipe along z, closed at its start.
        const double r = m_dWidth > 0.0 ? m_dWidth / 2.0 : 0.0;
        const int slices = static_cast<int>(r * 20.0) < 3 ? 3 : static_cast<int>(r * 20.0);
        if (GLUquadric* q = gluNewQuadric()) {
            glTranslated(0.0, -r / 2.0, -r / 2.0);
            gluCylinder(q, r, r, m_dLength, slices, 1);
            gluDisk(q, 0.0, r, slices, 1);
            gluDeleteQuadric(q);
        }
    } else {
        m_dBlockSize[0] = m_dWidth;
        m_dBlockSize[2] = m_dLength;
        const double w = m_dBlockSize[0], h = m_dBlockSize[1], len = m_dBlockSize[2];
        glTranslated(0.0, -h / 2.0, len / 2.0 - w / 2.0);
        DrawBox(w, h, len);
    }
    glPopMatrix();
}

void CBase::Draw(SceneDrawState& state) {
    glPushMatrix();
    if (!state.jetsOnly) DrawBody(state);
    for (int k = 0; k < GetJetCount(); ++k) {
        CJet& jet = *m_Jets[k];
        state.riserRadiusAtPort = RadiusAt(jet.m_dPortHeight);
        if (state.Selecting()) glPushName(static_cast<GLuint>(k));
        glPushMatrix();
        if (state.noRiser) {
            if (!state.jetsOnly || state.particleMode) glTranslated(0.0, 0.0, k * m_dJetSpacing);
        } else if (state.particleMode) {
            glTranslated(0.0, 0.0, m_dDistance);
        }
        jet.Draw(state);
        glPopMatrix();
        if (state.Selecting()) glPopName();
    }
    glPopMatrix();
}

void CBase::DrawBody(const SceneDrawState& state) {
    if (state.noRiser) return;
    glTranslated(0.0, 0.0, m_dDistance);
    ApplyMaterial(m_Material);
    DrawCappedCylinder(m_dTopRadius, m_dBottomRadius, m_dHeight, 100);
}
