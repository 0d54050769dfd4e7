#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The start page shown over the empty main window while no case is open:
// the page "Startup.htm" of the help folder, whose links act as commands,
// the "Show on startup" box (key ShowBegin in section PLUMEX of the given
// settings) and "Exit" with its quit confirmation. The page does not run the
// commands itself: it emits a signal for each and the main window does it.
#include <QDialog>

class QCheckBox;
class QPushButton;
class QSettings;
class CHelpBrowser;

class CStartPage : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kPage = "Startup.htm";
    static constexpr const char* kShowKey = "PLUMEX/ShowBegin";

    // helpFolder holds "Startup.htm"; settings (INI, kept by the caller)
    // receives ShowBegin. A new page starts with "Show on startup" checked
    // and writes ShowBegin = 1 at once.
    CStartPage(const QString& helpFolder, QSettings& settings, QWidget* parent = nullptr);

    bool ShowOnStartup() const;
    CHelpBrowser* Browser() const { return m_pBrowser; }
    QCheckBox* ShowOnStartupBox() const { return m_pShowBox; }
    QPushButton* ExitButton() const { return m_pExit; }

signals:
    // "New" and "Open" links hide the page before they are emitted.
    void newCaseRequested();
    void openCaseRequested();
    void tutorialRequested();
    void helpRequested();
    // "Exit" confirmed in the quit confirmation.
    void exitRequested();
    // The application's show-start-page flag follows this at once.
    void showOnStartupChanged(bool bShow);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnCommandLink(const QString& address);
    void OnShowToggled(bool bChecked);
    void OnExit();
    void WriteShowOnStartup(bool bShow);

    QSettings& m_settings;
    CHelpBrowser* m_pBrowser;
    QCheckBox* m_pShowBox;
    QPushButton* m_pExit;
};
