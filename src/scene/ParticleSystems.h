#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The particle renderers of a case's jets, one per jet, kept by the view
// that runs the particle presentation. A jet's renderer is rebuilt when its
// results or its place changed since it was built, and restarted each time
// the presentation starts.
#include <cstdint>
#include <map>

#include "model/Jet.h"
#include "scene/ParticleRender.h"

class CCase;
class CPrompt;

class CParticleSystems {
public:
    explicit CParticleSystems(std::uint32_t seed = 1) : m_nSeed(seed) {}

    // Rebuild (where needed) and restart every jet's renderer; renderers of
    // jets no longer in the case are dropped.
    void Restart(const CCase& doc, CPrompt& prompt);
    // The streaks of every jet with results on a shown outfall and riser,
    // each renderer advancing one tick (GL library).
    void Draw(const CCase& doc);

    // The renderer of a jet, null before the first restart that saw it.
    ParticleRender* Find(JetId id);
    int Count() const { return static_cast<int>(m_Renderers.size()); }

    // A fingerprint of what a jet's tracks are made from: its disks, its
    // placement and the current angle.
    static std::uint64_t Stamp(const CJetDispModal& display);

private:
    struct Entry {
        explicit Entry(std::uint32_t seed) : m_Render(seed) {}
        ParticleRender m_Render;
        std::uint64_t m_nStamp = 0;
    };
    std::map<JetId, Entry> m_Renderers;
    std::uint32_t m_nSeed;
};
