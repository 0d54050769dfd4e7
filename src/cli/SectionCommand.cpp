#include "cli/SectionCommand.h"

#include <QCommandLineParser>
#include <cmath>
#include <cstring>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "base/SystemPath.h"
#include "cli/ConsolePrompt.h"
#include "cli/SaveImage.h"
#include "cli/StandardOutput.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "image/Dib.h"
#include "image/GlobalBlock.h"

namespace {
const char* const kTooFar =
    "The distance of cutplane is too large, it should be smaller than 25 times of the ambient depth";

bool WriteImage(const CCutPlane& plane, const std::string& path, CPrompt& prompt) {
    const CDib* dib = plane.Image();
    if (!plane.m_bValid || !dib || dib->IsEmpty() || plane.Polygons().empty()) {
        prompt.Inform("No cross-section image to write: the plane cuts no jet.");
        return false;
    }
    HDIB h = GlobalAllocBlock(dib->BlockSize());
    if (!h) {
        prompt.Inform("Sorry, memory is not enough!");
        return false;
    }
    std::memcpy(GlobalLockBlock(h), dib->Header(), dib->BlockSize());
    GlobalUnlockBlock(h);
    std::string reason;
    const bool ok = SaveDibFile(h, path, reason);
    GlobalFreeBlock(h);
    if (!ok) prompt.Inform("Cannot write the section image " + path + ": " + reason + ".");
    return ok;
}
}  // namespace

void AddSectionOptions(QCommandLineParser& parser) {
    parser.addOption({"section", "Compute the cross-section of the computed case CASE.", "CASE"});
    parser.addOption({"kind",
                      "Cut plane kind for --section: 0 horizontal, 1 side view, "
                      "2 cross-section view, 3 normal to the current jet, 4 user specified.",
                      "K"});
    parser.addOption({"distance", "Distance of the plane for --section (kinds 0, 1, 2, 4).", "D"});
    parser.addOption({"disk", "Disk number of the current jet for --section --kind 3.", "N"});
    parser.addOption({"hangle", "Shown H.Angle for --section (kinds 0 and 4).", "H"});
    parser.addOption({"vangle", "Shown V.Angle for --section (kind 4).", "V"});
    parser.addOption({"image", "Write the section image of --section to this BMP file.", "OUT.bmp"});
}

bool SectionRequested(const QCommandLineParser& parser) { return parser.isSet("section"); }

bool ReadSectionRequest(const QCommandLineParser& parser, SectionRequest& req) {
    auto number = [&](const char* name, double& v) {
        bool ok = false;
        v = parser.value(name).toDouble(&ok);
        if (!ok || !std::isfinite(v)) std::fprintf(stderr, "plumex: --%s needs a number\n", name);
        return ok && std::isfinite(v);
    };
    req.m_strCase = SystemPath(parser.value("section"));
    bool ok = false;
    const int kind = parser.value("kind").toInt(&ok);
    if (!parser.isSet("kind") || !ok || kind < 0 || kind > 4) {
        std::fprintf(stderr, "plumex: --section needs --kind 0..4\n");
        return false;
    }
    req.m_eKind = static_cast<CutPlaneKind>(kind);
    req.m_bDistance = parser.isSet("distance");
    req.m_bDisk = parser.isSet("disk");
    if (req.m_bDistance && !number("distance", req.m_dDistance)) return false;
    if (req.m_bDisk) {
        req.m_nDisk = parser.value("disk").toInt(&ok);
        if (!ok) {
            std::fprintf(stderr, "plumex: --disk needs a whole number\n");
            return false;
        }
    }
    const bool atDisk = req.m_eKind == CutPlaneKind::NormalToJet;
    if (atDisk ? !req.m_bDisk : !req.m_bDistance) {
        std::fprintf(stderr, "plumex: --kind %d needs %s\n", kind, atDisk ? "--disk N" : "--distance D");
        return false;
    }
    if (parser.isSet("hangle") && !number("hangle", req.m_dHAngle)) return false;
    if (parser.isSet("vangle") && !number("vangle", req.m_dVAngle)) return false;
    req.m_strImage = SystemPath(parser.value("image"));
    return true;
}

int RunSection(const SectionRequest& req, CPrompt& prompt, std::FILE* out) {
    CAppState app;
    CPlumexDoc doc(app, prompt);
    if (!doc.OpenCase(req.m_strCase)) return 1;
    CCutPlane& plane = doc.m_CutPlane;

    // The plane as the data pane places it.
    const double theta = doc.CurrentAngle();
    const CutPlaneKind kind = req.m_eKind;
    double h = req.m_dHAngle + 90.0, v = req.m_dVAngle, d = req.m_dDistance;
    if (kind != CutPlaneKind::NormalToJet) {
        const double depth = doc.Ambient() ? doc.Ambient()->GetLastRow().m_dDepth : 0.0;
        if (std::fabs(req.m_dDistance) > 25.0 * depth) {
            prompt.Inform(kTooFar);
            return 1;
        }
    }
    switch (kind) {
    case CutPlaneKind::Horizontal:
        v = 90.0;
        d = req.m_dDistance - doc.CutPlaneReferenceLevel();
        break;
    case CutPlaneKind::SideView:
        h = (180.0 - theta) + 90.0;
        v = 0.0;
        break;
    case CutPlaneKind::CrossSection:
        h = (90.0 - theta) + 90.0;
        v = 0.0;
        break;
    case CutPlaneKind::NormalToJet: {
        int disk = req.m_nDisk;
        if (!doc.PlaceCutPlaneAtDisk(disk, kind, h, v, d)) {
            prompt.Inform("There is no jet with computed disks to place the plane at.");
            return 1;
        }
        break;
    }
    default:
        break;
    }
    doc.SetCutPlane(h, v, d, req.m_bDisk ? req.m_nDisk : plane.m_nDiskNo, kind, true);
    if (!plane.m_bValid && !plane.Polygons().empty()) return 1;

    const CSectionStats& st = doc.m_SectionStats;
    double shownDistance = plane.m_dDistance;
    if (kind == CutPlaneKind::Horizontal) shownDistance += doc.CutPlaneReferenceLevel();
    std::fprintf(out, "Plane kind: %d\n", static_cast<int>(kind));
    std::fprintf(out, "H.Angle(deg): %.3f\n", CCutPlane::Truncate3(plane.m_dHAngle) - 90.0);
    std::fprintf(out, "V.Angle(deg): %.3f\n", CCutPlane::Truncate3(plane.m_dVAngle));
    if (kind == CutPlaneKind::NormalToJet) std::fprintf(out, "Disk No: %d\n", plane.m_nDiskNo);
    else std::fprintf(out, "Distance(m): %.3f\n", CCutPlane::Truncate3(shownDistance));
    std::fprintf(out, "Scale(pixels/m): %.1f\n", plane.m_dScale);
    std::fprintf(out, "Polygons: %d\n", st.m_nPolygons);
    std::fprintf(out, "Total Area(m^2): %.4f\n", st.m_dTotalArea);
    std::fprintf(out, "Sum of Area(m^2): %.4f\n", st.m_dSumOfArea);
    doc.ForEachJet([&](int, int, int, const CRiser& o, const CBase& r, const CJet& j) {
        std::fprintf(out, "Jet %s/%s/%s: Area(m^2) %.4f, Horizontal Span(m) %.4f, Vertical Span(m) %.4f\n",
                     TerminalText(o.m_strName).c_str(), TerminalText(r.m_strName).c_str(),
                     TerminalText(j.m_strName).c_str(), j.m_Section.m_dArea, j.m_Section.m_dHSpan,
                     j.m_Section.m_dVSpan);
    });
    std::fprintf(out, "Selected Jet Area: %.4f\n", st.m_Selected.m_dArea);
    std::fprintf(out, "Composite mean: %.6g\n", st.m_dCompositeMean);
    if (kind == CutPlaneKind::CrossSection && st.m_nPolygons == 0)
        std::fprintf(out, "Composite dilution(merged jets): none, the plane cuts no jet\n");
    else if (kind == CutPlaneKind::CrossSection)
        std::fprintf(out, "Composite dilution(merged jets): %.3f\n", CCutPlane::Truncate3(st.m_dDilution));
    if (!req.m_strImage.empty() && !WriteImage(plane, req.m_strImage, prompt)) return 1;
    return 0;
}

int RunSectionCommand(const QCommandLineParser& parser) {
    SectionRequest req;
    if (!ReadSectionRequest(parser, req)) return 2;
    CConsolePrompt prompt;
    return RunSection(req, prompt, stdout);
}
