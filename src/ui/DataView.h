#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The data pane beside the 3-D view: the world point and concentration the
// plane view probed, the cut plane's kind, distance (or disk) and angles,
// and the four pages of the "Data Output Window" (areas, one disk, buttons
// for the key parameters and the summary file, the current outfall's far field). It formats and edits; the
// numbers come from the document and its cut plane.
#include <QWidget>

class CPlumexDoc;
class CDialogAreaInfo;
class CDialogDiskInfo;
class CFarFieldPage;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QScrollBar;
class QTabWidget;
class QToolButton;
struct DocEvent;

class CEditHistory;

class CDataView : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kTooFar =
        "The distance of cutplane is too large, it should be smaller than 25 times of the ambient depth";
    static constexpr const char* kSelectJet = "Please select a jet first";
    static constexpr const char* kNoKeyParameters =
        "There is no key parameter to be displayed, please simulate the case first";

    explicit CDataView(CPlumexDoc& doc, QWidget* parent = nullptr);
    // The history each placing of the plane goes into (null: none); an
    // edit taken back or made again shows the plane as it then stands.
    void SetHistory(CEditHistory* history);

    void OnDocEvent(const DocEvent& e);
    // Shows the probe (with results) and, with plane, the cut plane's own
    // values; then writes every member into its box.
    void Refresh(bool withPlane);
    // Shows page k of the "Data Output Window".
    void SelectPage(int k);

    // The members the boxes show.
    int Kind() const { return m_nKind; }
    double Distance() const { return m_dDistance; }
    double HAngle() const { return m_dHAngle; }
    double VAngle() const { return m_dVAngle; }
    int DiskNo() const { return m_nDiskNo; }
    double Dilution() const { return m_dDilution; }

    // As wide as the form with its vertical scroll bar, so that a splitter
    // or a dock beside the pane never cuts a caption or a box; the form
    // scrolls up and down in a pane lower than itself.
    QSize minimumSizeHint() const override;

signals:
    // One line for the status bar about the plane just chosen.
    void statusText(const QString& text);
    // "View suspend file": the owner runs all jets, then shows the summary file.
    void viewSummaryRequested();

private:
    void BuildForm();
    QWidget* BuildPositionGroup();
    QWidget* BuildPlaneGroup();
    QWidget* BuildOutputGroup();

    void OnKindChosen(int kind);
    void OnDistanceEdited();
    void OnAngleEdited();
    void OnDiskEdited();
    void StepDistance(double step);
    void StepDisk(int step);
    void OnDiskScrolled(int position);
    void OnKeyParameters();
    // The far field of the current outfall, as the case now stands.
    void RefillFarFieldPage();
    // Puts the plane at disk m_nDiskNo of the current jet (the disk number
    // may be corrected); false when there is no jet with disks.
    bool PlaceAtDisk();

    // Reads the plane boxes into the members; false (message shown) when a
    // value is out of range, or, quietly, while a box holds no number yet.
    bool ReadControls();
    void ShowMembers();
    void Apply();
    void UpdateKindControls();
    void UpdateDilution();
    // The dilution boxes of a plane that cuts no jet say so instead of 0.
    void ShowUncutPlane();
    void RefillDiskPage();
    // The current jet's row of ports and where its plume merged, on the
    // "More Info" page.
    void ShowRowMerging();
    bool HasResults() const;
    double AmbientDepth() const;

    CPlumexDoc& m_doc;
    bool m_bReady = false;
    CEditHistory* m_pHistory = nullptr;
    bool m_bApplying = false;  // the pane's own changes do not refresh the pane
    int m_nTab = 0;

    double m_dX = 0.0, m_dY = 0.0, m_dZ = 0.0, m_dConc = 0.0;
    int m_nKind = 1;
    double m_dDistance = 10.0;
    int m_nDiskNo = 200;
    double m_dHAngle = 0.0;
    double m_dVAngle = 0.0;
    double m_dDilution = 0.0;
    double m_dInvMean = 0.0;

    QLineEdit* m_pX = nullptr;
    QLineEdit* m_pY = nullptr;
    QLineEdit* m_pZ = nullptr;
    QLineEdit* m_pConc = nullptr;
    QButtonGroup* m_pKinds = nullptr;
    QLabel* m_pDistanceLabel = nullptr;
    QLineEdit* m_pDistance = nullptr;
    QWidget* m_pDistanceSpin = nullptr;
    QLabel* m_pUnit = nullptr;
    QLineEdit* m_pDisk = nullptr;
    QWidget* m_pDiskSpin = nullptr;
    QLineEdit* m_pHAngle = nullptr;
    QLineEdit* m_pVAngle = nullptr;
    QLabel* m_pDilutionLabel = nullptr;
    QLineEdit* m_pDilution = nullptr;
    QLineEdit* m_pInvMean = nullptr;
    QTabWidget* m_pTab = nullptr;
    QScrollBar* m_pScrollDisk = nullptr;
    CDialogAreaInfo* m_pArea = nullptr;
    CDialogDiskInfo* m_pDiskInfo = nullptr;
    CFarFieldPage* m_pFarField = nullptr;
    QScrollArea* m_pScroll = nullptr;
    QPushButton* m_pKeyButton = nullptr;
    QPushButton* m_pSuspendButton = nullptr;
    QLabel* m_pRowMerging = nullptr;
};
