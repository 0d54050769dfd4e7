#include "scene/ParticleSystems.h"

#include <cstring>
#include <set>

#include "model/Case.h"

namespace {
// FNV-1a over the bytes of a value.
void Mix(std::uint64_t& h, const void* data, std::size_t size) {
    const unsigned char* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        h ^= p[i];
        h *= 1099511628211ull;
    }
}
}  // namespace

std::uint64_t CParticleSystems::Stamp(const CJetDispModal& display) {
    std::uint64_t h = 14695981039346656037ull;
    const std::size_t n = display.m_Disks.size();
    Mix(h, &n, sizeof n);
    for (const CJetDisk& d : display.m_Disks) {
        const double v[8] = {d.m_dX,        d.m_dY,        d.m_dZ,      d.m_dRadius,
                             d.m_dVelocity, d.m_dMeanConc, d.m_dVAngle, d.m_dHAngle};
        Mix(h, v, sizeof v);
    }
    Mix(h, display.m_Placement, sizeof display.m_Placement);
    Mix(h, &display.m_dDisplayAngle, sizeof display.m_dDisplayAngle);
    return h;
}

ParticleRender* CParticleSystems::Find(JetId id) {
    auto it = m_Renderers.find(id);
    return it == m_Renderers.end() ? nullptr : &it->second.m_Render;
}

void CParticleSystems::Restart(const CCase& doc, CPrompt& prompt) {
    std::set<JetId> present;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& jet) {
        present.insert(jet.Id());
        auto it = m_Renderers.find(jet.Id());
        // Each jet draws from its own sequence, repeatable for the seed.
        if (it == m_Renderers.end())
            it = m_Renderers.emplace(jet.Id(), Entry(m_nSeed + static_cast<std::uint32_t>(jet.Id()))).first;
        Entry& e = it->second;
        const std::uint64_t stamp = Stamp(*jet.m_pDisplay);
        if (stamp != e.m_nStamp) e.m_Render.m_bRebuild = true;
        e.m_nStamp = stamp;
        e.m_Render.Rebuild(jet.m_pDisplay.get(), prompt);
    });
    for (auto it = m_Renderers.begin(); it != m_Renderers.end();)
        it = present.count(it->first) ? std::next(it) : m_Renderers.erase(it);
}
