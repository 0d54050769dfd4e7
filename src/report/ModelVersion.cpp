#include "report/ModelVersion.h"

#include <QProcess>

#include "run/RunSettings.h"

QString JetModelVersion(const CRunSettings& settings) {
    std::string program = settings.m_strModelProgram;
    if (program.empty()) program = CRunSettings::DefaultModelProgram();
    QProcess p;
    p.start(QString::fromStdString(program), {"--version"});
    if (!p.waitForFinished(5000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(1000);
        return QString();
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).section('\n', 0, 0).trimmed();
}

QString JetModelVersion() { return JetModelVersion(CRunSettings()); }
