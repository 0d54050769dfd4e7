#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// The report of a computed case, as an engineer hands it in: numbered
// sections with the inputs (ambient profile table and plots, structure,
// every port), every jet's key parameters and results (a jet the model
// rejected is reported as rejected), the plots of every outfall, the
// cross-section statistics of the cut plane, the mixing zone and far field
// (report/ComplianceSection.h), the 3-D picture, the program
// and jet-model versions and the date. Every value carries its unit;
// numbers are written with a decimal point whatever the locale.
#include <QDateTime>
#include <QImage>
#include <QString>
#include <utility>
#include <vector>

class CCase;

struct ReportOptions {
    QString m_strCaseName;  // the case file as the report names it
    QString m_strProgramVersion;
    QString m_strModelVersion;  // empty when the model program did not tell
    QDateTime m_Date;
    QImage m_Scene;          // the 3-D picture; null when there is none
    QString m_strSceneNote;  // said instead of a missing 3-D picture
};

// The report as HTML whose pictures are referred to by name; the pictures
// are listed with their names.
struct ReportDocument {
    QString m_strHtml;
    std::vector<std::pair<QString, QImage>> m_Images;
};

// Reads the document only. The cut plane's section must be computed before
// when its statistics are wanted (the plane must be valid and cut a jet).
ReportDocument BuildCaseReport(const CCase& doc, const ReportOptions& options);
