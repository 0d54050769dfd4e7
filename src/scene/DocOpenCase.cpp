// Opening a case file: it is read into the document and then shown from its
// stored results, so the jet displays are prepared here, above the model.
#include <cctype>

#include "base/Prompt.h"
#include "model/CaseFile.h"
#include "model/PlumexDoc.h"

bool CPlumexDoc::OpenCase(const std::string& path) {
    std::vector<unsigned char> bytes;
    std::string error;
    if (!CaseFile::Read(path, bytes, error) || !LoadFromBytes(bytes, error)) {
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
