#include "model/LoadedCaseCheck.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "base/Archive.h"
#include "model/Case.h"

namespace {
// Angles in degrees: the input forms take -360 to 360.
constexpr double kMaxAngle = 360.0;
// Lengths, positions and values: far beyond any outfall, small enough that
// scene and section arithmetic cannot overflow.
constexpr double kMaxMagnitude = 1e6;
// The cut plane's own angles are kept as shown + 90 degrees.
constexpr double kMaxPlaneAngle = 720.0;

std::string Number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

class CChecker {
public:
    explicit CChecker(std::string item) : m_strItem(std::move(item)) {}
    // Disk `disk` (from 1) of the item `where`: the name is made only when
    // the disk is refused, as a case holds many thousand disks.
    CChecker(const std::string& where, std::size_t disk) : m_pWhere(&where), m_nDisk(disk) {}

    // Finite, and lower <= v <= upper.
    const CChecker& Value(const char* what, double v, double lower, double upper) const {
        if (!std::isfinite(v)) Refuse(std::string("the ") + what + " is not a number");
        if (v < lower || v > upper) Refuse(std::string("the ") + what + " " + Number(v) + " is out of range");
        return *this;
    }
    const CChecker& Magnitude(const char* what, double v) const {
        return Value(what, v, -kMaxMagnitude, kMaxMagnitude);
    }
    const CChecker& NotNegative(const char* what, double v) const { return Value(what, v, 0.0, kMaxMagnitude); }
    const CChecker& Angle(const char* what, double v) const { return Value(what, v, -kMaxAngle, kMaxAngle); }
    const CChecker& Finite(const char* what, double v) const {
        if (!std::isfinite(v)) Refuse(std::string("the ") + what + " is not a number");
        return *this;
    }

    [[noreturn]] void Refuse(const std::string& why) const { throw CArchiveException(Item() + ": " + why); }

private:
    std::string Item() const { return m_pWhere ? "disk " + std::to_string(m_nDisk) + " of " + *m_pWhere : m_strItem; }

    std::string m_strItem;
    const std::string* m_pWhere = nullptr;
    std::size_t m_nDisk = 0;
};

std::string Quoted(const char* kind, const std::string& name) { return std::string(kind) + " \"" + name + "\""; }

void CheckMaterial(const CChecker& c, const CMaterialProperty& m) {
    for (int i = 0; i < 4; ++i) {
        c.Finite("material's ambient colour", m.m_fAmbient[i]);
        c.Finite("material's diffuse colour", m.m_fDiffuse[i]);
        c.Finite("material's specular colour", m.m_fSpecular[i]);
    }
    c.Finite("material's shininess", m.m_fShininess);
}

void CheckRanges(const CChecker& c, const CRangeRecord& lo, const CRangeRecord& hi) {
    for (int i = 0; i < 4; ++i) {
        c.Finite("range minimum", lo.Get(i));
        c.Finite("range maximum", hi.Get(i));
    }
}

void CheckDisk(const CChecker& c, const CJetDisk& d) {
    c.NotNegative("radius", d.m_dRadius).Magnitude("centre x", d.m_dX).Magnitude("centre y", d.m_dY);
    c.Magnitude("centre z", d.m_dZ).NotNegative("thickness", d.m_dThickness);
    c.Finite("mean concentration", d.m_dMeanConc).Finite("maximum concentration", d.m_dMaxConc);
    c.Finite("dilution", d.m_dDilution).Finite("velocity", d.m_dVelocity).Finite("unnamed value", d.m_dUnnamed);
    c.Magnitude("vertical angle", d.m_dVAngle).Magnitude("horizontal angle", d.m_dHAngle);
}

void CheckJet(const std::string& where, const CJet& j) {
    const CChecker c(where);
    c.NotNegative("ambient current speed", j.m_dCurrent).NotNegative("diameter", j.m_dDiameter);
    c.NotNegative("flow", j.m_dFlow).Magnitude("port height", j.m_dPortHeight);
    c.Angle("horizontal angle", j.m_dHAngle).Angle("vertical angle", j.m_dVAngle);
    c.Magnitude("salinity or density", j.m_dSalinity).Magnitude("temperature", j.m_dTemperature);
    CheckMaterial(c, j.m_MaterialA);
    CheckMaterial(c, j.m_MaterialB);
    CheckRanges(c, j.m_RangeMin, j.m_RangeMax);
    const auto& disks = j.m_pDisplay->m_Disks;
    for (std::size_t i = 0; i < disks.size(); ++i) CheckDisk(CChecker(where, i + 1), disks[i]);
}
}  // namespace

void CheckLoadedCase(const CCase& doc) {
    const CChecker caseItem("the case");
    caseItem.Angle("current angle", doc.CurrentAngle());
    CheckRanges(caseItem, doc.m_RangeMin, doc.m_RangeMax);

    const CCutPlane& plane = doc.m_CutPlane;
    const CChecker cut("the cut plane");
    cut.Value("horizontal angle", plane.m_dHAngle, -kMaxPlaneAngle, kMaxPlaneAngle);
    cut.Value("vertical angle", plane.m_dVAngle, -kMaxPlaneAngle, kMaxPlaneAngle);
    cut.Magnitude("distance", plane.m_dDistance);
    cut.Value("kind", static_cast<int>(plane.m_eKind), static_cast<int>(CutPlaneKind::Horizontal),
              static_cast<int>(CutPlaneKind::UserSpecified));

    if (doc.Ambient()) {
        const CAmbient& a = *doc.Ambient();
        CChecker("the ambient water").Magnitude("water depth", a.m_dWaterDepth).Finite("box value", a.m_dBoxValue);
        const auto& rows = a.Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const CChecker row("ambient profile row " + std::to_string(i + 1));
            row.Magnitude("depth", rows[i].m_dDepth).Magnitude("density or salinity", rows[i].m_dValue);
            row.Magnitude("temperature", rows[i].m_dTemperature).Magnitude("current speed", rows[i].m_dCurrent);
        }
    }

    for (const auto& o : doc.Outfalls()) {
        const std::string outfall = Quoted("outfall", o->m_strName);
        const CChecker oc(outfall);
        oc.Magnitude("depth", o->m_dDepth).NotNegative("width", o->m_dWidth).NotNegative("length", o->m_dLength);
        oc.Magnitude("position", o->m_dPosition[0]).NotNegative("jet spacing", o->m_dJetSpacing);
        CheckMaterial(oc, o->m_Material);
        CheckRanges(oc, o->m_RangeMin, o->m_RangeMax);
        for (const auto& r : o->m_Risers) {
            const std::string riser = Quoted("riser", r->m_strName) + " of " + outfall;
            const CChecker rc(riser);
            rc.Magnitude("distance", r->m_dDistance).NotNegative("top radius", r->m_dTopRadius);
            rc.NotNegative("bottom radius", r->m_dBottomRadius).Magnitude("height", r->m_dHeight);
            CheckMaterial(rc, r->m_Material);
            CheckRanges(rc, r->m_RangeMin, r->m_RangeMax);
            for (const auto& j : r->m_Jets) CheckJet(Quoted("jet", j->m_strName) + " of " + riser, *j);
        }
    }
}
