// The colour-mapped, translucent jets drawn back to front from the sort
// tree, as vertex arrays: the walk of the tree is redone only when the eye
// moved or the colouring changed, and a frame goes out in one draw call per
// run of polygons sharing a material.
#include <GL/gl.h>

#include <memory>
#include <vector>

#include "gl/CaseRenderer.h"
#include "model/Case.h"
#include "scene/ColourTable.h"
#include "scene/JetDisplays.h"
#include "scene/SceneDrawState.h"
#include "scene/SortTree.h"
#include "scene/SortedJetArrays.h"

namespace {
void AddMaterial(std::vector<double>& key, const CMaterialProperty& m) {
    key.insert(key.end(), m.m_fAmbient, m.m_fAmbient + 4);
    key.insert(key.end(), m.m_fDiffuse, m.m_fDiffuse + 4);
    key.insert(key.end(), m.m_fSpecular, m.m_fSpecular + 4);
    key.push_back(m.m_fShininess);
}
// Whether the polygon is drawn (its jet, riser and outfall shown, the jet
// computed, its ring grown), and its colour and material.
void LookOf(const CCase& doc, const CJetDisplays& displays, const SceneDrawState& state, const CSortPolygon& p,
            CSortedJetArrays::Look& l) {
    if (state.animating && state.animationStep < p.m_nRing) return;
    const CRiser* o = doc.GetOutfall(p.m_nOutfall);
    const CBase* r = o ? o->GetRiser(p.m_nRiser) : nullptr;
    const CJet* j = r ? r->GetJet(p.m_nJet) : nullptr;
    if (!j || !o->m_nVisible || !r->m_nVisible || !j->m_nVisible || j->m_pDisplay->m_Disks.empty()) return;
    const CMaterialProperty& m1 = j->m_MaterialA;
    l.m_bShown = true;
    LevelColour(ColourLevel(displays.Mode(), p.m_fValues, doc.m_RangeMin, doc.m_RangeMax, displays.Colours()),
                m1.m_fDiffuse, j->m_MaterialB.m_fDiffuse, l.m_fDiffuse);
    for (int c = 0; c < 4; ++c) {
        l.m_Material.m_fAmbient[c] = m1.m_fAmbient[c];
        l.m_Material.m_fSpecular[c] = m1.m_fSpecular[c];
    }
    l.m_Material.m_fShininess = m1.m_fShininess >= 0.0f && m1.m_fShininess <= 128.0f ? m1.m_fShininess : 100.0f;
}

// Polygon by polygon, each with its material calls.
void DrawPolygonByPolygon(const CCase& doc, const CJetDisplays& displays, const CSortTree& tree,
                          const SceneDrawState& state) {
    tree.ForEachBackToFront(state.eyePosition, [&](const CSortPolygon& p) {
        CSortedJetArrays::Look l;
        LookOf(doc, displays, state, p, l);
        if (!l.m_bShown) return;
        glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, l.m_Material.m_fShininess);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, l.m_Material.m_fAmbient);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, l.m_Material.m_fSpecular);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, l.m_fDiffuse);
        glBegin(GL_POLYGON);
        for (const SortVertex& v : p.m_Vertices) {
            glNormal3fv(v.m_fNormal);
            glVertex3fv(v.m_fPos);
        }
        glEnd();
    });
}
}  // namespace

void DrawSortedJets(const CCase& c, const CJetDisplays& displays, const SceneDrawState& state) {
    if (state.particleMode) return;  // particles draw the jets then
    const std::shared_ptr<const CSortTree> tree = displays.SharedSortTree();
    if (!tree) return;
    static const GLfloat ambient[4] = {0.0f, 0.2f, 0.2f, 1.0f};
    static const GLfloat specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glPushMatrix();
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 100.0f);
    if (state.immediateMode) {
        DrawPolygonByPolygon(c, displays, *tree, state);
        glPopMatrix();
        return;
    }

    // Everything the colours and the choice of polygons depend on: the
    // arrays are coloured again when any of it differs from the last frame.
    std::vector<double> key;
    key.push_back(static_cast<double>(displays.Mode()));
    key.push_back(state.animating ? state.animationStep : -1);
    for (int i = 0; i < 4; ++i) key.push_back(c.m_RangeMin.Get(i));
    for (int i = 0; i < 4; ++i) key.push_back(c.m_RangeMax.Get(i));
    for (const ColourTableEntry& e : displays.Colours()) {
        key.insert(key.end(), {double(e.m_nLowLevel), double(e.m_nHighLevel), e.m_dFromValue, e.m_dToValue});
    }
    c.ForEachJet([&](int i, int j, int k, const CRiser& o, const CBase& r, const CJet& jet) {
        key.insert(key.end(), {double(i), double(j), double(k), double(o.m_nVisible), double(r.m_nVisible),
                               double(jet.m_nVisible), double(jet.m_pDisplay->m_Disks.size())});
        AddMaterial(key, jet.m_MaterialA);
        AddMaterial(key, jet.m_MaterialB);
    });
    const auto look = [&](const CSortPolygon& p, CSortedJetArrays::Look& l) { LookOf(c, displays, state, p, l); };
    CSortedJetArrays& arrays = displays.SortedArrays();
    arrays.Update(tree, key, look, state.eyePosition);

    if (!arrays.Runs().empty()) {
        glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
        glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_NORMAL_ARRAY);
        glEnableClientState(GL_COLOR_ARRAY);
        const GLsizei stride = CSortedJetArrays::kStride * sizeof(float);
        const float* vertices = arrays.Vertices().data();
        glVertexPointer(3, GL_FLOAT, stride, vertices);
        glNormalPointer(GL_FLOAT, stride, vertices + 3);
        glColorPointer(4, GL_FLOAT, stride, vertices + 6);
        // The colour of each vertex is its diffuse material colour.
        glColorMaterial(GL_FRONT_AND_BACK, GL_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        for (const CSortedJetArrays::Run& run : arrays.Runs()) {
            const CSortedJetArrays::Material& m = arrays.Materials()[run.m_nMaterial];
            glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, m.m_fShininess);
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, m.m_fAmbient);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, m.m_fSpecular);
            glDrawElements(GL_TRIANGLES, run.m_nCount, GL_UNSIGNED_INT, arrays.Indices().data() + run.m_nFirst);
        }
        glDisable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glPopClientAttrib();
        glPopAttrib();
        // The material is left as the nearest polygon had it, as drawing the
        // polygons one by one leaves it.
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, arrays.LastDiffuse());
    }
    glPopMatrix();
}
