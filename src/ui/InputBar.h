#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The input bar: the permanent editing surface of the active case, docked
// at the right of the main window (it may float). Three sections that open
// and close by their headers: the ambient profile grid with the angle of
// the current, the outfall structure tree with its item buttons, and the
// form of the selected outfall, riser or jet; below them "Resimulate
// selected Jet" and the text of the last pick. Every change goes into the
// case and is checked as it is in the wizard. The structure section also
// holds the case's "Merge neighbouring plumes" option, off while a run is
// in flight like the other run options. Below the three sections, the "Far
// field" section (ui/FarFieldForm.h) edits the case's far-field settings.
#include <QDockWidget>
#include <QPointer>
#include <memory>
#include <vector>

#include "base/DocObserver.h"
#include "base/TreeLevel.h"
#include "edit/EditHistory.h"
#include "ui/ItemFormSet.h"

class CPlumexDoc;
class CPrompt;
class QUndoCommand;
class CAmbientGrid;
class CFarFieldForm;
class CNumberField;
class CJet;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTreeWidget;

class CInputBar : public QDockWidget {
    Q_OBJECT
public:
    CInputBar(CPrompt& prompt, QWidget* parent = nullptr);
    ~CInputBar() override;

    // The case to show (null: none; the form is left as it is). The bar
    // refreshes everything when the case differs or force is set.
    void SetCase(CPlumexDoc* doc, bool force = false);
    CPlumexDoc* Case() const { return m_pDoc; }
    // The history the bar's edits go into (null: they are made at once and
    // cannot be taken back). Its undo and redo bring the bar up to date and
    // show the note on results that no longer match.
    void SetHistory(CEditHistory* history);
    CEditHistory* History() const { return m_pHistory; }
    // "<Outfall.Riser.Jet-value>" for each picked jet (names of the outfall
    // and riser only for a single jet); "Ready" for no value. A jet picked
    // in a view shows its picked disk's mean concentration.
    void ShowPickResult(double x, double y, double z, float value, const std::vector<const CJet*>& jets);
    static QString PickText(float value, const std::vector<const CJet*>& jets, const CPlumexDoc& doc);

    int Level() const { return m_nLevel; }
    CAmbientGrid* Grid() const { return m_pGrid; }
    QTreeWidget* Tree() const { return m_pTree; }
    QLineEdit* NameField() const { return m_pName; }
    CNumberField* AngleField() const { return m_pAngle; }
    QPushButton* SectionHeader(int i) const { return m_pHeader[i]; }
    QWidget* SectionBody(int i) const { return m_pBody[i]; }
    QPushButton* CreateButton() const { return m_pCreate; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QPushButton* ResimulateButton() const { return m_pResimulate; }
    QCheckBox* MergeBox() const { return m_pMerge; }
    QLabel* PickLabel() const { return m_pPick; }
    QLabel* StaleNote() const { return m_pStale; }
    CFarFieldForm* FarFieldForm() const { return m_pFarField; }
    const CItemFormSet& Forms() const { return m_Forms; }

    // News of the shown case (connected by the owner to the case's events).
    void OnDocEvent(const DocEvent& event);
    // The owner says whether the program is free of runs (a run of another
    // case counts too): the run options are changed only then.
    void SetRunsIdle(bool idle);
    // "Resimulate selected Jet": stores the grid, the angle and the form,
    // then asks for a run of the selected jet, or of all jets when the
    // structure changed since the last one.
    void Resimulate();

signals:
    // The case is stored and checked: compute all its jets, or only the
    // current jet.
    void runRequested(bool allJets);

protected:
    // The controls' layout changed: the bar's minimum width follows it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FitWidthToControls();
    void Refresh();
    void LoadGrid();
    void LayoutSections();
    void SwitchForm(int level);
    void UpdateItemButtons();
    bool CommitForms();
    // Grid and angle into the case, then the structure check.
    bool StoreAll();
    void StoreGrid();
    void StoreAngle();
    // One edit into the history (or the case); true when it changed the case.
    bool Edit(std::unique_ptr<QUndoCommand> command);
    // The edits of one button (a new outfall comes with a riser and a jet)
    // as one entry of the history, named by its first edit.
    void BeginEdits(const QString& text);
    void EndEdits();
    // An edit was taken back or made again.
    void OnInputsRestored(bool modelInput);
    // The name the case will give a new item of the level.
    QString NewItemName(TreeLevel level) const;
    void OnTreeSelection();
    void OnNameEdited();
    void OnCreate();
    void OnAdd();
    void OnDelete();
    void OnMergeToggled(bool merge);
    // The merge box shows the case's option, enabled while no run is in flight.
    void UpdateMergeBox();
    void OnDisplayToggled(int level, bool shown);
    // deepest: see FillStructureTree.
    void RefillTree(int deepest = 3);
    // Says that the jets shown no longer match the input, when they have results.
    void MarkResultsStale();

    CPrompt& m_prompt;
    CPlumexDoc* m_pDoc = nullptr;
    QPointer<CEditHistory> m_pHistory;
    int m_nLevel = -1;
    bool m_bRebuilding = false;
    bool m_bBusy = false;  // the bar itself is changing the case
    bool m_bStructureChanged = false;
    bool m_bOpen[3] = {true, true, true};
    QPushButton* m_pHeader[3] = {};
    QWidget* m_pBody[3] = {};
    CAmbientGrid* m_pGrid;
    CNumberField* m_pAngle;
    QTreeWidget* m_pTree;
    QLineEdit* m_pName;
    QPushButton *m_pCreate, *m_pAdd, *m_pDelete;
    QStackedWidget* m_pFormStack;
    CItemFormSet m_Forms;
    QCheckBox* m_pMerge;
    bool m_bRunsIdle = true;
    QPushButton* m_pResimulate;
    QLabel* m_pStale;  // shown while the results are older than the input
    QLabel* m_pPick;
    CFarFieldForm* m_pFarField;        // the "Far field" section
    QScrollArea* m_pScroll = nullptr;  // holds the controls
};
