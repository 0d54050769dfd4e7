#include "run/RunSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <mutex>

#include "run/StaleRunDirs.h"

CRunSettings::CRunSettings() : m_strModelProgram(DefaultModelProgram()) {}

CRunSettings::~CRunSettings() = default;

bool CRunSettings::EnsureWorkDir() {
    if (!m_strWorkDir.empty()) return true;
    QString base;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime && QFileInfo(QString::fromLocal8Bit(runtime)).isDir())
        base = QString::fromLocal8Bit(runtime);
    else base = QDir::tempPath();
    // Directories left by runs of programs that were killed go first.
    static std::once_flag cleaned;
    std::call_once(cleaned, [&base] { RemoveStaleRunDirs(base.toStdString()); });
    auto dir = std::make_unique<QTemporaryDir>(QString::fromStdString(RunDirTemplate(base.toStdString())));
    if (!dir->isValid()) return false;
    m_strWorkDir = dir->path().toStdString();
    m_pOwnDir = std::move(dir);
    return true;
}

std::string CRunSettings::PathOf(const std::string& name) const { return m_strWorkDir + "/" + name; }

std::string CRunSettings::DefaultModelProgram() {
    const char* env = std::getenv("PLUMEX_MODEL");
    if (env && *env) return env;
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + "/mardex2k";
        if (QFileInfo(beside).isExecutable()) return beside.toStdString();
    }
    return "mardex2k";
}
