#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// plumex --section CASE.pmx --kind K (--distance D | --disk N)
//        [--hangle H --vangle V] [--image OUT.bmp]
// Places the cut plane as the data pane would, computes the cross-section of
// the computed case and prints its areas, spans, composite mean and (for the
// cross-section view) the composite dilution.
#include <cstdio>
#include <string>

#include "geometry/CutPlane.h"

class QCommandLineParser;
class CPrompt;

struct SectionRequest {
    std::string m_strCase;
    CutPlaneKind m_eKind = CutPlaneKind::Horizontal;
    bool m_bDistance = false;
    double m_dDistance = 0.0;  // as the data pane shows it (kind 0: above the reference level)
    bool m_bDisk = false;
    int m_nDisk = 0;
    double m_dHAngle = 0.0;  // shown "H.Angle" (H - 90)
    double m_dVAngle = 0.0;  // shown "V.Angle"
    std::string m_strImage;  // BMP file for the section image, or empty
};

// Adds the options of the job to the parser.
void AddSectionOptions(QCommandLineParser& parser);
bool SectionRequested(const QCommandLineParser& parser);
// Reads the options; false with a message on standard error when they are wrong.
bool ReadSectionRequest(const QCommandLineParser& parser, SectionRequest& req);
// Runs the job: 0 on success, 1 when the case or the section fails.
int RunSection(const SectionRequest& req, CPrompt& prompt, std::FILE* out);
// The job as the command line runs it (exit code 2 for wrong options).
int RunSectionCommand(const QCommandLineParser& parser);
