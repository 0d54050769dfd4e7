#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The help window: the program's own pages in a browser with Back, Forward,
// Home (the contents page) and a find field (Ctrl+F; Enter or F3 finds the
// next place, Shift+Enter or Shift+F3 the previous one). Links that leave
// the help folder open in the desktop's browser.
#include <QMainWindow>

class QLineEdit;
class QLabel;
class QAction;
class CHelpBrowser;

class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kContents = "contents.htm";
    static constexpr const char* kTutorial = "tutorial.htm";

    explicit CHelpWindow(const QString& helpFolder = QString(), QWidget* parent = nullptr);

    // Shows the window (raised and active) at a page of the help folder and
    // an optional anchor. False when the page does not exist; the window then
    // shows the contents.
    bool ShowPage(const QString& page, const QString& anchor = QString());
    void ShowContents() { ShowPage(QString::fromLatin1(kContents)); }
    void ShowTutorial() { ShowPage(QString::fromLatin1(kTutorial)); }

    // Finds text from the cursor on. Forward, past the last place on the page,
    // it goes on to the next page of the help folder that holds the text;
    // otherwise it wraps round the page once. False when no page holds it.
    bool FindText(const QString& text, bool bBackward = false);

    CHelpBrowser* Browser() const { return m_pBrowser; }
    QLineEdit* FindField() const { return m_pFind; }

signals:
    // A "plumex:" command link followed inside a help page.
    void commandLink(const QString& address);

private:
    void FindNext() { FindText(CurrentFindText(), false); }
    void FindPrevious() { FindText(CurrentFindText(), true); }
    QString CurrentFindText() const;
    // The name of the next page of the folder (by name, after the shown one,
    // round to the start) whose text holds text; empty when none does.
    QString NextPageHolding(const QString& text) const;
    void UpdateTitle();
    bool eventFilter(QObject* watched, QEvent* event) override;

    CHelpBrowser* m_pBrowser;
    QLineEdit* m_pFind;
    QLabel* m_pFindStatus;
    QAction* m_pBack;
    QAction* m_pForward;
};
