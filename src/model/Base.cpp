#include "model/Base.h"

#include "base/AppState.h"
#include "base/Archive.h"
#include "model/UniqueName.h"

namespace {
// The smallest stored size of one jet: name, two materials, eight doubles,
// key parameters, visible, two ranges, disk count, slices, ring interval.
constexpr std::size_t kMinJetBytes = 64 + 52 + 52 + 8 * 8 + 344 + 4 + 32 + 32 + 4 + 4 + 4;
}  // namespace

CBase::CBase() : m_Material(CMaterialProperty::RiserDefault()) {}

std::string CBase::MakeChildName() const {
    return MakeUniqueName(kChildNamePattern, m_Jets, [](const std::unique_ptr<CJet>& j) { return j->m_strName; });
}

double CBase::RadiusAt(double height) const {
    if (m_dHeight == 0.0) return m_dBottomRadius;  // a flat riser has one radius
    return m_dBottomRadius - (m_dBottomRadius - m_dTopRadius) * height / m_dHeight;
}

CJet* CBase::AppendJet(std::unique_ptr<CJet> jet) {
    m_Jets.push_back(std::move(jet));
    return m_Jets.back().get();
}

double CBase::SumOfJetFlows() const {
    double sum = 0.0;
    for (const auto& j : m_Jets) sum += j->m_dFlow;
    return sum;
}

void CBase::CopyFrom(const CBase* src, bool noRiser) {
    m_Jets.clear();
    m_nCurrentJet = 0;
    if (!src) {
        m_dDistance = 0.0;
        m_dTopRadius = noRiser ? 0.0 : 0.2;
        m_dBottomRadius = noRiser ? 0.0001 : 0.3;
        m_dHeight = noRiser ? 20.0 : 1.0;
        m_dTotalFlow = 0.0138;
        auto jet = std::make_unique<CJet>(noRiser);
        jet->m_strName = MakeChildName();
        AppendJet(std::move(jet));
        return;
    }
    m_dTopRadius = src->m_dTopRadius;
    m_dBottomRadius = src->m_dBottomRadius;
    m_dHeight = src->m_dHeight;
    m_dTotalFlow = src->m_dTotalFlow;
    m_nVisible = 1;
    for (const auto& sj : src->m_Jets) {
        auto jet = std::make_unique<CJet>(noRiser);
        jet->m_strName = MakeChildName();
        jet->CopyFrom(sj.get(), noRiser);
        // The jet copy turns the angle by +60; take that back so the copied
        // jets point the same way as the source jets.
        jet->m_dHAngle -= 60.0;
        AppendJet(std::move(jet));
    }
    m_nCurrentJet = GetJetCount() - 1;
    if (m_nCurrentJet < 0) m_nCurrentJet = 0;
}

RiserData CBase::GetData() const {
    return RiserData{m_dDistance, m_dTopRadius, m_dBottomRadius, m_dHeight, m_dTotalFlow, m_nVisible};
}

void CBase::SetData(const RiserData& d) {
    m_dDistance = d.m_dDistance;
    m_dTopRadius = d.m_dTopRadius;
    m_dBottomRadius = d.m_dBottomRadius;
    m_dHeight = d.m_dHeight;
    m_dTotalFlow = d.m_dTotalFlow;
    m_nVisible = d.m_nVisible;
}

void CBase::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteText(m_strName, 64);
        m_Material.Serialize(ar);
        ar.WriteDouble(m_dDistance);
        ar.WriteDouble(m_dTopRadius);
        ar.WriteDouble(m_dBottomRadius);
        ar.WriteDouble(m_dHeight);
        ar.WriteInt32(m_nVisible);
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        ar.WriteInt32(GetJetCount());
        for (auto& j : m_Jets) j->Serialize(ar);
    } else {
        m_strName = ar.ReadText(64);
        m_Material.Serialize(ar);
        m_dDistance = ar.ReadDouble();
        m_dTopRadius = ar.ReadDouble();
        m_dBottomRadius = ar.ReadDouble();
        m_dHeight = ar.ReadDouble();
        m_nVisible = ar.ReadInt32();
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        const int n = ar.ReadCount(kMinJetBytes, "jet");
        m_Jets.clear();
        m_nCurrentJet = 0;
        for (int i = 0; i < n; ++i) {
            // The scenario only sets defaults that the jet reads over.
            auto jet = std::make_unique<CJet>(false);
            jet->Serialize(ar);
            AppendJet(std::move(jet));
        }
        m_dTotalFlow = SumOfJetFlows();
    }
}
