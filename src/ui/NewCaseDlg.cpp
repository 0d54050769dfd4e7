#include "ui/NewCaseDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "edit/RunOptionsCommand.h"
#include "ui/AmbientGrid.h"
#include "ui/HelpBrowser.h"
#include "ui/JetForm.h"
#include "ui/OutfallForm.h"
#include "ui/ProfileKindBar.h"
#include "ui/RiserForm.h"
#include "ui/ScenarioPicture.h"
#include "ui/StructureTree.h"
#include "validation/FieldLimits.h"

namespace {
const char* const kGroupCaptions[4] = {"Parameters", "Outfall Parameters", "Riser Parameters", "Jet Parameters"};
const char* const kDiscardCase = "Discard the new case? The ambient levels and the structure made so far are lost.";
const char* const kDeleteForNoRisers =
    "The structure was made for a scenario with risers. Delete it to make one without risers?";
const char* const kDeleteForRisers =
    "The structure was made for a scenario without risers. Delete it to make one with risers?";
}  // namespace

CNewCaseDlg::CNewCaseDlg(CPlumexDoc& doc, bool noRiser, const QString& helpFolder, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_prompt(doc.Prompt()), m_bNoRiser(noRiser) {
    setObjectName("newCaseWizard");
    setWindowTitle("Wizard");
    m_pHelp = new CHelpBrowser(helpFolder, this);
    m_pHelp->setObjectName("wizardHelp");
    m_pHelp->setMinimumHeight(fontMetrics().height() * 12);
    m_pHelp->SetImagesFitWidth(true);
    m_pHelp->setFocusPolicy(Qt::NoFocus);

    m_pPages = new QStackedWidget(this);
    m_pPages->addWidget(MakeAmbientPage());
    m_pPages->addWidget(MakeScenarioPage());
    m_pPages->addWidget(MakeStructurePage());

    m_pBack = new QPushButton("Back", this);
    m_pNext = new QPushButton("Next", this);
    m_pFinish = new QPushButton("Finish", this);
    m_pCancel = new QPushButton("Cancel", this);
    m_pBack->setObjectName("back");
    m_pNext->setObjectName("next");
    m_pFinish->setObjectName("finish");
    m_pCancel->setObjectName("cancel");
    for (QPushButton* b : {m_pBack, m_pNext, m_pFinish, m_pCancel}) b->setAutoDefault(false);
    auto* nav = new QHBoxLayout;
    nav->addStretch();
    for (QPushButton* b : {m_pBack, m_pNext, m_pFinish, m_pCancel}) nav->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pHelp, 2);
    layout->addWidget(m_pPages, 3);
    layout->addLayout(nav);
    resize(fontMetrics().averageCharWidth() * 120, fontMetrics().height() * 46);

    connect(m_pBack, &QPushButton::clicked, this, &CNewCaseDlg::OnBack);
    connect(m_pNext, &QPushButton::clicked, this, &CNewCaseDlg::OnNext);
    connect(m_pFinish, &QPushButton::clicked, this, &CNewCaseDlg::OnFinish);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    m_doc.SetAmbientGridLink(m_pGrid);
    SwitchPage(0);
}

CNewCaseDlg::~CNewCaseDlg() { m_doc.SetAmbientGridLink(nullptr); }

QWidget* CNewCaseDlg::MakeAmbientPage() {
    auto* page = new QWidget;
    m_pGrid = new CAmbientGrid(CheckSurface::Wizard, m_prompt, page);
    m_pAddLevel = new QPushButton("Add a Level", page);
    m_pDeleteLevel = new QPushButton("Delete a Level", page);
    m_pAddLevel->setObjectName("addLevel");
    m_pDeleteLevel->setObjectName("deleteLevel");
    for (QPushButton* b : {m_pAddLevel, m_pDeleteLevel}) b->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pAddLevel);
    buttons->addWidget(m_pDeleteLevel);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(new CProfileKindBar(*m_pGrid, page));
    left->addWidget(m_pGrid, 1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    connect(m_pAddLevel, &QPushButton::clicked, m_pGrid, &CAmbientGrid::AddLevel);
    connect(m_pDeleteLevel, &QPushButton::clicked, m_pGrid, &CAmbientGrid::DeleteLevel);
    connect(m_pGrid, &CAmbientGrid::levelsChanged, this, &CNewCaseDlg::UpdateNavigation);
    return page;
}

QWidget* CNewCaseDlg::MakeScenarioPage() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    auto* group = new QButtonGroup(page);
    const char* const captions[2] = {"Create a Scenario with Riser", "Create a Scenario without Riser"};
    for (int i = 0; i < 2; ++i) {
        auto* column = new QVBoxLayout;
        auto* picture = new QLabel(page);
        picture->setObjectName(i == 0 ? "pictureWithRisers" : "pictureWithoutRisers");
        picture->setPixmap(DrawScenarioPicture(i == 0, devicePixelRatioF()));
        picture->setFrameShape(QFrame::Panel);
        picture->setFrameShadow(QFrame::Sunken);
        m_pRadio[i] = new QRadioButton(captions[i], page);
        m_pRadio[i]->setObjectName(i == 0 ? "withRisers" : "withoutRisers");
        group->addButton(m_pRadio[i], i);
        column->addWidget(picture, 0, Qt::AlignHCenter);
        column->addWidget(m_pRadio[i], 0, Qt::AlignHCenter);
        column->addStretch();
        layout->addLayout(column);
    }
    m_pRadio[m_bNoRiser ? 1 : 0]->setChecked(true);
    return page;
}

QWidget* CNewCaseDlg::MakeStructurePage() {
    auto* page = new QWidget;
    m_pTree = new QTreeWidget(page);
    m_pTree->setObjectName("structureTree");
    m_pTree->setHeaderHidden(true);
    m_pName = new QLineEdit(page);
    m_pName->setObjectName("itemName");
    m_pName->setMaxLength(static_cast<int>(FieldLimits::kMaxNameLength));
    m_pCreate = new QPushButton("Create an Outfall", page);
    m_pAdd = new QPushButton("Add an Item", page);
    m_pDelete = new QPushButton("Delete an Item", page);
    m_pCreate->setObjectName("createItem");
    m_pAdd->setObjectName("addItem");
    m_pDelete->setObjectName("deleteItem");
    for (QPushButton* b : {m_pCreate, m_pAdd, m_pDelete}) b->setAutoDefault(false);

    m_pGroup = new QGroupBox("Parameters", page);
    m_pGroup->setObjectName("itemGroup");
    m_pFormStack = new QStackedWidget(m_pGroup);
    m_Forms.m_pOutfall = new COutfallForm(m_prompt);
    m_Forms.m_pRiser = new CRiserForm(m_prompt);
    m_Forms.m_pJet = new CJetForm(m_prompt);
    m_pFormStack->addWidget(new QWidget);
    m_pFormStack->addWidget(m_Forms.m_pOutfall);
    m_pFormStack->addWidget(m_Forms.m_pRiser);
    m_pFormStack->addWidget(m_Forms.m_pJet);
    auto* groupLayout = new QVBoxLayout(m_pGroup);
    groupLayout->addWidget(m_pFormStack);
    groupLayout->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(m_pTree, 1);
    left->addWidget(m_pName);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_pCreate, m_pAdd, m_pDelete}) buttons->addWidget(b);
    left->addLayout(buttons);
    m_pMerge = new QCheckBox("Merge neighbouring plumes", page);
    m_pMerge->setObjectName("mergePlumes");
    m_pMerge->setToolTip("The plumes of neighbouring ports of an outfall merge in the jet model");
    m_pMerge->setChecked(m_doc.MergesPlumes());
    left->addWidget(m_pMerge);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addWidget(m_pGroup, 1);
    setTabOrder(m_pTree, m_pName);
    setTabOrder(m_pName, m_pCreate);
    setTabOrder(m_pCreate, m_pAdd);
    setTabOrder(m_pAdd, m_pDelete);
    setTabOrder(m_pDelete, m_pMerge);

    connect(m_pCreate, &QPushButton::clicked, this, &CNewCaseDlg::OnCreate);
    connect(m_pAdd, &QPushButton::clicked, this, &CNewCaseDlg::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CNewCaseDlg::OnDelete);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CNewCaseDlg::OnSelectionChanged);
    connect(m_pName, &QLineEdit::editingFinished, this, &CNewCaseDlg::OnNameEdited);
    // The case is not yet in any history: the edit is made at once.
    connect(m_pMerge, &QCheckBox::toggled, this, [this](bool merge) {
        if (merge != m_doc.MergesPlumes()) CEditHistory::Apply(nullptr, CRunOptionsCommand::ToggleMergePlumes(m_doc));
        const QSignalBlocker quiet(m_pMerge);
        m_pMerge->setChecked(m_doc.MergesPlumes());
    });
    for (CItemForm* f : std::initializer_list<CItemForm*>{m_Forms.m_pOutfall, m_Forms.m_pRiser, m_Forms.m_pJet})
        connect(f, &CItemForm::commitRequested, this, &CNewCaseDlg::CommitForms);
    connect(m_Forms.m_pJet, &CJetForm::leftCommitField, this, &CNewCaseDlg::CommitForms);
    return page;
}

void CNewCaseDlg::SwitchPage(int page) {
    m_pPages->setCurrentIndex(page);
    m_nPage = page;
    if (page == 2) {
        m_bForcing = true;
        SwitchForm(m_nLevel);
        m_bForcing = false;
        const QSignalBlocker quiet(m_pMerge);
        m_pMerge->setChecked(m_doc.MergesPlumes());
    }
    const char* help = page == 0    ? "Ambienthelp.htm"
                       : page == 1  ? "twomode.htm"
                       : m_bNoRiser ? "Outfallhelp_Noriser.htm"
                                    : "Outfallhelp.htm";
    if (!m_pHelp->ShowPage(help)) m_pHelp->setPlainText(QString("The help page \"%1\" is missing.").arg(help));
    UpdateNavigation();
    if (page == 0) m_pGrid->setFocus();
    if (page == 2) m_pTree->setFocus();
}

void CNewCaseDlg::UpdateNavigation() {
    m_pNext->setEnabled(m_nPage < 2 && m_pGrid->LevelCount() >= 1);
    m_pBack->setEnabled(true);
    m_pFinish->setEnabled(m_nPage == 2 && m_doc.GetCurrentOutfall() != nullptr);
}

void CNewCaseDlg::UpdateItemButtons() {
    static const char* const create[4] = {"Create an Outfall", "Create a Riser", "Create a Jet", "Nothing Create"};
    static const char* const remove[4] = {"Nothing Delete", "Delete the Outfall", "Delete the Riser", "Delete the Jet"};
    static const char* const add[4] = {"Nothig Add", "Add an Outfall", "Add a Riser", "Add a Jet"};
    const int l = std::clamp(m_nLevel, 0, 3);
    m_pCreate->setText(l == 1 && m_bNoRiser ? "Create a Jet" : create[l]);
    m_pDelete->setText(remove[l]);
    m_pAdd->setText(add[l]);
    const CRiser* outfall = m_doc.GetCurrentOutfall();
    m_pCreate->setEnabled(l == 0 || l == 2 || (l == 1 && outfall && outfall->GetRiserCount() == 0));
    m_pAdd->setEnabled(l != 0);
    m_pDelete->setEnabled(l != 0);
}

void CNewCaseDlg::SwitchForm(int level) {
    if (level == m_nLevel && !m_bForcing) {
        UpdateItemButtons();
        return;
    }
    m_nLevel = level;
    m_pGroup->setTitle(kGroupCaptions[std::clamp(level, 0, 3)]);
    m_pFormStack->setCurrentIndex(std::clamp(level, 0, 3));
    m_Forms.m_pOutfall->SetNoRiser(m_bNoRiser);
    UpdateItemButtons();
}

void CNewCaseDlg::RefillTree(int deepest) {
    m_bRebuilding = true;
    const int level = FillStructureTree(*m_pTree, m_doc, m_bNoRiser, deepest);
    // The box names the selected item, and nothing once none is selected.
    QTreeWidgetItem* selected = m_pTree->currentItem();
    m_pName->setText(selected ? selected->text(0) : QString());
    SwitchForm(level);
    m_bRebuilding = false;
}

void CNewCaseDlg::AfterDocumentOperation(int deepest) {
    RefillTree(deepest);
    m_Forms.Load(m_doc);
    UpdateItemButtons();
    UpdateNavigation();
}

bool CNewCaseDlg::CommitForms() {
    if (!m_bCommitEnabled) return true;
    return m_Forms.Commit(m_doc, m_nLevel, CheckSurface::Wizard);
}

void CNewCaseDlg::OnNext() {
    if (m_nPage == 0) {
        m_pGrid->CommitEditor();
        if (m_pGrid->LevelCount() < 1) return;
        m_Profile.SetRows(m_pGrid->Rows());
        int a = 0, b = 0;
        const int result = m_Profile.CheckProfile(a, b);
        if (result == -2) {
            m_prompt.Inform(ProfileOrderMessage(result, a, b));
            return;
        }
        if (result == -1 && !m_prompt.AskYesNo(ProfileOrderMessage(result, a, b))) return;
        SwitchPage(1);
    } else if (m_nPage == 1) {
        const bool noRiser = m_pRadio[1]->isChecked();
        // A structure made before stays unless it belongs to the other
        // scenario kind: then the user decides whether it goes.
        const bool otherKind = noRiser != m_doc.IsNoRiser();
        if (otherKind && m_doc.GetOutfallCount() > 0 &&
            !m_prompt.AskYesNo(noRiser ? kDeleteForNoRisers : kDeleteForRisers))
            return;
        m_bNoRiser = noRiser;
        m_doc.App().m_bNewCaseNoRiser = m_bNoRiser;
        m_doc.SetNoRiser(m_bNoRiser);
        emit scenarioChosen(m_bNoRiser);
        if (otherKind) {
            m_bCommitEnabled = false;
            while (m_doc.GetOutfallCount() > 0) {
                m_doc.m_nCurrentOutfall = 0;
                m_doc.Delete(TreeLevel::Outfall);
            }
            m_doc.m_nCurrentOutfall = 0;
            m_bCommitEnabled = true;
        }
        m_nLevel = 0;
        RefillTree();
        m_Forms.Load(m_doc);
        SwitchPage(2);
    }
    UpdateItemButtons();
}

void CNewCaseDlg::OnBack() {
    if (m_nPage == 0) {
        if (!ConfirmDiscard()) return;
        QDialog::reject();
        emit backFromFirstPage();
        return;
    }
    // What was typed into the item forms stays in the case for the way back.
    if (m_nPage == 2) CommitForms();
    SwitchPage(m_nPage - 1);
}

bool CNewCaseDlg::ConfirmDiscard() {
    m_pGrid->CommitEditor();
    if (m_pGrid->LevelCount() == 0 && m_doc.GetOutfallCount() == 0) return true;
    return m_prompt.AskYesNo(kDiscardCase);
}

void CNewCaseDlg::reject() {
    if (ConfirmDiscard()) QDialog::reject();
}

void CNewCaseDlg::OnFinish() {
    CommitForms();
    m_pGrid->CommitEditor();
    std::vector<ProfileRow> rows = m_pGrid->Rows();
    m_dGreatestDepth = 0.0;
    for (const ProfileRow& r : rows) m_dGreatestDepth = std::max(m_dGreatestDepth, r.m_dDepth);
    // The water reaches down to the deepest level; a profile that stays
    // within the top metre gets the usual 20 m.
    m_doc.SetProfile(std::move(rows), m_dGreatestDepth > 1.0 ? m_dGreatestDepth : 20.0);
    m_doc.PropagateCurrentAngle();
    accept();
}

// A new outfall or riser comes with what it holds down to a jet, so the
// item forms always have a jet to show.
void CNewCaseDlg::CompleteNewItem(int keep) {
    RefillTree();
    if (m_nLevel == 1) {
        m_doc.Create(TreeLevel::Riser);
        RefillTree();
    }
    if (m_nLevel == 2) {
        m_doc.Create(TreeLevel::Jet);
        RefillTree();
    }
    m_bCommitEnabled = true;
    AfterDocumentOperation(keep);
}

void CNewCaseDlg::OnCreate() {
    CommitForms();
    m_bCommitEnabled = false;
    m_doc.Create(static_cast<TreeLevel>(std::clamp(m_nLevel, 0, 2)));
    CompleteNewItem();
}

void CNewCaseDlg::OnAdd() {
    if (m_nLevel < 1) return;
    CommitForms();
    m_bCommitEnabled = false;
    const int added = m_nLevel;
    m_doc.Add(static_cast<TreeLevel>(m_nLevel - 1));
    // The added outfall or riser stays selected, not the jet it came with.
    CompleteNewItem(added);
}

void CNewCaseDlg::OnDelete() {
    if (m_nLevel >= 1 && m_prompt.AskYesNo("Delete the selected item?")) {
        CommitForms();
        m_bCommitEnabled = false;
        m_doc.Delete(static_cast<TreeLevel>(m_nLevel - 1));
        m_bCommitEnabled = true;
        AfterDocumentOperation();
    }
    UpdateNavigation();
}

void CNewCaseDlg::OnSelectionChanged() {
    if (m_bRebuilding) return;
    CommitForms();
    QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item) {
        m_pName->clear();
        SwitchForm(0);
        UpdateNavigation();
        return;
    }
    m_pName->setText(item->text(0));
    const TreePath path = PathOfItem(item, m_bNoRiser);
    SwitchForm(path.m_nLevel);
    m_doc.SelectPath(path.m_strOutfall, path.m_strRiser, path.m_strJet);
    m_Forms.Load(m_doc);
    UpdateItemButtons();
    UpdateNavigation();
}

void CNewCaseDlg::OnNameEdited() {
    if (!AcceptTypedName(*m_pName, m_pTree->currentItem(), m_prompt)) return;
    const std::string name = m_pName->text().toStdString();
    if (m_nLevel >= 1 && m_nLevel <= 3) m_doc.RenameCurrent(static_cast<TreeLevel>(m_nLevel - 1), name);
}
