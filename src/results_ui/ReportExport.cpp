#include "results_ui/ReportExport.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>

#include "document/PlumexDoc.h"
#include "report/CaseReport.h"
#include "report/ModelVersion.h"
#include "report/ReportWriter.h"

bool WriteCaseReportFile(CPlumexDoc& doc, const QString& caseName, const QImage& scene, const QString& path,
                         bool letter, QString& error) {
    ReportOptions options;
    options.m_strCaseName = caseName.isEmpty() ? QString("unsaved case") : caseName;
    options.m_strProgramVersion = PLUMEX_VERSION;
    options.m_strModelVersion = JetModelVersion();
    options.m_Date = QDateTime::currentDateTime();
    options.m_Scene = scene;
    options.m_strSceneNote = "The 3-D picture is left out: the view gave none.";
    return WriteReport(BuildCaseReport(doc, options), path, letter ? ReportPaper::Letter : ReportPaper::A4, error);
}

bool ExportCaseReport(QWidget* parent, CPlumexDoc& doc, const QString& caseName, const QImage& scene,
                      QString* written) {
    const QString base = caseName.isEmpty() ? QString("report") : QFileInfo(caseName).completeBaseName();
    QString filter;
    const QString path = QFileDialog::getSaveFileName(parent, "Export Report", base + "-report.pdf",
                                                      "PDF report (*.pdf);;HTML report (*.html *.htm)", &filter);
    if (path.isEmpty()) return false;
    if (!IsReportFileName(path)) {
        QMessageBox::warning(parent, "Export Report", "A report is written as .pdf, .html or .htm: " + path);
        return false;
    }
    // US Letter where the user's paper is; A4 everywhere else.
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    QString error;
    if (!WriteCaseReportFile(doc, caseName, scene, path, letter, error)) {
        QMessageBox::warning(parent, "Export Report", QString("The report %1 was not written: %2").arg(path, error));
        return false;
    }
    if (written) *written = path;
    return true;
}
