#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// Every command of the main window as one QAction, kept by name
// ("file.save", "view.dataView"). Menus and tool bars are built from here;
// nothing makes a second action for the same command.
#include <QAction>
#include <QHash>
#include <QKeySequence>
#include <QObject>
#include <QString>

class CActionRegistry : public QObject {
public:
    explicit CActionRegistry(QObject* parent) : QObject(parent) {}

    // A new command with its caption (with its & mnemonic), status tip and,
    // when iconName is given, the icon ":/icons/<iconName>.svg".
    QAction* Add(const QString& name, const QString& caption, const QString& statusTip,
                 const QString& iconName = QString(), const QKeySequence& key = QKeySequence());
    // Lists an action made elsewhere (a dock's toggle) under name.
    QAction* Adopt(const QString& name, QAction* action);
    // The command of that name; null when there is none.
    QAction* Find(const QString& name) const { return m_Actions.value(name, nullptr); }
    // The command of that name, which must exist.
    QAction* Get(const QString& name) const;
    QStringList Names() const { return m_Actions.keys(); }

private:
    QHash<QString, QAction*> m_Actions;
};
