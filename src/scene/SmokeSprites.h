#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The arithmetic of the smoke presentation ("Fast Display" with particles):
// which disks carry smoke, how many sprites, their colour from a 64-step
// scale of mean concentration, and the viewer-facing placement of a sprite
// taken from a model-view matrix. GL-free.

// Disks that carry smoke: every tenth one.
constexpr int kSmokeDiskStep = 10;
// The sprite frame counter cycles 0 ... 19.
constexpr int kSmokeFrames = 20;
constexpr int kSmokeMinSprites = 6;
constexpr int kSmokeMaxSprites = 15;
// The spread (in disk thicknesses) beyond which nothing changes any more:
// a disk of no thickness spreads its smoke this far instead of without end.
constexpr double kSmokeMaxSpread = 1000.0;

// The colour scale, index 0 = highest concentration: R, G, B in 0 ... 255.
extern const unsigned char kSmokeColourScale[64][3];

// Scale index of a mean concentration: 63 - int(64 sqrt(c)) within 0 ... 63
// (a negative or undefined concentration counts as 0).
int SmokeColourIndex(double concentration);
// The sprite colour: 0.2 x the scale entry / 255, alpha 1.
void SmokeColour(double concentration, float rgba[4]);

// The seed of smoke disk i in sprite frame: the pattern of each disk cycles
// with period 20 and shifts by one frame from smoke disk to smoke disk.
unsigned SmokeSeed(int spriteFrame, int disk);
// The spread of the sprites behind a disk: the distance to the centre of
// the smoke disk before it over this disk's thickness, within 0 ... 1000
// (0 for an undefined ratio).
double SmokeSpread(double distance, double thickness);
// int(spread x 6 x 0.02) within 6 ... 15.
int SmokeSpriteCount(double spread);

// A sprite facing the viewer from a column-major model-view matrix m: the
// position, the lengths of the first two columns, and the angle (degrees)
// of the third column about the view axis (0 when it is nearly parallel to it).
struct SpritePlacement {
    float m_fPos[3];
    float m_fScaleX, m_fScaleY;
    float m_fAngle;
};
SpritePlacement DecomposeSpriteMatrix(const float m[16]);
