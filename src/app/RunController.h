#pragma once
// Starts the jet model for a case from the program's commands: all jets or
// the current jet, with the status-bar meter as the run's progress. One run
// at a time; while it runs, the windows repaint and only the meter's Cancel
// button takes input.
#include <QObject>

class CCaseDocument;
class CStatusProgress;

class CRunController : public QObject {
    Q_OBJECT
public:
    explicit CRunController(CStatusProgress& progress, QObject* parent = nullptr);

    bool IsRunning() const { return m_pRunning != nullptr; }
    CCaseDocument* RunningDocument() const { return m_pRunning; }

    // True when results were read into the case; a cancelled, failed or
    // refused run leaves every jet as it was.
    bool RunAllJets(CCaseDocument& doc) { return Run(doc, true); }
    bool RunCurrentJet(CCaseDocument& doc) { return Run(doc, false); }

signals:
    void runningChanged(bool running);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Run(CCaseDocument& doc, bool allJets);
    CStatusProgress& m_progress;
    CCaseDocument* m_pRunning = nullptr;
};
