#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The program's profile: an INI file in the user's configuration folder
// (or a given file, for tests) with the sections and keys the program has
// always used: PLUMEX/ShowBegin, PLUMEX/Option, "System Controls"/
// "Input_Position" and the list of the four files opened last.
#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

class CProfile {
public:
    static constexpr int kRecentFileCount = 4;

    // An empty path takes the user's configuration folder.
    explicit CProfile(const QString& iniPath = QString());

    bool ShowBegin() const;
    void SetShowBegin(bool show);
    bool NoRiserOption() const;
    void SetNoRiserOption(bool noRiser);
    QString InputPosition() const;
    void SetInputPosition(const QString& text);

    // Newest first; files that no longer exist stay listed until opened again.
    QStringList RecentFiles() const;
    // Puts path at the head of the list (once) and keeps four.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

    // The settings themselves, for pieces that keep their own keys (the start page).
    QSettings& Settings() const { return *m_pSettings; }
    void Sync() { m_pSettings->sync(); }

private:
    void WriteRecentFiles(const QStringList& files);
    std::unique_ptr<QSettings> m_pSettings;
};
