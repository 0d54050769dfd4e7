// The case stream: version tag, ranges, camera, cut plane, ambient water,
// outfalls, and a tail that depends on the version.
#include <cctype>
#include <cmath>

#include "model/AppState.h"
#include "model/Archive.h"
#include "model/CaseFile.h"
#include "model/LoadedCaseCheck.h"
#include "model/Prompt.h"
#include "model/PlumexDoc.h"

namespace {
constexpr std::size_t kTagBytes = 32;
// The smallest stored size of one outfall: name, material, three doubles,
// visible, two ranges, riser count.
constexpr std::size_t kMinOutfallBytes = 64 + 52 + 3 * 8 + 4 + 32 + 32 + 4;
}  // namespace

void CPlumexDoc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_strVersion = kCurrentFileVersion;
        ar.App().m_strFileVersion = kCurrentFileVersion;
        ar.WriteText(m_strVersion, kTagBytes);
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        m_ViewControl.Serialize(ar);
        m_CutPlane.Serialize(ar);
        m_pAmbient->Serialize(ar);
        ar.WriteInt32(GetOutfallCount());
        for (auto& o : m_Outfalls) o->Serialize(ar);
        ar.WriteInt32(ar.App().m_bNoRiser ? 1 : 0);
        ar.WriteFloat(m_fCurrentAngle);
        return;
    }

    const std::string tag = ar.ReadText(kTagBytes);
    m_strVersion = tag;
    ar.App().m_strFileVersion = tag;
    if (!ar.App().FileIsVersion2()) ar.App().m_bNoRiser = false;
    m_RangeMin.Serialize(ar);
    m_RangeMax.Serialize(ar);
    m_ViewControl.Serialize(ar);
    m_CutPlane.Serialize(ar);
    if (!m_pAmbient) m_pAmbient = std::make_unique<CAmbient>();
    m_pAmbient->Serialize(ar);
    m_dDisplayLength = m_pAmbient->m_dWaterDepth;
    const int n = ar.ReadCount(kMinOutfallBytes, "outfall");
    m_Outfalls.clear();
    m_nCurrentOutfall = 0;
    for (int i = 0; i < n; ++i) {
        auto o = std::make_unique<CRiser>();
        o->m_pGridLink = m_pGridLink;
        o->Serialize(ar);
        m_Outfalls.push_back(std::move(o));
    }
    bool angleRead = false;
    if (tag == "Plumex1.5") {
        ar.ReadInt32();
    } else if (tag == "Plumex1.51") {
        ar.ReadInt32();
        m_fCurrentAngle = ar.ReadFloat();
        angleRead = true;
    } else if (ar.App().FileIsVersion2()) {
        ar.App().m_bNoRiser = ar.ReadInt32() != 0;
        m_fCurrentAngle = ar.ReadFloat();
        angleRead = true;
    }
    if (angleRead && !std::isfinite(m_fCurrentAngle))
        throw CArchiveException("the current angle is not a number");
    // Nothing computes with a number of the file before it is checked.
    CheckLoadedCase(*this);
    if (angleRead) PropagateCurrentAngle();
    m_strVersion = kCurrentFileVersion;
    ar.App().m_strFileVersion = kCurrentFileVersion;
}

std::vector<unsigned char> CPlumexDoc::SaveToBytes() {
    CArchive ar(m_app);
    Serialize(ar);
    return ar.Data();
}

bool CPlumexDoc::LoadFromBytes(const std::vector<unsigned char>& bytes, std::string& error) {
    const bool oldNoRiser = m_app.m_bNoRiser;
    ResetToNew();
    try {
        CArchive ar(m_app, bytes);
        Serialize(ar);
    } catch (const CArchiveException& e) {
        error = e.what();
        // Nothing half-loaded stays: the document is empty again.
        ResetToNew();
        m_app.m_bNoRiser = oldNoRiser;
        m_app.m_strFileVersion = kCurrentFileVersion;
        return false;
    }
    return true;
}

bool CPlumexDoc::OpenCase(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string error;
    if (!CaseFile::Read(path, bytes, error) || !LoadFromBytes(bytes, error)) {
        ResetToNew();
        m_prompt.Inform("Unable to read the case file \"" + path + "\": " + error + ".", PromptIcon::Exclamation);
        return false;
    }
    std::string lower = path;
    for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    m_bTutorial = lower.find("tutorial files") != std::string::npos;
    // An opened case is shown from its stored results without a new run.
    PrepareJetDisplays();
    m_bModified = false;
    return true;
}

bool CPlumexDoc::SaveCase(const std::string& path) {
    if (!m_pAmbient) m_pAmbient = std::make_unique<CAmbient>();
    const std::vector<unsigned char> bytes = SaveToBytes();
    std::string error;
    if (!CaseFile::Write(path, bytes, error)) {
        m_prompt.Inform("Unable to save the case file \"" + path + "\": " + error + ".", PromptIcon::Exclamation);
        return false;  // the document stays modified
    }
    m_bModified = false;
    return true;
}
