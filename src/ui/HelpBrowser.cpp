#include "ui/HelpBrowser.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>

namespace {
const char* const kScheme = "plumex";

// Canonical path when the file exists, else the cleaned absolute path, so
// that "a/../b" and symbolic links cannot lead out of the folder unnoticed.
QString ResolvedPath(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}
}  // namespace

QString CHelpBrowser::DefaultFolder() { return QCoreApplication::applicationDirPath(); }

CHelpBrowser::CHelpBrowser(const QString& helpFolder, QWidget* parent)
    : QTextBrowser(parent), m_strFolder(ResolvedPath(helpFolder)) {
    // Every link goes through FollowLink: the browser itself never navigates.
    setOpenLinks(false);
    setSearchPaths({m_strFolder});
    connect(this, &QTextBrowser::anchorClicked, this, &CHelpBrowser::FollowLink);
}

QUrl CHelpBrowser::PageUrl(const QString& page, const QString& anchor) const {
    QUrl url = QUrl::fromLocalFile(m_strFolder + QLatin1Char('/') + page);
    if (!anchor.isEmpty()) url.setFragment(anchor);
    return url;
}

bool CHelpBrowser::ShowPage(const QString& page, const QString& anchor) {
    const QUrl url = PageUrl(page, anchor);
    if (!QFileInfo(url.toLocalFile()).isFile()) return false;
    setSource(url);
    return true;
}

bool CHelpBrowser::IsInsideFolder(const QUrl& url) const {
    if (!url.isLocalFile()) return false;
    const QString path = ResolvedPath(url.toLocalFile());
    return path.startsWith(m_strFolder + QLatin1Char('/'));
}

void CHelpBrowser::FollowLink(const QUrl& link) {
    QUrl url = link;
    if (url.isRelative()) {
        const QUrl base =
            source().isValid() && !source().isEmpty() ? source() : QUrl::fromLocalFile(m_strFolder + QLatin1Char('/'));
        url = base.resolved(link);
    }
    if (url.scheme() == QLatin1String(kScheme)) {
        if (url.toString() == QLatin1String(kBack)) {
            if (isBackwardAvailable()) backward();
        } else {
            emit commandLink(url.toString());
        }
        return;
    }
    if (IsInsideFolder(url)) {
        if (QFileInfo(url.toLocalFile()).isFile()) setSource(url);
        else emit missingPage(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void CHelpBrowser::SetImagesFitWidth(bool fit) {
    m_bFitImages = fit;
    // The text wraps and the pictures fit: nothing is left to scroll
    // sideways but the pixel a table's border may round to.
    setHorizontalScrollBarPolicy(fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    m_nImageLimit = fit ? FitWidth() : 0;
    if (!source().isEmpty()) reload();
}

int CHelpBrowser::FitWidth() const {
    // The text's width inside the margins, less room for a vertical scroll bar.
    const int margin = static_cast<int>(2 * document()->documentMargin()) + 2;
    return std::max(16, viewport()->width() - margin - verticalScrollBar()->sizeHint().width());
}

QVariant CHelpBrowser::loadResource(int type, const QUrl& name) {
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (!m_bFitImages || type != QTextDocument::ImageResource || m_nImageLimit <= 0) return resource;
    QImage image;
    if (resource.canConvert<QImage>()) image = resource.value<QImage>();
    if (image.isNull()) image.loadFromData(resource.toByteArray());
    if (image.isNull() || image.width() <= m_nImageLimit) return resource;
    return image.scaledToWidth(m_nImageLimit, Qt::SmoothTransformation);
}

void CHelpBrowser::resizeEvent(QResizeEvent* event) {
    QTextBrowser::resizeEvent(event);
    if (!m_bFitImages) return;
    // The pictures are scaled once per page: a new width loads the page again.
    const int limit = FitWidth();
    if (limit == m_nImageLimit) return;
    m_nImageLimit = limit;
    if (!source().isEmpty()) {
        const int at = verticalScrollBar()->value();
        reload();
        verticalScrollBar()->setValue(at);
    }
}
