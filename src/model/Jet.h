#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// One jet (port) of a riser: its input values and its last results.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "base/RangeRecord.h"
#include "geometry/JetSection.h"
#include "model/JetDispModal.h"
#include "model/KeyParameters.h"
#include "model/MaterialProperty.h"

class CArchive;
class CPrompt;
class CRunProgress;
struct ProfileRow;

// A jet's identity within the running program: given when the jet is made,
// never reused and never stored in the case file. Unlike the name (which the
// user may change, and which need not be unique) or the position in the tree
// (which shifts when siblings are added or deleted), it keeps naming the same
// jet. 0 names no jet.
using JetId = std::uint64_t;

// The editable fields of a jet as the input panes exchange them.
struct JetData {
    double m_dCurrent = 0.05;
    double m_dDiameter = 0.1;
    double m_dFlow = 0.0138;
    double m_dPortHeight = 1.0;
    double m_dHAngle = 0.0;
    double m_dSalinity = 1.0;
    double m_dTemperature = 0.0;
    double m_dVAngle = 0.0;
    int m_nVisible = 1;
};

class CJet {
public:
    // The horizontal angle of a copy: angle + turn, taken back into
    // (0, 360] when above 360 (angle + turn when not above).
    static double TurnedAngle(double angle, double turn);
    explicit CJet(bool noRiser = false);
    CJet(const CJet&) = delete;
    CJet& operator=(const CJet&) = delete;

    // With a source: copy its input fields, horizontal angle turned by +60
    // (folded below 360). Without: the defaults of the scenario kind.
    void CopyFrom(const CJet* src, bool noRiser = false);
    void Serialize(CArchive& ar);

    // One block of the model's input file (defined with the model coupling).
    // Overwrites the ambient current speed with the profile mean first.
    void WriteModelInput(std::FILE* file, int jetIndex, double outfallDepth, const std::vector<ProfileRow>& rows,
                         bool continuousMode, int maxTimeSteps);
    // Reads this jet's section of the trajectory file into its disk list
    // (GetSteps() lines); progress positions are offset + step. False (after
    // a message, the jet left without steps and disks) when the section has
    // more rows than the step count, beyond extraRows that the reading
    // leaves out on purpose: a cut count must not pass cut results off as
    // the jet's.
    bool ReadTrajectory(std::FILE* file, CPrompt& prompt, CRunProgress* progress, int offset, int extraRows = 0);

    JetId Id() const { return m_nId; }

    JetData GetData() const;
    void SetData(const JetData& d);

    int GetSteps() const { return m_KeyParams.m_nSteps; }
    int GetDiskCount() const { return static_cast<int>(m_pDisplay->m_Disks.size()); }

    std::string m_strName;
    std::string m_strStatus;   // stop reason of the last run
    double m_dCurrent = 0.05;  // ambient current speed (profile mean when the input is written)
    double m_dDiameter = 0.1;
    double m_dFlow = 0.0138;
    double m_dHAngle = 0.0;
    double m_dPortHeight = 1.0;
    double m_dSalinity = 1.0;  // effluent density when temperature is 0, else salinity
    double m_dTemperature = 0.0;
    double m_dVAngle = 0.0;
    int m_nCurrentDisk = 0;
    double m_dNozzleLength = 0.1;
    CKeyParameters m_KeyParams{};
    std::unique_ptr<CJetDispModal> m_pDisplay;
    int m_nVisible = 1;
    CRangeRecord m_RangeMin = CRangeRecord::FreshMin();
    CRangeRecord m_RangeMax = CRangeRecord::FreshMax();
    CMaterialProperty m_MaterialA;  // colour of high values
    CMaterialProperty m_MaterialB;  // colour of low values
    double m_dPortPos[3] = {0.0, 0.0, 0.0};
    JetSection m_Section;           // of the last section
    bool m_bSectionAtDisk = false;  // the section of a plane normal to the axis is disk m_nSectionDisk
    int m_nSectionDisk = 0;
    double m_dCurrentAngle = 90.0;  // copy of the case's current angle

private:
    const JetId m_nId;
};
