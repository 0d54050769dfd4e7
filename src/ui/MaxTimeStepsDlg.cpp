#include "ui/MaxTimeStepsDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

#include "base/Prompt.h"
#include "validation/FieldLimits.h"

CMaxTimeStepsDlg::CMaxTimeStepsDlg(int steps, CPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_nSteps(steps) {
    setObjectName("maxTimeStepsDialog");
    setWindowTitle("Max number of time steps");
    m_pField = new QLineEdit(QString::number(steps), this);
    m_pField->setObjectName("maxTimeSteps");
    m_pField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_pField->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMaxTimeStepsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMaxTimeStepsDlg::reject);
    auto* layout = new QFormLayout(this);
    layout->addRow("Max number of time steps", m_pField);
    layout->addRow(buttons);
}

void CMaxTimeStepsDlg::accept() {
    bool ok = false;
    const int n = m_pField->text().trimmed().toInt(&ok);
    std::string message;
    if (!ok) message = "Please enter an integer.";
    else message = CheckRange(n, FieldLimits::kMaxStepsMin, FieldLimits::kMaxStepsMax);
    if (!message.empty()) {
        m_pField->setText(QString::number(m_nSteps));
        m_pField->selectAll();
        m_pField->setFocus();
        m_prompt.Inform(message);
        return;
    }
    m_nSteps = n;
    QDialog::accept();
}
