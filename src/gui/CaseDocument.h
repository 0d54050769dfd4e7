#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// One open case of the program: the case itself, the file it came from and
// the bridge that turns its news into Qt signals. Every window on the case
// shows this one object; it lives while a window shows it.
#include <QObject>
#include <QString>
#include <memory>

class CAppState;
class CPrompt;
class CPlumexDoc;
class CDocEventBridge;
class CEditHistory;

class CCaseDocument : public QObject {
    Q_OBJECT
public:
    CCaseDocument(CAppState& app, CPrompt& prompt, QObject* parent = nullptr);
    ~CCaseDocument() override;

    CPlumexDoc& Doc() const { return *m_pDoc; }
    CDocEventBridge& Events() const { return *m_pBridge; }
    // The edits of the case that can be taken back (Edit > Undo, Redo).
    CEditHistory& History() const { return *m_pHistory; }

    // The file the case was read from or saved to; empty for a new case.
    const QString& Path() const { return m_strPath; }
    void SetPath(const QString& path);
    // The window title: the file name, or "Plumex1", "Plumex2"... for new cases.
    const QString& Title() const { return m_strTitle; }
    void SetTitle(const QString& title);
    // The path when there is one, else the title: what questions name.
    QString DisplayName() const { return m_strPath.isEmpty() ? m_strTitle : m_strPath; }

    bool IsModified() const;
    bool IsTutorial() const;

    // Reads the case file; the core reports a failure to the user.
    bool Open(const QString& path);
    // Reads the text form of a case (.json) as a new untitled case, named
    // after the file: saving asks for a case file name. False, with every
    // problem told, when the text is refused.
    bool OpenText(const QString& path);
    // Writes the case file in one piece (the old file stays whole if the
    // save fails); on success the case takes the path and the history
    // marks the saved state.
    bool SaveTo(const QString& path);
    // Tells the windows that the title or modified state may have changed.
    void Touch() { emit stateChanged(); }

signals:
    void stateChanged();

private:
    std::unique_ptr<CPlumexDoc> m_pDoc;
    std::unique_ptr<CDocEventBridge> m_pBridge;
    std::unique_ptr<CEditHistory> m_pHistory;
    QString m_strPath;
    QString m_strTitle;
};
