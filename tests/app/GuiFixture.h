#pragma once
// A started program for widget tests: scripted prompt and file dialogs, a
// private profile, no splash, a 1280 x 1024 screen; helpers to use its
// menus with real mouse clicks.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "gui/FileChooser.h"
#include "gui/PlumexApp.h"
#include "support/ScriptedPrompt.h"

class CMainFrame;
class CChildFrame;
class QAction;

// File dialogs answered from queues; an empty queue answers Cancel.
class CScriptedChooser : public CFileChooser {
public:
    QString OpenCase(QWidget*, const QString& folder) override {
        m_strOpenFolder = folder;
        return Take(m_Open);
    }
    QString SaveCaseAs(QWidget*, const QString&) override { return Take(m_SaveAs); }
    QString SaveBitmap(QWidget*, const QString&) override { return Take(m_Bitmap); }
    QStringList m_Open, m_SaveAs, m_Bitmap;
    QString m_strOpenFolder;  // where the last Open dialog started

private:
    static QString Take(QStringList& q) { return q.isEmpty() ? QString() : q.takeFirst(); }
};

class GuiFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the program (SetUp does so with the defaults).
    void StartApp();
    // Writes PLUMEX/ShowBegin into the test's profile (read when the program starts).
    void SetShowBegin(bool show);

    CMainFrame& Frame() const;
    // A copy of a bundled example case in the test's folder (sub: a sub-folder).
    QString CopyExample(const QString& name, const QString& sub = QString()) const;
    QString TempPath(const QString& name) const { return m_dir.filePath(name); }
    // Opens the menu with that title on the menu bar and clicks the item.
    void ClickMenu(const QString& menu, const QString& item);
    // Clicks the tool bar button of the action.
    void ClickToolButton(QAction* action);
    QStringList MenuTitles() const;
    CChildFrame* ActiveChild() const;
    // Lets queued signals and paints run.
    static void Settle(int ms = 20);
    // Settles and makes sure the main window takes the keys.
    void SettleActive();
    // Runs action on the modal dialog of type T once it is up.
    template <typename T, typename F>
    void WhenModal(F action) {
        auto* timer = new QTimer(m_app.get());
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, [timer, action] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                action(*dialog);
            }
        });
        timer->start();
    }

    QTemporaryDir m_dir;
    CScriptedPrompt m_prompt;
    CScriptedChooser m_chooser;
    PlumexStartOptions m_options;
    std::unique_ptr<CPlumexApp> m_app;
    // Finishes every new-case wizard that comes up (tests that drive the
    // wizard themselves clear the flag).
    QTimer m_wizardDriver;
    bool m_bFinishWizards = true;
};
