#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// What the main window and its hosts ask of the program that owns them: the
// shared services, the open cases, and the answers to the questions asked
// before a case or the program closes. The program implements it; the
// window asks for the file commands through its own signals, so the window
// never includes the program.
#include <QList>
#include <QObject>

class CCaseDocument;
class CFileChooser;
class CPrompt;
class CProfile;

class CCaseHost : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual CPrompt& Prompt() const = 0;
    virtual CFileChooser& Chooser() const = 0;
    virtual CProfile& Profile() const = 0;
    virtual const QList<CCaseDocument*>& Documents() const = 0;
    // Whether the start page comes up while no case is open.
    virtual bool ShowStartPage() const = 0;
    virtual void SetShowStartPage(bool show) = 0;
    // Before the program ends: asks for each modified case whether to save
    // it. False when the user cancelled (the program goes on).
    virtual bool SaveAllWithPrompts() = 0;
    // Asked when the last window on a case is closed: false keeps it.
    virtual bool CanCloseLastWindow(CCaseDocument& doc) = 0;
    // Forgets the case and closes its windows, without questions.
    virtual void DiscardDocument(CCaseDocument* doc) = 0;

signals:
    void documentsChanged();
};
