#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// A case window: the 3-D view on the left; on the right the plane view
// above the data pane, in nested splitters. The right panes can be hidden
// and brought back by the View commands of the main window.
#include <QWidget>
#include <functional>

#include "gui/PaneSizes.h"

class QLabel;
class QSplitter;
class CCaseDocument;
class CPlumexView;

class CChildFrame : public QWidget {
    Q_OBJECT
public:
    // screen: the screen size the pane sizes are chosen by; creation: the
    // size the window is made with.
    CChildFrame(CCaseDocument& doc, const QSize& screen, const QSize& creation, QWidget* parent = nullptr);
    // The narrowest the 3-D view gets, in lines of the window's font.
    static constexpr int kSceneMinimumLines = 12;
    ~CChildFrame() override;

    CCaseDocument& Document() const { return m_doc; }
    CPlumexView* SceneView() const { return m_pView; }
    QWidget* PlaneView() const { return m_pPlane; }
    QWidget* DataView() const { return m_pData; }
    // The note over the 3-D view that the jets shown are out of date.
    QLabel* OutOfDateNote() const { return m_pOutOfDate; }
    QSplitter* OuterSplitter() const { return m_pOuter; }
    QSplitter* NestedSplitter() const { return m_pNested; }

    // Shows and hides the right panes: with both flags clear the 3-D view
    // fills the window; otherwise the right column shows the panes whose
    // flag is set.
    void ApplyPaneFlags(bool crossSectionShown, bool dataShown);
    // Gives the keyboard focus to the next (or previous) visible pane.
    void FocusNextPane(bool forward);

    // Asked before the window closes; false keeps it open.
    void SetCloseGuard(std::function<bool(CChildFrame*)> guard) { m_closeGuard = std::move(guard); }
    // The window number among the count of windows on the same case (1 for the first).
    void SetWindowNumber(int n, int count);
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The pane sizes for the window's present size, until the user moves a splitter.
    void ApplyInitialSizes(const QSize& size);

    CCaseDocument& m_doc;
    QSize m_Screen;
    bool m_bUserSized = false;
    QSplitter* m_pOuter;
    QSplitter* m_pNested;
    CPlumexView* m_pView;
    QLabel* m_pOutOfDate;
    QWidget* m_pPlane;
    QWidget* m_pData;
    PaneSizes m_Sizes;
    std::function<bool(CChildFrame*)> m_closeGuard;
    int m_nNumber = 1;
    int m_nCount = 1;
};
