#include "report/ReportWriter.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>

#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"

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

bool WritePdf(const ReportDocument& report, QIODevice& file, ReportPaper paper) {
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
    // Made in memory, then written by the program's one file writer: a
    // device, a FIFO or a write-protected file is refused, and a full disk
    // is named as such.
    QByteArray bytes;
    if (IsPdf(path)) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        WritePdf(report, buffer, paper);
    } else {
        bytes = SelfContainedHtml(report);
    }
    std::string reason;
    if (!WriteFileSafely(SystemPath(path), bytes.constData(), std::size_t(bytes.size()), reason)) {
        error = QString::fromStdString(reason);
        return false;
    }
    return true;
}
