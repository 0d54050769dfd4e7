#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// A QTextBrowser for the program's own HTML pages. It decides itself where
// every link goes:
//  - an address of the "plumex:" scheme is a command of the program, never a
//    page: it is reported by commandLink() and the browser stays where it is
//    ("plumex:back" goes back one page here and is not reported);
//  - a page inside the help folder is shown here, if it exists (a missing page
//    is reported by missingPage() and the browser stays on the page it shows);
//  - anything else (web addresses, mail, files outside the help folder) is
//    handed to the desktop's own program through QDesktopServices.
#include <QTextBrowser>
#include <QUrl>

class CHelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    // Reserved link addresses: commands of the program, not pages.
    static constexpr const char* kNewCase = "plumex:new";
    static constexpr const char* kOpenCase = "plumex:open";
    static constexpr const char* kTutorial = "plumex:tutorial";
    static constexpr const char* kHelp = "plumex:help";
    static constexpr const char* kBack = "plumex:back";

    // Where the pages live at run time: beside the program.
    static QString DefaultFolder();

    explicit CHelpBrowser(const QString& helpFolder, QWidget* parent = nullptr);

    const QString& HelpFolder() const { return m_strFolder; }
    // The file URL of a page of the help folder ("tutorial.htm"), with an
    // optional anchor.
    QUrl PageUrl(const QString& page, const QString& anchor = QString()) const;
    // Shows a page of the help folder; false (and nothing changes) when the
    // page does not exist there.
    bool ShowPage(const QString& page, const QString& anchor = QString());
    // True when url names a file inside the help folder.
    bool IsInsideFolder(const QUrl& url) const;

    // Follows a link as a click on it would.
    void FollowLink(const QUrl& url);

    // Pictures wider than the text are shown scaled down to its width, so
    // that a narrow browser never scrolls sideways (off by default).
    void SetImagesFitWidth(bool fit);
    // The widest a picture is shown now (0: any width).
    int ImageWidthLimit() const { return m_nImageLimit; }

signals:
    void commandLink(const QString& address);
    void missingPage(const QUrl& url);

protected:
    QVariant loadResource(int type, const QUrl& name) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int FitWidth() const;

    QString m_strFolder;  // absolute, canonical path of the help folder
    bool m_bFitImages = false;
    int m_nImageLimit = 0;
};
