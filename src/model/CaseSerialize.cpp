// The case stream: version tag, ranges, camera, cut plane, ambient water,
// outfalls, and a tail that depends on the version.
#include <cmath>

#include "base/AppState.h"
#include "base/Archive.h"
#include "base/FileVersion.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/FarFieldSettings.h"
#include "model/LoadedCaseCheck.h"
#include "model/RowMergingStream.h"
#include "model/RunOptions.h"

namespace {
constexpr std::size_t kTagBytes = 32;
// The smallest stored size of one outfall: name, material, three doubles,
// visible, two ranges, riser count.
constexpr std::size_t kMinOutfallBytes = 64 + 52 + 3 * 8 + 4 + 32 + 32 + 4;
}  // namespace

void CCase::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        m_strVersion = kCurrentFileVersion;
        ar.SetFileVersion(kCurrentFileVersion);
        ar.WriteText(m_strVersion, kTagBytes);
        m_RangeMin.Serialize(ar);
        m_RangeMax.Serialize(ar);
        m_ViewControl.Serialize(ar);
        m_CutPlane.Serialize(ar);
        m_pAmbient->Serialize(ar);
        ar.WriteInt32(GetOutfallCount());
        for (auto& o : m_Outfalls) o->Serialize(ar);
        ar.WriteInt32(m_bNoRiser ? 1 : 0);
        ar.WriteFloat(m_fCurrentAngle);
        return;
    }

    const std::string tag = ar.ReadText(kTagBytes);
    m_strVersion = tag;
    ar.SetFileVersion(tag);
    if (!ar.FileIsVersion2()) m_bNoRiser = false;
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
    } else if (ar.FileIsVersion2()) {
        m_bNoRiser = ar.ReadInt32() != 0;
        m_fCurrentAngle = ar.ReadFloat();
        angleRead = true;
    }
    if (angleRead && !std::isfinite(m_fCurrentAngle)) throw CArchiveException("the current angle is not a number");
    // Nothing computes with a number of the file before it is checked.
    CheckLoadedCase(*this);
    if (angleRead) PropagateCurrentAngle();
    m_strVersion = kCurrentFileVersion;
}

std::vector<unsigned char> CCase::SaveToBytes() {
    CArchive ar;
    Serialize(ar);
    return ar.Data();
}

bool CCase::LoadFromBytes(const std::vector<unsigned char>& bytes, std::string& error) {
    // The stream is read into a case of its own, so a stream that fails
    // halfway leaves nothing of itself in this one.
    CCase loaded(m_app, m_prompt);
    loaded.m_pGridLink = m_pGridLink;
    try {
        CArchive ar(bytes);
        loaded.Serialize(ar);
    } catch (const CArchiveException& e) {
        error = e.what();
        return false;
    }
    TakeLoadedCase(loaded);
    return true;
}

void CCase::TakeLoadedCase(CCase& loaded) {
    ResetToNew();
    // Exactly what Serialize reads (a field added there belongs here too);
    // everything else keeps this case's value.
    m_strVersion = loaded.m_strVersion;
    m_RangeMin = loaded.m_RangeMin;
    m_RangeMax = loaded.m_RangeMax;
    m_ViewControl = loaded.m_ViewControl;
    m_bCameraFramed = false;  // the camera the file kept
    if (m_ViewControl.StoredViewWasReset())
        m_prompt.Inform(
            "The view stored in the case cannot be drawn (it looks straight down or up, or from too far away); "
            "the default view is shown.");
    m_CutPlane.m_dHAngle = loaded.m_CutPlane.m_dHAngle;
    m_CutPlane.m_dVAngle = loaded.m_CutPlane.m_dVAngle;
    m_CutPlane.m_dDistance = loaded.m_CutPlane.m_dDistance;
    m_CutPlane.m_eKind = loaded.m_CutPlane.m_eKind;
    m_CutPlane.m_nDiskNo = loaded.m_CutPlane.m_nDiskNo;
    m_pAmbient = std::move(loaded.m_pAmbient);
    m_dDisplayLength = loaded.DisplayLength();
    m_Outfalls = std::move(loaded.m_Outfalls);
    m_nCurrentOutfall = loaded.m_nCurrentOutfall;
    m_bNoRiser = loaded.IsNoRiser();
    m_fCurrentAngle = loaded.CurrentAngle();
}

bool CCase::SaveCase(const std::string& path) {
    if (!m_pAmbient) m_pAmbient = std::make_unique<CAmbient>();
    // A file the loader would refuse is never written: the previous file
    // stays as it was.
    const std::string problem = LoadedCaseProblem(*this);
    if (!problem.empty()) {
        m_prompt.Inform("Unable to save the case file \"" + path + "\": " + problem + ".", PromptIcon::Exclamation);
        return false;
    }
    const std::vector<unsigned char> bytes = SaveToBytes();
    // Continuous mode, the step limit and the rows' merging have no place
    // in the case stream.
    CaseFile::SideStreams side;
    side.m_strRunOptions = FormatRunOptions(m_RunOptions);
    side.m_strRowMerging = FormatRowMergingStream(*this);
    side.m_strFarField = FormatFarFieldSettings(m_FarField);
    std::string error;
    if (!CaseFile::Write(path, bytes, error, CaseFile::kMaxStreamBytes, &side)) {
        m_prompt.Inform("Unable to save the case file \"" + path + "\": " + error + ".", PromptIcon::Exclamation);
        return false;  // the document stays modified
    }
    m_bModified = false;
    return true;
}
