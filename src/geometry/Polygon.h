#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// One closed cross-section polygon of a jet on the cut plane: its world
// vertices with their values, their positions in section-image pixels, and
// the grid of values the polygon covers after scan conversion.
#include <cstdint>
#include <string>
#include <vector>

#include "image/ImageTypes.h"

// A world vertex of a section polygon; the tag is the producer's own.
struct SectionVertex {
    double m_dX = 0.0;
    double m_dY = 0.0;
    double m_dZ = 0.0;
    float m_fValue = 0.0f;
    int m_nTag = 0;
};

// A vertex position in image pixels (column, row), not rounded: pixel
// (c, r) covers [c, c + 1) x [r, r + 1) and is sampled at its centre.
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

class CPolygon {
public:
    static constexpr double kBoxMin = 10000.0;
    static constexpr double kBoxMax = -10000.0;

    CPolygon();
    ~CPolygon();
    CPolygon(const CPolygon&) = delete;
    CPolygon& operator=(const CPolygon&) = delete;

    // Appends a vertex and widens the world box.
    void AddVertex(const SectionVertex& v);
    // Widens the world box only.
    void GrowBox(double x, double y, double z);

    // Allocates a zeroed grid for the current pixel box: (W + 5) x (H + 5)
    // floats, row stride W + 1. False when the memory cannot be had (the
    // polygon then has no grid).
    bool AllocateGrid();
    void FreeGrid();
    int GridStride() const { return m_rcPixel.Width() + 1; }
    float* Values() { return m_pValues; }
    const float* Values() const { return m_pValues; }

    // Scan-converts the polygon (its pixel positions relative to m_rcPixel)
    // into the grid: every cell whose centre lies inside receives the value
    // interpolated along its row between the two bounding edges, so the
    // count of cells estimates the area without bias. Sets m_dMax, m_dMin
    // and m_nCells. Writes only rows 0 .. H - 1 and columns 0 .. W - 1 of
    // the pixel box, whatever the pixel positions are.
    void Fill(float* grid, int stride);

    CRect m_rcPixel;
    double m_dBox[6];  // xmin, xmax, ymin, ymax, zmin, zmax
    std::vector<PixelPoint> m_aPixels;
    std::vector<SectionVertex> m_aVertices;
    std::string m_strOutfall;
    std::string m_strRiser;
    std::string m_strJet;
    // The jet the polygon belongs to (CJet::Id); its names are for showing
    // only, as two jets may bear the same names.
    std::uint64_t m_nJetId = 0;
    float m_fProbeValue = 0.0f;
    double m_dMax = 0.0;
    double m_dMin = 100.0;
    double m_dMean = 0.0;
    long long m_nCells = 0;  // cells the last Fill covered

private:
    float* m_pValues = nullptr;  // malloc'ed value grid
};
