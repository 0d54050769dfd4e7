// The streaks of the particle presentation.
#include <GL/gl.h>

#include "model/Case.h"
#include "scene/ParticleSystems.h"

void ParticleRender::DrawStreaks() {
    glDisable(GL_LIGHTING);
    glColor3d(0.5, 0.2, 0.2);
    glBegin(GL_LINES);
    for (int f = m_nShown - 1; f >= 1; --f)
        for (int b = 0; b < m_nTracks; ++b) {
            const Particle& p = At(f, b);
            if (!p.m_bAlive) continue;
            glVertex3dv(p.m_dPos);
            glVertex3d(p.m_dPos[0] - p.m_dStreak[0], p.m_dPos[1] - p.m_dStreak[1], p.m_dPos[2] - p.m_dStreak[2]);
        }
    glEnd();
    glEnable(GL_LIGHTING);
    Advance();
}

void CParticleSystems::Draw(const CCase& doc) {
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glPushMatrix();
    doc.ForEachJet([&](int, int, int, const CRiser& outfall, const CBase& riser, const CJet& jet) {
        if (!outfall.m_nVisible || !riser.m_nVisible || jet.m_pDisplay->m_Disks.empty()) return;
        if (ParticleRender* r = Find(jet.Id())) r->DrawStreaks();
    });
    glPopMatrix();
    glPopAttrib();
}
