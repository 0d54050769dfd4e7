#include "ui/QuitConfirmDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CQuitConfirmDlg::CQuitConfirmDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("quitConfirm");
    // The confirmation has no caption of its own.
    setWindowTitle(QString());
    auto* layout = new QVBoxLayout(this);
    for (const char* line :
         {"Do you really want to quit the application?", "To continue the application,click the Resume button.",
          "To quit the application,click the Exit button."})
        layout->addWidget(new QLabel(QString::fromLatin1(line), this));
    layout->addSpacing(fontMetrics().height() / 2);

    m_pResume = new QPushButton(tr("Resume"), this);
    m_pExit = new QPushButton(tr("Exit"), this);
    m_pResume->setDefault(true);
    m_pResume->setAutoDefault(true);
    m_pExit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pResume);
    buttons->addWidget(m_pExit);
    buttons->addStretch();
    layout->addLayout(buttons);

    connect(m_pResume, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_pExit, &QPushButton::clicked, this, &QDialog::accept);
    m_pResume->setFocus();
}
