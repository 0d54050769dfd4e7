// The water surface's grid, drops and wave step.
#include "scene/Water.h"

#include <algorithm>
#include <cmath>

#include "image/Texture.h"

CWater::CWater(std::uint32_t seed)
    : m_Positions(std::size_t(kGridMax) * kGridMax * 3, 0.0f),
      m_Velocities(std::size_t(kGridMax) * kGridMax * 3, 0.0f),
      m_Random(seed) {
    ResetGrid();
}

CWater::~CWater() = default;

void CWater::ResetGrid() {
    for (int z = 0; z < m_nRows; ++z)
        for (int x = 0; x < m_nColumns; ++x) {
            const float p[3] = {x * kExtent / m_nColumns, 0.0f, z * kExtent / m_nRows};
            std::copy(p, p + 3, Point(m_Positions, x, z));
            std::copy(p, p + 3, Point(m_Velocities, x, z));
        }
}

void CWater::AddDrop(int x, int z) {
    if (x < 2 || z < 2 || x > m_nColumns - 3 || z > m_nRows - 3) return;
    SetVelocity(x, z, m_fWaveHeight);
    if (!m_bSmooth) return;
    for (int dx = -2; dx <= 2; ++dx)
        for (int dz = -2; dz <= 2; ++dz)
            SetVelocity(x + dx, z + dz, std::exp(-(dx * dx + dz * dz) / 2.0f) * m_fWaveHeight);
}

void CWater::AddRandomDrops() {
    for (int t = 1; t <= m_nDropAttempts; ++t) {
        if (m_Random.Next() % 2) continue;
        const int x = m_Random.Next() % (m_nColumns - 4) + 2;
        const int z = m_Random.Next() % (m_nRows - 4) + 2;
        AddDrop(x, z);
    }
}

void CWater::WaveStep() {
    const int x1 = m_nColumns - 3, z1 = m_nRows - 3;
    for (int z = 2; z <= z1; ++z)
        for (int x = 2; x <= x1; ++x) {
            float sum = 0.0f;
            for (int dz = -1; dz <= 1; ++dz)
                for (int dx = -1; dx <= 1; ++dx)
                    if (dx || dz) sum += Height(x + dx, z + dz);
            Point(m_Velocities, x, z)[1] -= Height(x, z) - sum / 8.0f;
        }
    for (int z = 2; z <= z1; ++z)
        for (int x = 2; x <= x1; ++x) {
            float& v = Point(m_Velocities, x, z)[1];
            float& h = Point(m_Positions, x, z)[1];
            v = (v - std::copysign(0.005f, h)) * m_fDamping;
            h += v;
        }
}

void CWater::Disturb() {
    if (m_bDropsOn) AddRandomDrops();
    WaveStep();
}

float CWater::MaxAbsHeight() const {
    float m = 0.0f;
    for (int z = 0; z < m_nRows; ++z)
        for (int x = 0; x < m_nColumns; ++x) m = std::max(m, std::fabs(Height(x, z)));
    return m;
}

bool CWater::HasTexture() const { return m_pTexture && m_pTexture->m_nTexId != 0; }
