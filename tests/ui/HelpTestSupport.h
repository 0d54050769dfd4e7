#pragma once
// Helpers of the start page and help window tests: a folder of small pages
// written by the test, and clicks on links with real mouse events.
#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

class QTextBrowser;

// Writes name into folder with the given HTML body.
void WritePage(const QString& folder, const QString& name, const QString& body);

// The point in the browser's viewport over the first link to href; the
// browser is scrolled so that it is visible. A null point when the shown
// page has no such link.
QPoint LinkPoint(QTextBrowser& browser, const QString& href);
// Clicks the first link to href with the left mouse button; false when the
// page has no such link.
bool ClickLink(QTextBrowser& browser, const QString& href);

// Stands in for the desktop's browser: records every address that the
// program hands to QDesktopServices for the given schemes, for its lifetime.
class CDesktopRecorder : public QObject {
    Q_OBJECT
public:
    explicit CDesktopRecorder(const QStringList& schemes);
    ~CDesktopRecorder() override;
    QList<QUrl> m_urls;
public slots:
    void openUrl(const QUrl& url) { m_urls.append(url); }

private:
    QStringList m_schemes;
};
