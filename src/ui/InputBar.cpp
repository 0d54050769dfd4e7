#include "ui/InputBar.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/CurrentAngleCommand.h"
#include "edit/ProfileCommand.h"
#include "edit/RenameCommand.h"
#include "edit/RunOptionsCommand.h"
#include "edit/TreeEditCommand.h"
#include "edit/VisibilityCommand.h"
#include "model/JetLabel.h"
#include "ui/AmbientGrid.h"
#include "ui/FarFieldForm.h"
#include "ui/JetForm.h"
#include "ui/NumberField.h"
#include "ui/OutfallForm.h"
#include "ui/ProfileKindBar.h"
#include "ui/RiserForm.h"
#include "ui/StructureTree.h"
#include "validation/FieldLimits.h"

namespace {
const char* const kCreateTexts[4] = {"Create an Outfall", "Create a Riser", "Create a Jet", "Nothing Create"};
const char* const kDeleteTexts[4] = {"Nothing Delete", "Delete the Outfall", "Delete the Riser", "Delete the Jet"};
const char* const kAddTexts[4] = {"Nothig Add", "Add an Outfall", "Add a Riser", "Add a Jet"};

// A button as wide as its widest caption, so that the bar keeps its width
// whichever level of the structure is chosen.
void FitButtonToTexts(QPushButton* button, const char* const (&texts)[4]) {
    const QString shown = button->text();
    int widest = 0;
    for (const char* text : texts) {
        button->setText(text);
        widest = std::max(widest, button->minimumSizeHint().width());
    }
    button->setText(shown);
    button->setMinimumWidth(widest);
}

const char* const kItemCaptions[4] = {"Parameters", "Outfall Parameters", "Riser Parameters", "Jet Parameters"};

QPushButton* SectionButton(QWidget* parent) {
    auto* b = new QPushButton(parent);
    b->setFlat(true);
    b->setStyleSheet("text-align: left; font-weight: bold;");
    b->setAutoDefault(false);
    return b;
}
}  // namespace

CInputBar::CInputBar(CPrompt& prompt, QWidget* parent) : QDockWidget("parmeter", parent), m_prompt(prompt) {
    setObjectName("inputBar");
    setAllowedAreas(Qt::RightDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable | QDockWidget::DockWidgetClosable);

    auto* form = new QWidget;
    form->setStyleSheet("QLineEdit:focus { background-color: rgb(255, 255, 0); }");
    auto* layout = new QVBoxLayout(form);
    layout->setSpacing(4);
    for (int i = 0; i < 3; ++i) {
        m_pHeader[i] = SectionButton(form);
        m_pHeader[i]->setObjectName(QString("sectionHeader%1").arg(i));
        m_pBody[i] = new QWidget(form);
    }

    // Ambient section: the grid, its level buttons and the current angle.
    m_pGrid = new CAmbientGrid(CheckSurface::InputBar, prompt, m_pBody[0]);
    m_pGrid->setMinimumHeight(120);
    auto* addLevel = new QPushButton("Add Item", m_pBody[0]);
    auto* deleteLevel = new QPushButton("Delete Item", m_pBody[0]);
    addLevel->setObjectName("addLevel");
    deleteLevel->setObjectName("deleteLevel");
    m_pAngle = new CNumberField(prompt, m_pBody[0]);
    m_pAngle->setObjectName("currentAngle");
    m_pAngle->SetLimits(FieldLimits::kAngleMin, FieldLimits::kAngleMax);
    auto* ambient = new QVBoxLayout(m_pBody[0]);
    ambient->setContentsMargins(0, 0, 0, 0);
    ambient->addWidget(new CProfileKindBar(*m_pGrid, m_pBody[0]));
    ambient->addWidget(m_pGrid);
    auto* levelButtons = new QHBoxLayout;
    levelButtons->addWidget(addLevel);
    levelButtons->addWidget(deleteLevel);
    ambient->addLayout(levelButtons);
    auto* angleRow = new QHBoxLayout;
    angleRow->addWidget(new QLabel("Current angle(deg)", m_pBody[0]));
    angleRow->addWidget(m_pAngle);
    ambient->addLayout(angleRow);

    // Structure section: the tree, the name of the selected item, the item buttons.
    m_pTree = new QTreeWidget(m_pBody[1]);
    m_pTree->setObjectName("structureTree");
    m_pTree->setHeaderHidden(true);
    m_pTree->setMinimumHeight(110);
    m_pName = new QLineEdit(m_pBody[1]);
    m_pName->setObjectName("itemName");
    m_pName->setMaxLength(static_cast<int>(FieldLimits::kMaxNameLength));
    m_pCreate = new QPushButton("Create", m_pBody[1]);
    m_pAdd = new QPushButton("Add", m_pBody[1]);
    m_pDelete = new QPushButton("Delete", m_pBody[1]);
    m_pCreate->setObjectName("createItem");
    m_pAdd->setObjectName("addItem");
    m_pDelete->setObjectName("deleteItem");
    auto* structure = new QVBoxLayout(m_pBody[1]);
    structure->setContentsMargins(0, 0, 0, 0);
    structure->addWidget(m_pTree);
    structure->addWidget(m_pName);
    auto* itemButtons = new QHBoxLayout;
    for (QPushButton* b : {m_pCreate, m_pAdd, m_pDelete}) itemButtons->addWidget(b);
    structure->addLayout(itemButtons);
    m_pMerge = new QCheckBox("Merge neighbouring plumes", m_pBody[1]);
    m_pMerge->setObjectName("mergePlumes");
    m_pMerge->setToolTip("The plumes of neighbouring ports of an outfall merge in the jet model");
    structure->addWidget(m_pMerge);

    // Item section: the form of the selected item.
    m_pFormStack = new QStackedWidget(m_pBody[2]);
    m_Forms.m_pOutfall = new COutfallForm(prompt);
    m_Forms.m_pRiser = new CRiserForm(prompt);
    m_Forms.m_pJet = new CJetForm(prompt);
    m_pFormStack->addWidget(new QWidget);
    m_pFormStack->addWidget(m_Forms.m_pOutfall);
    m_pFormStack->addWidget(m_Forms.m_pRiser);
    m_pFormStack->addWidget(m_Forms.m_pJet);
    auto* item = new QVBoxLayout(m_pBody[2]);
    item->setContentsMargins(0, 0, 0, 0);
    item->addWidget(m_pFormStack);

    m_pResimulate = new QPushButton("Resimulate selected Jet", form);
    m_pResimulate->setObjectName("resimulate");
    m_pStale =
        new QLabel("The jets shown were computed before the last change: press \"Resimulate selected Jet\".", form);
    m_pStale->setObjectName("staleResults");
    m_pStale->setWordWrap(true);
    m_pStale->setStyleSheet("color: rgb(160, 0, 0);");
    m_pStale->hide();
    m_pPick = new QLabel("Ready", form);
    m_pPick->setObjectName("pickText");
    m_pPick->setWordWrap(true);

    for (int i = 0; i < 3; ++i) {
        layout->addWidget(m_pHeader[i]);
        layout->addWidget(m_pBody[i]);
    }
    m_pFarField = new CFarFieldForm(prompt, form);
    layout->addWidget(m_pFarField);
    layout->addWidget(m_pResimulate);
    layout->addWidget(m_pStale);
    layout->addWidget(m_pPick);
    layout->addStretch();
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(form);
    // The bar is never squeezed narrower than its controls: a long structure
    // tree adds a vertical scroll bar, never a sideways one.
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pScroll = scroll;
    FitButtonToTexts(m_pCreate, kCreateTexts);
    FitButtonToTexts(m_pDelete, kDeleteTexts);
    FitButtonToTexts(m_pAdd, kAddTexts);
    form->installEventFilter(this);
    setWidget(scroll);
    FitWidthToControls();

    connect(m_pHeader[0], &QPushButton::clicked, this, [this] { LayoutSections(); });
    for (int i : {1, 2})
        connect(m_pHeader[i], &QPushButton::clicked, this, [this, i] {
            m_bOpen[i] = !m_bOpen[i];
            LayoutSections();
        });
    connect(addLevel, &QPushButton::clicked, m_pGrid, &CAmbientGrid::AddLevel);
    connect(deleteLevel, &QPushButton::clicked, m_pGrid, &CAmbientGrid::DeleteLevel);
    // Every level added or deleted and every cell accepted goes into the case at once.
    connect(m_pGrid, &CAmbientGrid::levelsChanged, this, &CInputBar::StoreGrid);
    connect(m_pAngle, &CNumberField::accepted, this, &CInputBar::StoreAngle);
    connect(m_pTree, &QTreeWidget::currentItemChanged, this, &CInputBar::OnTreeSelection);
    connect(m_pName, &QLineEdit::editingFinished, this, &CInputBar::OnNameEdited);
    connect(m_pCreate, &QPushButton::clicked, this, &CInputBar::OnCreate);
    connect(m_pAdd, &QPushButton::clicked, this, &CInputBar::OnAdd);
    connect(m_pDelete, &QPushButton::clicked, this, &CInputBar::OnDelete);
    connect(m_pResimulate, &QPushButton::clicked, this, &CInputBar::Resimulate);
    connect(m_pMerge, &QCheckBox::toggled, this, &CInputBar::OnMergeToggled);
    const std::initializer_list<CItemForm*> forms{m_Forms.m_pOutfall, m_Forms.m_pRiser, m_Forms.m_pJet};
    int level = 1;
    for (CItemForm* f : forms) {
        connect(f, &CItemForm::commitRequested, this, &CInputBar::CommitForms);
        connect(f, &CItemForm::displayToggled, this, [this, level](bool shown) { OnDisplayToggled(level, shown); });
        ++level;
    }
    connect(m_Forms.m_pJet, &CJetForm::leftCommitField, this, &CInputBar::CommitForms);
    SwitchForm(0);
    setEnabled(false);
}

CInputBar::~CInputBar() = default;

void CInputBar::SetCase(CPlumexDoc* doc, bool force) {
    if (!doc) {
        m_pDoc = nullptr;
        setEnabled(false);
        UpdateMergeBox();
        m_pFarField->SetCase(nullptr, nullptr);
        return;
    }
    if (doc == m_pDoc && !force) return;
    m_pDoc = doc;
    setEnabled(true);
    m_pStale->setVisible(doc->AreResultsOutOfDate());
    Refresh();
}

void CInputBar::SetHistory(CEditHistory* history) {
    if (history == m_pHistory) return;
    if (m_pHistory) disconnect(m_pHistory, nullptr, this, nullptr);
    m_pHistory = history;
    if (history) connect(history, &CEditHistory::inputsRestored, this, &CInputBar::OnInputsRestored);
    m_pFarField->SetCase(m_pDoc, history);
}

void CInputBar::OnInputsRestored(bool modelInput) {
    if (!m_pDoc || !m_pHistory || &m_pHistory->Doc() != m_pDoc) return;
    Refresh();
    if (!modelInput) return;
    // The next re-run computes every jet: the structure may be another.
    m_bStructureChanged = true;
    MarkResultsStale();
}

bool CInputBar::Edit(std::unique_ptr<QUndoCommand> command) {
    const bool busy = m_bBusy;
    m_bBusy = true;
    const bool done = CEditHistory::Apply(m_pHistory, std::move(command));
    m_bBusy = busy;
    return done;
}

void CInputBar::BeginEdits(const QString& text) {
    m_bBusy = true;
    if (m_pHistory) m_pHistory->Stack().beginMacro(text);
}

void CInputBar::EndEdits() {
    if (m_pHistory) m_pHistory->Stack().endMacro();
    m_bBusy = false;
}

void CInputBar::Refresh() {
    if (!m_pDoc) return;
    m_Forms.m_pOutfall->SetNoRiser(m_pDoc->IsNoRiser());
    RefillTree();
    m_Forms.Load(*m_pDoc);
    LoadGrid();
    UpdateMergeBox();
    m_pFarField->SetCase(m_pDoc, m_pHistory);
}

void CInputBar::UpdateMergeBox() {
    const bool wasRebuilding = m_bRebuilding;
    m_bRebuilding = true;
    m_pMerge->setChecked(m_pDoc ? m_pDoc->MergesPlumes() : RunOptions{}.m_bMergePlumes);
    m_bRebuilding = wasRebuilding;
    m_pMerge->setEnabled(m_pDoc && m_bRunsIdle && !m_pDoc->IsRunInFlight());
}

void CInputBar::SetRunsIdle(bool idle) {
    m_bRunsIdle = idle;
    UpdateMergeBox();
}

void CInputBar::OnMergeToggled(bool merge) {
    if (!m_pDoc || m_bRebuilding) return;
    if (merge != m_pDoc->MergesPlumes() && Edit(CRunOptionsCommand::ToggleMergePlumes(*m_pDoc))) MarkResultsStale();
    UpdateMergeBox();
}

void CInputBar::LoadGrid() {
    m_pGrid->SetRows(m_pDoc->Ambient() ? m_pDoc->Ambient()->Rows() : std::vector<ProfileRow>{});
    m_pAngle->SetValue(m_pDoc->CurrentAngle());
}

void CInputBar::RefillTree(int deepest) {
    m_bRebuilding = true;
    const int level = FillStructureTree(*m_pTree, *m_pDoc, m_pDoc->IsNoRiser(), deepest);
    if (QTreeWidgetItem* item = m_pTree->currentItem()) m_pName->setText(item->text(0));
    SwitchForm(level);
    m_bRebuilding = false;
}

void CInputBar::LayoutSections() {
    m_pHeader[0]->setText(m_bOpen[0] ? "         Ambient Parameter" : "+         Ambient Parameter");
    m_pHeader[1]->setText(m_bOpen[1] ? "-         Outfall Structure" : "+         Outfall Structure");
    m_pHeader[2]->setText(QString(m_bOpen[2] ? "-         " : "+         ") +
                          kItemCaptions[std::clamp(m_nLevel, 0, 3)]);
    for (int i = 0; i < 3; ++i) m_pBody[i]->setVisible(m_bOpen[i]);
}

void CInputBar::SwitchForm(int level) {
    if (level != m_nLevel) {
        m_nLevel = level;
        m_pFormStack->setCurrentIndex(std::clamp(level, 0, 3));
    }
    UpdateItemButtons();
    LayoutSections();
}

void CInputBar::UpdateItemButtons() {
    const auto& create = kCreateTexts;
    const auto& remove = kDeleteTexts;
    const auto& add = kAddTexts;
    const int l = std::clamp(m_nLevel, 0, 3);
    const bool noRiser = m_pDoc && m_pDoc->IsNoRiser();
    m_pCreate->setText(l == 1 && noRiser ? "Create a Jet" : create[l]);
    m_pDelete->setText(remove[l]);
    m_pAdd->setText(add[l]);
    const CRiser* outfall = m_pDoc ? m_pDoc->GetCurrentOutfall() : nullptr;
    m_pCreate->setEnabled(l == 0 || l == 2 || (l == 1 && outfall && outfall->GetRiserCount() == 0));
    m_pAdd->setEnabled(l != 0);
    m_pDelete->setEnabled(l != 0);
}

bool CInputBar::CommitForms() {
    if (!m_pDoc || m_bRebuilding) return true;
    m_bBusy = true;
    bool changed = false;
    const bool ok = m_Forms.Commit(*m_pDoc, m_nLevel, CheckSurface::InputBar, &changed, m_pHistory);
    m_bBusy = false;
    if (changed) MarkResultsStale();
    return ok;
}

void CInputBar::MarkResultsStale() {
    m_pDoc->MarkResultsOutOfDate();
    m_pStale->setVisible(m_pDoc->AreResultsOutOfDate());
}

bool CInputBar::StoreAll() {
    m_pGrid->CommitEditor();
    if (!m_pAngle->Check()) return false;
    StoreGrid();
    StoreAngle();
    return CommitForms();
}

void CInputBar::StoreGrid() {
    if (!m_pDoc || m_bRebuilding) return;
    if (Edit(CProfileCommand::Make(*m_pDoc, m_pGrid->Rows()))) MarkResultsStale();
}

void CInputBar::StoreAngle() {
    if (!m_pDoc || m_bRebuilding) return;
    if (Edit(CCurrentAngleCommand::Make(*m_pDoc, static_cast<float>(m_pAngle->Value())))) MarkResultsStale();
}

void CInputBar::OnTreeSelection() {
    if (m_bRebuilding || !m_pDoc) return;
    CommitForms();
    QTreeWidgetItem* item = m_pTree->currentItem();
    if (!item) {
        SwitchForm(0);
        return;
    }
    m_pName->setText(item->text(0));
    const TreePath path = PathOfItem(item, m_pDoc->IsNoRiser());
    SwitchForm(path.m_nLevel);
    m_bBusy = true;
    m_pDoc->SelectPath(path.m_strOutfall, path.m_strRiser, path.m_strJet);
    m_bBusy = false;
    m_Forms.Load(*m_pDoc);
    UpdateItemButtons();
    m_pDoc->UpdateAllViews();
}

void CInputBar::OnNameEdited() {
    if (!m_pDoc || !AcceptTypedName(*m_pName, m_pTree->currentItem(), m_prompt)) return;
    const std::string name = m_pName->text().toStdString();
    if (m_nLevel >= 1 && m_nLevel <= 3) Edit(CRenameCommand::Make(*m_pDoc, static_cast<TreeLevel>(m_nLevel - 1), name));
}

QString CInputBar::NewItemName(TreeLevel level) const {
    if (level == TreeLevel::Outfall) return QString::fromStdString(m_pDoc->MakeOutfallName());
    const CRiser* o = m_pDoc->GetCurrentOutfall();
    if (level == TreeLevel::Riser) return o ? QString::fromStdString(o->MakeChildName()) : QString();
    const CBase* r = m_pDoc->GetCurrentRiser();
    const CurrentNames n = m_pDoc->GetCurrentNames();
    return r ? QString::fromStdString(JetLabel(*m_pDoc, n.m_nOutfall, n.m_nRiser, r->MakeChildName())) : QString();
}

void CInputBar::OnCreate() {
    if (!m_pDoc) return;
    CommitForms();
    using Kind = CTreeEditCommand::Kind;
    const TreeLevel level = static_cast<TreeLevel>(std::clamp(m_nLevel, 0, 2));
    BeginEdits("Create " + NewItemName(level));
    Edit(CTreeEditCommand::Make(*m_pDoc, Kind::Create, level));
    RefillTree();
    // A new outfall comes with a riser, a new riser with a jet.
    if (m_nLevel == 1) {
        Edit(CTreeEditCommand::Make(*m_pDoc, Kind::Create, TreeLevel::Riser));
        RefillTree();
    }
    if (m_nLevel == 2) {
        Edit(CTreeEditCommand::Make(*m_pDoc, Kind::Create, TreeLevel::Jet));
        RefillTree();
    }
    EndEdits();
    m_bStructureChanged = true;
    m_Forms.Load(*m_pDoc);
}

void CInputBar::OnAdd() {
    if (!m_pDoc || m_nLevel < 1) return;
    CommitForms();
    using Kind = CTreeEditCommand::Kind;
    const TreeLevel level = static_cast<TreeLevel>(m_nLevel - 1);
    const int added = m_nLevel;
    BeginEdits("Add " + NewItemName(level));
    Edit(CTreeEditCommand::Make(*m_pDoc, Kind::Add, level));
    RefillTree();
    // An added outfall comes with one riser.
    if (m_nLevel == 1) {
        Edit(CTreeEditCommand::Make(*m_pDoc, Kind::Create, TreeLevel::Riser));
        RefillTree();
    }
    EndEdits();
    RefillTree(added);
    m_bStructureChanged = true;
    m_Forms.Load(*m_pDoc);
}

void CInputBar::OnDelete() {
    if (!m_pDoc || m_nLevel < 1 || !m_prompt.AskYesNo("Delete the selected item?")) return;
    CommitForms();
    Edit(CTreeEditCommand::Make(*m_pDoc, CTreeEditCommand::Kind::Delete, static_cast<TreeLevel>(m_nLevel - 1)));
    RefillTree();
    m_bStructureChanged = true;
    m_Forms.Load(*m_pDoc);
}

void CInputBar::Resimulate() {
    const bool structureChanged = m_bStructureChanged;
    m_bStructureChanged = false;
    if (!m_pDoc) return;
    if (m_pGrid->LevelCount() < 1) {
        m_prompt.Inform("No ambient data");
        return;
    }
    if (!StoreAll()) return;
    emit runRequested(!(m_nLevel == 3 && !structureChanged));
}

void CInputBar::OnDisplayToggled(int level, bool shown) {
    if (!m_pDoc) return;
    Edit(CVisibilityCommand::Make(*m_pDoc, static_cast<TreeLevel>(level - 1), shown));
}

void CInputBar::OnDocEvent(const DocEvent& event) {
    if (m_bBusy || !m_pDoc) return;
    switch (event.m_eKind) {
    case DocEvent::SelectionChanged:
    case DocEvent::ItemAdded:
    case DocEvent::ItemRemoved:
    case DocEvent::InputBarRefresh:
        RefillTree();
        m_Forms.Load(*m_pDoc);
        UpdateMergeBox();
        break;
    case DocEvent::RunStateChanged:
        UpdateMergeBox();
        break;
    case DocEvent::ItemChanged:
        m_Forms.Load(*m_pDoc);
        break;
    case DocEvent::ProfileChanged:
        LoadGrid();
        break;
    case DocEvent::ResultsOutOfDate:
        m_pStale->setVisible(event.m_bFlag);
        break;
    case DocEvent::JetPicked:
        if (const CJet* jet = m_pDoc->FindJetById(event.m_nJetId)) {
            DiskInfo disk;
            int index = 0, count = 0;
            m_pDoc->GetCurrentDiskInfo(disk, index, count);
            ShowPickResult(disk.m_dX, disk.m_dY, disk.m_dZ, static_cast<float>(disk.m_dMeanConc), {jet});
        }
        break;
    default:
        break;
    }
}

QString CInputBar::PickText(float value, const std::vector<const CJet*>& jets, const CPlumexDoc& doc) {
    if (!(value > 1e-12f)) return "Ready";
    QString text;
    for (const CJet* jet : jets) {
        text += "<";
        int o = 0, r = 0, j = 0;
        // A single jet by its whole path; several each with their riser.
        if (jets.size() < 2 && doc.LocateJet(jet->Id(), o, r, j))
            text += QString::fromStdString(doc.GetOutfall(o)->m_strName + "." +
                                           doc.GetOutfall(o)->GetRiser(r)->m_strName + "." + jet->m_strName);
        else text += QString::fromStdString(JetLabel(doc, jet->Id()));
        text += "-" + QString::asprintf("%6.4f>", value);
    }
    return text;
}

void CInputBar::ShowPickResult(double, double, double, float value, const std::vector<const CJet*>& jets) {
    m_pPick->setText(m_pDoc ? PickText(value, jets, *m_pDoc) : QString("Ready"));
}

bool CInputBar::eventFilter(QObject* watched, QEvent* event) {
    if (m_pScroll && watched == m_pScroll->widget() && event->type() == QEvent::LayoutRequest)
        QTimer::singleShot(0, this, &CInputBar::FitWidthToControls);
    return QDockWidget::eventFilter(watched, event);
}

void CInputBar::FitWidthToControls() {
    const QWidget* form = m_pScroll->widget();
    m_pScroll->setMinimumWidth(form->minimumSizeHint().width() + m_pScroll->verticalScrollBar()->sizeHint().width() +
                               2 * m_pScroll->frameWidth());
}
