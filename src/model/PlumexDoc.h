#pragma once
// The case: the ambient water and the ordered outfall -> riser -> jet tree,
// the current selection, the run settings and the colour state. Everything
// that reads or changes a case goes through it. It reports to the user
// through a CPrompt and tells registered observers about changes.
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "geometry/CutPlane.h"
#include "geometry/SectionStats.h"
#include "model/Ambient.h"
#include "model/AppState.h"
#include "model/KeyParameters.h"
#include "model/RangeRecord.h"
#include "model/Riser.h"
#include "scene/ViewControl.h"

class CArchive;
class CPrompt;
class CDocObserver;
class CSortTree;
struct SceneDrawState;
class CAmbientGridLink;
class CPolygon;
class CRunSettings;
class CRunProgress;
enum class DocEvent;

// One entry of the histogram-equalised colour transfer table.
struct ColourTableEntry {
    int m_nLowLevel = 0;
    int m_nHighLevel = 0;
    double m_dFromValue = 100.0;
    double m_dToValue = 0.0;
};

// Names and indices of the current selection, filled as far as each level exists.
struct CurrentNames {
    int m_nOutfall = -1;
    std::string m_strOutfall;
    int m_nRiser = -1;
    std::string m_strRiser;
    int m_nJet = -1;
    std::string m_strJet;
};

// The values of one disk as the data view shows them.
struct DiskInfo {
    double m_dX = 0, m_dY = 0, m_dZ = 0;
    double m_dMeanConc = 0, m_dMaxConc = 0;
    double m_dHAngle = 0;
    int m_nIndex = 0;
    double m_dRadius = 0, m_dThickness = 0, m_dVAngle = 0, m_dVelocity = 0, m_dDilution = 0;
};

class CPlumexDoc {
public:
    CPlumexDoc(CAppState& app, CPrompt& prompt);
    ~CPlumexDoc();
    CPlumexDoc(const CPlumexDoc&) = delete;
    CPlumexDoc& operator=(const CPlumexDoc&) = delete;

    CAppState& App() const { return m_app; }
    CPrompt& Prompt() const { return m_prompt; }

    // Observers (views, input bar) hear about changes; not owned.
    void AddObserver(CDocObserver* o);
    void RemoveObserver(CDocObserver* o);
    void Notify(DocEvent e);
    void UpdateAllViews();

    // --- lifecycle and files ---
    // Deletes the ambient record and all outfalls (the ambient pointer becomes null).
    void DeleteContents();
    // Empties the document and gives it a fresh ambient record (a new case).
    void ResetToNew();
    void Serialize(CArchive& ar);
    // Reads a case file and prepares the jet displays from its stored
    // results; on failure shows a message naming the file and leaves the
    // document empty.
    bool OpenCase(const std::string& path);
    // Writes the case file (compound file with the "Contents" stream); the
    // previous file survives a failed save, which is reported.
    bool SaveCase(const std::string& path);
    // The stream bytes of the case as the file holds them.
    std::vector<unsigned char> SaveToBytes();
    // Reads the stream bytes; on failure the error text is returned, the
    // document is left empty (no ambient, no outfalls) and false returned.
    bool LoadFromBytes(const std::vector<unsigned char>& bytes, std::string& error);
    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_bModified; }

    // --- the tree ---
    int GetOutfallCount() const { return static_cast<int>(m_Outfalls.size()); }
    CRiser* GetOutfall(int i) const { return i >= 0 && i < GetOutfallCount() ? m_Outfalls[i].get() : nullptr; }
    CRiser* GetCurrentOutfall() const;
    CBase* GetCurrentRiser() const;
    CJet* GetCurrentJet() const;
    CurrentNames GetCurrentNames() const;
    CJet* FindJet(const std::string& outfall, const std::string& riser, const std::string& jet) const;
    bool CheckStructure();
    // Every jet in outfall, riser, jet order, with its indices.
    template <typename F>
    void ForEachJet(F f) const {
        for (int i = 0; i < GetOutfallCount(); ++i) {
            CRiser* o = m_Outfalls[i].get();
            for (int j = 0; j < o->GetRiserCount(); ++j) {
                CBase* r = o->m_Risers[j].get();
                for (int k = 0; k < r->GetJetCount(); ++k) f(i, j, k, *o, *r, *r->m_Jets[k]);
            }
        }
    }
    int GetJetCount() const;

    static constexpr const char* kOutfallNamePattern = "Outfall_%d";
    std::string MakeOutfallName() const;
    void Create(int level);  // 0 outfall, 1 riser, 2 jet
    void Add(int level);     // 1 outfall, 2 riser, 3 jet
    void Delete(int level);  // 1 outfall, 2 riser, 3 jet

    void SetJetFlowAll(double flow);
    void PropagateEffluent(CRiser& outfall);
    static void DistributeRiserFlow(CBase& riser);
    CMaterialProperty* GetCurrentMaterial(int level, bool second) const;
    void SetCurrentAngle(float angle);
    void PropagateCurrentAngle();
    void ToggleContinuousMode() { m_bContinuous = !m_bContinuous; }
    void SetAmbientGridLink(const CAmbientGridLink* link) { m_pGridLink = link; }

    // --- checks before a run ---
    // True to go on: asks when the jets stand deeper than the profile and
    // makes the water depth follow the deepest profile row.
    bool CheckDepth();

    // --- jet displays (defined with the scene's GL-free code) ---
    // After a run or a load: placements, tubes, value ranges, sort tree and
    // colour table for all jets.
    void PrepareJetDisplays();
    // After a run of some jets of one riser: those jets' placements and
    // tubes, then ranges, the sort tree of all jets and the colour table.
    void PrepareJetDisplays(int outfall, int riser, int firstJet, int count);
    void ComputeValueRanges();
    void BuildSortTree();
    void BuildColourTable(int mode);
    void SetRingInterval(int interval);
    // Drawing (GL library only): the structures and jets with selection
    // names, the ambient box, the jets sorted back to front.
    void DrawStructures(SceneDrawState& state);
    void DrawAmbient(const SceneDrawState& state);
    void DrawSortedJets(const SceneDrawState& state) const;

    // --- model run (defined with the model coupling in src/run) ---
    // Computes all jets, or only the current jet, with the jet model program
    // and reads the results back; true when results were read.
    bool Run(bool allJets);
    // Deletes old output, starts the model in the working directory and
    // waits for it; true when it ended normally and its output may be read.
    bool LaunchModelAndWait();
    // The model's input file: every jet, or jets firstJet.. of one riser.
    bool WriteInputAllJets();
    bool WriteInputJets(int outfall, int riser, int firstJet, int count);
    // Reads the next jet page of the summary file into the record.
    bool ParseSummaryBlock(CKeyParameters& record, std::FILE* file);
    // Read the summary and trajectory files into the jets; false when the
    // summary file cannot be opened.
    bool ReadResultsAll();
    bool ReadResultsJets(int outfall, int riser, int firstJet, int count);
    // The working directory, file names and model program of this case.
    CRunSettings& RunSettings();
    // Progress meter of runs; not owned, may be null.
    void SetRunProgress(CRunProgress* progress) { m_pRunProgress = progress; }

    // --- selection and results ---
    // hits: count records of 7 ints {names, zmin, zmax, outfall, riser, jet, ring}.
    bool SelectFromPick(const unsigned int* hits, int count);
    void GetCurrentJetKeyParameters(CKeyParameters& dst) const;
    std::string GetCurrentJetStatusText() const;
    void GetValueRanges(CRangeRecord& min, CRangeRecord& max) const;
    void GetCurrentDiskInfo(DiskInfo& info, int& index, int& count) const;
    void GetDiskInfo(DiskInfo& info, int& index) const;
    void SetCurrentDisk(int index);
    int GetCurrentJetDiskCount() const;

    // --- cut plane and cross-sections (defined with the section code) ---
    // Deletes the polygons and appends the cross-section polygons of every
    // jet cut by the plane a x + b y + c z + e = 0.
    void CutAllJets(const double equation[4], std::vector<std::unique_ptr<CPolygon>>& polygons) const;
    // Puts the cut plane of the given kind through disk diskNo of the
    // current jet (kind 3: normal to its axis) and gives H, V and d; the disk
    // number is held to 1 .. disks - 1. False without a current jet.
    bool PlaceCutPlaneAtDisk(int& diskNo, int kind, double& h, double& v, double& d);
    // Clears on every jet the mark that makes its section its selected disk.
    void ClearSectionMarks();
    // Areas, spans and composite values of the cut plane's last section.
    void ComputeSectionStatistics();
    // After a section that could not be computed: no areas, no dilution.
    void ClearSectionStatistics();
    // Height of the reference level the horizontal plane's shown distance is
    // measured from: outfall depth - riser height - water depth.
    double CutPlaneReferenceLevel() const;

    // --- data ---
    bool m_bTutorial = false;
    std::array<ColourTableEntry, 256> m_ColourTable;
    bool m_bContinuous = false;
    int m_nMaxTimeSteps = 1500;
    std::vector<std::unique_ptr<CRiser>> m_Outfalls;
    std::unique_ptr<CAmbient> m_pAmbient;
    std::string m_strVersion = kCurrentFileVersion;
    int m_nCurrentOutfall = 0;
    int m_nLastPick[4] = {0, 0, 0, 0};
    CRangeRecord m_RangeMin = CRangeRecord::FreshMin();
    CRangeRecord m_RangeMax = CRangeRecord::FreshMax();
    bool m_bResultsDrawable = true;
    std::string m_strStatus;
    int m_nCurrentDiskMirror = 1;
    const CAmbientGridLink* m_pGridLink = nullptr;
    int m_nColourMode = 0;  // 0 concentration, 1 velocity, 2 half width
    double m_dDisplayLength = 20.0;
    float m_fCurrentAngle = 90.0f;
    int m_nSelectedDisk = 0;  // disk of the current jet a "normal to jet axis" plane cuts

    // The camera and cut plane blocks of the case file. The main 3-D view
    // works on these, so a case read and written without a view keeps them.
    CViewControl m_ViewControl;
    CCutPlane m_CutPlane;
    CSectionStats m_SectionStats;  // of the cut plane's last section

    // The jets' polygons sorted for back-to-front drawing; rebuilt by
    // PrepareJetDisplays only while a view shows them sorted.
    std::shared_ptr<CSortTree> m_pSortTree;
    bool m_bSortedDisplay = false;  // a view shows the jets sorted ("Fast Display" off)

    std::shared_ptr<CRunSettings> m_pRunSettings;  // made on first use
    CRunProgress* m_pRunProgress = nullptr;

private:
    // A new jet with the next free name, copied from source or given
    // defaults, appended and made current. Create and Add then pass the
    // current angle to every jet, this one included.
    void AppendNewJet(CBase& riser, const CJet* source);

    CAppState& m_app;
    CPrompt& m_prompt;
    std::vector<CDocObserver*> m_Observers;
    bool m_bModified = false;
};
