#include "ui/StructureTree.h"

#include <QLineEdit>
#include <QTreeWidget>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "validation/FieldLimits.h"

int CurrentLevel(const CPlumexDoc& doc) {
    const CurrentNames n = doc.GetCurrentNames();
    return n.m_nJet >= 0 ? 3 : n.m_nRiser >= 0 ? 2 : n.m_nOutfall >= 0 ? 1 : 0;
}

int FillStructureTree(QTreeWidget& tree, const CPlumexDoc& doc, bool noRiser, int deepest) {
    tree.clear();
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        const CRiser* o = doc.GetOutfall(i);
        auto* oi = new QTreeWidgetItem(&tree, {QString::fromStdString(o->m_strName)});
        for (const auto& r : o->m_Risers) {
            QTreeWidgetItem* parent = oi;
            if (!noRiser) parent = new QTreeWidgetItem(oi, {QString::fromStdString(r->m_strName)});
            for (const auto& j : r->m_Jets) new QTreeWidgetItem(parent, {QString::fromStdString(j->m_strName)});
        }
    }
    tree.expandAll();

    const CurrentNames n = doc.GetCurrentNames();
    int level = CurrentLevel(doc);
    // Without risers there is no riser item to stop at.
    if (deepest >= 1 && deepest < level && !(noRiser && deepest == 2)) level = deepest;
    auto child = [](QTreeWidgetItem* parent, const std::string& name) -> QTreeWidgetItem* {
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (parent->child(i)->text(0).toStdString() == name) return parent->child(i);
        return nullptr;
    };
    QTreeWidgetItem* outfall = nullptr;
    for (int i = 0; level > 0 && i < tree.topLevelItemCount() && !outfall; ++i)
        if (tree.topLevelItem(i)->text(0).toStdString() == n.m_strOutfall) outfall = tree.topLevelItem(i);
    QTreeWidgetItem* selected = nullptr;
    if (level == 1) selected = outfall;
    else if (level == 2) selected = noRiser ? nullptr : child(outfall, n.m_strRiser);
    else if (level == 3)
        selected = noRiser ? child(outfall, n.m_strJet) : child(child(outfall, n.m_strRiser), n.m_strJet);
    tree.setCurrentItem(selected);
    return level;
}

TreePath PathOfItem(const QTreeWidgetItem* item, bool noRiser) {
    TreePath p;
    if (!item) return p;
    int depth = 1;
    for (const QTreeWidgetItem* q = item->parent(); q; q = q->parent()) ++depth;
    const std::string name = item->text(0).toStdString();
    if (depth == 1) {
        p.m_nLevel = 1;
        p.m_strOutfall = name;
    } else if (depth == 2 && noRiser) {
        p.m_nLevel = 3;
        p.m_strOutfall = item->parent()->text(0).toStdString();
        p.m_strRiser = "Riser1";
        p.m_strJet = name;
    } else if (depth == 2) {
        p.m_nLevel = 2;
        p.m_strOutfall = item->parent()->text(0).toStdString();
        p.m_strRiser = name;
    } else {
        p.m_nLevel = 3;
        p.m_strOutfall = item->parent()->parent()->text(0).toStdString();
        p.m_strRiser = item->parent()->text(0).toStdString();
        p.m_strJet = name;
    }
    return p;
}

bool AcceptTypedName(QLineEdit& box, QTreeWidgetItem* item, CPrompt& prompt) {
    if (!item || box.text() == item->text(0)) return false;
    const std::string problem = CheckName(box.text().toStdString());
    if (!problem.empty()) {
        box.setText(item->text(0));
        prompt.Inform(problem);
        return false;
    }
    item->setText(0, box.text());
    return true;
}
