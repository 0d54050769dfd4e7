#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The particles of one jet: 24 tracks through the jet's disks, along which
// particles travel with the flow speed (accelerating or slowing between
// disks), precomputed as time frames. Each tick every particle moves one
// frame on and 6 to 12 new ones leave the nozzle. The arithmetic is
// GL-free; the streak drawing needs a current context (GL library).
#include <cstdint>
#include <vector>

#include "model/MaterialProperty.h"
#include "scene/Random15.h"

class CJetDispModal;
class CPrompt;

// One particle of a time frame.
struct Particle {
    double m_dPos[3] = {0, 0, 0};     // scene position
    double m_dStreak[3] = {0, 0, 0};  // the streak runs from the position back by this vector
    float m_fVelocity = 0;            // velocity at the disk the track started from
    float m_fAngle = 0;               // track angle (radians)
    float m_fRadius = 0;              // track radius on the last disk
    float m_fConcentration = 0;       // mean concentration at that disk
    bool m_bAlive = false;
};

class ParticleRender {
public:
    static constexpr int kTracks = 24;
    static constexpr int kFinestStepsPerUnit = 12;
    static constexpr int kFrameTarget = 2000;
    // A bound on the frames of one jet whatever its travel time (a broken
    // velocity would otherwise ask for any number).
    static constexpr int kMaxFrames = 20000;

    explicit ParticleRender(std::uint32_t seed = 1);

    // Time frames per unit of travel time and frame count for the slowest
    // track's travel time: 12 per unit, lowered by one while more than 2000
    // frames are needed (never below 1 per unit).
    static void TimeResolution(double dTravelTime, int& nStepsPerUnit, int& nFrameCount);

    // With the rebuild flag set: the tracks and frames from the disks (none
    // when there are no disks; "Allocate memory failure" when memory runs
    // out, leaving no particles). Always: no frame shown, frame 0 seeded.
    void Rebuild(const CJetDispModal* pDisplay, CPrompt& prompt);
    // One tick: one more frame shown (up to the last), every particle moves
    // one frame on, new particles at the nozzle.
    void Advance();
    // The streaks of the shown frames as lines, lighting off, then Advance
    // (GL library).
    void DrawStreaks();

    void Seed(std::uint32_t seed) { m_Random.Seed(seed); }
    int FrameCount() const { return m_nFrameCount; }
    const Particle& At(int frame, int track) const { return m_Frames[std::size_t(frame) * m_nTracks + track]; }
    int AliveCount(int frame) const;

    int m_nShown = 0;  // frames currently populated
    const CJetDispModal* m_pDisplay = nullptr;
    int m_nEmit = 0;  // particles released in the current frame
    int m_nTracks = kTracks;
    double m_dLastRadius = 0.0;
    CMaterialProperty m_MaterialA = CMaterialProperty::ParticleADefault();
    CMaterialProperty m_MaterialB = CMaterialProperty::ParticleBDefault();
    bool m_bRebuild = true;  // the tracks must be rebuilt before the next start
    int m_nStepsPerUnit = 0;
    int m_nFrameCount = 0;

private:
    // Builds the frames; false when memory ran out.
    bool BuildFrames(const CJetDispModal& display);
    // Frame 0: alive flags cleared, 6 ... 12 distinct tracks made alive.
    void SeedFirstFrame();

    std::vector<Particle> m_Frames;  // m_nFrameCount frames of m_nTracks particles
    CRandom15 m_Random;
};
