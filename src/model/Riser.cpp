#include "model/Riser.h"

#include <algorithm>
#include <cmath>

#include "base/AppState.h"
#include "base/Archive.h"
#include "model/AmbientGridLink.h"
#include "model/UniqueName.h"

namespace {
// The smallest stored size of one riser: name, material, four doubles,
// visible, two ranges, jet count.
constexpr std::size_t kMinRiserBytes = 64 + 52 + 4 * 8 + 4 + 32 + 32 + 4;
constexpr double kDefaultDepth = 20.0;
}  // namespace

double CRiser::DefaultDepth(const std::vector<double>& levels) {
    if (levels.empty()) return kDefaultDepth;
    const double deepest = *std::max_element(levels.begin(), levels.end());
    // A profile that stays within the top metre gets the usual water depth.
    return deepest > 1.0 ? deepest : kDefaultDepth;
}

CRiser::CRiser() : m_Material(CMaterialProperty::OutfallDefault()) {}

std::string CRiser::MakeChildName() const {
    return MakeUniqueName(kChildNamePattern, m_Risers, [](const std::unique_ptr<CBase>& r) { return r->m_strName; });
}

CBase* CRiser::AppendRiser(std::unique_ptr<CBase> riser) {
    m_Risers.push_back(std::move(riser));
    return m_Risers.back().get();
}

void CRiser::CopyFrom(const CRiser* src, bool noRiser) {
    if (!src) {
        m_dDepth = DefaultDepth(m_pGridLink ? m_pGridLink->DepthColumn() : std::vector<double>{});
        m_dTemperature = 0.0;
        m_dSalinity = 0.0;
        m_dDensity = 1.0;
        m_dJetSpacing = 10.0;
        m_dLength = 200.0;
        m_dWidth = kDefaultWidth;
        return;
    }
    m_dDepth = src->m_dDepth;
    m_dWidth = src->m_dWidth;
    m_dReserved = src->m_dReserved;
    m_dTemperature = src->m_dTemperature;
    m_dSalinity = src->m_dSalinity;
    m_dDensity = src->m_dDensity;
    m_dLength = src->m_dLength;
    std::copy(src->m_dBlockSize, src->m_dBlockSize + 3, m_dBlockSize);
    m_Material.CopyFrom(src->m_Material);
    m_dPosition[0] = src->m_dPosition[0] + 20.0;
    m_dPosition[1] = src->m_dPosition[1];
    m_dPosition[2] = src->m_dPosition[2];
    m_nVisible = 1;
    m_nCurrentRiser = 0;
    m_Risers.clear();
    for (const auto& sr : src->m_Risers) {
        auto riser = std::make_unique<CBase>();
        riser->m_strName = MakeChildName();
        riser->CopyFrom(sr.get(), noRiser);
        riser->m_dDistance = 0.0 - 20.0;
        AppendRiser(std::move(riser));
    }
}

OutfallData CRiser::GetData() const {
    OutfallData d;
    d.m_dDepth = m_dDepth;
    d.m_dWidth = m_dWidth;
    d.m_dTemperature = m_dTemperature;
    d.m_dSalinity = m_dSalinity;
    d.m_dDensity = m_dDensity;
    d.m_dLength = m_dLength;
    d.m_dJetSpacing = m_dJetSpacing;
    d.m_dPositionX = m_dPosition[0];
    d.m_dReserved = m_dReserved;
    d.m_nVisible = m_nVisible;
    return d;
}

void CRiser::SetData(const OutfallData& d) {
    m_dDepth = d.m_dDepth;
    m_dWidth = d.m_dWidth;
    m_dTemperature = d.m_dTemperature;
    m_dSalinity = d.m_dSalinity;
    m_dDensity = d.m_dDensity;
    m_dLength = d.m_dLength;
    m_dJetSpacing = d.m_dJetSpacing;
    m_dPosition[0] = d.m_dPositionX;
    m_dReserved = d.m_dReserved;
    m_nVisible = d.m_nVisible;
}

void CRiser::Serialize(CArchive& ar) {
    const bool v2 = ar.FileIsVersion2();
    if (ar.IsStoring()) {
        ar.WriteText(m_strName, 64);
        m_Material.Serialize(ar);
        ar.WriteDouble(m_dDepth);
        ar.WriteDouble(m_dWidth);
        ar.WriteDouble(m_dPosition[0]);
        ar.WriteInt32(m_nVisible);
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        ar.WriteDouble(m_dLength);
        ar.WriteDouble(m_dJetSpacing);
        ar.WriteInt32(GetRiserCount());
        for (auto& r : m_Risers) r->Serialize(ar);
        return;
    }
    m_strName = ar.ReadText(64);
    m_Material.Serialize(ar);
    m_dDepth = ar.ReadDouble();
    m_dWidth = ar.ReadDouble();
    if (m_dWidth < 0.1) m_dWidth = 4.0;
    m_dPosition[0] = ar.ReadDouble();
    m_dPosition[1] = 0.0;
    m_dPosition[2] = 0.0;
    m_nVisible = ar.ReadInt32();
    m_RangeMin.Serialize(ar);
    m_RangeMax.Serialize(ar);
    if (v2) {
        m_dLength = ar.ReadDouble();
        m_dJetSpacing = ar.ReadDouble();
    } else {
        m_dLength = 200.0;
        m_dJetSpacing = 10.0;
    }
    // Sizes the scene derives its geometry from must be numbers.
    if (!std::isfinite(m_dDepth) || !std::isfinite(m_dWidth) || !std::isfinite(m_dLength) ||
        !std::isfinite(m_dPosition[0]))
        throw CArchiveException("outfall \"" + m_strName + "\" holds a value that is not a number");
    m_dReserved = 0.0;
    const int n = ar.ReadCount(kMinRiserBytes, "riser");
    m_Risers.clear();
    m_nCurrentRiser = 0;
    for (int i = 0; i < n; ++i) {
        auto riser = std::make_unique<CBase>();
        riser->Serialize(ar);
        AppendRiser(std::move(riser));
    }
    // The effluent fields follow the first jet of the first riser.
    const CBase* first = GetRiser(0);
    const CJet* jet = first ? first->GetJet(0) : nullptr;
    if (jet) {
        m_dTemperature = jet->m_dTemperature;
        if (m_dTemperature > 0.0) m_dSalinity = jet->m_dSalinity;
        else m_dDensity = jet->m_dSalinity;
    } else {
        m_dTemperature = 0.0;
        m_dDensity = 1.0;
    }
}
