#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// One outfall (pipe on the sea bed) with its risers. The class name is one
// level apart from what it holds: CRiser is the outfall, CBase a riser.
#include <memory>
#include <string>
#include <vector>

#include "base/RangeRecord.h"
#include "model/Base.h"
#include "model/MaterialProperty.h"

class CArchive;
class CAmbientGridLink;

struct OutfallData {
    double m_dDepth = 21.0;
    double m_dWidth = 5.0;
    double m_dTemperature = 0.0;
    double m_dSalinity = 0.0;
    double m_dDensity = 1.0;
    double m_dLength = 200.0;
    double m_dJetSpacing = 10.0;
    double m_dPositionX = 0.0;
    double m_dReserved = 0.0;
    int m_nVisible = 1;
};

class CRiser {
public:
    CRiser();
    CRiser(const CRiser&) = delete;
    CRiser& operator=(const CRiser&) = delete;

    // A pipe of 1 m: the default risers stand on it within their limits.
    static constexpr double kDefaultWidth = 1.0;
    // The depth a new outfall lies at: on the sea bed of a profile with these
    // level depths (the deepest), 20 m for none or one within the top metre,
    // the water depth the profile then gets.
    static double DefaultDepth(const std::vector<double>& levels);

    // With a source: copy its fields and rebuild the riser list from the
    // source's risers. Without: defaults (depth from the linked grid).
    void CopyFrom(const CRiser* src, bool noRiser);
    void Serialize(CArchive& ar);

    OutfallData GetData() const;
    void SetData(const OutfallData& d);

    // Next free "Riser%d" name among this outfall's risers.
    static constexpr const char* kChildNamePattern = "Riser%d";
    std::string MakeChildName() const;

    int GetRiserCount() const { return static_cast<int>(m_Risers.size()); }
    CBase* GetRiser(int i) const { return i >= 0 && i < GetRiserCount() ? m_Risers[i].get() : nullptr; }
    CBase* GetCurrentRiser() const { return GetRiser(m_nCurrentRiser); }
    CBase* AppendRiser(std::unique_ptr<CBase> riser);

    std::string m_strName;
    double m_dDepth = 21.0;
    double m_dWidth = 5.0;
    double m_dReserved = 0.0;
    double m_dTemperature = 0.0;  // effluent temperature
    double m_dSalinity = 0.0;     // effluent salinity (used when the temperature is not 0)
    double m_dDensity = 1.0;      // effluent density (used when the temperature is 0)
    double m_dLength = 200.0;
    double m_dJetSpacing = 10.0;
    std::vector<std::unique_ptr<CBase>> m_Risers;
    int m_nCurrentRiser = 0;
    double m_dBlockSize[3] = {5.0, 0.5, 100.0};  // drawn base block: width, height, length
    int m_nVisible = 1;
    CRangeRecord m_RangeMin = CRangeRecord::FreshMin();
    CRangeRecord m_RangeMax = CRangeRecord::FreshMax();
    CMaterialProperty m_Material;
    double m_dPosition[3] = {0.0, 0.0, 0.0};
    const CAmbientGridLink* m_pGridLink = nullptr;  // source of the default depth
};
