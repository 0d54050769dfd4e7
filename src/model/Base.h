#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// One riser standing on an outfall, with its jets (ports).
#include <memory>
#include <string>
#include <vector>

#include "base/RangeRecord.h"
#include "model/Jet.h"
#include "model/MaterialProperty.h"

class CArchive;

struct RiserData {
    double m_dDistance = 0.0;
    double m_dTopRadius = 1.5;
    double m_dBottomRadius = 2.0;
    double m_dHeight = 2.0;
    double m_dTotalFlow = 0.0138;
    int m_nVisible = 1;
};

class CBase {
public:
    CBase();
    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;

    // With a source: copy radii, height, total flow and every jet (new
    // names, angles kept). Without: scenario defaults and one default jet.
    void CopyFrom(const CBase* src, bool noRiser);
    void Serialize(CArchive& ar);

    RiserData GetData() const;
    void SetData(const RiserData& d);

    // Next free "Jet%d" name among this riser's jets.
    static constexpr const char* kChildNamePattern = "Jet%d";
    std::string MakeChildName() const;
    // Riser radius at a height above its base (linear between the radii).
    double RadiusAt(double height) const;

    int GetJetCount() const { return static_cast<int>(m_Jets.size()); }
    CJet* GetJet(int i) const { return i >= 0 && i < GetJetCount() ? m_Jets[i].get() : nullptr; }
    CJet* GetCurrentJet() const { return GetJet(m_nCurrentJet); }
    CJet* AppendJet(std::unique_ptr<CJet> jet);
    double SumOfJetFlows() const;

    std::string m_strName;
    double m_dTopRadius = 1.5;
    double m_dBottomRadius = 2.0;
    double m_dHeight = 2.0;
    double m_dTotalFlow = 0.0138;
    double m_dDistance = 0.0;
    std::vector<std::unique_ptr<CJet>> m_Jets;
    int m_nCurrentJet = 0;
    int m_nVisible = 1;
    CRangeRecord m_RangeMin = CRangeRecord::FreshMin();
    CRangeRecord m_RangeMax = CRangeRecord::FreshMax();
    CMaterialProperty m_Material;
};
