#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// A small random source with the range of the classic C library generator
// (0 ... 32767), owned by whoever draws from it, so that its sequence is
// repeatable for a given seed and no other code disturbs it. GL-free.
#include <cstdint>
#include <random>

class CRandom15 {
public:
    static constexpr int kMax = 32767;

    explicit CRandom15(std::uint32_t seed = 1) : m_engine(seed) {}

    // Starts the sequence again from seed; forgets a kept normal value.
    void Seed(std::uint32_t seed) {
        m_engine.seed(seed);
        m_bHaveNormal = false;
    }
    // 0 ... 32767.
    int Next() { return static_cast<int>(m_engine() >> 17); }
    // Next() / 32767: 0 ... 1.
    double Unit() { return Next() / double(kMax); }
    // A standard normal value by the polar method: two uniform values in
    // (-1, 1) until their squared length s lies in (0, 1); the second value
    // of each pair is kept for the next call.
    double Normal();

private:
    std::mt19937 m_engine;
    bool m_bHaveNormal = false;
    double m_dNormal = 0.0;
};
