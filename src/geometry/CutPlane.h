#pragma once
// The one plane through the scene along which the jets are cut: its
// parameters (two angles, a distance, the plane kind and a disk number).
class CArchive;
class CPlumexDoc;

class CCutPlane {
public:
    enum Kind { kHorizontal = 0, kSideView = 1, kCrossSection = 2, kNormalToJet = 3, kUserSpecified = 4 };

    // Stores H, V and d truncated to two decimals (toward zero), the disk
    // number and the kind.
    void SetPlane(double h, double v, double d, int diskNo, int kind, bool recompute);
    void GetPlane(double& h, double& v, double& d, int& diskNo, int& kind) const;
    void Serialize(CArchive& ar);

    // Truncation toward zero to two decimals: 12.349 -> 12.34, -0.005 -> 0.
    static double Truncate2(double x);

    double m_dHAngle = 0.0;    // degrees
    double m_dVAngle = 90.0;   // degrees
    double m_dDistance = 20.0; // metres
    int m_nKind = 0;
    int m_nDiskNo = 200;
    CPlumexDoc* m_pDoc = nullptr;  // the case the plane cuts; not owned
};
