#include "gui/PlumexApp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <memory>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "gui/CaseDocument.h"
#include "gui/ChildFrame.h"
#include "gui/FileChooser.h"
#include "gui/MainFrame.h"
#include "gui/Profile.h"
#include "gui/RunController.h"
#include "gui/ScreenCheck.h"
#include "gui/SplashScreen.h"
#include "gui/StartPageHost.h"
#include "ui/HelpBrowser.h"
#include "ui/NewCaseDlg.h"
#include "ui/QtPrompt.h"

CPlumexApp::CPlumexApp(const PlumexStartOptions& options) : m_options(options), m_strStartupDir(QDir::currentPath()) {
    m_pPrompt = options.m_pPrompt;
    if (!m_pPrompt) {
        m_pOwnPrompt = std::make_unique<CQtPrompt>();
        m_pPrompt = m_pOwnPrompt.get();
    }
    m_pChooser = options.m_pChooser;
    if (!m_pChooser) {
        m_pOwnChooser = std::make_unique<CDialogFileChooser>();
        m_pChooser = m_pOwnChooser.get();
    }
}

CPlumexApp::~CPlumexApp() {
    // The windows go before their cases, the main window last.
    for (CCaseDocument* doc : QList<CCaseDocument*>(m_Documents)) DiscardDocument(doc);
    m_pFrame.reset();
}

bool CPlumexApp::Start() {
    QSize screen = m_options.m_Screen;
    if (screen.isEmpty() && QGuiApplication::primaryScreen()) screen = QGuiApplication::primaryScreen()->size();
    if (ScreenNeedsQuestion(screen) && !m_pPrompt->AskYesNo(ScreenQuestionText(screen))) return false;

    m_pProfile = std::make_unique<CProfile>(m_options.m_strProfilePath);
    m_pFrame = std::make_unique<CMainFrame>(*this, screen);
    ConnectFrame();
    m_bShowStartPage = m_pProfile->ShowBegin();
    if (m_bShowStartPage) m_pFrame->StartPages().CreateHidden();
    if (m_options.m_bShowSplash) {
        CSplashScreen* splash = CSplashScreen::ShowSplash(m_pFrame.get());
        CMainFrame* frame = m_pFrame.get();
        connect(splash, &CSplashScreen::hidden, frame, [frame] {
            frame->repaint();
            frame->OnNoCase();
        });
    }
    if (m_options.m_bShowWindow) {
        // Without a window manager (a bare X server) maximised means nothing:
        // the window takes the screen's free area itself.
        if (QScreen* s = QGuiApplication::primaryScreen()) m_pFrame->setGeometry(s->availableGeometry());
        m_pFrame->showMaximized();
    }
    for (const QString& f : m_options.m_Files) OpenFile(f, false);
    // With a splash the page comes when the splash has gone.
    if (m_options.m_bShowWindow && !CSplashScreen::Current()) m_pFrame->OnNoCase();
    return true;
}

void CPlumexApp::ConnectFrame() {
    CMainFrame* f = m_pFrame.get();
    connect(f, &CMainFrame::newRequested, this, &CPlumexApp::OnFileNew);
    connect(f, &CMainFrame::openRequested, this, &CPlumexApp::OnFileOpen);
    connect(f, &CMainFrame::openFileRequested, this, [this](const QString& path) { OpenFile(path); });
    connect(f, &CMainFrame::closeRequested, this, [this](CCaseDocument* doc) { CloseDocument(*doc); });
    connect(f, &CMainFrame::saveRequested, this, [this](CCaseDocument* doc) { SaveDocument(*doc); });
    connect(f, &CMainFrame::saveAsRequested, this, [this](CCaseDocument* doc) { SaveDocumentAs(*doc); });
}

CCaseDocument* CPlumexApp::NewDocument() {
    auto* doc = new CCaseDocument(m_state, *m_pPrompt, this);
    m_Documents << doc;
    return doc;
}

void CPlumexApp::DiscardDocument(CCaseDocument* doc) {
    if (!m_Documents.removeOne(doc)) return;
    if (m_pFrame) m_pFrame->RemoveWindowsOf(*doc);
    delete doc;
    emit documentsChanged();
    if (m_pFrame && m_Documents.isEmpty()) m_pFrame->OnNoCase();
}

CCaseDocument* CPlumexApp::FindOpen(const QString& path) const {
    const QString full = QFileInfo(path).absoluteFilePath();
    for (CCaseDocument* d : m_Documents)
        if (!d->Path().isEmpty() && d->Path() == full) return d;
    return nullptr;
}

bool CPlumexApp::InitNewCase(CCaseDocument& doc) {
    doc.Doc().ResetToNew();
    const bool noRiser = m_pProfile->NoRiserOption();
    m_state.m_bNewCaseNoRiser = noRiser;
    doc.Doc().SetNoRiser(noRiser);
    CNewCaseDlg wizard(doc.Doc(), noRiser, CHelpBrowser::DefaultFolder(), m_pFrame.get());
    connect(&wizard, &CNewCaseDlg::scenarioChosen, this, [this](bool chosen) {
        m_pProfile->SetNoRiserOption(chosen);
        m_pProfile->Sync();
    });
    if (wizard.exec() != QDialog::Accepted) return false;
    // A case just made is not yet a change to keep: closing it asks nothing,
    // and taking back the edits that follow comes back to it.
    doc.History().MarkSaved();
    doc.SetTitle(QString("Plumex%1").arg(++m_nNewCount));
    return true;
}

void CPlumexApp::OnFileNew() {
    if (!CloseAllWithPrompts()) return;
    CCaseDocument* doc = NewDocument();
    if (!InitNewCase(*doc)) {
        DiscardDocument(doc);
        return;
    }
    m_pFrame->AddCaseWindow(*doc);
    emit documentsChanged();
    m_pFrame->OnCaseShown();
    // A case made with jets is computed at once, so that its first picture
    // shows them; a structure without jets waits for the user to add them.
    // The results of that first run are no edit of the user's: the case
    // still closes without a question until it is changed.
    if (doc->Doc().GetJetCount() > 0 && m_pFrame->Runs().RunAllJets(*doc)) {
        QPointer<CCaseDocument> made(doc);
        auto once = std::make_shared<QMetaObject::Connection>();
        *once = connect(&m_pFrame->Runs(), &CRunController::runFinished, this, [made, once](bool succeeded) {
            QObject::disconnect(*once);
            if (!made || !succeeded || made->History().Stack().index() != 0) return;
            made->History().MarkSaved();
            made->Doc().SetModifiedFlag(false);
        });
    }
}

void CPlumexApp::OnFileOpen() {
    // The dialog starts where the last case was opened or saved (the most
    // recent file's folder); without one, in the folder above the start-up
    // directory.
    QString folder = QFileInfo(m_strStartupDir).path();
    const QStringList recent = m_pProfile->RecentFiles();
    if (!recent.isEmpty() && QFileInfo(recent.front()).dir().exists()) folder = QFileInfo(recent.front()).path();
    const QString path = m_pChooser->OpenCase(m_pFrame.get(), folder);
    if (path.isEmpty()) {
        if (m_Documents.isEmpty()) m_pFrame->StartPages().ShowIfEnabled();
        return;
    }
    OpenFile(path);
}

bool CPlumexApp::OpenFile(const QString& path, bool closeOthers) {
    if (CCaseDocument* open = FindOpen(path)) {
        // A case is open once; its window comes to the front.
        if (auto windows = m_pFrame->WindowsOf(*open); !windows.isEmpty())
            m_pFrame->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(windows.first()->parentWidget()));
        return true;
    }
    // The new case is read before any open case is closed: a file that
    // cannot be read closes nothing.
    CCaseDocument* doc = NewDocument();
    const bool text = path.endsWith(".json", Qt::CaseInsensitive);
    if (!(text ? doc->OpenText(path) : doc->Open(path))) {
        if (!text) m_pProfile->RemoveRecentFile(path);
        DiscardDocument(doc);
        return false;
    }
    if (closeOthers) {
        // The questions are about the cases open before this one.
        m_Documents.removeOne(doc);
        const bool closed = CloseAllWithPrompts();
        m_Documents << doc;
        if (!closed) {
            DiscardDocument(doc);
            return false;
        }
    }
    if (!text) m_pProfile->AddRecentFile(doc->Path());
    m_pFrame->AddCaseWindow(*doc);
    emit documentsChanged();
    m_pFrame->OnCaseShown();
    return true;
}

bool CPlumexApp::SaveDocument(CCaseDocument& doc) {
    if (doc.Path().isEmpty()) return SaveDocumentAs(doc);
    if (!doc.SaveTo(doc.Path())) return false;
    m_pProfile->AddRecentFile(doc.Path());
    ReportSaved(doc);
    return true;
}

void CPlumexApp::ReportSaved(const CCaseDocument& doc) {
    m_pFrame->statusBar()->showMessage("Saved " + QDir::toNativeSeparators(doc.Path()));
}

bool CPlumexApp::SaveDocumentAs(CCaseDocument& doc) {
    const QString suggested = doc.Path().isEmpty() ? QDir(m_strStartupDir).filePath(doc.Title() + ".pmx") : doc.Path();
    QString path = m_pChooser->SaveCaseAs(m_pFrame.get(), suggested);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += ".pmx";
    if (!doc.SaveTo(path)) return false;
    m_pProfile->AddRecentFile(doc.Path());
    ReportSaved(doc);
    return true;
}

bool CPlumexApp::SaveModified(CCaseDocument& doc) {
    if (!doc.IsModified() || doc.IsTutorial()) return true;
    switch (m_pPrompt->AskYesNoCancel("Save the file " + doc.DisplayName().toStdString() + "?")) {
    case PromptAnswer::Yes:
        return SaveDocument(doc);
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Cancel:
        break;
    }
    return false;
}

bool CPlumexApp::CloseDocument(CCaseDocument& doc) {
    if (!SaveModified(doc)) return false;
    DiscardDocument(&doc);
    return true;
}

bool CPlumexApp::CanCloseLastWindow(CCaseDocument& doc) { return SaveModified(doc); }

bool CPlumexApp::CloseAllWithPrompts() {
    // Cases left open with No are not asked about again in this scan.
    QList<CCaseDocument*> keep;
    for (;;) {
        CCaseDocument* next = nullptr;
        for (CCaseDocument* d : m_Documents)
            if (!keep.contains(d)) {
                next = d;
                break;
            }
        if (!next) return true;
        if (next->IsTutorial() || (next->Path().isEmpty() && !next->IsModified())) {
            DiscardDocument(next);
            continue;
        }
        // The buttons say what they do: Close (after the save question of
        // a modified case), Keep open (and ask about the next), Cancel.
        const PromptAnswer a = m_pPrompt->AskChoice("Close the file " + next->DisplayName().toStdString() + "?",
                                                    {"Close", "Keep open", "Cancel"});
        if (a == PromptAnswer::Cancel) return false;
        if (a == PromptAnswer::No) {
            keep << next;
            continue;
        }
        // Closing must not lose work: a modified case is offered for saving first.
        if (!SaveModified(*next)) return false;
        DiscardDocument(next);
    }
}

bool CPlumexApp::SaveAllWithPrompts() {
    for (CCaseDocument* d : QList<CCaseDocument*>(m_Documents)) {
        if (!d->IsModified() || d->IsTutorial()) continue;
        if (!SaveModified(*d)) return false;
        d->Doc().SetModifiedFlag(false);
    }
    return true;
}
