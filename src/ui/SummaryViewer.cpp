#include "ui/SummaryViewer.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>

namespace {
// Summary files are small; a damaged or foreign one must not fill the memory.
constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
}  // namespace

CSummaryViewer::CSummaryViewer(QWidget* parent) : QDialog(parent) {
    setObjectName("summaryViewer");
    setAttribute(Qt::WA_DeleteOnClose);
    m_pText = new QPlainTextEdit;
    m_pText->setObjectName("summaryText");
    m_pText->setReadOnly(true);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_pText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    m_pFindBar = new QWidget;
    auto* find = new QHBoxLayout(m_pFindBar);
    find->setContentsMargins(0, 0, 0, 0);
    find->addWidget(new QLabel("Find:"));
    m_pFind = new QLineEdit;
    m_pFind->setObjectName("findText");
    find->addWidget(m_pFind, 1);
    auto* next = new QPushButton("Find Next");
    // Enter in the find box is handled once, by the box.
    next->setAutoDefault(false);
    find->addWidget(next);
    m_pFindBar->hide();
    connect(m_pFind, &QLineEdit::returnPressed, this, [this] { FindNext(m_pFind->text()); });
    connect(next, &QPushButton::clicked, this, [this] { FindNext(m_pFind->text()); });

    auto* buttons = new QHBoxLayout;
    auto* copy = new QPushButton("Copy");
    copy->setObjectName("copy");
    copy->setAutoDefault(false);
    auto* open = new QPushButton("Open in Text Editor");
    open->setObjectName("openInEditor");
    open->setAutoDefault(false);
    auto* close = new QPushButton("Close");
    close->setAutoDefault(false);
    buttons->addWidget(copy);
    buttons->addWidget(open);
    buttons->addStretch(1);
    buttons->addWidget(close);
    connect(copy, &QPushButton::clicked, this, &CSummaryViewer::CopyText);
    connect(open, &QPushButton::clicked, this, &CSummaryViewer::OpenInEditor);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* shortcut = new QShortcut(QKeySequence::Find, this);
    connect(shortcut, &QShortcut::activated, this, &CSummaryViewer::ShowFindBar);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText, 1);
    layout->addWidget(m_pFindBar);
    layout->addLayout(buttons);
    resize(760, 560);
}

bool CSummaryViewer::Load(const QString& path) {
    m_strPath = path;
    setWindowTitle(QFileInfo(path).fileName());
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxBytes) {
        m_pText->setPlainText(QString("The file %1 cannot be read.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_pText->setPlainText(QString::fromLocal8Bit(f.readAll()));
    return true;
}

bool CSummaryViewer::FindNext(const QString& text) {
    if (text.isEmpty()) return false;
    if (m_pText->find(text)) return true;
    // From the top again; where nothing is found the selection stays.
    const QTextCursor before = m_pText->textCursor();
    QTextCursor top = before;
    top.movePosition(QTextCursor::Start);
    m_pText->setTextCursor(top);
    if (m_pText->find(text)) return true;
    m_pText->setTextCursor(before);
    return false;
}

void CSummaryViewer::ShowFindBar() {
    m_pFindBar->show();
    m_pFind->setFocus();
    m_pFind->selectAll();
}

void CSummaryViewer::CopyText() {
    // The selection, or the whole file when nothing is selected.
    const QString selected = m_pText->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n');
    QApplication::clipboard()->setText(selected.isEmpty() ? m_pText->toPlainText() : selected);
}

void CSummaryViewer::OpenInEditor() {
    if (!m_strPath.isEmpty()) QDesktopServices::openUrl(QUrl::fromLocalFile(m_strPath));
}
