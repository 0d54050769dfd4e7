#include "gui/CaseDocument.h"

#include <QFileInfo>

#include "edit/EditHistory.h"
#include "model/PlumexDoc.h"
#include "ui/DocEventBridge.h"

CCaseDocument::CCaseDocument(CAppState& app, CPrompt& prompt, QObject* parent)
    : QObject(parent), m_pDoc(std::make_unique<CPlumexDoc>(app, prompt)) {
    m_pBridge = std::make_unique<CDocEventBridge>(*m_pDoc);
    m_pHistory = std::make_unique<CEditHistory>(*m_pDoc);
    connect(&m_pHistory->Stack(), &QUndoStack::indexChanged, this, &CCaseDocument::stateChanged);
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
bool CCaseDocument::IsTutorial() const { return m_pDoc->m_bTutorial; }

bool CCaseDocument::Open(const QString& path) {
    if (!m_pDoc->OpenCase(path.toStdString())) return false;
    // The case opens with the section of the plane it was saved with.
    m_pDoc->RecomputeSection(false);
    m_pHistory->Stack().clear();
    m_pHistory->MarkSaved();
    SetPath(path);
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
