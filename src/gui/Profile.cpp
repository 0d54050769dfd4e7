#include "gui/Profile.h"

#include <QFileInfo>

namespace {
const char kRecentGroup[] = "Recent File List";
}

CProfile::CProfile(const QString& iniPath) {
    if (iniPath.isEmpty())
        m_pSettings = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Plumex", "Plumex");
    else m_pSettings = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

bool CProfile::ShowBegin() const { return m_pSettings->value("PLUMEX/ShowBegin", 1).toInt() != 0; }
void CProfile::SetShowBegin(bool show) { m_pSettings->setValue("PLUMEX/ShowBegin", show ? 1 : 0); }
bool CProfile::NoRiserOption() const { return m_pSettings->value("PLUMEX/Option", 0).toInt() != 0; }
void CProfile::SetNoRiserOption(bool noRiser) { m_pSettings->setValue("PLUMEX/Option", noRiser ? 1 : 0); }

QString CProfile::InputPosition() const {
    return m_pSettings->value("System Controls/Input_Position", QString()).toString();
}
void CProfile::SetInputPosition(const QString& text) { m_pSettings->setValue("System Controls/Input_Position", text); }

QStringList CProfile::RecentFiles() const {
    QStringList files;
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString f = m_pSettings->value(QString("%1/File%2").arg(kRecentGroup).arg(i)).toString();
        if (!f.isEmpty()) files << f;
    }
    return files;
}

void CProfile::WriteRecentFiles(const QStringList& files) {
    m_pSettings->remove(kRecentGroup);
    for (int i = 0; i < files.size() && i < kRecentFileCount; ++i)
        m_pSettings->setValue(QString("%1/File%2").arg(kRecentGroup).arg(i + 1), files[i]);
}

void CProfile::AddRecentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(full);
    files.prepend(full);
    WriteRecentFiles(files);
}

void CProfile::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    WriteRecentFiles(files);
}
