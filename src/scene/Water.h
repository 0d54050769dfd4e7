#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The sea surface of the 3-D view: a translucent height field over the whole
// ambient box (1600 x 1600 units from its corner), optionally textured, that
// a damped wave simulation fed by random drops can set moving. The grid,
// the drops and the wave step are GL-free; the texture and the drawing need
// a current context (GL library).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "scene/Random15.h"

class CPrompt;
class CTexture;

class CWater {
public:
    static constexpr int kGridMax = 200;    // points per side the arrays hold
    static constexpr float kExtent = 1600;  // side of the covered square
    static constexpr int kMaxHeightPos = 10;
    static constexpr int kMaxFrequency = 50;

    explicit CWater(std::uint32_t seed = 1);
    ~CWater();
    CWater(const CWater&) = delete;
    CWater& operator=(const CWater&) = delete;

    // --- the simulation (GL-free) ---
    // Flat surface at rest: row i, column j at (j * 1600 / N, 0, i * 1600 / M).
    void ResetGrid();
    // Reseeds the drops' generator.
    void Seed(std::uint32_t seed) { m_Random.Seed(seed); }
    // The velocity at (x, z) becomes the wave height; with smooth on a 5 x 5
    // Gaussian bump around it is written instead. x, z at least 2 from the edges.
    void AddDrop(int x, int z);
    // "Frequency" attempts; an odd draw skips one, an even one drops at a
    // random interior point.
    void AddRandomDrops();
    // One damped step of the interior points (the two outer rings never move).
    void WaveStep();
    // One disturbed frame: the drops (when on), then one step.
    void Disturb();

    float Height(int x, int z) const { return Point(m_Positions, x, z)[1]; }
    float Velocity(int x, int z) const { return Point(m_Velocities, x, z)[1]; }
    void SetHeight(int x, int z, float h) { Point(m_Positions, x, z)[1] = h; }
    void SetVelocity(int x, int z, float v) { Point(m_Velocities, x, z)[1] = v; }
    // Grid point of column x, row z.
    const float* Position(int x, int z) const { return Point(m_Positions, x, z); }
    // Largest |height| over the grid in use.
    float MaxAbsHeight() const;

    // --- texture and drawing (GL library) ---
    // Kind 1 "clouds.bmp", 2 "wall511.bmp" (plain names), 3 startDir +
    // "/water.bmp". Replaces the texture object; a file that cannot be read
    // gives "Error reading texture" and leaves the surface untextured.
    // False then.
    bool LoadTexture(int kind, const std::string& startDir, CPrompt& prompt);
    // Deletes the texture's GL name (the current context holds it).
    void ReleaseTexture();
    bool HasTexture() const;
    // One frame at the current translation: disturbed steps the waves first.
    // Translucent (alpha 0.5), fogged, coloured; GL state is restored.
    void Draw(bool disturbed);

    int m_nColumns = 180;  // N, grid points along x in use
    int m_nRows = 180;     // M, grid points along z in use
    float m_fDamping = 0.99f;
    bool m_bDropsOn = true;
    float m_fColour[3] = {1.0f, 1.0f, 1.0f};
    float m_fWaveHeight = 0.6f;
    float m_fTiling = 2.0f;    // texture coordinates advance 1 / (tiling * 20) per grid step
    int m_nDropAttempts = 25;  // "Frequency"
    bool m_bSmooth = true;     // drops are Gaussian bumps
    bool m_bTextured = true;

private:
    using Grid = std::vector<float>;  // kGridMax x kGridMax points of 3 floats, row-major by z
    static float* Point(Grid& g, int x, int z) { return &g[(std::size_t(z) * kGridMax + x) * 3]; }
    static const float* Point(const Grid& g, int x, int z) { return &g[(std::size_t(z) * kGridMax + x) * 3]; }

    // Texture coordinates of every grid point for the step s, and the
    // point indices of the triangle strips (row i with row i + 1), for
    // drawing the grid from arrays.
    void PrepareArrays(float s);

    Grid m_Positions;
    Grid m_Velocities;  // only y is used, as vertical velocity
    std::vector<float> m_TexCoords;
    float m_fTexCoordStep = 0.0f;
    std::vector<unsigned int> m_StripIndices;
    int m_nStripColumns = 0, m_nStripRows = 0;
    std::unique_ptr<CTexture> m_pTexture;
    CRandom15 m_Random;
};
