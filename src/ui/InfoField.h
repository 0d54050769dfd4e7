#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// Read-only number boxes of the data pane's pages and dialogs: a label and a
// box showing a number in the C locale, whatever the user's locale.
#include <QLineEdit>
#include <QString>

class QGridLayout;

// Appends a row "label [box] unit" to the grid and returns the box.
QLineEdit* AddInfoRow(QGridLayout* grid, const QString& label, const QString& unit = QString(),
                      const QString& name = QString());
// The way the pane writes a double into a box: shortest exact form, C locale.
QString FormatBoxNumber(double v);
// The values of a page of such rows (any grid of labels and boxes, row by
// row) as tab-separated lines, "label<TAB>value<TAB>unit", for a spreadsheet.
QString GridValuesText(const QGridLayout* grid);
// Gives the widget a "Copy values" command (its context menu, Ctrl+Shift+C)
// that puts GridValuesText of its grid on the clipboard.
void AddCopyValuesAction(QWidget* page, const QGridLayout* grid);
