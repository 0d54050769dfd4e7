#include "ui/ItemForm.h"

#include <QCheckBox>
#include <QGridLayout>

#include "ui/NumberField.h"

CItemForm::CItemForm(CPrompt& prompt, QWidget* parent) : QWidget(parent), m_prompt(prompt) {
    m_pLayout = new QGridLayout(this);
    m_pLayout->setContentsMargins(4, 4, 4, 4);
    m_pLayout->setVerticalSpacing(3);
    setStyleSheet("QLineEdit:focus { background-color: rgb(255, 255, 0); }");
}

CNumberField* CItemForm::AddField(const QString& label, const char* objectName, const char* checkKey) {
    const int row = m_pLayout->rowCount();
    auto* text = new QLabel(label, this);
    auto* field = new CNumberField(m_prompt, this);
    field->setObjectName(objectName);
    field->SetCheckKey(checkKey);
    text->setBuddy(field);
    m_pLayout->addWidget(text, row, 0);
    m_pLayout->addWidget(field, row, 1);
    if (!m_Fields.isEmpty()) setTabOrder(m_Fields.back(), field);
    connect(field, &CNumberField::committed, this, &CItemForm::commitRequested);
    m_Fields.push_back(field);
    m_Labels.push_back(text);
    Relabel(field, label);
    return field;
}

void CItemForm::Relabel(CNumberField* field, const QString& text) {
    if (QLabel* label = LabelOf(field)) label->setText(text);
    QString name = text.trimmed();
    if (name.endsWith(':')) name.chop(1);
    field->SetFieldName(name);
}

void CItemForm::AddDisplayBox() {
    m_pDisplay = new QCheckBox("Display", this);
    m_pDisplay->setObjectName("display");
    m_pLayout->addWidget(m_pDisplay, m_pLayout->rowCount(), 0, 1, 2);
    if (!m_Fields.isEmpty()) setTabOrder(m_Fields.back(), m_pDisplay);
    connect(m_pDisplay, &QCheckBox::clicked, this, &CItemForm::displayToggled);
}

bool CItemForm::TakeOver() {
    for (CNumberField* f : m_Fields)
        if (!f->Check()) return false;
    return true;
}

QLabel* CItemForm::LabelOf(const CNumberField* field) const {
    const int i = m_Fields.indexOf(const_cast<CNumberField*>(field));
    return i >= 0 ? m_Labels[i] : nullptr;
}

void CItemForm::MarkStored() {
    for (CNumberField* f : m_Fields) f->MarkStored();
}

QString CItemForm::RestoreRefused(const std::string& checkKey) {
    for (CNumberField* f : m_Fields) {
        if (checkKey != f->CheckKey() || !f->ChangedSinceStored()) continue;
        f->RestoreStored();
        return f->FieldName();
    }
    QString first;
    for (CNumberField* f : m_Fields) {
        if (!f->ChangedSinceStored()) continue;
        if (first.isEmpty()) first = f->FieldName();
        f->RestoreStored();
    }
    return first;
}
