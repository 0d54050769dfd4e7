#include "ui/StartPage.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "ui/HelpBrowser.h"
#include "ui/QuitConfirmDlg.h"

namespace {
// The page's size in dialog units (a quarter of the average character width
// across, an eighth of the character height down), turned into pixels of
// the current font.
QSize DialogUnitsToPixels(const QFontMetrics& fm, int cx, int cy) {
    return QSize(cx * fm.averageCharWidth() / 4, cy * fm.height() / 8);
}
}  // namespace

CStartPage::CStartPage(const QString& helpFolder, QSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings) {
    setObjectName("startPage");
    setWindowTitle(tr("Startup tips"));
    setModal(false);

    m_pBrowser = new CHelpBrowser(helpFolder, this);
    m_pShowBox = new QCheckBox(tr("Show on startup"), this);
    m_pShowBox->setChecked(true);
    m_pExit = new QPushButton(tr("Exit"), this);
    m_pExit->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser, 1);
    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(8, 4, 8, 6);
    strip->addWidget(m_pShowBox);
    strip->addStretch();
    strip->addWidget(m_pExit);
    layout->addLayout(strip);
    // Wide enough for the page's text, no less than its size in dialog units.
    resize(DialogUnitsToPixels(fontMetrics(), 213, 215).expandedTo(QSize(480, 540)));

    connect(m_pBrowser, &CHelpBrowser::commandLink, this, &CStartPage::OnCommandLink);
    connect(m_pShowBox, &QCheckBox::toggled, this, &CStartPage::OnShowToggled);
    connect(m_pExit, &QPushButton::clicked, this, &CStartPage::OnExit);

    WriteShowOnStartup(true);
}

bool CStartPage::ShowOnStartup() const { return m_pShowBox->isChecked(); }

void CStartPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_pBrowser->ShowPage(QString::fromLatin1(kPage))) return;
    // Without its page the start page still offers its commands.
    m_pBrowser->setHtml(
        tr("<p>The page %1 is missing from %2.</p>"
           "<p><a href=\"%3\">New case</a> &nbsp; <a href=\"%4\">Open a case</a> &nbsp; "
           "<a href=\"%5\">Tutorial</a> &nbsp; <a href=\"%6\">Help topics</a></p>")
            .arg(QString::fromLatin1(kPage), m_pBrowser->HelpFolder().toHtmlEscaped(),
                 QString::fromLatin1(CHelpBrowser::kNewCase), QString::fromLatin1(CHelpBrowser::kOpenCase),
                 QString::fromLatin1(CHelpBrowser::kTutorial), QString::fromLatin1(CHelpBrowser::kHelp)));
}

void CStartPage::OnCommandLink(const QString& address) {
    if (address == QLatin1String(CHelpBrowser::kNewCase)) {
        hide();
        emit newCaseRequested();
    } else if (address == QLatin1String(CHelpBrowser::kOpenCase)) {
        hide();
        emit openCaseRequested();
    } else if (address == QLatin1String(CHelpBrowser::kTutorial)) {
        emit tutorialRequested();
    } else if (address == QLatin1String(CHelpBrowser::kHelp)) {
        emit helpRequested();
    }
    // Any other reserved address is no command: the page stays as it is.
}

void CStartPage::OnShowToggled(bool bChecked) {
    WriteShowOnStartup(bChecked);
    emit showOnStartupChanged(bChecked);
}

void CStartPage::WriteShowOnStartup(bool bShow) {
    m_settings.setValue(QString::fromLatin1(kShowKey), bShow ? 1 : 0);
    m_settings.sync();
}

void CStartPage::OnExit() {
    CQuitConfirmDlg dlg(this);
    if (dlg.exec() == QDialog::Accepted) emit exitRequested();
}
