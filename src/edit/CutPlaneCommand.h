#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// New settings of the cut plane (kind, angles, distance, disk), which the
// case file keeps. The pane applies the plane as it is typed, so the
// command is made after the change with the settings before it; changes
// that follow one another merge into one edit, "Move Cut Plane".
#include <memory>

#include "edit/CaseCommand.h"
#include "geometry/CutPlane.h"

struct CutPlaneSettings {
    double m_dHAngle = 0, m_dVAngle = 0, m_dDistance = 0;
    int m_nDiskNo = 0;
    CutPlaneKind m_eKind = CutPlaneKind::Horizontal;

    static CutPlaneSettings Of(const CCutPlane& plane);
    bool operator==(const CutPlaneSettings& o) const {
        return m_dHAngle == o.m_dHAngle && m_dVAngle == o.m_dVAngle && m_dDistance == o.m_dDistance &&
               m_nDiskNo == o.m_nDiskNo && m_eKind == o.m_eKind;
    }
};

class CCutPlaneCommand : public CCaseCommand {
public:
    bool ChangesModelInput() const override { return false; }
    // The plane was moved from before to where it stands now; null when it
    // stands where it stood.
    static std::unique_ptr<CCutPlaneCommand> Made(CCase& doc, const CutPlaneSettings& before);
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void Apply(bool forward) override;

private:
    CCutPlaneCommand(CCase& doc, const CutPlaneSettings& before, const CutPlaneSettings& after);
    CutPlaneSettings m_before, m_after;
    bool m_bApplied = true;  // the plane already stands as after when the command is pushed
};
