#include "ui/HelpWindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>

#include "ui/HelpBrowser.h"

CHelpWindow::CHelpWindow(const QString& helpFolder, QWidget* parent) : QMainWindow(parent, Qt::Window) {
    setObjectName("helpWindow");
    setWindowTitle(tr("Plumex Help"));
    m_pBrowser = new CHelpBrowser(helpFolder.isEmpty() ? CHelpBrowser::DefaultFolder() : helpFolder, this);
    setCentralWidget(m_pBrowser);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setObjectName("helpNavigation");
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_pBack =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("Back"), m_pBrowser, &QTextBrowser::backward);
    m_pBack->setShortcut(QKeySequence::Back);
    m_pForward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("Forward"), m_pBrowser,
                                &QTextBrowser::forward);
    m_pForward->setShortcut(QKeySequence::Forward);
    QAction* home =
        bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("Contents"), this, &CHelpWindow::ShowContents);
    home->setShortcut(Qt::ALT | Qt::Key_Home);
    m_pBack->setEnabled(false);
    m_pForward->setEnabled(false);
    connect(m_pBrowser, &QTextBrowser::backwardAvailable, m_pBack, &QAction::setEnabled);
    connect(m_pBrowser, &QTextBrowser::forwardAvailable, m_pForward, &QAction::setEnabled);

    bar->addSeparator();
    bar->addWidget(new QLabel(tr("Find: "), bar));
    m_pFind = new QLineEdit(bar);
    m_pFind->setObjectName("helpFind");
    m_pFind->setPlaceholderText(tr("text on this page"));
    m_pFind->setClearButtonEnabled(true);
    m_pFind->setMaximumWidth(fontMetrics().averageCharWidth() * 30);
    m_pFind->installEventFilter(this);
    bar->addWidget(m_pFind);
    bar->addAction(style()->standardIcon(QStyle::SP_ArrowDown), tr("Next"), this, &CHelpWindow::FindNext);
    bar->addAction(style()->standardIcon(QStyle::SP_ArrowUp), tr("Previous"), this, &CHelpWindow::FindPrevious);
    m_pFindStatus = new QLabel(this);
    statusBar()->addWidget(m_pFindStatus);

    auto* findKey = new QShortcut(QKeySequence::Find, this);
    connect(findKey, &QShortcut::activated, this, [this] {
        m_pFind->setFocus(Qt::ShortcutFocusReason);
        m_pFind->selectAll();
    });
    connect(new QShortcut(QKeySequence::FindNext, this), &QShortcut::activated, this, &CHelpWindow::FindNext);
    connect(new QShortcut(QKeySequence::FindPrevious, this), &QShortcut::activated, this, &CHelpWindow::FindPrevious);
    connect(m_pFind, &QLineEdit::textEdited, m_pFindStatus, &QLabel::clear);

    connect(m_pBrowser, &CHelpBrowser::commandLink, this, &CHelpWindow::commandLink);
    connect(m_pBrowser, &CHelpBrowser::missingPage, this, [this](const QUrl& url) {
        statusBar()->showMessage(tr("The page %1 is missing from the help folder.").arg(url.fileName()), 5000);
    });
    connect(m_pBrowser, &QTextBrowser::sourceChanged, this, &CHelpWindow::UpdateTitle);
    resize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 40);
}

bool CHelpWindow::ShowPage(const QString& page, const QString& anchor) {
    const bool found = m_pBrowser->ShowPage(page, anchor);
    if (!found) {
        if (!m_pBrowser->ShowPage(QString::fromLatin1(kContents)))
            m_pBrowser->setHtml(
                tr("<p>The help pages are missing from %1.</p>").arg(m_pBrowser->HelpFolder().toHtmlEscaped()));
        statusBar()->showMessage(tr("The page %1 is missing from the help folder.").arg(page), 5000);
    }
    if (isMinimized()) showNormal();
    else show();
    raise();
    activateWindow();
    return found;
}

QString CHelpWindow::CurrentFindText() const { return m_pFind->text(); }

QString CHelpWindow::NextPageHolding(const QString& text) const {
    const QDir folder(m_pBrowser->HelpFolder());
    const QStringList pages = folder.entryList({"*.htm", "*.html"}, QDir::Files, QDir::Name);
    const int current = pages.indexOf(m_pBrowser->source().fileName());
    for (int i = 1; i < pages.size(); ++i) {
        const QString& name = pages[(current + i + pages.size()) % pages.size()];
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) continue;
        QTextDocument page;
        page.setHtml(QString::fromUtf8(file.readAll()));
        if (page.toPlainText().contains(text, Qt::CaseInsensitive)) return name;
    }
    return QString();
}

bool CHelpWindow::FindText(const QString& text, bool bBackward) {
    m_pFindStatus->clear();
    if (text.isEmpty()) return false;
    const QTextDocument::FindFlags flags = bBackward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (m_pBrowser->find(text, flags)) return true;
    // Searching on past the end of the page: the next page that holds the text.
    if (!bBackward) {
        const QString next = NextPageHolding(text);
        if (!next.isEmpty() && m_pBrowser->ShowPage(next) && m_pBrowser->find(text)) {
            m_pFindStatus->setText(tr("Found on the next page that holds it."));
            return true;
        }
    }
    // Not found between the cursor and the end (or start): wrap round once.
    QTextCursor cursor = m_pBrowser->textCursor();
    const QTextCursor before = cursor;
    cursor.movePosition(bBackward ? QTextCursor::End : QTextCursor::Start);
    m_pBrowser->setTextCursor(cursor);
    if (m_pBrowser->find(text, flags)) return true;
    m_pBrowser->setTextCursor(before);
    m_pFindStatus->setText(tr("\"%1\" is not on this page.").arg(text));
    return false;
}

void CHelpWindow::UpdateTitle() {
    const QString title = m_pBrowser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Plumex Help") : tr("%1 - Plumex Help").arg(title));
}

bool CHelpWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pFind && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FindText(m_pFind->text(), key->modifiers() & Qt::ShiftModifier);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_pBrowser->setFocus();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
