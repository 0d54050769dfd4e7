#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The program: its start-up, the open cases and the commands on them that
// do not belong to one window: New, Open, Close, Save, Save As, the recent
// files and the questions asked before cases are closed or the program ends.
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "base/AppState.h"
#include "gui/CaseHost.h"

class CCaseDocument;
class CFileChooser;
class CMainFrame;
class CPrompt;
class CProfile;

struct PlumexStartOptions {
    CPrompt* m_pPrompt = nullptr;        // null: message boxes
    CFileChooser* m_pChooser = nullptr;  // null: file dialogs
    QString m_strProfilePath;            // empty: the user's configuration folder
    QSize m_Screen;                      // empty: the primary screen
    bool m_bShowSplash = true;
    bool m_bShowWindow = true;
    QStringList m_Files;  // cases to open at start
};

class CPlumexApp : public CCaseHost {
    Q_OBJECT
public:
    explicit CPlumexApp(const PlumexStartOptions& options);
    ~CPlumexApp() override;

    // The start-up sequence; false when the program should end (the user
    // declined to go on with a small screen).
    bool Start();

    CAppState& State() { return m_state; }
    CPrompt& Prompt() const override { return *m_pPrompt; }
    CFileChooser& Chooser() const override { return *m_pChooser; }
    CProfile& Profile() const override { return *m_pProfile; }
    CMainFrame* MainFrame() const { return m_pFrame.get(); }
    const QList<CCaseDocument*>& Documents() const override { return m_Documents; }
    // Whether the start page comes up while no case is open (PLUMEX/ShowBegin).
    bool ShowStartPage() const override { return m_bShowStartPage; }
    void SetShowStartPage(bool show) override { m_bShowStartPage = show; }

    // --- commands ---
    void OnFileNew();
    void OnFileOpen();
    // The open-file step of Open, the recent files and the command line.
    bool OpenFile(const QString& path, bool closeOthers = true);
    bool SaveDocument(CCaseDocument& doc);
    bool SaveDocumentAs(CCaseDocument& doc);
    // File > Close: the case and all its windows, after the save question.
    bool CloseDocument(CCaseDocument& doc);
    // Before New and Open: asks for each open case whether to close it.
    // False when the user cancelled.
    bool CloseAllWithPrompts();
    // Before the program ends: asks for each modified case whether to save
    // it. False when the user cancelled (the program goes on).
    bool SaveAllWithPrompts() override;
    // Asked when the last window on a case is closed: false keeps it.
    bool CanCloseLastWindow(CCaseDocument& doc) override;
    // Makes the case New starts with. The new-case wizard takes its place.
    bool InitNewCase(CCaseDocument& doc);
    // Forgets the case and closes its windows, without questions.
    void DiscardDocument(CCaseDocument* doc) override;

private:
    // The window's file commands come here.
    void ConnectFrame();
    CCaseDocument* NewDocument();
    // The save question for a modified case; false when cancelled or the save failed.
    bool SaveModified(CCaseDocument& doc);
    // "Saved <file>" in the status bar.
    void ReportSaved(const CCaseDocument& doc);
    CCaseDocument* FindOpen(const QString& path) const;

    PlumexStartOptions m_options;
    CAppState m_state;
    std::unique_ptr<CPrompt> m_pOwnPrompt;
    std::unique_ptr<CFileChooser> m_pOwnChooser;
    CPrompt* m_pPrompt = nullptr;
    CFileChooser* m_pChooser = nullptr;
    std::unique_ptr<CProfile> m_pProfile;
    std::unique_ptr<CMainFrame> m_pFrame;
    QList<CCaseDocument*> m_Documents;
    QString m_strStartupDir;
    int m_nNewCount = 0;
    bool m_bShowStartPage = true;
};
