#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The wizard every new case is made with: page 0 the ambient profile, page
// 1 the kind of scenario (with or without risers), page 2 the structure as
// a tree of outfalls, risers and jets with the form of the selected item,
// and the case's "Merge neighbouring plumes" option.
// It works directly on the new case; the case is kept only when the wizard
// ends with Finish (accepted). Leaving it otherwise (Cancel, Escape, Back on
// the first page) asks first once levels or items were made, and a structure
// is deleted only when the user agrees to change the scenario kind.
#include <QDialog>
#include <QString>

#include "model/Ambient.h"
#include "ui/ItemFormSet.h"

class CPlumexDoc;
class CPrompt;
class CAmbientGrid;
class CHelpBrowser;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTreeWidget;
class QTreeWidgetItem;

class CNewCaseDlg : public QDialog {
    Q_OBJECT
public:
    // noRiser: the scenario kind the program remembers (the second page
    // starts with it); helpFolder holds the pages shown across the top.
    CNewCaseDlg(CPlumexDoc& doc, bool noRiser, const QString& helpFolder, QWidget* parent = nullptr);
    ~CNewCaseDlg() override;

    int Page() const { return m_nPage; }
    int Level() const { return m_nLevel; }
    bool NoRiser() const { return m_bNoRiser; }

    CAmbientGrid* Grid() const { return m_pGrid; }
    QTreeWidget* Tree() const { return m_pTree; }
    QLineEdit* NameField() const { return m_pName; }
    QPushButton* CreateButton() const { return m_pCreate; }
    QPushButton* AddButton() const { return m_pAdd; }
    QPushButton* DeleteButton() const { return m_pDelete; }
    QCheckBox* MergeBox() const { return m_pMerge; }
    QPushButton* BackButton() const { return m_pBack; }
    QPushButton* NextButton() const { return m_pNext; }
    QPushButton* FinishButton() const { return m_pFinish; }
    QPushButton* CancelButton() const { return m_pCancel; }
    QPushButton* AddLevelButton() const { return m_pAddLevel; }
    QPushButton* DeleteLevelButton() const { return m_pDeleteLevel; }
    QRadioButton* ScenarioRadio(int i) const { return m_pRadio[i]; }
    QGroupBox* ItemGroup() const { return m_pGroup; }
    const CItemFormSet& Forms() const { return m_Forms; }
    CHelpBrowser* Help() const { return m_pHelp; }

signals:
    // The scenario kind was chosen on leaving page 1 (to be remembered).
    void scenarioChosen(bool noRiser);
    // Back on the first page: the wizard ends as cancelled.
    void backFromFirstPage();

public slots:
    // Asks before the levels or the structure made so far are given up.
    void reject() override;

private:
    QWidget* MakeAmbientPage();
    QWidget* MakeScenarioPage();
    QWidget* MakeStructurePage();
    void SwitchPage(int page);
    void UpdateNavigation();
    void UpdateItemButtons();
    void SwitchForm(int level);
    // deepest: see FillStructureTree.
    void RefillTree(int deepest = 3);
    // deepest: see FillStructureTree.
    void AfterDocumentOperation(int deepest = 3);
    bool CommitForms();
    // True when nothing typed would be lost, or the user agrees to lose it.
    bool ConfirmDiscard();
    void OnNext();
    void OnBack();
    void OnFinish();
    void OnCreate();
    // Gives a new outfall or riser what it holds down to a jet; the tree then
    // selects no deeper than keep (see FillStructureTree).
    void CompleteNewItem(int keep = 3);
    void OnAdd();
    void OnDelete();
    void OnSelectionChanged();
    void OnNameEdited();

    CPlumexDoc& m_doc;
    CPrompt& m_prompt;
    int m_nPage = 0;
    int m_nLevel = 0;
    bool m_bNoRiser = false;
    bool m_bRebuilding = false;
    bool m_bForcing = false;
    bool m_bCommitEnabled = true;
    double m_dGreatestDepth = 0.0;
    CAmbient m_Profile;  // the grid's levels for the order check

    CHelpBrowser* m_pHelp;
    QStackedWidget* m_pPages;
    CAmbientGrid* m_pGrid = nullptr;
    QPushButton *m_pAddLevel = nullptr, *m_pDeleteLevel = nullptr;
    QRadioButton* m_pRadio[2] = {};
    QTreeWidget* m_pTree = nullptr;
    QLineEdit* m_pName = nullptr;
    QPushButton *m_pCreate = nullptr, *m_pAdd = nullptr, *m_pDelete = nullptr;
    QCheckBox* m_pMerge = nullptr;  // the case's "Merge neighbouring plumes"
    QGroupBox* m_pGroup = nullptr;
    QStackedWidget* m_pFormStack = nullptr;
    CItemFormSet m_Forms;
    QPushButton *m_pBack, *m_pNext, *m_pFinish, *m_pCancel;
};
