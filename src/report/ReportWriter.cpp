#include "report/ReportWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>
#include <QUrl>

namespace {
bool IsPdf(const QString& path) { return QFileInfo(path).suffix().compare("pdf", Qt::CaseInsensitive) == 0; }

// The HTML with every picture written into it as a data address.
QByteArray SelfContainedHtml(const ReportDocument& report) {
    QString html = report.m_strHtml;
    for (const auto& [name, image] : report.m_Images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        html.replace("src=\"" + name + "\"",
                     "src=\"data:image/png;base64," + QString::fromLatin1(png.toBase64()) + "\"");
    }
    return html.toUtf8();
}

bool WritePdf(const ReportDocument& report, QSaveFile& file, ReportPaper paper) {
    QTextDocument doc;
    // Without shaping no ligature glyphs are used, so the text read back
    // from the PDF (searching, copying a jet's name) is the text written.
    QFont font("DejaVu Sans", 9);
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(font);
    for (const auto& [name, image] : report.m_Images) doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    doc.setHtml(report.m_strHtml);
    QPdfWriter writer(&file);
    writer.setCreator("Plumex");
    writer.setTitle(doc.metaInformation(QTextDocument::DocumentTitle));
    writer.setResolution(300);
    writer.setPageLayout(QPageLayout(QPageSize(paper == ReportPaper::Letter ? QPageSize::Letter : QPageSize::A4),
                                     QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    // Without a page size of its own the document takes the writer's pages
    // with a margin of 2 cm, breaks tables between rows, repeats their
    // heading rows and numbers the pages.
    doc.print(&writer);
    return true;
}
}  // namespace

bool IsReportFileName(const QString& path) {
    const QString s = QFileInfo(path).suffix().toLower();
    return s == "pdf" || s == "html" || s == "htm";
}

bool WriteReport(const ReportDocument& report, const QString& path, ReportPaper paper, QString& error) {
    if (!IsReportFileName(path)) {
        error = "the report file must end in .pdf, .html or .htm";
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    if (IsPdf(path)) WritePdf(report, file, paper);
    else file.write(SelfContainedHtml(report));
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
