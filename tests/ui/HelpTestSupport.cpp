#include "HelpTestSupport.h"

#include <QFile>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextFragment>

void WritePage(const QString& folder, const QString& name, const QString& body) {
    QFile f(folder + "/" + name);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    f.write(("<html><head><title>" + name + "</title></head><body>" + body + "</body></html>").toUtf8());
}

QPoint LinkPoint(QTextBrowser& browser, const QString& href) {
    QTextDocument* doc = browser.document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.charFormat().isAnchor() || f.charFormat().anchorHref() != href) continue;
            QTextCursor c(doc);
            c.setPosition(f.position() + std::min(1, f.length() - 1));
            browser.setTextCursor(c);
            browser.ensureCursorVisible();
            const QRect r = browser.cursorRect(c);
            return QPoint(r.center().x() + 2, r.center().y());
        }
    }
    return QPoint();
}

bool ClickLink(QTextBrowser& browser, const QString& href) {
    const QPoint p = LinkPoint(browser, href);
    if (p.isNull()) return false;
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, Qt::NoModifier, p);
    return true;
}

CDesktopRecorder::CDesktopRecorder(const QStringList& schemes) : m_schemes(schemes) {
    for (const QString& s : m_schemes) QDesktopServices::setUrlHandler(s, this, "openUrl");
}

CDesktopRecorder::~CDesktopRecorder() {
    for (const QString& s : m_schemes) QDesktopServices::unsetUrlHandler(s);
}
