#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// Reading the face images of the ambient box: 24-bit uncompressed BMP files
// turned into RGB textures whose sides are powers of two. GL-free.
#include <string>
#include <vector>

// A face image read for the ambient box, before it is uploaded.
struct FaceTexture {
    std::vector<unsigned char> m_Pixels;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool m_bLoaded = false;  // the image was read
};

// The file stems of the faces in texture order (Left, Right, SeaBed, Front),
// taken from the ambient record's face names.
enum { kFaceLeft = 0, kFaceRight = 1, kFaceSeaBed = 2, kFaceFront = 3 };

// Largest power of two not above n (n >= 1); 0 for n < 1.
int FloorPowerOfTwo(int n);

// Reads the BMP file into out (RGB rows, bottom row first, sides the largest
// powers of two not above the image's, nearest-neighbour resampled). False,
// with out not loaded, for a missing, short or unsupported file.
bool ReadFaceImage(const std::string& path, FaceTexture& out);
