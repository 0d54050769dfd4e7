#pragma once
#ifndef PLUMEX_LAYER_GEOMETRY
#error "a header of plumex_geometry, included by a library that does not link it"
#endif
// What the cut plane needs from the case it cuts: the jets' cross-section
// polygons, the value ranges and colour table that map section values to
// palette indices, the section statistics and the disk marks it keeps up to
// date, and the prompt for its messages. The case implements it; the plane
// knows nothing else of the case.
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/ColourTableEntry.h"

class CPrompt;
class CPolygon;
class CRangeRecord;
enum class CutPlaneKind : std::int32_t;

class CCutPlaneCase {
public:
    virtual CPrompt& Prompt() const = 0;
    virtual const ColourTable& SectionColourTable() const = 0;
    virtual void GetValueRanges(CRangeRecord& min, CRangeRecord& max) const = 0;
    // Deletes the polygons and appends the cross-section polygons of every
    // jet cut by the plane a x + b y + c z + e = 0.
    virtual void CutAllJets(const double equation[4], std::vector<std::unique_ptr<CPolygon>>& polygons) const = 0;
    virtual void ComputeSectionStatistics() = 0;
    virtual void ClearSectionStatistics() = 0;
    virtual void ClearSectionMarks() = 0;
    // Puts the plane through disk diskNo of the current jet; false without one.
    virtual bool PlaceCutPlaneAtDisk(int& diskNo, CutPlaneKind kind, double& h, double& v, double& d) = 0;

protected:
    ~CCutPlaneCase() = default;
};
