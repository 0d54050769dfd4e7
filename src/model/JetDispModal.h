#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// A jet's display object: the trajectory disks and what the scene builds
// from them. This header holds the data the case model stores; geometry
// and drawing are added by the scene code.
#include <memory>
#include <vector>

#include "model/JetDisk.h"

class CArchive;
struct SceneDrawState;
struct TubeCrossing;

// One vertex of a jet's tube surface.
struct TubeVertex {
    double m_dPos[3] = {0, 0, 0};
    double m_dNormal[3] = {0, 0, 0};  // smooth normal
    double m_dFaceNormal[3] = {0, 0, 0};
    // Value quadruple copied from the disk: mean concentration, half width,
    // thickness, velocity (the order of the range records).
    float m_fValues[4] = {0, 0, 0, 0};
};

// One ring of the tube, made from one disk.
struct TubeRing {
    int m_nDisk = 0;      // index of the disk it was made from
    int m_nVertices = 0;  // = slices
    std::vector<TubeVertex> m_Vertices;
};

class CTubeArrayCache;
class CJetDispModal {
public:
    CJetDispModal();

    // The stored part: disk count, disks, slices, ring interval.
    void Serialize(CArchive& ar);
    void SetPlacement(const double m[16]);

    // --- tube geometry (GL-free) ---
    // The transform of disk d from its own frame (ring in the x-z plane,
    // axis along y) to the scene, placement included.
    void DiskMatrix(const CJetDisk& d, double out[16]) const;
    // Rebuilds m_Rings from the disks: a ring from the first and last disk
    // and from every m_nRingInterval-th disk between, with face and smooth
    // normals; with bClampToSurface no vertex rises above dDepthLimit.
    void BuildTube(double dDepthLimit, bool bClampToSurface);
    // The same tube made on first use: the disks are nudged now, as
    // BuildTube nudges them, and the rings wait until Rings() is asked for
    // (a case opened only to be listed or cut never draws most tubes).
    void ScheduleTube(double dDepthLimit, bool bClampToSurface);
    // The tube's rings, made first when a scheduled tube is still pending.
    const std::vector<TubeRing>& Rings() const;
    // True while a scheduled tube has not been made yet.
    bool IsTubePending() const { return m_bTubePending; }
    // The case's current angle; a pending tube is made first with the angle
    // it was placed with, so that it comes out as an eager build would have.
    void SetDisplayAngle(double angle);
    // The rings BuildTube would make with the given interval, into rings;
    // the display object is left as it is (picking uses interval 1).
    void MakeRings(int interval, double dDepthLimit, bool bClampToSurface, std::vector<TubeRing>& rings) const;
    // Drops the rings and the cross-section point lists.
    void ReleaseTube();
    int GetRingCount() const { return static_cast<int>(Rings().size()); }
    // A number that changes whenever the rings are made again or dropped,
    // unique over all display objects: what is cached from the rings is
    // valid while it stays the same.
    unsigned long long RingGeneration() const {
        Rings();
        return m_nRingGeneration;
    }

    // --- cross-section support (GL-free) ---
    // The points where the tube's edges cross the plane a x + b y + c z + d = 0,
    // each with the ring, slice and edge kind it came from.
    void IntersectTubeWithPlane(double a, double b, double c, double d, std::vector<TubeCrossing>& out) const;
    // The outline of disk nDisk (0 < nDisk < disks) as a closed ring of
    // m_nSlices points; false for any other disk number.
    bool PickedDiskOutline(int nDisk, std::vector<TubeCrossing>& out) const;

    // --- drawing (GL library only) ---
    // The uniform tube; nothing in particle mode.
    void Draw(SceneDrawState state) const;
    int m_nSlices = 32;        // vertices per ring
    int m_nRingInterval = 20;  // a ring every this many disks (at least 20 after loading)
    std::vector<CJetDisk> m_Disks;
    // The tube, rebuilt from the disks; read it through Rings(), which makes
    // a scheduled tube first.
    mutable std::vector<TubeRing> m_Rings;
    std::vector<TubeRing> m_Sections;  // point lists for cross-sections
    double m_Placement[16];            // jet frame to scene, row-major
    int m_nPickedRing = -1;            // picked disk, whose segment is highlighted; -1 none
    double m_dDisplayAngle = 90.0;     // copy of the case's current angle
    // The fast tube's vertex arrays, kept by the drawing code between frames
    // and made again when RingGeneration() changes.
    mutable std::shared_ptr<CTubeArrayCache> m_pTubeArrays;

private:
    // Made from the disks by Rings() with these settings when pending.
    mutable bool m_bTubePending = false;
    mutable unsigned long long m_nRingGeneration = 0;
    void NewRingGeneration() const;
    double m_dPendingDepth = 0.0;
    bool m_bPendingClamp = true;
};
