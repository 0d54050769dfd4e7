// The colour-mapped, translucent jets drawn back to front from the sort tree.
#include <GL/gl.h>

#include "model/PlumexDoc.h"
#include "scene/ColourTable.h"
#include "scene/SceneDrawState.h"
#include "scene/SortTree.h"

void CPlumexDoc::DrawSortedJets(const SceneDrawState& state) const {
    if (state.particleMode) return;  // particles draw the jets then
    const CSortTree* tree = SortTree();
    if (!tree) return;
    static const GLfloat ambient[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    static const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glPushMatrix();
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
    tree->ForEachBackToFront(state.eyePosition, [&](const CSortPolygon& p) {
        if (state.animating && state.animationStep < p.m_nRing) return;
        const CRiser* o = GetOutfall(p.m_nOutfall);
        const CBase* r = o ? o->GetRiser(p.m_nRiser) : nullptr;
        const CJet* j = r ? r->GetJet(p.m_nJet) : nullptr;
        if (!j || !o->m_nVisible || !r->m_nVisible || !j->m_nVisible || j->m_pDisplay->m_Disks.empty()) return;
        const CMaterialProperty& m1 = j->m_MaterialA;
        float diffuse[4];
        LevelColour(ColourLevel(m_eColourMode, p.m_fValues, m_RangeMin, m_RangeMax, m_ColourTable), m1.m_fDiffuse,
                    j->m_MaterialB.m_fDiffuse, diffuse);
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS,
                    m1.m_fShininess >= 0.0f && m1.m_fShininess <= 128.0f ? m1.m_fShininess : 100.0f);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m1.m_fAmbient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m1.m_fSpecular);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
        glBegin(GL_POLYGON);
        for (const SortVertex& v : p.m_Vertices) {
            glNormal3fv(v.m_fNormal);
            glVertex3fv(v.m_fPos);
        }
        glEnd();
    });
    glPopMatrix();
}
