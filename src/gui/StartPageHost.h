#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The start page and the help window of the main window: the page is made
// hidden at start-up when the profile asks for it (or on demand by "Open
// startup Tips Window"), shown while no case is open and the program's flag
// allows it, and its links run the program's commands. The help window is
// made on its first use and kept.
#include <QObject>

class CHelpWindow;
class CMainFrame;
class CCaseHost;
class CStartPage;

class CStartPageHost : public QObject {
    Q_OBJECT
public:
    CStartPageHost(CMainFrame& frame, CCaseHost& app);

    // Null until the page was made.
    CStartPage* Page() const { return m_pPage; }
    CHelpWindow* Help() const { return m_pHelp; }

    // The page made hidden (start-up with ShowBegin set).
    void CreateHidden();
    // "Open startup Tips Window": makes the page when there is none (which
    // sets ShowBegin again) and shows it.
    void ShowPage();
    // While no case is open: shows the page when it exists and the
    // program's show-start-page flag is set.
    void ShowIfEnabled();
    void Hide();

    void ShowTutorial();
    void ShowContents();

signals:
    // The page's links to a new case and to opening one.
    void newRequested();
    void openRequested();

private:
    CHelpWindow& HelpWindow();
    // A command link of the page or of a help page.
    void OnCommandLink(const QString& address);

    CMainFrame& m_frame;
    CCaseHost& m_app;
    CStartPage* m_pPage = nullptr;   // a child of the main window
    CHelpWindow* m_pHelp = nullptr;  // a child of the main window
};
