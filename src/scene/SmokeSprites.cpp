#include "scene/SmokeSprites.h"

#include <algorithm>
#include <cmath>

const unsigned char kSmokeColourScale[64][3] = {
    {255, 3, 0},     {255, 17, 0},  {255, 30, 0},   {255, 47, 0},   {255, 58, 0},   {255, 73, 0},    {255, 86, 0},
    {255, 101, 0},   {255, 116, 0}, {255, 129, 0},  {255, 144, 0},  {255, 157, 0},  {255, 171, 0},   {255, 189, 0},
    {255, 200, 0},   {255, 217, 0}, {255, 230, 0},  {252, 244, 0},  {237, 247, 0},  {226, 247, 0},   {209, 247, 0},
    {196, 247, 0},   {184, 247, 0}, {155, 246, 0},  {123, 243, 0},  {91, 243, 0},   {58, 241, 0},    {23, 239, 2},
    {12, 243, 46},   {8, 243, 78},  {5, 243, 126},  {0, 245, 165},  {0, 247, 206},  {0, 244, 211},   {0, 239, 221},
    {0, 239, 227},   {0, 234, 232}, {0, 226, 239},  {0, 214, 239},  {0, 202, 239},  {0, 186, 240},   {0, 168, 247},
    {0, 157, 247},   {0, 140, 247}, {0, 123, 247},  {0, 108, 247},  {0, 95, 247},   {0, 76, 249},    {0, 60, 255},
    {0, 41, 255},    {0, 31, 255},  {9, 22, 245},   {16, 16, 234},  {32, 12, 221},  {49, 9, 205},    {66, 11, 188},
    {81, 12, 173},   {98, 15, 156}, {110, 16, 144}, {121, 15, 126}, {138, 55, 138}, {166, 138, 166}, {195, 166, 195},
    {255, 255, 255},
};

int SmokeColourIndex(double concentration) {
    const double c = concentration > 0.0 ? std::min(concentration, 1.0) : 0.0;
    return std::clamp(63 - static_cast<int>(64.0 * std::sqrt(c)), 0, 63);
}

void SmokeColour(double concentration, float rgba[4]) {
    const unsigned char* e = kSmokeColourScale[SmokeColourIndex(concentration)];
    for (int q = 0; q < 3; ++q) rgba[q] = 0.2f * e[q] / 255.0f;
    rgba[3] = 1.0f;
}

unsigned SmokeSeed(int spriteFrame, int disk) {
    return static_cast<unsigned>(
        ((spriteFrame - (disk / kSmokeDiskStep) % kSmokeFrames) % kSmokeFrames + kSmokeFrames) % kSmokeFrames);
}

double SmokeSpread(double distance, double thickness) {
    if (!(distance > 0.0)) return 0.0;
    if (!(thickness > 0.0) || distance / thickness > kSmokeMaxSpread) return kSmokeMaxSpread;
    return distance / thickness;
}

int SmokeSpriteCount(double spread) {
    const double m = spread * 6.0 * 0.02;
    if (!(m >= kSmokeMinSprites)) return kSmokeMinSprites;
    return m >= kSmokeMaxSprites ? kSmokeMaxSprites : static_cast<int>(m);
}

SpritePlacement DecomposeSpriteMatrix(const float m[16]) {
    SpritePlacement s;
    s.m_fPos[0] = m[12];
    s.m_fPos[1] = m[13];
    s.m_fPos[2] = m[14];
    s.m_fScaleX = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    s.m_fScaleY = std::sqrt(m[4] * m[4] + m[5] * m[5] + m[6] * m[6]);
    const float root = std::sqrt(m[8] * m[8] + m[9] * m[9]);
    s.m_fAngle = 0.0f;
    if (root >= 0.00001f) {
        const float a = std::acos(std::clamp(m[8] / root, -1.0f, 1.0f)) * 57.29577951f;
        s.m_fAngle = m[9] < 0.0f ? -a : a;
    }
    return s;
}
