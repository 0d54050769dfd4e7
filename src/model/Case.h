#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The case: the ambient water and the ordered outfall -> riser -> jet tree,
// the current selection, the cut plane and its section, the camera the file
// keeps, and the run options. Everything that reads or changes a case goes
// through it. It reports to the user through a CPrompt and tells registered
// observers about changes. It knows nothing of how it is shown: the jet
// displays (scene) and the renderer (GL) read it.
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/AppState.h"
#include "base/RangeRecord.h"
#include "base/TreeLevel.h"
#include "geometry/ColourTableEntry.h"
#include "geometry/CutPlane.h"
#include "geometry/SectionStats.h"
#include "model/Ambient.h"
#include "model/FarFieldSettings.h"
#include "model/KeyParameters.h"
#include "model/Riser.h"
#include "model/RunOptions.h"
#include "model/ViewControl.h"

class CArchive;
class CPrompt;
class CDocObserver;
class CAmbientGridLink;
class CSectionColours;
class CPolygon;
struct CaseJsonProblem;
struct DocEvent;
enum class DocItemLevel;

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

class CCase {
public:
    CCase(CAppState& app, CPrompt& prompt);
    virtual ~CCase();
    CCase(const CCase&) = delete;
    CCase& operator=(const CCase&) = delete;

    CAppState& App() const { return m_app; }
    CPrompt& Prompt() const { return m_prompt; }

    // Observers (views, input bar) hear about changes; not owned.
    void AddObserver(CDocObserver* o);
    void RemoveObserver(CDocObserver* o);
    void Notify(const DocEvent& e);
    void UpdateAllViews();
    // SelectionChanged naming the current item (the deepest level that exists).
    void NotifySelection();
    // The input panes changed the values of the current item of this level:
    // marks the case modified and sends ItemChanged naming it.
    void ItemChanged(DocItemLevel level);
    // The current item of the level gets the name / is shown or hidden: the
    // case is marked modified and the views redraw. False without one.
    bool RenameCurrent(TreeLevel level, const std::string& name);
    bool SetCurrentVisible(TreeLevel level, bool shown);
    // A run's results were put into count jets and placed: the run is over,
    // the case modified and its results current; the views learn of it.
    void ResultsApplied(int count);

    // --- lifecycle and files ---
    // Deletes the ambient record and all outfalls (the ambient pointer becomes null).
    void DeleteContents();
    // Empties the document and gives it a fresh ambient record (a new case).
    void ResetToNew();
    void Serialize(CArchive& ar);
    // Reads a case file and prepares the jet displays from its stored
    // results (defined with the scene's GL-free code); on failure shows a
    // message naming the file and leaves the case as it was.
    bool OpenCase(const std::string& path);
    // Writes the case file (compound file with the "Contents" stream); the
    // previous file survives a failed save, which is reported.
    bool SaveCase(const std::string& path);
    // The stream bytes of the case as the file holds them.
    std::vector<unsigned char> SaveToBytes();
    // Reads the stream bytes into a fresh case and takes it over only when
    // the whole stream was read; on failure the error text is returned, the
    // case is left as it was (records, selection, modified flag) and false
    // returned.
    bool LoadFromBytes(const std::vector<unsigned char>& bytes, std::string& error);
    // Sets the flag, refreshes the input bar, and when the flag changed
    // sends ModifiedChanged (after it is set, so it reads the new value).
    void SetModifiedFlag(bool modified = true);
    bool IsModified() const { return m_bModified; }

    // A model run is between its preparation and the application of its
    // results (or its end). While it is, the structure (outfalls, risers,
    // jets) must not change: Create, Add and Delete do nothing, and the GUI
    // disables its commands that would change it.
    bool IsRunInFlight() const { return m_bRunInFlight; }
    void SetRunInFlight(bool inFlight);

    // An input was changed (or an edit taken back) after jets were
    // computed: the jets shown no longer match the input until they are
    // computed again. Marking a case without results does nothing.
    void MarkResultsOutOfDate();
    // Results were placed (or the case was replaced): they match the input.
    void ClearResultsOutOfDate();
    bool AreResultsOutOfDate() const { return m_bResultsOutOfDate; }

    // --- the tree ---
    // The outfalls in order. The structure changes only through Create, Add,
    // Delete and InsertOutfall; the records' values through their pointers.
    const std::vector<std::unique_ptr<CRiser>>& Outfalls() const { return m_Outfalls; }
    int GetOutfallCount() const { return static_cast<int>(m_Outfalls.size()); }
    CRiser* GetOutfall(int i) const { return i >= 0 && i < GetOutfallCount() ? m_Outfalls[i].get() : nullptr; }
    CRiser* GetCurrentOutfall() const;
    CBase* GetCurrentRiser() const;
    CJet* GetCurrentJet() const;
    CurrentNames GetCurrentNames() const;
    CJet* FindJet(const std::string& outfall, const std::string& riser, const std::string& jet) const;
    // The jet with this identity (CJet::Id), or null when it is no longer in
    // the case; with its indices, false when it is not.
    CJet* FindJetById(JetId id) const;
    bool LocateJet(JetId id, int& outfall, int& riser, int& jet) const;
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
    // Each marks the case modified and sends ItemAdded / ItemRemoved; none
    // does anything while a run is in flight.
    void Create(TreeLevel level);
    void Add(TreeLevel level);
    void Delete(TreeLevel level);
    // Puts an outfall record in at index (0 .. count): its jets take the
    // case's current angle and the displays are made again. False when the
    // index does not fit. The edit that takes a deletion back calls it, and
    // then ItemRestored.
    bool InsertOutfall(int index, std::unique_ptr<CRiser> outfall);
    // An item taken out was put back where it stood (and the selection
    // restored): the case is marked modified, ItemAdded names the item, the
    // selection and the views follow.
    void ItemRestored(TreeLevel level, int outfall, int riser, int jet);

    void SetJetFlowAll(double flow);
    void PropagateEffluent(CRiser& outfall);
    static void DistributeRiserFlow(CBase& riser);
    CMaterialProperty* GetCurrentMaterial(TreeLevel level, bool second) const;
    void PropagateCurrentAngle();
    void SetAmbientGridLink(const CAmbientGridLink* link) { m_pGridLink = link; }

    // --- settings of the case ---
    // Each setter marks the case modified and tells the observers; reading a
    // case (file, stream, text form) sets them without either.
    const RunOptions& GetRunOptions() const { return m_RunOptions; }
    bool IsContinuous() const { return m_RunOptions.m_bContinuous; }
    int MaxTimeSteps() const { return m_RunOptions.m_nMaxTimeSteps; }
    // The model computes the merging of the plumes of an outfall's ports
    // (when it can; see run/PortRow.h).
    bool MergesPlumes() const { return m_RunOptions.m_bMergePlumes; }
    void SetRunOptions(const RunOptions& options);
    // What the far field is computed with and judged against (the case file
    // keeps it in its "FarField" stream); setting it redraws the views,
    // which show the edge of the mixing zone.
    const FarFieldSettings& GetFarField() const { return m_FarField; }
    void SetFarField(const FarFieldSettings& settings);
    // Scenario without risers: ports stand directly on the outfall pipe. The
    // case file stores it; a new case takes the application's setting.
    bool IsNoRiser() const { return m_bNoRiser; }
    void SetNoRiser(bool noRiser);
    // Angle between the current and the outfalls (degrees); setting it
    // passes it to every jet and redraws the views and the profile's grid.
    float CurrentAngle() const { return m_fCurrentAngle; }
    void SetCurrentAngle(float angle);
    // The ambient water; null only between DeleteContents and ResetToNew.
    const CAmbient* Ambient() const { return m_pAmbient.get(); }
    // The water depth of the ambient box, and the length the views frame.
    void SetWaterDepth(double depth);
    // The ambient profile rows; the profile views redraw. With a water
    // depth the ambient box and the length the views frame follow it.
    void SetProfile(std::vector<ProfileRow> rows);
    void SetProfile(std::vector<ProfileRow> rows, double waterDepth);
    // The length the views frame: the water depth of the ambient box.
    double DisplayLength() const { return m_dDisplayLength; }
    // A case opened from the tutorial's folder; a new case is none.
    bool IsTutorial() const { return m_bTutorial; }
    // The version tag of the file the case was read from (the current one
    // once written).
    const std::string& Version() const { return m_strVersion; }
    // The current jet's disk as a pick last set it, and the disk a plane
    // normal to the jet's axis cuts.
    int CurrentDiskMirror() const { return m_nCurrentDiskMirror; }
    int SelectedDisk() const { return m_nSelectedDisk; }

    // --- checks before a run ---
    // True to go on: asks when the jets stand deeper than the profile and
    // makes the water depth follow the deepest profile row.
    bool CheckDepth();

    // --- placement of the jets' results ---
    // After a run or a load: every jet's display record is placed on its
    // structure, its tube scheduled, and the value ranges computed. What is
    // shown from them (colours, sort tree) follows the display generation.
    void PlaceJets();
    // After a run of some jets of one riser: those jets placed, then the
    // value ranges of the case.
    void PlaceJets(int outfall, int riser, int firstJet, int count);
    void ComputeValueRanges();
    // Rings every interval-th disk of every tube (made on first use).
    void SetRingInterval(int interval);
    // The tubes, their placement or the jets changed: whatever was made from
    // them (sort tree, vertex arrays) is made again when next needed. Every
    // change bumps the display generation; a placement bumps the placement
    // generation too (the colours follow that one).
    void InvalidateDisplays();
    std::uint64_t DisplayGeneration() const { return m_nDisplayGeneration; }
    std::uint64_t PlacementGeneration() const { return m_nPlacementGeneration; }
    // The colour table the section image is coloured with: the jet
    // displays' when they are attached, else the identity table.
    void SetSectionColours(const CSectionColours* colours) { m_pSectionColours = colours; }
    const ColourTable& SectionColourTable() const;

    // --- selection and results ---
    // hits: count records of 7 ints {names, zmin, zmax, outfall, riser, jet, ring}.
    bool SelectFromPick(const unsigned int* hits, int count);
    // Makes the item with this path of names current, as far as the names
    // are found level by level (an empty name stops there); tells the
    // observers when the selection changed. False when the outfall is not found.
    bool SelectPath(const std::string& outfall, const std::string& riser, const std::string& jet);
    void GetCurrentJetKeyParameters(CKeyParameters& dst) const;
    std::string GetCurrentJetStatusText() const;
    void GetValueRanges(CRangeRecord& min, CRangeRecord& max) const;
    void GetCurrentDiskInfo(DiskInfo& info, int& index, int& count) const;
    void GetDiskInfo(DiskInfo& info, int& index) const;
    void SetCurrentDisk(int index);
    int GetCurrentJetDiskCount() const;

    // --- cut plane and cross-sections (defined with the section code) ---
    // Places the cut plane: H, V and d (kept to two decimals), the disk
    // number and the kind. A plane normal to the jet is put through that disk
    // of the current jet (nothing changes without one); the other kinds clear
    // the jets' disk marks. With recompute the section follows.
    void SetCutPlane(double h, double v, double d, int diskNo, CutPlaneKind kind, bool recompute);
    // Computes the section of the cut plane as it stands (ComputeSection),
    // takes its statistics and the jets' areas over, shows why a section
    // could not be made (unless showProblems is false: after a run or a
    // deletion, which did not ask for a section), and sends CutPlaneChanged
    // for a section made.
    void RecomputeSection(bool showProblems = true);
    // Puts the cut plane of the given kind through disk diskNo of the
    // current jet (normal to its axis for that kind) and gives H, V and d; the disk
    // number is held to 1 .. disks - 1. False without a current jet.
    bool PlaceCutPlaneAtDisk(int& diskNo, CutPlaneKind kind, double& h, double& v, double& d);
    // Clears on every jet the mark that makes its section its selected disk.
    void ClearSectionMarks();
    // Height of the reference level the horizontal plane's shown distance is
    // measured from: outfall depth - riser height - water depth.
    double CutPlaneReferenceLevel() const;

    // --- data ---
    int m_nCurrentOutfall = 0;
    CRangeRecord m_RangeMin = CRangeRecord::FreshMin();
    CRangeRecord m_RangeMax = CRangeRecord::FreshMax();
    bool m_bResultsDrawable = true;
    std::string m_strStatus;  // stop reason of the jet whose results were read last
    const CAmbientGridLink* m_pGridLink = nullptr;

    // The camera and cut plane blocks of the case file. Each 3-D view looks
    // through a camera of its own, made from this one, and writes its camera
    // here when the user moves it: the file keeps the camera of the view
    // moved last. A case read and written without a view keeps both as read.
    CViewControl m_ViewControl;
    // The camera above is one the program framed (a new case, a case text
    // without a view), not one a file kept or a user chose: the first run
    // that computes jets frames them with the structure (FrameCase) and
    // clears it, and so does a view the user moves. Each such framing moves
    // the count on, and the views take the framed camera over.
    bool m_bCameraFramed = true;
    unsigned m_nCameraFramings = 0;
    CCutPlane m_CutPlane;
    CSectionStats m_SectionStats;  // of the cut plane's last section

private:
    // A new jet with the next free name, copied from source or given
    // defaults, appended and made current. Create and Add then pass the
    // current angle to every jet, this one included.
    void AppendNewJet(CBase& riser, const CJet* source);
    // Empties this case and takes over what a case file holds from loaded,
    // a case that has just been read whole.
    void TakeLoadedCase(CCase& loaded);

    CAppState& m_app;
    CPrompt& m_prompt;
    std::vector<CDocObserver*> m_Observers;
    bool m_bModified = false;
    bool m_bRunInFlight = false;
    std::vector<std::unique_ptr<CRiser>> m_Outfalls;
    std::unique_ptr<CAmbient> m_pAmbient;
    bool m_bTutorial = false;
    RunOptions m_RunOptions;
    FarFieldSettings m_FarField;
    std::string m_strVersion = kCurrentFileVersion;  // file version tag read last
    bool m_bResultsOutOfDate = false;
    int m_nCurrentDiskMirror = 1;  // the current jet's disk as a pick last set it
    int m_nSelectedDisk = 0;       // disk of the current jet a "normal to jet axis" plane cuts
    double m_dDisplayLength = 20.0;
    float m_fCurrentAngle = 90.0f;
    bool m_bNoRiser = false;
    // The text form reads a case's settings in place, as the case stream does.
    friend bool ReadCaseJson(const std::string& text, CCase& doc, std::vector<CaseJsonProblem>& problems);
    std::uint64_t m_nDisplayGeneration = 0;
    std::uint64_t m_nPlacementGeneration = 0;
    const CSectionColours* m_pSectionColours = nullptr;
    // Sends ItemAdded for the current item of the level just appended.
    void NotifyAdded(DocItemLevel level);
};
