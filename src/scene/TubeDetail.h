#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// How many of a ring's vertices the fast tube uses: a ring far from the eye
// is drawn with every second, fourth... vertex, as long as the polygon
// stays within half a device pixel of the full ring. GL-free: the matrices
// are handed in as GL keeps them (column-major).
#include <vector>

struct TubeRing;

// Where the drawn tube lands on the screen: projection times model-view,
// the viewport (device pixels), and the planes that bound what is drawn
// (the view volume's six and the clip planes on), each a x + b y + c z + d
// >= 0 inside with (a, b, c) of unit length, in the tube's coordinates.
struct TubeProjection {
    double m_dMatrix[16];  // column-major, as glGetDoublev gives it
    double m_dViewport[4];
    double m_dPlanes[12][4];
    int m_nPlanes;
};
// proj * modelview, both column-major, with the view volume's planes.
TubeProjection MakeTubeProjection(const double projection[16], const double modelview[16], const int viewport[4]);
// Adds a clip plane given as GL keeps it (eye coordinates).
void AddTubeClipPlane(TubeProjection& p, const double eyePlane[4], const double modelview[16]);
// True when the ball lies wholly outside one of the planes, so nothing of
// it can be drawn.
bool BallOutside(const TubeProjection& p, const double centre[3], double radius);

// The mean of the ring's vertices and the largest distance of a vertex from it.
void RingBounds(const TubeRing& ring, double centre[3], double& radius);

// The smallest n among vertices, vertices/2, vertices/4... (n >= 4, n divides
// vertices) whose polygon differs from the circle of the given radius by at
// most half a pixel once projected at the centre; all vertices for a centre
// at or behind the near plane.
int RingDetail(const TubeProjection& p, const double centre[3], double radius, int vertices);

// One corner of a face of the tube between two rings: the ring it lies on
// (false: the segment's first ring, true: its second) and its slice.
struct SegmentCorner {
    bool m_bTo;
    int m_nSlice;
};

// The triangles joining a ring drawn with nFrom vertices to one drawn with
// nTo (nFrom != nTo, both dividing slices): each edge of the coarser ring
// fans to the vertices of the finer ring it spans, so that the two rings'
// polygons are the segment's borders and nothing is left open. The corners
// go out three by three, turning the way the segment's quads turn.
void StitchTriangles(int slices, int nFrom, int nTo, std::vector<SegmentCorner>& out);

// The segments of the fast tube between rings 0..count-1: one every stride
// rings, and around the picked ring (when highlighted) the segment that holds
// it on its own, flagged.
struct TubeSegment {
    int m_nFrom;
    int m_nTo;
    bool m_bHighlighted;
};
void FastTubeSegments(int count, int stride, int picked, bool highlight, std::vector<TubeSegment>& out);
