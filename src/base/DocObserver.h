#pragma once
#ifndef PLUMEX_LAYER_BASE
#error "a header of plumex_base, included by a library that does not link it"
#endif
// Views and panes register with the document to hear about changes; the
// document never knows a widget. Every change comes as one DocEvent: its
// kind, and for the kinds that concern one item, which item.
#include <cstdint>

#include "base/TreeLevel.h"

// Levels of the outfall -> riser -> jet tree as the item events name them:
// the tree's levels, and None for events that concern no item.
enum class DocItemLevel { None = 0, Outfall = 1, Riser = 2, Jet = 3 };

inline DocItemLevel ItemLevelOf(TreeLevel level) { return static_cast<DocItemLevel>(static_cast<int>(level) + 1); }

struct DocEvent {
    enum Kind {
        ViewsUpdate,        // "update all views": redraw from the case
        InputBarRefresh,    // the input bar rebuilds its tree and panes (modified flag set)
        SelectionChanged,   // the current outfall/riser/jet changed; the item fields name the new one
        ResultsReady,       // a run has placed new results (the 3-D view rebuilds its lists)
        AmbientBoxChanged,  // the water depth changed: the ambient box display is rebuilt
        ProfileChanged,     // the ambient profile window redraws
        ItemAdded,          // an outfall, riser or jet was appended; the item fields name it
        ItemRemoved,        // one was deleted; the item fields give where it stood
        ItemChanged,        // the values of one item changed; the item fields name it
        CutPlaneChanged,    // a new section was made; m_bFlag: the section image was re-created
        ResultsChanged,     // results of jets changed; m_nCount jets received new results
        ModifiedChanged,    // the modified flag changed; m_bFlag is its new value (already set)
        RunStateChanged,    // a run started or ended; m_bFlag: a run is in flight
        ResultsOutOfDate,   // the results shown stopped (or started again) matching the input; m_bFlag: out of date
        JetPicked,          // a jet was picked in a view (now current); the item fields name it, m_nCount its disk
    };

    DocEvent(Kind kind = ViewsUpdate) : m_eKind(kind) {}  // NOLINT: a bare kind is an event
    static DocEvent Item(Kind kind, DocItemLevel level, int outfall, int riser, int jet, std::uint64_t jetId = 0) {
        DocEvent e(kind);
        e.m_eLevel = level;
        e.m_nOutfall = outfall;
        e.m_nRiser = riser;
        e.m_nJet = jet;
        e.m_nJetId = jetId;
        return e;
    }
    static DocEvent Flag(Kind kind, bool flag) {
        DocEvent e(kind);
        e.m_bFlag = flag;
        return e;
    }
    bool operator==(Kind kind) const { return m_eKind == kind; }
    bool operator!=(Kind kind) const { return m_eKind != kind; }

    Kind m_eKind;
    // The item an item or selection event concerns: its level and its
    // indices (-1 below its level), and for a jet its identity (CJet::Id).
    DocItemLevel m_eLevel = DocItemLevel::None;
    int m_nOutfall = -1;
    int m_nRiser = -1;
    int m_nJet = -1;
    std::uint64_t m_nJetId = 0;
    bool m_bFlag = false;
    int m_nCount = 0;
};

class CDocObserver {
public:
    virtual ~CDocObserver() = default;
    virtual void OnDocEvent(const DocEvent& event) = 0;
};
