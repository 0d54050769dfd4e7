// The tracks and time frames of a jet's particles.
#include "scene/ParticleRender.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "base/MatrixFunctions.h"
#include "base/Prompt.h"
#include "model/JetDispModal.h"

namespace {
double Distance(const double a[3], const double b[3]) {
    const double d[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    return std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
}

// Unit vector from a to b; zero when they coincide.
void Direction(const double a[3], const double b[3], double out[3]) {
    const double len = Distance(a, b);
    for (int q = 0; q < 3; ++q) out[q] = len > 0.0 ? (b[q] - a[q]) / len : 0.0;
}

// One track's point on each disk and its travel time and acceleration on
// the segment that ends at each disk (index 0 unused).
struct TrackPoint {
    double m_dPos[3];
    double m_dVelocity;
    double m_dConc;
    double m_dTime;   // travel time of the segment from the previous disk
    double m_dAccel;  // acceleration on that segment
};
}  // namespace

ParticleRender::ParticleRender(std::uint32_t seed) : m_Random(seed) {}

void ParticleRender::TimeResolution(double dTravelTime, int& nStepsPerUnit, int& nFrameCount) {
    int k = kFinestStepsPerUnit;
    const auto frames = [&](int perUnit) {
        const double f = perUnit * dTravelTime;
        return f >= kMaxFrames ? kMaxFrames : (f > 0.0 ? static_cast<int>(f) : 0);
    };
    int f = frames(k);
    while (f > kFrameTarget && k >= 2) {
        --k;
        f = frames(k);
    }
    nStepsPerUnit = k;
    nFrameCount = f;
}

int ParticleRender::AliveCount(int frame) const {
    int n = 0;
    for (int b = 0; b < m_nTracks; ++b) n += At(frame, b).m_bAlive ? 1 : 0;
    return n;
}

void ParticleRender::Rebuild(const CJetDispModal* pDisplay, CPrompt& prompt) {
    m_pDisplay = pDisplay;
    if (m_bRebuild) {
        m_Frames.clear();
        m_Frames.shrink_to_fit();
        m_nFrameCount = 0;
        m_nTracks = kTracks;
        bool ok = true;
        if (pDisplay && !pDisplay->m_Disks.empty()) {
            try {
                ok = BuildFrames(*pDisplay);
            } catch (const std::bad_alloc&) {
                ok = false;
            }
        }
        if (!ok) {
            m_Frames.clear();
            m_nFrameCount = 0;
            prompt.Inform("Allocate memory failure");
        }
        m_bRebuild = false;
    }
    m_nShown = 0;
    SeedFirstFrame();
}

bool ParticleRender::BuildFrames(const CJetDispModal& display) {
    const std::vector<CJetDisk>& disks = display.m_Disks;
    const int n = static_cast<int>(disks.size());
    std::vector<double> matrices(std::size_t(n) * 16);
    for (int d = 0; d < n; ++d) display.DiskMatrix(disks[d], &matrices[std::size_t(d) * 16]);
    std::vector<TrackPoint> points(std::size_t(n) * m_nTracks);
    auto point = [&](int b, int d) -> TrackPoint& { return points[std::size_t(b) * n + d]; };

    m_dLastRadius = disks.back().m_dRadius;
    std::vector<double> angle(m_nTracks), share(m_nTracks), total(m_nTracks, 0.0);
    double longest = 0.0;
    for (int b = 0; b < m_nTracks; ++b) {
        angle[b] = m_Random.Next() * 6.28318 / CRandom15::kMax;
        // The track keeps its share of every disk's radius.
        share[b] = m_Random.Unit();
        for (int d = 0; d < n; ++d) {
            const double r = share[b] * disks[d].m_dRadius;
            const double local[3] = {r * std::cos(angle[b]), 0.0, r * std::sin(angle[b])};
            TrackPoint& p = point(b, d);
            MatTransformPoint(&matrices[std::size_t(d) * 16], local, p.m_dPos);
            p.m_dVelocity = disks[d].m_dVelocity;
            p.m_dConc = disks[d].m_dMeanConc;
            p.m_dTime = p.m_dAccel = 0.0;
        }
        for (int d = 1; d < n; ++d) {
            TrackPoint& p = point(b, d);
            const TrackPoint& q = point(b, d - 1);
            const double s = Distance(q.m_dPos, p.m_dPos);
            const double speeds = q.m_dVelocity + p.m_dVelocity;
            // Coinciding points or a flow at rest give no time and no
            // acceleration instead of a division by zero.
            if (s > 0.0 && speeds > 0.0) {
                p.m_dTime = 2.0 * s / speeds;
                p.m_dAccel = (p.m_dVelocity * p.m_dVelocity - q.m_dVelocity * q.m_dVelocity) / (2.0 * s);
            }
            total[b] += p.m_dTime;
        }
        longest = std::max(longest, total[b]);
    }
    TimeResolution(longest, m_nStepsPerUnit, m_nFrameCount);
    // A jet without travel (one disk) still has its frame 0: one point, no motion.
    m_nFrameCount = std::max(m_nFrameCount, 1);
    const double delta = 1.0 / m_nStepsPerUnit;
    m_Frames.assign(std::size_t(m_nFrameCount) * m_nTracks, Particle());

    for (int b = 0; b < m_nTracks; ++b) {
        const int second = n > 1 ? 1 : 0;
        double dir[3];
        Direction(point(b, 0).m_dPos, point(b, second).m_dPos, dir);
        Particle& first = m_Frames[b];
        const TrackPoint& p1 = point(b, second);
        for (int q = 0; q < 3; ++q) {
            first.m_dPos[q] = p1.m_dPos[q];
            first.m_dStreak[q] = dir[q] * (-0.1 * p1.m_dVelocity);
        }
        int d = 1;
        double before = 0.0;                               // accumulated time at disk d - 1
        double after = n > 1 ? point(b, 1).m_dTime : 0.0;  // ... at disk d
        for (int f = 0; f < m_nFrameCount; ++f) {
            Particle& pt = m_Frames[std::size_t(f) * m_nTracks + b];
            pt.m_fAngle = static_cast<float>(angle[b]);
            pt.m_fRadius = static_cast<float>(share[b] * m_dLastRadius);
            if (f == 0 || n < 2) {
                if (f > 0) std::copy(first.m_dPos, first.m_dPos + 3, pt.m_dPos);
                pt.m_fVelocity = static_cast<float>(point(b, 0).m_dVelocity);
                pt.m_fConcentration = static_cast<float>(point(b, 0).m_dConc);
                continue;
            }
            const double t = f * delta;
            while (t >= after && d < n - 1) {
                ++d;
                before = after;
                after += point(b, d).m_dTime;
            }
            const TrackPoint& from = point(b, d - 1);
            const TrackPoint& to = point(b, d);
            const double tau = t - before;
            const double s = std::max(0.0, from.m_dVelocity * tau + 0.5 * to.m_dAccel * tau * tau);
            Direction(from.m_dPos, to.m_dPos, dir);
            const double speed = (to.m_dAccel * tau + from.m_dVelocity) * 0.4;
            for (int q = 0; q < 3; ++q) {
                pt.m_dPos[q] = from.m_dPos[q] + s * dir[q];
                pt.m_dStreak[q] = dir[q] * speed;
            }
            pt.m_fVelocity = static_cast<float>(from.m_dVelocity);
            pt.m_fConcentration = static_cast<float>(from.m_dConc);
        }
    }
    return true;
}

void ParticleRender::SeedFirstFrame() {
    if (m_nFrameCount < 1) return;
    for (int b = 0; b < m_nTracks; ++b) m_Frames[b].m_bAlive = false;
    m_nEmit = m_Random.Next() * 6 / CRandom15::kMax + 6;
    for (int e = 0; e < m_nEmit && e < m_nTracks; ++e) {
        int b;
        do {
            b = m_Random.Next() % m_nTracks;
        } while (m_Frames[b].m_bAlive);
        m_Frames[b].m_bAlive = true;
    }
}

void ParticleRender::Advance() {
    if (m_nFrameCount < 1) return;
    m_nShown = std::min(m_nShown + 1, m_nFrameCount - 1);
    for (int f = m_nShown; f >= 1; --f)
        for (int b = 0; b < m_nTracks; ++b)
            m_Frames[std::size_t(f) * m_nTracks + b].m_bAlive = m_Frames[std::size_t(f - 1) * m_nTracks + b].m_bAlive;
    SeedFirstFrame();
}
