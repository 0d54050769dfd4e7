#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// Writes a built report as a PDF (laid out on A4 or US Letter pages with
// page numbers; tables break between rows and repeat their heading row) or
// as one self-contained HTML file with its pictures inside. The kind
// follows the file's extension: .pdf, .html or .htm.
#include <QString>

#include "report/CaseReport.h"

enum class ReportPaper { A4, Letter };

// True for the extensions WriteReport understands.
bool IsReportFileName(const QString& path);
// Needs a QGuiApplication (any platform, offscreen too) for the PDF.
// False with a message in error when the file cannot be written; a file
// that was there before is then left as it was.
bool WriteReport(const ReportDocument& report, const QString& path, ReportPaper paper, QString& error);
