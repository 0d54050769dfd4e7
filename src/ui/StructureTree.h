#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The case's outfall -> riser -> jet tree as the input surfaces show it.
// Without risers the risers get no item and their jets stand directly
// under the outfall.
#include <string>

class CPlumexDoc;
class CPrompt;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

struct TreePath {
    int m_nLevel = 0;  // 0 nothing, 1 outfall, 2 riser, 3 jet
    std::string m_strOutfall, m_strRiser, m_strJet;
};

// Refills the tree from the case and selects the case's current item, but
// no deeper than the level deepest (1 outfall, 2 riser, 3 jet): an item
// just added stays selected though it came with the items it holds. The
// caller ignores selection news meanwhile. Returns the selected item's level.
int FillStructureTree(QTreeWidget& tree, const CPlumexDoc& doc, bool noRiser, int deepest = 3);
// The level and names of a tree item; a jet under an outfall (without
// risers) stands on "Riser1".
TreePath PathOfItem(const QTreeWidgetItem* item, bool noRiser);
// The level of the case's current item: 3 with a current jet, 2 riser, 1 outfall, else 0.
int CurrentLevel(const CPlumexDoc& doc);
// Takes the name typed in box for the tree's current item: a refused name
// is told and the box shows the item's name again. True when the item now
// shows the new name, which the caller gives to the case's item.
bool AcceptTypedName(QLineEdit& box, QTreeWidgetItem* item, CPrompt& prompt);
