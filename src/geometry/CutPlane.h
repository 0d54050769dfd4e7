#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// The one plane through the scene along which the jets are cut: its
// parameters (two angles, a distance, the plane kind and a disk number), the
// frame and transforms derived from them, the mappings between world, plane
// and section-image pixels, the cross-section polygons of all jets and the
// 8-bit section image composed from them. The plane knows nothing of the
// case: it is given the polygons to compose, so everything but drawing works
// without a view and without the document.
#include <cstdint>
#include <memory>
#include <vector>

#include "base/RangeRecord.h"
#include "geometry/ColourTableEntry.h"
#include "image/ImageTypes.h"

class CArchive;
class CPolygon;
class CDib;

// How the plane is placed; the case file stores the number.
enum class CutPlaneKind : std::int32_t {
    Horizontal = 0,
    SideView = 1,
    CrossSection = 2,
    NormalToJet = 3,
    UserSpecified = 4,
};

// How composing a section ended. Every outcome but Empty and Composed leaves
// the plane without a valid section.
enum class SectionOutcome { Empty, Composed, NotNumbers, TooLarge, ImageTooBig, NoMemory };

// What a section is composed from: the cross-section polygons of the jets,
// and the value ranges and colour table that map their values to palette
// indices (without a table a value's level is its palette index).
struct SectionInput {
    std::vector<std::unique_ptr<CPolygon>> m_Polygons;
    CRangeRecord m_Min;
    CRangeRecord m_Max;
    const ColourTable* m_pColourTable = nullptr;
};

class CCutPlane {
public:
    // Largest section image in pixels, and the scales tried in turn.
    static constexpr long long kMaxPixels = 2000000;
    static constexpr double kScaleFine = 20.0;
    static constexpr double kScaleCoarse = 10.0;

    CCutPlane();
    ~CCutPlane();
    CCutPlane(const CCutPlane&) = delete;
    CCutPlane& operator=(const CCutPlane&) = delete;

    // Stores H, V and d truncated to two decimals (toward zero), the disk
    // number and the kind, derives the plane and forgets the probe point.
    // The section is not recomputed: the case does that (CCase::SetCutPlane).
    void SetPlane(double h, double v, double d, int diskNo, CutPlaneKind kind);
    // The same without the truncation: a plane put through a disk keeps its
    // exact angles and distance.
    void SetExactPlane(double h, double v, double d, int diskNo, CutPlaneKind kind);
    void GetPlane(double& h, double& v, double& d, int& diskNo, CutPlaneKind& kind) const;
    // Normal, point, equation, in-plane frame and both transforms from H, V
    // and d.
    void ComputePlane();
    void Serialize(CArchive& ar);
    // Draws the plane outline, its axis arrows, the section outlines and
    // the probe point into the current GL context and loads the plane as
    // clip plane 1 (GL code, in the drawing library).
    void Draw() const;
    // The drawn outline of the present section: its extent, at least 20 m
    // each way, about its centre.
    void SectionOutline(double out[4]) const;

    // Truncation toward zero to two decimals: 12.349 -> 12.34, -0.005 -> 0.
    static double Truncate2(double x);
    // Truncation toward zero to n decimals. A value whose binary form lies
    // just below a whole number of units of the last decimal (2.3 is held
    // as 2.2999...) keeps that number, so 2.3 stays 2.3 and not 2.29.
    static double TruncateDecimals(double x, int decimals);
    // The plane's angles, distance and dilutions as they are shown: cut to three decimals.
    static double Truncate3(double x) { return TruncateDecimals(x, 3); }

    void WorldToPlane(double x, double y, double z, double& px, double& py) const;
    void WorldToPixel(double x, double y, double z, int& column, int& row) const;
    // The same position in image pixels without rounding: pixel (c, r)
    // covers [c, c + 1) x [r, r + 1).
    void WorldToImage(double x, double y, double z, double& column, double& row) const;
    // A polygon's exact area on the plane (shoelace formula over its
    // vertices in plane coordinates, m^2) and its spans along the plane's
    // two axes (m).
    void MeasurePolygon(const CPolygon& poly, double& area, double& hSpan, double& vSpan) const;
    void PlaneToWorld(double px, double py, double& x, double& y, double& z) const;
    void PixelToWorld(int column, int row, double& x, double& y, double& z) const;
    // The world point of a pixel (stored as the probe point) and, while the
    // section is valid, the sum of the values of every polygon that covers
    // the pixel; those polygons keep their own value and are listed.
    float Probe(int column, int row, double& x, double& y, double& z, std::vector<CPolygon*>* hits);

    // Takes the polygons over, scan-converts them and composes the image.
    // recreated (may be null) tells whether the image was made anew.
    SectionOutcome ComposeSection(SectionInput input, bool* recreated = nullptr);
    // The message for an outcome that left no section; empty for the others.
    static const char* OutcomeMessage(SectionOutcome outcome);
    // Palette index of a section value; 255 is background.
    int ColourIndex(double v) const;

    const std::vector<std::unique_ptr<CPolygon>>& Polygons() const { return m_aPolygons; }
    std::vector<std::unique_ptr<CPolygon>>& Polygons() { return m_aPolygons; }
    const CDib* Image() const { return m_pImage.get(); }
    const CPalette* Palette() const { return m_pPalette.get(); }
    int ImageWidth() const { return m_rcImage.Width(); }
    int ImageHeight() const { return m_rcImage.Height(); }
    // Image pixels whose index is not background.
    long long CountCoveredPixels() const;

    double m_dHAngle = 0.0;     // degrees
    double m_dVAngle = 90.0;    // degrees
    double m_dDistance = 20.0;  // metres
    double m_vNormal[3] = {0, 0, 0};
    double m_vPoint[3] = {0, 0, 0};
    double m_vUp[3] = {0, 0, 0};
    double m_dEquation[4] = {0, 0, 0, 0};
    double m_dBox[6] = {0, 0, 0, 0, 0, 0};
    double m_dExtent[4] = {0, 0, 0, 0};
    // The outline of the last section that cut something, drawn while the
    // present one cuts nothing.
    double m_dOutline[4] = {-10.0, 10.0, -10.0, 10.0};
    CRect m_rcImage;
    float m_fProbe[3] = {0, 0, 0};
    float m_fProbeValue = 0.0f;  // summed value at the probe point, as the plane view took it
    double m_dScale = kScaleFine;
    double m_dValueMax = 0.0;
    double m_dValueMin = 100.0;
    bool m_bOverlap = false;
    bool m_bValid = false;
    double m_mWorldToPlane[16];
    double m_mPlaneToWorld[16];
    double m_dMargin = 0.5;
    double m_dLift = 0.1;
    CRangeRecord m_fLevelMin;
    CRangeRecord m_fLevelMax;
    CutPlaneKind m_eKind = CutPlaneKind::Horizontal;
    int m_nDiskNo = 200;

private:
    // Deletes palette and image and allocates a blank one of cx x cy with
    // the section colour table. False (image deleted) when the image cannot
    // be made.
    bool CreateImage(int cx, int cy);
    void ClearImage();
    void ComposePolygon(const CPolygon& poly);

    std::vector<std::unique_ptr<CPolygon>> m_aPolygons;
    // The colour table of the last section (m_bColourTable: it was given one).
    ColourTable m_ColourTable{};
    bool m_bColourTable = false;
    std::unique_ptr<CDib> m_pImage;
    std::unique_ptr<CPalette> m_pPalette;
};
