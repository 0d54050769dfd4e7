#include "document/PlumexDoc.h"

#include "gl/CaseRenderer.h"

CPlumexDoc::CPlumexDoc(CAppState& app, CPrompt& prompt) : CCase(app, prompt), m_Displays(*this) {}

void CPlumexDoc::PrepareJetDisplays() { PlaceJets(); }
void CPlumexDoc::PrepareJetDisplays(int outfall, int riser, int firstJet, int count) {
    PlaceJets(outfall, riser, firstJet, count);
}
ColourMode CPlumexDoc::GetColourMode() const { return m_Displays.Mode(); }
void CPlumexDoc::BuildColourTable(ColourMode mode) {
    m_Displays.SetMode(mode);
    m_Displays.Colours();
}
void CPlumexDoc::BuildSortTree() const { m_Displays.BuildSortTree(); }
const CSortTree* CPlumexDoc::SortTree() const { return m_Displays.SortTree(); }

void CPlumexDoc::DrawStructures(SceneDrawState& state) { ::DrawStructures(*this, m_Displays, state); }
void CPlumexDoc::DrawAmbient(const SceneDrawState& state, CGlResources& resources) const {
    ::DrawAmbient(*this, state, resources);
}
void CPlumexDoc::DrawSortedJets(const SceneDrawState& state) const { ::DrawSortedJets(*this, m_Displays, state); }
