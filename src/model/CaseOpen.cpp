// Opening a case file: it is read into the case, with its run options, and
// its stored results are placed to be shown without a new run.
#include <cctype>

#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseFile.h"
#include "model/FarFieldSettings.h"
#include "model/RowMergingStream.h"
#include "model/RunOptions.h"

bool CCase::OpenCase(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string error;
    CaseFile::SideStreams side;
    // A file without run options (written before they were kept) computes
    // with the defaults.
    RunOptions options;
    // Without far-field settings (no stream) the case has the defaults.
    FarFieldSettings farField;
    if (!CaseFile::Read(path, bytes, error, &side) || !ParseRunOptions(side.m_strRunOptions, options, error) ||
        !ParseFarFieldSettings(side.m_strFarField, farField, error) || !LoadFromBytes(bytes, error)) {
        m_prompt.Inform("Unable to read the case file \"" + path + "\": " + error + ".", PromptIcon::Exclamation);
        return false;
    }
    m_RunOptions = options;
    m_FarField = farField;
    ApplyRowMergingStream(side.m_strRowMerging, *this);
    std::string lower = path;
    for (auto& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    m_bTutorial = lower.find("tutorial files") != std::string::npos;
    // An opened case is shown from its stored results without a new run.
    PlaceJets();
    m_bModified = false;
    return true;
}
