#include "ui/StatusProgress.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>

CStatusProgress::CStatusProgress(QWidget* parent)
    : QWidget(parent), m_pBar(new QProgressBar(this)), m_pCancel(new QPushButton("Cancel", this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(4);
    m_pBar->setFixedWidth(200);
    m_pBar->setTextVisible(false);
    m_pCancel->setToolTip("Stop the jet model");
    m_pCancel->setStatusTip("Stops the running jet model; the jets keep their results.");
    layout->addWidget(m_pBar);
    layout->addWidget(m_pCancel);
    // The status bar would stretch the button across the free width: the
    // meter keeps its own size and the message the rest.
    m_pCancel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(m_pCancel, &QPushButton::clicked, this, [this] { m_bCancel = true; });
    hide();
}

void CStatusProgress::SetRange(int low, int high) {
    m_pBar->setRange(low, high);
    m_pBar->setValue(low);
    m_nLastPos = low;
    m_nMinStep = (high - low) / 100;
    if (m_nMinStep < 1) m_nMinStep = 1;
}

void CStatusProgress::SetPos(int p) {
    if (p < m_nLastPos + m_nMinStep) return;
    m_nLastPos = p;
    m_pBar->setValue(p);
}

int CStatusProgress::ShownValue() const { return m_pBar->value(); }

void CStatusProgress::Begin(int lower, int upper) {
    SetRange(lower, upper);
    m_bCancel = false;
    m_pCancel->setEnabled(true);
    show();
}

void CStatusProgress::End() {
    hide();
    m_bCancel = false;
}

bool CStatusProgress::CancelRequested() {
    if (m_waitHandler) m_waitHandler();
    if (m_bCancel) m_pCancel->setEnabled(false);
    return m_bCancel;
}

void CStatusProgress::ShowStatus(const std::string& text) { emit statusText(QString::fromStdString(text)); }
