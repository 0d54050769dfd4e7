#pragma once
#ifndef PLUMEX_LAYER_RESULTS_UI
#error "a header of plumex_results_ui, included by a library that does not link it"
#endif
// "File -> Export report...": asks for a PDF or HTML file name and writes
// the report of the case as it stands (its last run's results and stop
// reasons, its cut plane's section), with the picture of the 3-D view.
#include <QImage>
#include <QString>

class CPlumexDoc;
class QWidget;

// Writes the report to path (kind by extension); false with a message in
// error when it cannot be written.
bool WriteCaseReportFile(CPlumexDoc& doc, const QString& caseName, const QImage& scene, const QString& path,
                         bool letter, QString& error);
// Asks for the file (PDF by default) and writes it; failures are shown in a
// message box. False when nothing was written; else written (when given)
// receives the file's path.
bool ExportCaseReport(QWidget* parent, CPlumexDoc& doc, const QString& caseName, const QImage& scene,
                      QString* written = nullptr);
