#include "cli/OwnInputCheck.h"

#include <QCommandLineParser>

#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"

QString OutputThatIsAnInput(const QCommandLineParser& parser) {
    QStringList inputs;
    for (const char* job : {"batch", "import", "export", "report", "render", "section", "info", "study", "conditions"})
        if (parser.isSet(job)) inputs << parser.value(job);
    inputs << parser.positionalArguments();

    QStringList outputs;
    for (const char* file : {"out", "image", "summary", "merge-study"})
        if (parser.isSet(file) && parser.value(file) != "-") outputs << parser.value(file);
    if (parser.isSet("csv")) {
        const QString dir = parser.value("csv");
        outputs << dir + "/disks.csv" << dir + "/jets.csv" << dir + "/farfield.csv";
    }
    for (const QString& out : outputs)
        for (const QString& in : inputs)
            if (IsSameFile(SystemPath(in), SystemPath(out)))
                return out + ": names the case the job reads (" + in + "); nothing written";
    return QString();
}
