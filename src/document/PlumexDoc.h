#pragma once
#ifndef PLUMEX_LAYER_DOCUMENT
#error "a header of plumex_document, included by a library that does not link it"
#endif
// The program's case document: a case (model) together with its jet
// displays (scene), as the views, panes and command-line jobs use them. It
// owns the displays and offers the operations that need both parts under
// their usual names, each a forward to the part that does the work; the
// renderer (GL) draws the case through them.
#include "model/Case.h"
#include "scene/JetDisplays.h"

class CGlResources;
struct SceneDrawState;

class CPlumexDoc final : public CCase {
public:
    CPlumexDoc(CAppState& app, CPrompt& prompt);

    CJetDisplays& Displays() { return m_Displays; }
    const CJetDisplays& Displays() const { return m_Displays; }

    // After a run or a load: placements, ranges; colours and the sort tree
    // follow when next shown.
    void PrepareJetDisplays();
    void PrepareJetDisplays(int outfall, int riser, int firstJet, int count);
    ColourMode GetColourMode() const;
    // Shows the jets in the mode, its colour table made now.
    void BuildColourTable(ColourMode mode);
    void BuildSortTree() const;
    const CSortTree* SortTree() const;

    // Drawing into the current GL context (the renderer's functions).
    void DrawStructures(SceneDrawState& state);
    void DrawAmbient(const SceneDrawState& state, CGlResources& resources) const;
    void DrawSortedJets(const SceneDrawState& state) const;

private:
    CJetDisplays m_Displays;
};
