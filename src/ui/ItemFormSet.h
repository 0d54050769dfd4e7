#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The outfall, riser and jet forms of one input surface, and the two ways
// values travel between them and the case: loading the current records into
// the forms, and storing the forms into the current records with the
// structure check (the first failing check is shown with the range the value
// may take, its field shows the stored value again, and the store stops
// after that record; the records above it keep what was stored).
#include "validation/CheckSurface.h"

class CPlumexDoc;
class CEditHistory;
class CPrompt;
class COutfallForm;
class CRiserForm;
class CJetForm;

struct CItemFormSet {
    COutfallForm* m_pOutfall = nullptr;
    CRiserForm* m_pRiser = nullptr;
    CJetForm* m_pJet = nullptr;

    void Load(const CPlumexDoc& doc) const;
    // level: 0 none, 1 outfall, 2 riser, 3 jet selected. True when every
    // value up to the selected level was stored (or nothing was selected);
    // *changed tells whether a record took a new value. Each record's
    // change is one edit of the history (made at once without one).
    bool Commit(CPlumexDoc& doc, int level, CheckSurface surface, bool* changed = nullptr,
                CEditHistory* history = nullptr) const;
};
