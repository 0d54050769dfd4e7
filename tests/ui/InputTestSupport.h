#pragma once
// Helpers of the case input tests: real clicks on grid cells, waiting for
// queued work, reading what the prompt showed.
#include <QString>
#include <string>

class CAmbientGrid;
class QWidget;
class CScriptedPrompt;

// Shows the widget and waits until it can take the keyboard focus.
void ShowAndActivate(QWidget& w);
// Lets queued calls (checks run after an editor closed) happen.
void Settle();
// Clicks the cell: it becomes current and its editor opens.
void ClickCell(CAmbientGrid& grid, int row, int column);
// Clicks the cell, types text into its editor and presses Enter.
void TypeIntoCell(CAmbientGrid& grid, int row, int column, const QString& text);
// The last text the prompt showed, "" when none.
std::string LastText(const CScriptedPrompt& prompt);
