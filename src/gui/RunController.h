#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// Starts the jet model for a case from the program's commands: all jets or
// the current jet, one run at a time. The run goes on while the program
// keeps handling events, also while the results are read: the status-bar
// meter follows the model's time and then the reading, never going back,
// its Cancel button stops the model or drops the results being read, the
// status bar tells how the run ended ("8 of 8 jets computed", "Run
// cancelled"), and the run's problems are shown once when it has ended. Commands that change the structure of a case
// are off while its run is in flight (the main window asks IsRunning()).
//
// Each case keeps its run settings here from its first run until the case
// goes: its runs share one private working directory, and the files of its
// last run stay there to be viewed.
#include <QObject>
#include <map>
#include <memory>

class CCaseDocument;
class CPrompt;
class CRunJob;
class CRunSettings;
class CStatusProgress;

class CRunController : public QObject {
    Q_OBJECT
public:
    CRunController(CStatusProgress& progress, CPrompt& prompt, QObject* parent = nullptr);
    ~CRunController() override;

    bool IsRunning() const { return m_pJob != nullptr; }
    CCaseDocument* RunningDocument() const { return m_pRunning; }

    // True when the model was started; its results come in later and
    // runFinished() tells how it went. False when a check or question
    // stopped the run or another run is in flight.
    bool RunAllJets(CCaseDocument& doc) { return Start(doc, true); }
    bool RunCurrentJet(CCaseDocument& doc) { return Start(doc, false); }

    // The run settings of this case (made from the environment on first
    // use): where its last run's files are.
    CRunSettings& SettingsOf(CCaseDocument& doc);

    // Stops the model; runFinished(false) follows with every jet unchanged.
    void Cancel();
    // Ends the run at once, before its case goes away: the model process is
    // stopped and no jet changes. Nothing is shown to the user.
    void Abandon();

signals:
    void runningChanged(bool running);
    // The run has ended; succeeded: its results are in the case.
    void runFinished(bool succeeded);

private:
    bool Start(CCaseDocument& doc, bool allJets);
    std::shared_ptr<CRunSettings> SharedSettingsOf(CCaseDocument& doc);
    void OnFinished();
    void Detach();

    CStatusProgress& m_progress;
    CPrompt& m_prompt;
    std::unique_ptr<CRunJob> m_pJob;
    CCaseDocument* m_pRunning = nullptr;
    std::map<const CCaseDocument*, std::shared_ptr<CRunSettings>> m_Settings;
};
