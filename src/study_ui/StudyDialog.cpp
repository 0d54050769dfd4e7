#include "study_ui/StudyDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>

#include "base/Prompt.h"
#include "study/StudyRunner.h"
#include "study/StudySummary.h"
#include "study_ui/StudyResultsTable.h"

namespace {
QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}
}  // namespace

CStudyDialog::CStudyDialog(const CCase& doc, CPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompt(prompt) {
    setWindowTitle("Design conditions");
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel("Conditions file:"));
    m_pPath = new QLineEdit;
    m_pPath->setReadOnly(true);
    fileRow->addWidget(m_pPath, 1);
    auto* choose = new QPushButton("Choose...");
    fileRow->addWidget(choose);
    layout->addLayout(fileRow);

    auto* splitter = new QSplitter(Qt::Vertical);
    m_pList = new QTableWidget(0, 6);
    m_pList->setHorizontalHeaderLabels({"Condition", "Levels", "Flow factor", "Current angle", "Weight", "Status"});
    m_pList->verticalHeader()->setVisible(false);
    m_pList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_pList->horizontalHeader()->setStretchLastSection(true);
    splitter->addWidget(m_pList);
    m_pResults = new CStudyResultsTable;
    splitter->addWidget(m_pResults);
    m_pSummary = new QPlainTextEdit;
    m_pSummary->setReadOnly(true);
    m_pSummary->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_pSummary->setLineWrapMode(QPlainTextEdit::NoWrap);
    splitter->addWidget(m_pSummary);
    layout->addWidget(splitter, 1);

    auto* runRow = new QHBoxLayout;
    m_pProgress = new QProgressBar;
    m_pProgress->setRange(0, 1);
    m_pProgress->setValue(0);
    runRow->addWidget(m_pProgress, 1);
    m_pRun = new QPushButton("Run");
    m_pCancel = new QPushButton("Cancel");
    m_pCopy = new QPushButton("Copy");
    m_pCopy->setToolTip("Copy the selected results (all when none is selected) for a spreadsheet");
    runRow->addWidget(m_pRun);
    runRow->addWidget(m_pCancel);
    runRow->addWidget(m_pCopy);
    layout->addLayout(runRow);
    m_pStatus = new QLabel("Choose a conditions file.");
    layout->addWidget(m_pStatus);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    layout->addWidget(buttons);

    connect(choose, &QPushButton::clicked, this, &CStudyDialog::Choose);
    connect(m_pRun, &QPushButton::clicked, this, &CStudyDialog::Run);
    connect(m_pCancel, &QPushButton::clicked, this, &CStudyDialog::Cancel);
    connect(m_pCopy, &QPushButton::clicked, m_pResults, &CStudyResultsTable::CopyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &CStudyDialog::reject);
    const int line = fontMetrics().height();
    resize(60 * line, 44 * line);
    // Most of the height for the results; the conditions and the summary
    // show about ten lines each.
    splitter->setSizes({10 * line, 20 * line, 10 * line});
    UpdateButtons();
}

CStudyDialog::~CStudyDialog() = default;

QTableWidget* CStudyDialog::ConditionList() const { return m_pList; }

bool CStudyDialog::IsRunning() const { return m_pRunner && m_pRunner->IsRunning(); }

void CStudyDialog::Choose() {
    const QString path =
        QFileDialog::getOpenFileName(this, "Conditions file", QString(), "Conditions (*.csv);;All files (*)");
    if (!path.isEmpty()) LoadConditions(path);
}

bool CStudyDialog::LoadConditions(const QString& path) {
    if (IsRunning()) return false;
    QFile f(path);
    std::string error;
    ConditionsFile file;
    if (!f.open(QIODevice::ReadOnly)) {
        m_prompt.Inform("The conditions file " + path.toStdString() + " cannot be read.");
        return false;
    }
    if (!ParseConditions(f.readAll().toStdString(), file, error)) {
        m_prompt.Inform("The conditions file " + QFileInfo(path).fileName().toStdString() + " is refused: " + error);
        return false;
    }
    m_File = std::move(file);
    m_pPath->setText(path);
    m_pList->setRowCount(0);
    const QLocale c = QLocale::c();
    for (const auto& cond : m_File.m_Conditions) {
        const int row = m_pList->rowCount();
        m_pList->insertRow(row);
        m_pList->setItem(row, 0, Cell(QString::fromStdString(cond.m_strName)));
        m_pList->setItem(row, 1, Cell(QString::number(cond.m_Rows.size())));
        m_pList->setItem(row, 2, Cell(c.toString(cond.m_dFlowFactor, 'g', 6)));
        m_pList->setItem(row, 3, Cell(cond.m_bHasCurrentAngle ? c.toString(cond.m_dCurrentAngle, 'g', 6) : "case"));
        m_pList->setItem(row, 4, Cell(c.toString(cond.m_dWeight, 'g', 6)));
        m_pList->setItem(row, 5,
                         Cell(cond.Usable() ? QString("ready")
                                            : QString("skipped, line %1: %2")
                                                  .arg(cond.m_nProblemLine)
                                                  .arg(QString::fromStdString(cond.m_strProblem))));
    }
    const std::size_t skipped = m_File.SkippedCount();
    m_pStatus->setText(QString("%1 conditions, %2 skipped.").arg(m_File.m_Conditions.size()).arg(skipped));
    UpdateButtons();
    return true;
}

void CStudyDialog::Run() {
    if (IsRunning() || m_File.m_Conditions.empty()) return;
    m_pResults->Clear();
    m_pSummary->clear();
    m_pSummaryData = std::make_unique<CStudySummary>();
    m_pRunner = std::make_unique<CStudyRunner>(m_doc, m_File.m_Conditions, QThread::idealThreadCount());
    CStudySummary* summary = m_pSummaryData.get();
    m_pRunner->SetSink([this, summary](const std::vector<StudyRecord>& rows) {
        for (const auto& r : rows) summary->Add(r);
        m_pResults->AddRows(rows);
    });
    connect(m_pRunner.get(), &CStudyRunner::progress, this, [this](int done, int total) {
        m_pProgress->setRange(0, total);
        m_pProgress->setValue(done);
        m_pStatus->setText(QString("Computing condition %1 of %2").arg(std::min(done + 1, total)).arg(total));
    });
    connect(m_pRunner.get(), &CStudyRunner::finished, this, &CStudyDialog::OnFinished, Qt::QueuedConnection);
    if (!m_pRunner->Start()) {
        m_prompt.Inform("The study cannot start: " + m_pRunner->Error());
        m_pRunner.reset();
    }
    UpdateButtons();
}

void CStudyDialog::Cancel() {
    if (IsRunning()) m_pRunner->Cancel();
}

void CStudyDialog::OnFinished() {
    if (!m_pRunner) return;
    const int done = m_pRunner->Done(), total = m_pRunner->Total();
    if (m_pRunner->WasCancelled()) {
        m_pStatus->setText(QString("Cancelled after %1 of %2 conditions.").arg(done).arg(total));
    } else {
        m_pSummary->setPlainText(QString::fromStdString(m_pSummaryData->Text()));
        m_pStatus->setText(QString("%1 conditions: %2 skipped, %3 not computed.")
                               .arg(total)
                               .arg(m_pSummaryData->Skipped())
                               .arg(m_pSummaryData->NotComputed()));
    }
    m_pRunner.reset();
    UpdateButtons();
    emit studyFinished();
}

void CStudyDialog::UpdateButtons() {
    const bool running = IsRunning();
    m_pRun->setEnabled(!running && !m_File.m_Conditions.empty());
    m_pCancel->setEnabled(running);
}

void CStudyDialog::reject() {
    // Closing stops the study; its model processes end with it.
    if (IsRunning()) m_pRunner->Cancel();
    QDialog::reject();
}
