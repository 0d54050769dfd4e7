#include "gui/CaseDocument.h"
#include "base/SystemPath.h"

#include <QFile>
#include <QFileInfo>
#include <vector>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "edit/EditHistory.h"
#include "model/CaseJson.h"
#include "ui/DocEventBridge.h"
#include "validation/CaseValidation.h"

CCaseDocument::CCaseDocument(CAppState& app, CPrompt& prompt, QObject* parent)
    : QObject(parent), m_pDoc(std::make_unique<CPlumexDoc>(app, prompt)) {
    m_pBridge = std::make_unique<CDocEventBridge>(*m_pDoc);
    m_pHistory = std::make_unique<CEditHistory>(*m_pDoc);
    connect(&m_pHistory->Stack(), &QUndoStack::indexChanged, this, &CCaseDocument::stateChanged);
    // The figures of the cut plane on show follow new results. Only a case
    // shown in the program needs its section: batch jobs do not build the
    // tubes a section cuts.
    connect(m_pBridge.get(), &CDocEventBridge::docEvent, this, [this](const DocEvent& e) {
        if (e == DocEvent::ResultsReady) m_pDoc->RecomputeSection(false);
    });
    // Queued: the document tells its news before it sets its modified flag.
    connect(
        m_pBridge.get(), &CDocEventBridge::docEvent, this, [this] { emit stateChanged(); }, Qt::QueuedConnection);
}

CCaseDocument::~CCaseDocument() {
    m_pHistory.reset();
    m_pBridge.reset();
}

void CCaseDocument::SetPath(const QString& path) {
    m_strPath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!m_strPath.isEmpty()) m_strTitle = QFileInfo(m_strPath).fileName();
    emit stateChanged();
}

void CCaseDocument::SetTitle(const QString& title) {
    m_strTitle = title;
    emit stateChanged();
}

bool CCaseDocument::IsModified() const { return m_pDoc->IsModified(); }
bool CCaseDocument::IsTutorial() const { return m_pDoc->IsTutorial(); }

bool CCaseDocument::Open(const QString& path) {
    if (!m_pDoc->OpenCase(path.toStdString())) return false;
    // The case opens with the section of the plane it was saved with.
    m_pDoc->RecomputeSection(false);
    m_pHistory->Stack().clear();
    m_pHistory->MarkSaved();
    SetPath(path);
    return true;
}

bool CCaseDocument::OpenText(const QString& path) {
    CPrompt& prompt = m_pDoc->Prompt();
    const std::string shown = path.toStdString();
    // Only a regular file of a size a case text can have: a FIFO or a device
    // would block or never end.
    std::vector<CaseJsonProblem> problems;
    std::string refused;
    if (ReadCaseJsonFile(SystemPath(path), *m_pDoc, problems)) {
        for (const CaseIssue& i : ValidateCase(*m_pDoc))
            if (!i.m_bAcceptable) problems.push_back({i.m_strPath, i.m_strMessage});
    }
    for (const CaseJsonProblem& p : problems)
        refused += "\n" + (p.m_strPath.empty() ? std::string() : p.m_strPath + ": ") + p.m_strMessage;
    if (!refused.empty()) {
        m_pDoc->ResetToNew();
        prompt.Inform("Unable to read the case text \"" + shown + "\":" + refused);
        return false;
    }
    m_pHistory->Stack().clear();
    // A case made from a text has no file yet: it is new, and unsaved.
    SetPath(QString());
    SetTitle(QFileInfo(path).completeBaseName());
    m_pDoc->SetModifiedFlag(true);
    return true;
}

bool CCaseDocument::SaveTo(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    if (!m_pDoc->SaveCase(full.toStdString())) {
        emit stateChanged();
        return false;
    }
    m_pHistory->MarkSaved();
    SetPath(full);
    return true;
}
