#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The common part of the outfall, riser and jet forms: labelled number
// fields in reading order (Tab follows it), a "Display" box, and the field
// with the keyboard focus drawn on a yellow background.
#include <QLabel>
#include <QList>
#include <QWidget>
#include <string>

class CPrompt;
class CNumberField;
class QCheckBox;
class QGridLayout;

class CItemForm : public QWidget {
    Q_OBJECT
public:
    CItemForm(CPrompt& prompt, QWidget* parent = nullptr);
    // Checks every field as taking the values over does; false when one
    // was refused (its message has been shown).
    bool TakeOver();
    QLabel* LabelOf(const CNumberField* field) const;
    // The values shown went into the case.
    void MarkStored();
    // The case's checks refused the value named by checkKey: that field's
    // stored text comes back, or, when it was not changed (a changed field
    // broke its limit), every field changed since the store. Returns the
    // label of the field put back first ("" when none was).
    QString RestoreRefused(const std::string& checkKey);

signals:
    // Enter in a field: store the forms into the case.
    void commitRequested();
    // The "Display" box was clicked.
    void displayToggled(bool shown);

protected:
    // The field's label, and the name its messages give it, become text.
    void Relabel(CNumberField* field, const QString& text);
    // checkKey: how the case's checks name the value (see CheckFailure).
    CNumberField* AddField(const QString& label, const char* objectName, const char* checkKey = "");
    void AddDisplayBox();
    CPrompt& m_prompt;
    QGridLayout* m_pLayout;
    QList<CNumberField*> m_Fields;
    QList<QLabel*> m_Labels;
    QCheckBox* m_pDisplay = nullptr;
};
