#include "ui/QtPrompt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
QMessageBox::Icon ToIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Stop:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Exclamation:
        break;
    }
    return QMessageBox::Warning;
}

int Show(const std::string& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, "Plumex", QString::fromStdString(text), buttons, QApplication::activeWindow());
    box.setDefaultButton(defaultButton);
    return box.exec();
}
}  // namespace

void CQtPrompt::Inform(const std::string& text, PromptIcon icon) {
    Show(text, ToIcon(icon), QMessageBox::Ok, QMessageBox::Ok);
}

bool CQtPrompt::AskYesNo(const std::string& text) {
    return Show(text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

PromptAnswer CQtPrompt::AskYesNoCancel(const std::string& text) {
    const int r =
        Show(text, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (r == QMessageBox::Yes) return PromptAnswer::Yes;
    if (r == QMessageBox::No) return PromptAnswer::No;
    return PromptAnswer::Cancel;
}

PromptAnswer CQtPrompt::AskChoice(const std::string& text, const PromptChoices& choices) {
    QMessageBox box(QMessageBox::Question, "Plumex", QString::fromStdString(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* yes = box.addButton(QString::fromStdString(choices.m_strYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromStdString(choices.m_strNo), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QString::fromStdString(choices.m_strCancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes) return PromptAnswer::Yes;
    if (box.clickedButton() == no) return PromptAnswer::No;
    return PromptAnswer::Cancel;
}
