#include "model/LoadedCaseCheck.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "base/Archive.h"
#include "model/Case.h"
#include "model/CaseLimits.h"

namespace {
using CaseLimits::kMaxAngle;
using CaseLimits::kMaxMagnitude;
using CaseLimits::kMaxPlaneAngle;

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
    const CChecker& Angle(const char* what, double v) const { return Value(what, v, -kMaxAngle, kMaxAngle); }
    const CChecker& Finite(const char* what, double v) const {
        if (!std::isfinite(v)) Refuse(std::string("the ") + what + " is not a number");
        return *this;
    }

    // The first value of a record outside the case's table of limits.
    const CChecker& Limits(const std::vector<LimitFailure>& failures) const {
        if (!failures.empty()) Refuse(failures.front().Message());
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

void CheckJet(const std::string& where, const CJet& j) {
    const CChecker c(where);
    c.Limits(JetLimitFailures(j.GetData()));
    CheckMaterial(c, j.m_MaterialA);
    CheckMaterial(c, j.m_MaterialB);
    CheckRanges(c, j.m_RangeMin, j.m_RangeMax);
    const auto& disks = j.m_pDisplay->m_Disks;
    for (std::size_t i = 0; i < disks.size(); ++i) CChecker(where, i + 1).Limits(DiskLimitFailures(disks[i]));
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
        oc.Limits(OutfallLimitFailures(o->GetData()));
        CheckMaterial(oc, o->m_Material);
        CheckRanges(oc, o->m_RangeMin, o->m_RangeMax);
        for (const auto& r : o->m_Risers) {
            const std::string riser = Quoted("riser", r->m_strName) + " of " + outfall;
            const CChecker rc(riser);
            rc.Limits(RiserLimitFailures(r->GetData()));
            CheckMaterial(rc, r->m_Material);
            CheckRanges(rc, r->m_RangeMin, r->m_RangeMax);
            for (const auto& j : r->m_Jets) CheckJet(Quoted("jet", j->m_strName) + " of " + riser, *j);
        }
    }
}

std::string LoadedCaseProblem(const CCase& doc) {
    try {
        CheckLoadedCase(doc);
    } catch (const CArchiveException& e) {
        return e.what();
    }
    return std::string();
}
