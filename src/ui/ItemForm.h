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

signals:
    // Enter in a field: store the forms into the case.
    void commitRequested();
    // The "Display" box was clicked.
    void displayToggled(bool shown);

protected:
    CNumberField* AddField(const QString& label, const char* objectName);
    void AddDisplayBox();
    CPrompt& m_prompt;
    QGridLayout* m_pLayout;
    QList<CNumberField*> m_Fields;
    QList<QLabel*> m_Labels;
    QCheckBox* m_pDisplay = nullptr;
};
