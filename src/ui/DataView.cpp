#include "ui/DataView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <functional>

#include "base/DocObserver.h"
#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/CutPlaneCommand.h"
#include "edit/EditHistory.h"
#include "farfield/OutfallFarField.h"
#include "geometry/CutPlane.h"
#include "model/JetLabel.h"
#include "model/RowMerging.h"
#include "ui/AreaInfoPage.h"
#include "ui/DiskInfoPage.h"
#include "ui/FarFieldPage.h"
#include "ui/InfoField.h"
#include "ui/KeyParametersDialog.h"
#include "ui/Units.h"

namespace {
constexpr double kAngleLimit = 360.0;
constexpr int kDiskMin = 1;
constexpr int kDiskMax = 50000;
constexpr int kMaxBoxChars = 30;
const char* const kNoJetCut = "The plane cuts no jet: there is no composite dilution.";

double RoundTo(float v, int decimals) {
    const double f = std::pow(10.0, decimals);
    return std::round(static_cast<double>(v) * f) / f;
}

QLineEdit* NumberBox(const QString& name, bool readOnly) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(readOnly);
    box->setMaxLength(kMaxBoxChars);
    return box;
}

// Writes v unless the box already holds that number (the caret of a box
// being typed in stays where it is).
void SetBoxNumber(QLineEdit* box, double v) {
    bool ok = false;
    const double shown = box->text().toDouble(&ok);
    if (ok && shown == v) return;
    box->setText(FormatBoxNumber(v));
}

// A pair of small arrow buttons beside a box: up steps one way, down the other.
QWidget* SpinButtons(const QString& name, std::function<void()> up, std::function<void()> down) {
    auto* w = new QWidget;
    w->setObjectName(name);
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    for (int k = 0; k < 2; ++k) {
        auto* b = new QToolButton;
        b->setObjectName(name + (k == 0 ? "Up" : "Down"));
        b->setArrowType(k == 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setAutoRepeat(true);
        b->setFixedSize(16, 11);
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QToolButton::clicked, w, k == 0 ? up : down);
        l->addWidget(b);
    }
    return w;
}

// Reads a double box; checks the range when lo < hi. Empty or partial text
// ("-", "1e") is not yet a number: false without a message. A number out of
// range is named with the box and its range, and the box shows out (the
// value it had) again.
bool ReadBox(QLineEdit* box, const char* name, double lo, double hi, double& out, CPrompt& prompt) {
    bool ok = false;
    const double v = box->text().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    if (lo < hi && (v < lo || v > hi)) {
        box->setText(FormatBoxNumber(out));
        prompt.Inform(QString("%1: Please enter a number between %2 and %3.").arg(name).arg(lo).arg(hi).toStdString());
        return false;
    }
    out = v;
    return true;
}
}  // namespace

CDataView::CDataView(CPlumexDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
    BuildForm();
    // The edit box being typed in stands out in yellow.
    setStyleSheet("QLineEdit:focus { background-color: rgb(255, 255, 0); }");
    SelectPage(0);
    // The plane the case holds, not the pane's defaults (a reopened case).
    Refresh(true);
    m_bReady = true;
}

void CDataView::BuildForm() {
    // The form scrolls in a pane smaller than itself, so the pane's
    // splitter keeps its sizes.
    auto* form = new QWidget;
    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(BuildPositionGroup());
    layout->addWidget(BuildPlaneGroup());
    layout->addWidget(BuildOutputGroup(), 1);
    m_pScroll = new QScrollArea;
    m_pScroll->setWidget(form);
    m_pScroll->setWidgetResizable(true);
    m_pScroll->setFrameShape(QFrame::NoFrame);
    m_pScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(m_pScroll);
}

QSize CDataView::minimumSizeHint() const {
    const QWidget* form = m_pScroll->widget();
    const int bar = m_pScroll->verticalScrollBar()->sizeHint().width();
    const int frame = 2 * m_pScroll->frameWidth();
    // Down to the first group and the plane kinds' first lines: the rest scrolls.
    const int lines = fontMetrics().height() * 8;
    return QSize(form->minimumSizeHint().width() + bar + frame, lines);
}

QWidget* CDataView::BuildPositionGroup() {
    auto* group = new QGroupBox("3D Position and Concentration Info");
    auto* grid = new QGridLayout(group);
    m_pX = NumberBox("probeX", true);
    m_pY = NumberBox("probeY", true);
    m_pZ = NumberBox("probeZ", true);
    m_pConc = NumberBox("probeConc", true);
    int col = 0;
    for (auto [label, box] : {std::pair{"X", m_pX}, {"Y", m_pY}, {"Z", m_pZ}}) {
        grid->addWidget(new QLabel(label), 0, col++);
        grid->addWidget(box, 0, col++);
    }
    grid->addWidget(new QLabel(units::kMetre), 0, col);
    grid->addWidget(new QLabel("Concentration:"), 1, 0, 1, 2);
    grid->addWidget(m_pConc, 1, 2, 1, 4);
    m_pConc->setToolTip(QString("Summed concentration at the point, %1").arg(units::kRelative));
    return group;
}

QWidget* CDataView::BuildPlaneGroup() {
    auto* group = new QGroupBox("Cutting Plane");
    auto* grid = new QGridLayout(group);
    m_pKinds = new QButtonGroup(this);
    const char* captions[] = {"Horizontal plane", "Vertical plane(Side View) ", "Vertical plane(Cross-section View)",
                              "Normal plane", "User Specified"};
    for (int k = 0; k < 5; ++k) {
        auto* r = new QRadioButton(captions[k]);
        r->setObjectName(QString("kind%1").arg(k));
        m_pKinds->addButton(r, k);
        grid->addWidget(r, k, 0, 1, 4);
    }
    connect(m_pKinds, &QButtonGroup::idClicked, this, &CDataView::OnKindChosen);

    int row = 5;
    m_pDistanceLabel = new QLabel("Distance:");
    grid->addWidget(m_pDistanceLabel, row, 0);
    // The distance and the disk number share one place; the kind decides which shows.
    auto* place = new QHBoxLayout;
    m_pDistance = NumberBox("distance", false);
    m_pDistanceSpin = SpinButtons(
        "distanceSpin", [this] { StepDistance(1.0); }, [this] { StepDistance(-1.0); });
    m_pUnit = new QLabel("m");
    m_pDisk = NumberBox("diskNo", false);
    m_pDiskSpin = SpinButtons(
        "diskSpin", [this] { StepDisk(1); }, [this] { StepDisk(-1); });
    for (QWidget* w : {static_cast<QWidget*>(m_pDistance), m_pDistanceSpin, static_cast<QWidget*>(m_pUnit),
                       static_cast<QWidget*>(m_pDisk), m_pDiskSpin})
        place->addWidget(w);
    grid->addLayout(place, row++, 1, 1, 3);
    connect(m_pDistance, &QLineEdit::textEdited, this, &CDataView::OnDistanceEdited);
    connect(m_pDistance, &QLineEdit::editingFinished, this, [this] { update(); });
    connect(m_pDisk, &QLineEdit::textEdited, this, &CDataView::OnDiskEdited);

    m_pHAngle = NumberBox("hAngle", false);
    m_pVAngle = NumberBox("vAngle", false);
    for (auto [label, box] : {std::pair{"H.Angle", m_pHAngle}, {"V.Angle", m_pVAngle}}) {
        grid->addWidget(new QLabel(label), row, 0);
        grid->addWidget(box, row, 1, 1, 2);
        grid->addWidget(new QLabel("deg."), row++, 3);
        connect(box, &QLineEdit::textEdited, this, &CDataView::OnAngleEdited);
    }
    m_pDilutionLabel = new QLabel("Composite dilution(merged jets):");
    m_pDilution = NumberBox("dilution", true);
    grid->addWidget(m_pDilutionLabel, row, 0, 1, 2);
    grid->addWidget(m_pDilution, row++, 2, 1, 2);
    // The dilution shows for one kind only: its place stays, so that the
    // pane is as wide for every kind.
    for (QWidget* w : {static_cast<QWidget*>(m_pDilutionLabel), static_cast<QWidget*>(m_pDilution)}) {
        QSizePolicy keep = w->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        w->setSizePolicy(keep);
    }
    m_pInvMean = NumberBox("invMean", true);
    m_pInvMean->hide();
    return group;
}

QWidget* CDataView::BuildOutputGroup() {
    auto* group = new QGroupBox("Data Output Window");
    auto* h = new QHBoxLayout(group);
    m_pTab = new QTabWidget;
    m_pTab->setObjectName("outputTabs");
    m_pArea = new CDialogAreaInfo;
    m_pDiskInfo = new CDialogDiskInfo;
    auto* more = new QWidget;
    auto* moreLayout = new QVBoxLayout(more);
    m_pKeyButton = new QPushButton("Key parameters and length scales");
    m_pKeyButton->setObjectName("keyParameters");
    m_pSuspendButton = new QPushButton("View suspend file");
    m_pSuspendButton->setObjectName("viewSuspend");
    m_pRowMerging = new QLabel;
    m_pRowMerging->setObjectName("rowMerging");
    m_pRowMerging->setWordWrap(true);
    m_pRowMerging->setToolTip("Merging of the current jet's plume with its neighbours' in the row of ports");
    moreLayout->addWidget(m_pKeyButton);
    moreLayout->addWidget(m_pSuspendButton);
    moreLayout->addWidget(m_pRowMerging);
    moreLayout->addStretch(1);
    m_pTab->addTab(m_pArea, "Area");
    m_pTab->addTab(m_pDiskInfo, "Disk");
    m_pTab->addTab(more, "More Info");
    m_pFarField = new CFarFieldPage;
    m_pTab->addTab(m_pFarField, "Far field");
    connect(m_pTab, &QTabWidget::currentChanged, this, &CDataView::SelectPage);
    connect(m_pKeyButton, &QPushButton::clicked, this, &CDataView::OnKeyParameters);
    connect(m_pSuspendButton, &QPushButton::clicked, this, &CDataView::viewSummaryRequested);

    m_pScrollDisk = new QScrollBar(Qt::Vertical);
    m_pScrollDisk->setObjectName("diskScroller");
    m_pScrollDisk->setSingleStep(1);
    m_pScrollDisk->setPageStep(10);
    m_pScrollDisk->setRange(0, 0);
    // Its place stays while other pages show, so the pane keeps one width.
    QSizePolicy keep = m_pScrollDisk->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_pScrollDisk->setSizePolicy(keep);
    connect(m_pScrollDisk, &QScrollBar::valueChanged, this, &CDataView::OnDiskScrolled);
    h->addWidget(m_pTab, 1);
    h->addWidget(m_pScrollDisk);
    return group;
}

void CDataView::SelectPage(int k) {
    if (k < 0 || k > 3) return;
    m_nTab = k;
    if (m_pTab->currentIndex() != k) m_pTab->setCurrentIndex(k);
    // The scroll bar moves through the disks: only with the disk page.
    m_pScrollDisk->setVisible(k == 1);
}

void CDataView::RefillFarFieldPage() {
    if (m_doc.GetCurrentOutfall())
        m_pFarField->Fill(ComputeOutfallFarField(m_doc, m_doc.m_nCurrentOutfall), m_doc.GetFarField());
    else m_pFarField->Clear();
}

// --- what the document tells -------------------------------------------

void CDataView::SetHistory(CEditHistory* history) {
    m_pHistory = history;
    if (history) connect(history, &CEditHistory::inputsRestored, this, [this] { Refresh(true); });
}

void CDataView::OnDocEvent(const DocEvent& e) {
    if (m_bApplying) return;
    switch (e.m_eKind) {
    case DocEvent::CutPlaneChanged:
        m_pArea->Fill(m_doc.m_SectionStats);
        UpdateDilution();
        break;
    case DocEvent::ViewsUpdate:
    case DocEvent::ResultsReady:
    case DocEvent::SelectionChanged:
        Refresh(false);
        break;
    case DocEvent::JetPicked:
        // The disk page shows the disk just picked.
        SelectPage(1);
        RefillDiskPage();
        break;
    default:
        break;
    }
}

bool CDataView::HasResults() const {
    bool any = false;
    m_doc.ForEachJet([&any](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        if (j.GetDiskCount() > 0) any = true;
    });
    return any;
}

double CDataView::AmbientDepth() const { return m_doc.Ambient() ? m_doc.Ambient()->GetLastRow().m_dDepth : 0.0; }

void CDataView::Refresh(bool withPlane) {
    const CCutPlane& plane = m_doc.m_CutPlane;
    if (HasResults()) {
        // The displayed Y is the world's horizontal z reversed, Z its vertical y.
        // The probe was truncated to three decimals (the value to four)
        // before it was kept in single precision: rounding gives it back.
        m_dX = RoundTo(plane.m_fProbe[0], 3);
        m_dY = -RoundTo(plane.m_fProbe[2], 3);
        m_dZ = RoundTo(plane.m_fProbe[1], 3);
        m_dConc = RoundTo(plane.m_fProbeValue, 4);
    }
    if (withPlane) {
        m_nKind = static_cast<int>(plane.m_eKind);
        if (m_nKind < 0 || m_nKind > 4) m_nKind = static_cast<int>(CutPlaneKind::UserSpecified);
        m_dHAngle = CCutPlane::Truncate3(plane.m_dHAngle) - 90.0;
        m_dVAngle = CCutPlane::Truncate3(plane.m_dVAngle);
        m_nDiskNo = plane.m_nDiskNo;
        const double shown = plane.m_eKind == CutPlaneKind::Horizontal
                                 ? plane.m_dDistance + m_doc.CutPlaneReferenceLevel()
                                 : plane.m_dDistance;
        m_dDistance = CCutPlane::Truncate3(shown);
        if (m_nKind == static_cast<int>(CutPlaneKind::NormalToJet)) m_doc.SetCurrentDisk(m_nDiskNo);
        RefillDiskPage();
        UpdateDilution();
    }
    RefillFarFieldPage();
    ShowMembers();
    ShowRowMerging();
}

void CDataView::ShowMembers() {
    SetBoxNumber(m_pX, m_dX);
    SetBoxNumber(m_pY, m_dY);
    SetBoxNumber(m_pZ, m_dZ);
    SetBoxNumber(m_pConc, m_dConc);
    if (QAbstractButton* b = m_pKinds->button(m_nKind)) b->setChecked(true);
    SetBoxNumber(m_pDistance, m_dDistance);
    SetBoxNumber(m_pDisk, m_nDiskNo);
    SetBoxNumber(m_pHAngle, m_dHAngle);
    SetBoxNumber(m_pVAngle, m_dVAngle);
    SetBoxNumber(m_pDilution, m_dDilution);
    SetBoxNumber(m_pInvMean, m_dInvMean);
    ShowUncutPlane();
    UpdateKindControls();
}

void CDataView::UpdateKindControls() {
    const bool atDisk = m_nKind == static_cast<int>(CutPlaneKind::NormalToJet);
    m_pDistanceLabel->setText(atDisk ? "Disk No:" : "Distance:");
    m_pDisk->setVisible(atDisk);
    m_pDiskSpin->setVisible(atDisk);
    m_pDistance->setVisible(!atDisk);
    m_pDistanceSpin->setVisible(!atDisk);
    m_pUnit->setVisible(!atDisk);
    const bool user = m_nKind == static_cast<int>(CutPlaneKind::UserSpecified);
    m_pHAngle->setEnabled(user);
    m_pVAngle->setEnabled(user);
    const bool crossSection = m_nKind == static_cast<int>(CutPlaneKind::CrossSection);
    m_pDilution->setVisible(crossSection);
    m_pDilutionLabel->setVisible(crossSection);
}

void CDataView::UpdateDilution() {
    if (m_nKind != static_cast<int>(CutPlaneKind::CrossSection)) return;
    m_dDilution = CCutPlane::Truncate3(m_doc.m_SectionStats.m_dDilution);
    m_dInvMean = CCutPlane::Truncate3(m_doc.m_SectionStats.m_dInvMean);
    m_pDilution->setText(QString::asprintf("%.3lf", m_dDilution));
    SetBoxNumber(m_pInvMean, m_dInvMean);
    ShowUncutPlane();
}

void CDataView::ShowUncutPlane() {
    // A plane that cuts no jet has no composite dilution: 0.000 would read as
    // a figure.
    const bool cut = m_doc.m_SectionStats.m_nPolygons > 0;
    m_pDilution->setToolTip(cut ? QString() : QString(kNoJetCut));
    m_pInvMean->setToolTip(cut ? QString() : QString(kNoJetCut));
    if (cut) return;
    m_pDilution->setText("none");
    m_pInvMean->clear();
}

void CDataView::ShowRowMerging() {
    const CJet* jet = m_doc.GetCurrentJet();
    if (!jet || jet->GetSteps() <= 0) {
        m_pRowMerging->clear();
        return;
    }
    QString text = QString::fromStdString(RowMergingText(jet->m_KeyParams.m_Row));
    text[0] = text[0].toUpper();
    m_pRowMerging->setText(text + ".");
}

void CDataView::RefillDiskPage() {
    DiskInfo info;
    int index = 0, count = 0;
    m_doc.GetCurrentDiskInfo(info, index, count);
    if (count <= 0) return;
    m_pDiskInfo->Fill(info);
    const QSignalBlocker block(m_pScrollDisk);
    m_pScrollDisk->setRange(0, count - 1);
    m_pScrollDisk->setValue(index);
}

// --- the user's edits -----------------------------------------------------

bool CDataView::ReadControls() {
    CPrompt& prompt = m_doc.Prompt();
    double distance = m_dDistance, h = m_dHAngle, v = m_dVAngle, disk = m_nDiskNo;
    if (!ReadBox(m_pDistance, "Distance", 0.0, 0.0, distance, prompt)) return false;
    if (!ReadBox(m_pHAngle, "H.Angle", -kAngleLimit, kAngleLimit, h, prompt)) return false;
    if (!ReadBox(m_pVAngle, "V.Angle", -kAngleLimit, kAngleLimit, v, prompt)) return false;
    if (!ReadBox(m_pDisk, "Disk No", kDiskMin, kDiskMax, disk, prompt)) return false;
    m_dDistance = distance;
    m_dHAngle = h;
    m_dVAngle = v;
    m_nDiskNo = static_cast<int>(disk);
    return true;
}

void CDataView::Apply() {
    if (!m_bReady || m_doc.GetOutfallCount() == 0) return;
    const CutPlaneKind kind = static_cast<CutPlaneKind>(m_nKind);
    CCutPlane& plane = m_doc.m_CutPlane;
    if (kind != CutPlaneKind::NormalToJet) {
        const bool anyText =
            !m_pHAngle->text().isEmpty() || !m_pVAngle->text().isEmpty() || !m_pDistance->text().isEmpty();
        if (anyText && !ReadControls()) return;
    }
    const double refLevel = m_doc.CutPlaneReferenceLevel();
    if (std::fabs(m_dDistance) > 25.0 * AmbientDepth()) {
        m_doc.Prompt().Inform(kTooFar);
        // The plane stays; its distance comes back into the box.
        m_dDistance = kind == CutPlaneKind::Horizontal ? plane.m_dDistance + refLevel : plane.m_dDistance;
        m_pDistance->setText(FormatBoxNumber(m_dDistance));
        return;
    }
    const double h = m_dHAngle + 90.0;
    const double v = m_dVAngle;
    const double d = kind == CutPlaneKind::Horizontal ? m_dDistance - refLevel : m_dDistance;
    if (kind == CutPlaneKind::NormalToJet) {
        m_doc.SetCurrentDisk(m_nDiskNo);
        RefillDiskPage();
    }
    const CutPlaneSettings before = CutPlaneSettings::Of(plane);
    m_bApplying = true;
    m_doc.SetCutPlane(h, v, d, m_nDiskNo, kind, true);
    if (m_pHistory) m_pHistory->Push(CCutPlaneCommand::Made(m_doc, before));
    m_bApplying = false;
    m_pArea->Fill(m_doc.m_SectionStats);
    UpdateDilution();
    UpdateKindControls();
    m_bApplying = true;
    m_doc.UpdateAllViews();
    m_bApplying = false;
}

void CDataView::OnKindChosen(int kind) {
    const double theta = m_doc.CurrentAngle();
    m_nKind = kind;
    switch (static_cast<CutPlaneKind>(kind)) {
    case CutPlaneKind::Horizontal:
        m_dVAngle = 90.0;
        ShowMembers();
        Apply();
        emit statusText("plane parallel to the surface of the sea");
        break;
    case CutPlaneKind::SideView:
        m_dVAngle = 0.0;
        m_dHAngle = 180.0 - theta;
        ShowMembers();
        Apply();
        emit statusText("vertical plane parallel to current");
        break;
    case CutPlaneKind::CrossSection:
        m_dVAngle = 0.0;
        m_dHAngle = 90.0 - theta;
        ShowMembers();
        Apply();
        emit statusText("vertical plane normal to current");
        break;
    case CutPlaneKind::NormalToJet:
        if (PlaceAtDisk()) {
            ShowMembers();
            Apply();
            emit statusText("plane normal to jet axis");
        } else {
            UpdateKindControls();
        }
        break;
    default:
        if (ReadControls()) Apply();
        UpdateKindControls();
        break;
    }
}

bool CDataView::PlaceAtDisk() {
    double h = 0.0, v = 0.0, d = 0.0;
    int disk = m_nDiskNo;
    if (!m_doc.PlaceCutPlaneAtDisk(disk, CutPlaneKind::NormalToJet, h, v, d)) return false;
    m_nDiskNo = disk;
    m_dHAngle = CCutPlane::Truncate3(h) - 90.0;
    m_dVAngle = CCutPlane::Truncate3(v);
    m_dDistance = CCutPlane::Truncate3(d);
    return true;
}

void CDataView::OnDistanceEdited() {
    Apply();
    UpdateDilution();
}

void CDataView::OnAngleEdited() { Apply(); }

void CDataView::OnDiskEdited() {
    if (!ReadControls()) return;
    StepDisk(0);
}

void CDataView::StepDistance(double step) {
    if (!ReadControls()) return;
    m_dDistance += step;
    ShowMembers();
    Apply();
}

void CDataView::StepDisk(int step) {
    if (step != 0 && !ReadControls()) return;
    m_nDiskNo += step;
    if (PlaceAtDisk()) {
        ShowMembers();
        Apply();
    }
}

void CDataView::OnDiskScrolled(int position) {
    m_doc.SetCurrentDisk(position);
    RefillDiskPage();
}

void CDataView::OnKeyParameters() {
    const std::string name = m_doc.GetCurrentNames().m_strJet;
    if (name.empty()) {
        m_doc.Prompt().Inform(kSelectJet);
        return;
    }
    const CJet* jet = m_doc.GetCurrentJet();
    if (!jet || jet->GetSteps() <= 0) {
        m_doc.Prompt().Inform(kNoKeyParameters);
        return;
    }
    CKeyParameters record{};
    m_doc.GetCurrentJetKeyParameters(record);
    CSubDialog dlg(record, QString::fromStdString(CurrentJetLabel(m_doc)), this);
    dlg.exec();
}
