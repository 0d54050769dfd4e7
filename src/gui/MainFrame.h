#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The program's main window: menus and tool bars built from one registry
// of commands, a multiple-document area with one sub-window per case
// window, the status bar with the message, the progress meter and the
// three lock-key panes. It knows which case window is active; the file
// commands themselves belong to the application.
#include <QLabel>
#include <QList>
#include <QMainWindow>

#include "gui/DockingDescription.h"

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;
class CActionRegistry;
class CCaseDocument;
class CChildFrame;
class CPlumexView;
class CCaseHost;
class CResultsHost;
class CRunController;
class CStartPageHost;
class CStatusProgress;
class CProfileWnd;
class CInputBar;
class CEditHost;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CCaseHost& app, const QSize& screen);
    ~CMainFrame() override;

    CActionRegistry& Actions() const { return *m_pActions; }
    QAction* Action(const QString& name) const;
    QMdiArea* MdiArea() const { return m_pMdi; }
    QToolBar* MainToolBar() const { return m_pMainBar; }
    QToolBar* ViewToolBar() const { return m_pViewBar; }
    CStatusProgress& Progress() const { return *m_pProgress; }
    CRunController& Runs() const { return *m_pRuns; }
    CStartPageHost& StartPages() const { return *m_pStart; }
    CResultsHost& Results() const { return *m_pResults; }
    // A run is in flight in some case: structural commands are off.
    bool AnyRunInFlight() const;
    CProfileWnd* ProfileWindow() const { return m_pProfileWnd; }
    CInputBar* InputBar() const { return m_pInputBar; }
    CEditHost& Edits() const { return *m_pEdits; }

    // A new case window on doc, shown and activated.
    CChildFrame* AddCaseWindow(CCaseDocument& doc);
    CChildFrame* ActiveChild() const;
    // The 3-D view of the active case window; null without one.
    CPlumexView* ActiveView() const;
    CCaseDocument* ActiveDocument() const;
    QList<CChildFrame*> CaseWindows() const;
    QList<CChildFrame*> WindowsOf(const CCaseDocument& doc) const;
    // Closes every window on doc at once, without questions.
    void RemoveWindowsOf(const CCaseDocument& doc);

    // A case was made or opened: maximise the active case window, show the
    // view tools.
    void OnCaseShown();
    // Without an open case the view tools go and the menus of an empty
    // program come back.
    void OnNoCase();

signals:
    // The file commands, for the program that owns the window to carry out.
    void newRequested();
    void openRequested();
    void openFileRequested(const QString& path);
    void closeRequested(CCaseDocument* doc);
    void saveRequested(CCaseDocument* doc);
    void saveAsRequested(CCaseDocument* doc);

public slots:
    // Enables, checks and captions every command from the active case and
    // the state of the program.
    void updateActions();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Lock keys change with key presses anywhere in the program.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeActions();
    void MakeMenus();
    void MakeToolBars();
    void MakeStatusBar();
    void ConnectCommands();
    void UseCaseMenus(bool caseOpen);
    void FillRecentFiles(QMenu* menu);
    void FillWindowList();
    void ToggleCrossSection();
    void ToggleData();
    void NewWindow();
    void ArrangeIcons();
    void SaveToBmp();
    // Checks the view tools, the animation speed and the disturbance as the active 3-D view has them.
    void UpdateViewTools();
    void Print(bool preview);
    // Before a window closes during a run: asks whether to stop it (and
    // stops it); false keeps the window. doc null: any run.
    bool StopRunBeforeClose(const CCaseDocument* doc);
    void UpdateLockPanes();
    void RenumberWindows(const CCaseDocument& doc);
    // "View suspend file": computes all jets, then shows the summary file.
    void ViewSummaryFile(CCaseDocument& doc);

    CCaseHost& m_app;
    QSize m_Screen;
    CActionRegistry* m_pActions;
    QMdiArea* m_pMdi;
    QToolBar* m_pMainBar = nullptr;
    QToolBar* m_pViewBar = nullptr;
    CStatusProgress* m_pProgress = nullptr;
    CRunController* m_pRuns = nullptr;
    CStartPageHost* m_pStart = nullptr;
    CResultsHost* m_pResults = nullptr;
    CEditHost* m_pEdits = nullptr;  // Edit > Undo, Redo and the edit history dock
    QLabel* m_pLockPanes[3] = {};
    // Menus of the empty program and of an open case.
    QMenu* m_pNoCaseFile = nullptr;
    QMenu* m_pNoCaseView = nullptr;
    QMenu* m_pNoCaseHelp = nullptr;
    QMenu* m_pFile = nullptr;
    QMenu* m_pEdit = nullptr;
    QMenu* m_pOption = nullptr;
    QMenu* m_pRun = nullptr;
    QMenu* m_pView = nullptr;
    QMenu* m_pWindow = nullptr;
    QMenu* m_pHelp = nullptr;
    QList<QAction*> m_WindowListActions;
    bool m_bCaseMenus = false;
    bool m_bCrossSectionShown = true;
    bool m_bDataShown = true;
    bool m_bCaseShown = true;
    DockingDescription m_Docking;
    CProfileWnd* m_pProfileWnd = nullptr;  // "Profile of ambient data", shown by its View command
    CInputBar* m_pInputBar = nullptr;      // the docked editing surface of the active case
};
