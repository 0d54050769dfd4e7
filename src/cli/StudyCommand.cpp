#include "cli/StudyCommand.h"

#include <QCommandLineParser>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "base/AppState.h"
#include "base/SafeFileWriter.h"
#include "cli/CaseLoad.h"
#include "cli/ConsolePrompt.h"
#include "document/PlumexDoc.h"
#include "study/ConditionsFile.h"
#include "study/StudyPart.h"
#include "study/StudyRunner.h"
#include "study/StudySummary.h"

namespace {
volatile std::sig_atomic_t g_nInterrupted = 0;
void OnInterrupt(int) { g_nInterrupted = 1; }

constexpr int kExitIncomplete = 4;
constexpr int kExitInterrupted = 130;

int Fail(const std::string& text, int code = 1) {
    std::fprintf(stderr, "plumex: %s\n", text.c_str());
    return code;
}

bool WriteLine(CSafeFileWriter& w, const std::string& line) {
    return w.Write(line.data(), line.size()) && w.Write("\n", 1);
}

// The summary printed, and written to path when one is given.
bool PutSummary(const CStudySummary& summary, const QString& path) {
    const std::string text = summary.Text();
    std::fputs(text.c_str(), stdout);
    if (path.isEmpty()) return true;
    std::string error;
    if (!WriteFileSafely(path.toStdString(), text.data(), text.size(), error)) {
        Fail(path.toStdString() + ": " + error);
        return false;
    }
    return true;
}

int RunMerge(const QCommandLineParser& parser) {
    const QString out = parser.value("merge-study");
    const QStringList parts = parser.positionalArguments();
    std::vector<std::string> paths;
    for (const auto& p : parts) paths.push_back(p.toStdString());
    CSafeFileWriter writer;
    if (!writer.Open(out.toStdString())) return Fail(out.toStdString() + ": " + writer.Error());
    CStudySummary summary;
    bool written = true;
    int lineNo = 0;
    std::string error;
    const bool merged = MergeStudyParts(
        paths,
        [&](const std::string& line) {
            if (++lineNo > 2) {
                StudyRecord r;
                std::string why;
                if (ParseStudyRecord(line, r, why)) summary.Add(r);
            }
            written = WriteLine(writer, line) && written;
        },
        error);
    if (!merged) return Fail(error);
    if (!written || !writer.Commit()) return Fail(out.toStdString() + ": " + writer.Error());
    if (!PutSummary(summary, parser.value("summary"))) return 1;
    return summary.Skipped() + summary.NotComputed() > 0 ? kExitIncomplete : 0;
}
}  // namespace

void AddStudyOptions(QCommandLineParser& parser) {
    parser.addOptions({
        {"study", "Compute CASE against every condition of --conditions; rows to --out, summary printed.", "CASE"},
        {"conditions", "With --study: the conditions file (docs/conditions.md).", "FILE"},
        {"summary", "With --study or --merge-study: also write the summary to FILE.", "FILE"},
        {"jobs", "With --study: model processes at once (default: the number of cores).", "N"},
        {"part", "With --study: compute only the I-th of K equal slices of the conditions.", "I/K"},
        {"merge-study", "Join the results files of a study's parts (given after it) into OUT.", "OUT"},
    });
}

bool StudyRequested(const QCommandLineParser& parser) { return parser.isSet("study") || parser.isSet("merge-study"); }

int RunStudyCommand(const QCommandLineParser& parser) {
    if (parser.isSet("merge-study")) {
        if (parser.isSet("study") || parser.isSet("conditions") || parser.isSet("part") || parser.isSet("jobs"))
            return Fail("--merge-study takes only OUT, the parts and --summary", 2);
        if (parser.positionalArguments().isEmpty()) return Fail("--merge-study: give the parts after OUT", 2);
        return RunMerge(parser);
    }
    const QString casePath = parser.value("study");
    const QString condPath = parser.value("conditions");
    const QString out = parser.value("out");
    if (condPath.isEmpty() || out.isEmpty()) return Fail("--study needs --conditions FILE and --out FILE", 2);
    int jobs = QThread::idealThreadCount();
    if (parser.isSet("jobs")) {
        bool ok = false;
        jobs = parser.value("jobs").toInt(&ok);
        if (!ok || jobs < 1 || jobs > 256) return Fail("--jobs: give a number from 1 to 256", 2);
    }
    int part = 1, parts = 1;
    if (parser.isSet("part") && !ParsePartSpec(parser.value("part").toStdString(), part, parts))
        return Fail("--part: give I/K with 1 <= I <= K", 2);

    StudyPartInfo info;
    std::string error;
    if (!FileChecksum(casePath.toStdString(), info.m_strCaseSum, error) ||
        !FileChecksum(condPath.toStdString(), info.m_strConditionsSum, error))
        return Fail(error);
    QFile f(condPath);
    if (!f.open(QIODevice::ReadOnly)) return Fail(condPath.toStdString() + ": cannot be read");
    ConditionsFile conditions;
    if (!ParseConditions(f.readAll().toStdString(), conditions, error))
        return Fail(condPath.toStdString() + ": " + error);
    for (const auto& c : conditions.m_Conditions)
        if (!c.Usable())
            std::fprintf(stderr, "plumex: %s: line %d: condition \"%s\" skipped: %s\n", qPrintable(condPath),
                         c.m_nProblemLine, c.m_strName.c_str(), c.m_strProblem.c_str());

    CAppState app;
    CConsolePrompt prompt;
    CPlumexDoc doc(app, prompt);
    if (!LoadCaseWithJetsForJob(casePath, doc)) return 1;

    info.m_nPart = part;
    info.m_nParts = parts;
    info.m_nTotal = conditions.m_Conditions.size();
    std::size_t first = 0, end = 0;
    SliceOf(info.m_nTotal, part, parts, first, end);
    info.m_nFirst = first;
    info.m_nCount = end - first;
    std::vector<StudyCondition> slice(conditions.m_Conditions.begin() + static_cast<std::ptrdiff_t>(first),
                                      conditions.m_Conditions.begin() + static_cast<std::ptrdiff_t>(end));

    CSafeFileWriter writer;
    if (!writer.Open(out.toStdString())) return Fail(out.toStdString() + ": " + writer.Error());
    bool written = WriteLine(writer, PartHeaderLine(info)) && WriteLine(writer, StudyRecordHeader());
    CStudySummary summary;
    CStudyRunner runner(doc, std::move(slice), jobs);
    runner.SetSink([&](const std::vector<StudyRecord>& rows) {
        for (const auto& r : rows) {
            written = WriteLine(writer, FormatStudyRecord(r)) && written;
            summary.Add(r);
        }
    });
    // An interrupted study writes nothing: the partial file is discarded.
    g_nInterrupted = 0;
    auto oldInt = std::signal(SIGINT, OnInterrupt);
    auto oldTerm = std::signal(SIGTERM, OnInterrupt);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&runner] {
        if (g_nInterrupted) runner.Cancel();
    });
    watch.start(50);
    if (!runner.Start()) return Fail(casePath.toStdString() + ": " + runner.Error());
    runner.WaitForFinished();
    watch.stop();
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    if (runner.WasCancelled()) {
        writer.Discard();
        return Fail("study interrupted; nothing written", kExitInterrupted);
    }
    if (!written || !writer.Commit()) return Fail(out.toStdString() + ": " + writer.Error());
    std::fprintf(stderr, "plumex: %zu conditions in this slice, %d skipped, %d not computed\n", end - first,
                 summary.Skipped(), summary.NotComputed());
    if (!PutSummary(summary, parser.value("summary"))) return 1;
    const int computed = summary.Conditions() - summary.Skipped() - summary.NotComputed();
    if (computed == 0 && summary.Conditions() > 0) return Fail("no condition could be computed");
    return summary.Skipped() + summary.NotComputed() > 0 ? kExitIncomplete : 0;
}
