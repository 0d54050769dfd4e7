#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// Where an outfall, riser or jet stands in the case: its level and its
// indices (-1 below its level). Commands name the item they change by its
// path, and put the case's selection back on it before they change it.
#include <string>

#include "base/TreeLevel.h"

class CCase;
class CRiser;
class CBase;
class CJet;

struct ItemPath {
    TreeLevel m_eLevel = TreeLevel::Outfall;
    int m_nOutfall = -1;
    int m_nRiser = -1;
    int m_nJet = -1;

    // The current item of that level; m_nOutfall is -1 when there is none.
    static ItemPath Current(const CCase& doc, TreeLevel level);
    bool IsValid() const { return m_nOutfall >= 0; }
    bool operator==(const ItemPath& o) const {
        return m_eLevel == o.m_eLevel && m_nOutfall == o.m_nOutfall && m_nRiser == o.m_nRiser && m_nJet == o.m_nJet;
    }

    CRiser* Outfall(const CCase& doc) const;
    CBase* Riser(const CCase& doc) const;
    CJet* Jet(const CCase& doc) const;
    // The item's name, empty when the path names no item.
    std::string Name(const CCase& doc) const;
    // How texts name the item: its name, a jet's with its riser (JetLabel).
    std::string Label(const CCase& doc) const;
};

// The current outfall, its current riser and that riser's current jet.
struct SelectionPath {
    int m_nOutfall = 0;
    int m_nRiser = 0;
    int m_nJet = 0;

    static SelectionPath Current(const CCase& doc);
    // Makes these the current items, as far as they exist.
    void Restore(CCase& doc) const;
    // The selection on the item of a path (its children keep theirs).
    static void Select(CCase& doc, const ItemPath& path);
};
