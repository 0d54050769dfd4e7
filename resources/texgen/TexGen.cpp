// Generates the texture images that stand beside the program: the sea bed,
// the three walls of the ambient box, the water surface and the 51 smoke
// sprites. Written with the program's own BMP and TGA writers.
//
// usage: plumex_texgen <output folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "image/DibFile.h"
#include "image/Hdibapi.h"
#include "image/TgaWriter.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// Value noise on an integer lattice that repeats every nPeriod cells, so that
// textures tile seamlessly under GL_REPEAT.
class CNoise {
public:
    explicit CNoise(std::uint32_t seed) : m_seed(seed) {}

    double Lattice(int x, int y, int nPeriod) const {
        x = ((x % nPeriod) + nPeriod) % nPeriod;
        y = ((y % nPeriod) + nPeriod) % nPeriod;
        std::uint32_t h =
            m_seed ^ (static_cast<std::uint32_t>(x) * 374761393u) ^ (static_cast<std::uint32_t>(y) * 668265263u);
        h = (h ^ (h >> 13)) * 1274126177u;
        h ^= h >> 16;
        return (h & 0xFFFFFF) / double(0xFFFFFF);
    }
    // Smooth noise in [0, 1] at (u, v) in cells.
    double Value(double u, double v, int nPeriod) const {
        const int x0 = static_cast<int>(std::floor(u));
        const int y0 = static_cast<int>(std::floor(v));
        const double fx = u - x0, fy = v - y0;
        const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const double a = Lattice(x0, y0, nPeriod), b = Lattice(x0 + 1, y0, nPeriod);
        const double c = Lattice(x0, y0 + 1, nPeriod), d = Lattice(x0 + 1, y0 + 1, nPeriod);
        return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
    }
    // Fractal sum over octaves; (s, t) in [0, 1) tile with nBase cells at the
    // first octave. Result in about [0, 1].
    double Fbm(double s, double t, int nBase, int nOctaves) const {
        double sum = 0, amp = 0.5, norm = 0;
        int cells = nBase;
        for (int o = 0; o < nOctaves; ++o) {
            sum += amp * Value(s * cells, t * cells, cells);
            norm += amp;
            amp *= 0.5;
            cells *= 2;
        }
        return sum / norm;
    }

private:
    std::uint32_t m_seed;
};

struct CImage {
    int w, h;
    std::vector<std::uint8_t> rgb;  // top row first
    CImage(int width, int height) : w(width), h(height), rgb(static_cast<std::size_t>(width) * height * 3) {}
    void Set(int x, int y, double r, double g, double b) {
        std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * w + x) * 3];
        p[0] = static_cast<std::uint8_t>(std::clamp(r, 0.0, 255.0));
        p[1] = static_cast<std::uint8_t>(std::clamp(g, 0.0, 255.0));
        p[2] = static_cast<std::uint8_t>(std::clamp(b, 0.0, 255.0));
    }
};

double Mix(double a, double b, double t) { return a + (b - a) * t; }

double SmoothStep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

bool WriteBmp(const CImage& img, const std::string& path) {
    CDeviceBitmap bmp;
    bmp.m_nWidth = img.w;
    bmp.m_nHeight = img.h;
    bmp.m_pixels = img.rgb;
    HDIB hDib = BitmapToDIB(bmp, nullptr);
    std::FILE* f = hDib ? std::fopen(path.c_str(), "wb") : nullptr;
    bool bOk = f && SaveDIB(hDib, f);
    if (f) bOk = (std::fclose(f) == 0) && bOk;
    GlobalFreeBlock(hDib);
    if (!bOk) std::fprintf(stderr, "plumex_texgen: cannot write %s\n", path.c_str());
    return bOk;
}

// Sand with ripples, grain, darker patches and a few pebbles; tiles.
CImage SeaBed(int n) {
    CImage img(n, n);
    const CNoise warp(11), patches(23), grain(37), pebbles(41);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double s = double(x) / n, t = double(y) / n;
            // Ripples run across the bed; a warp bends their crests.
            const double w = warp.Fbm(s, t, 4, 3);
            const double phase = 2 * kPi * (12 * s + 3 * t) + 6.0 * (w - 0.5);
            const double crest = std::pow(0.5 + 0.5 * std::sin(phase), 1.6);
            const double patch = patches.Fbm(s, t, 3, 4);
            const double g = grain.Fbm(s, t, 64, 2);
            // Single grains: a per-pixel speckle, a few of them dark grit.
            const double speck = pebbles.Lattice(x, y, n);
            double shade = 0.78 + 0.16 * crest + 0.22 * (patch - 0.5) + 0.18 * (g - 0.5) + 0.06 * (speck - 0.5);
            double r = 196 * shade, gr = 176 * shade, b = 128 * shade;
            if (speck > 0.985) {
                r *= 0.72;
                gr *= 0.70;
                b *= 0.68;
            }
            img.Set(x, y, r, gr, b);
        }
    }
    return img;
}

// A wall: the view above water in the upper half (sky with clouds over a
// strip of distant sea at the horizon), the view under water in the lower
// half (sea water darkening with depth, faint light shafts).
CImage Wall(int n, std::uint32_t seed, double cloudiness) {
    CImage img(n, n);
    const CNoise clouds(seed), shafts(seed + 7), particles(seed + 13), swell(seed + 19);
    const int half = n / 2;
    const int horizon = half - n / 40;  // distant sea between horizon and water line
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double s = double(x) / n;
            double r, g, b;
            if (y < horizon) {
                const double up = double(horizon - y) / horizon;  // 0 at the horizon, 1 at the top
                r = Mix(206, 62, std::pow(up, 0.6));
                g = Mix(224, 122, std::pow(up, 0.6));
                b = Mix(238, 206, std::pow(up, 0.5));
                const double c = clouds.Fbm(s, double(y) / n * 2.5, 4, 5);
                const double cover = SmoothStep(0.62 - 0.15 * cloudiness, 0.82, c) * SmoothStep(0.0, 0.25, up);
                const double lit = 235 + 20 * (c - 0.5);
                r = Mix(r, lit, cover * 0.9);
                g = Mix(g, lit, cover * 0.9);
                b = Mix(b, lit + 5, cover * 0.9);
                // A haze band just over the horizon.
                const double haze = std::exp(-up * 14);
                r = Mix(r, 232, haze * 0.6);
                g = Mix(g, 236, haze * 0.6);
                b = Mix(b, 240, haze * 0.6);
            } else if (y < half) {
                // Distant sea: darker toward the horizon line, with swell.
                const double k = double(y - horizon) / (half - horizon);
                const double sw = swell.Fbm(s, k * 0.2, 32, 2);
                r = Mix(44, 58, k) + 14 * (sw - 0.5);
                g = Mix(92, 110, k) + 14 * (sw - 0.5);
                b = Mix(128, 140, k) + 14 * (sw - 0.5);
            } else {
                const double depth = double(y - half) / (n - half);  // 0 at the water line
                r = Mix(36, 4, std::pow(depth, 0.7));
                g = Mix(128, 30, std::pow(depth, 0.8));
                b = Mix(150, 58, std::pow(depth, 0.9));
                // Light shafts from the surface fade with depth.
                const double shaft = shafts.Fbm(s + 0.15 * depth, 0.0, 10, 3);
                const double sh = SmoothStep(0.55, 0.8, shaft) * std::exp(-depth * 3.5);
                r += 30 * sh;
                g += 50 * sh;
                b += 45 * sh;
                // Suspended matter.
                const double p = particles.Value(s * 180, depth * 90, 180);
                if (p > 0.985) {
                    r += 18;
                    g += 24;
                    b += 22;
                }
                // The surface seen from below: a bright rim at the water line.
                const double rim = std::exp(-depth * 60);
                r = Mix(r, 120, rim * 0.6);
                g = Mix(g, 200, rim * 0.6);
                b = Mix(b, 210, rim * 0.6);
            }
            img.Set(x, y, r, g, b);
        }
    }
    return img;
}

// Water surface: blue-green with crossing wave crests and glints; tiles.
CImage Water(int n) {
    CImage img(n, n);
    const CNoise warp(71), detail(83);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double s = double(x) / n, t = double(y) / n;
            const double w = warp.Fbm(s, t, 4, 3) - 0.5;
            const double a = std::sin(2 * kPi * (6 * s + 2 * t) + 5 * w);
            const double b = std::sin(2 * kPi * (-3 * s + 7 * t) + 4 * w);
            const double wave = 0.5 + 0.25 * (a + b);
            const double d = detail.Fbm(s, t, 16, 3);
            const double glint = std::pow(std::max(0.0, wave * 0.8 + 0.4 * d - 0.35), 3.0);
            const double shade = 0.75 + 0.35 * wave + 0.2 * (d - 0.5);
            img.Set(x, y, 24 * shade + 200 * glint, 96 * shade + 190 * glint, 130 * shade + 170 * glint);
        }
    }
    return img;
}

// A soft puff of smoke on black: a few overlapping lobes shaped by noise.
CImage Smoke(int n, int k) {
    CImage img(n, n);
    const CNoise shape(1000 + 17 * k), lobes(2000 + 31 * k);
    const int nLobes = 2 + k % 4;
    double lx[6], ly[6], lr[6];
    for (int i = 0; i < nLobes; ++i) {
        const double ang = 2 * kPi * lobes.Lattice(i, 0, 97);
        const double dist = 0.18 * lobes.Lattice(i, 1, 97);
        lx[i] = 0.5 + dist * std::cos(ang);
        ly[i] = 0.5 + dist * std::sin(ang);
        lr[i] = 0.18 + 0.14 * lobes.Lattice(i, 2, 97);
    }
    const double brightness = 150 + 90 * lobes.Lattice(k, 3, 97);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const double s = (x + 0.5) / n, t = (y + 0.5) / n;
            double density = 0;
            for (int i = 0; i < nLobes; ++i) {
                const double dx = (s - lx[i]) / lr[i], dy = (t - ly[i]) / lr[i];
                density += std::exp(-(dx * dx + dy * dy) * 1.6);
            }
            const double turb = shape.Fbm(s, t, 4, 4);
            density *= 0.2 + 1.8 * turb * turb;
            // Fade to black inside the inscribed circle so no edge shows.
            const double rc = std::hypot(s - 0.5, t - 0.5);
            density *= 1 - SmoothStep(0.3, 0.5, rc);
            const double v = brightness * (1 - std::exp(-1.4 * density));
            img.Set(x, y, v, v, v * 0.98);
        }
    }
    return img;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: plumex_texgen <output folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool bOk = WriteBmp(SeaBed(512), dir + "/SeaBed.bmp");
    bOk = WriteBmp(Wall(512, 101, 0.4), dir + "/Left.bmp") && bOk;
    bOk = WriteBmp(Wall(512, 202, 0.8), dir + "/Front.bmp") && bOk;
    bOk = WriteBmp(Wall(512, 303, 0.2), dir + "/Right.bmp") && bOk;
    bOk = WriteBmp(Water(256), dir + "/water.bmp") && bOk;
    for (int k = 0; k <= 50; ++k) {
        const CImage puff = Smoke(64, k);
        const std::string path = dir + "/smokeimages/ss" + std::to_string(k) + ".TGA";
        if (!SaveTGA(path, puff.w, puff.h, puff.rgb.data(), true)) {
            std::fprintf(stderr, "plumex_texgen: cannot write %s\n", path.c_str());
            bOk = false;
        }
    }
    return bOk ? 0 : 1;
}
