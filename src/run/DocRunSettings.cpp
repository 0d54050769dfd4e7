#include "model/PlumexDoc.h"
#include "run/RunSettings.h"

CRunSettings& CPlumexDoc::RunSettings() {
    if (!m_pRunSettings) m_pRunSettings = std::make_shared<CRunSettings>();
    return *m_pRunSettings;
}
