#include "gui/StartPageHost.h"

#include "gui/CaseHost.h"
#include "gui/MainFrame.h"
#include "gui/Profile.h"
#include "ui/HelpBrowser.h"
#include "ui/HelpWindow.h"
#include "ui/StartPage.h"

CStartPageHost::CStartPageHost(CMainFrame& frame, CCaseHost& app) : QObject(&frame), m_frame(frame), m_app(app) {}

void CStartPageHost::CreateHidden() {
    if (m_pPage) return;
    m_pPage = new CStartPage(CHelpBrowser::DefaultFolder(), m_app.Profile().Settings(), &m_frame);
    // A new page writes ShowBegin = 1; the program's flag follows it.
    m_app.SetShowStartPage(m_pPage->ShowOnStartup());
    connect(m_pPage, &CStartPage::newCaseRequested, this, [this] { emit newRequested(); });
    connect(m_pPage, &CStartPage::openCaseRequested, this, [this] { emit openRequested(); });
    connect(m_pPage, &CStartPage::tutorialRequested, this, &CStartPageHost::ShowTutorial);
    connect(m_pPage, &CStartPage::helpRequested, this, &CStartPageHost::ShowContents);
    connect(m_pPage, &CStartPage::exitRequested, &m_frame, &QWidget::close, Qt::QueuedConnection);
    connect(m_pPage, &CStartPage::showOnStartupChanged, this, [this](bool show) { m_app.SetShowStartPage(show); });
}

void CStartPageHost::ShowPage() {
    CreateHidden();
    m_pPage->show();
    m_pPage->raise();
    m_pPage->activateWindow();
}

void CStartPageHost::ShowIfEnabled() {
    if (m_pPage && m_app.ShowStartPage() && m_app.Documents().isEmpty()) ShowPage();
}

void CStartPageHost::Hide() {
    if (m_pPage) m_pPage->hide();
}

CHelpWindow& CStartPageHost::HelpWindow() {
    if (!m_pHelp) {
        m_pHelp = new CHelpWindow(CHelpBrowser::DefaultFolder(), &m_frame);
        connect(m_pHelp, &CHelpWindow::commandLink, this, &CStartPageHost::OnCommandLink);
    }
    return *m_pHelp;
}

void CStartPageHost::ShowTutorial() { HelpWindow().ShowTutorial(); }
void CStartPageHost::ShowContents() { HelpWindow().ShowContents(); }

void CStartPageHost::OnCommandLink(const QString& address) {
    if (address == QLatin1String(CHelpBrowser::kNewCase)) {
        Hide();
        emit newRequested();
    } else if (address == QLatin1String(CHelpBrowser::kOpenCase)) {
        Hide();
        emit openRequested();
    } else if (address == QLatin1String(CHelpBrowser::kTutorial)) {
        ShowTutorial();
    } else if (address == QLatin1String(CHelpBrowser::kHelp)) {
        ShowContents();
    }
}
