#pragma once
// Views and panes register with the document to hear about changes; the
// document never knows a widget.

enum class DocEvent {
    ViewsUpdate,        // "update all views": redraw from the case
    InputBarRefresh,    // the input bar rebuilds its tree and panes (modified flag set)
    SelectionChanged,   // the input bar shows the new outfall/riser/jet selection
    ResultsReady,       // a run has placed new results (the 3-D view rebuilds its lists)
    AmbientBoxChanged,  // the water depth changed: the ambient box display is rebuilt
    ProfileChanged,     // the ambient profile window redraws
};

class CDocObserver {
public:
    virtual ~CDocObserver() = default;
    virtual void OnDocEvent(DocEvent event) = 0;
};
