// The demo case against 1000 generated conditions (its own profile warmed,
// cooled and freshened, flows from 0.8 to 1.2 times its own), computed with
// one and with two model processes at once. Prints conditions per second
// and the speed-up. Usage: bench_study [conditions] [max jobs] [model program]
#include <sys/resource.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "study/ConditionsFile.h"
#include "study/StudyRunner.h"

namespace {
// CPU seconds used so far by this program and the model processes it waited for.
double CpuSeconds() {
    double total = 0.0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage u{};
        getrusage(who, &u);
        total += u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
    }
    return total;
}

std::string Conditions(int n) {
    std::string text = "condition,depth,salinity,temperature,current,flow_factor\n";
    const double depth[] = {0, 5, 10, 15, 20, 25, 30};
    const double sal[] = {33.0, 33.2, 33.6, 34.0, 34.3, 34.5, 34.6};
    const double temp[] = {22.0, 21.0, 18.0, 15.5, 14.0, 13.2, 13.0};
    for (int c = 0; c < n; ++c) {
        const double warm = (c % 11) * 0.5 - 2.5;  // at the surface, fading with depth
        const double fresh = (c % 7) * 0.1;
        const double flow = 0.8 + 0.4 * (c % 13) / 12.0;
        for (int i = 0; i < 7; ++i) {
            char row[160];
            std::snprintf(row, sizeof row, "c%d,%g,%.3f,%.3f,%.3f,%s\n", c, depth[i], sal[i] - fresh * (6 - i) / 6.0,
                          temp[i] + warm * (6 - i) / 6.0, 0.1 - 0.01 * i + 0.002 * (c % 5),
                          i == 0 ? std::to_string(flow).c_str() : "");
            text += row;
        }
    }
    return text;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int maxJobs = argc > 2 ? std::atoi(argv[2]) : 2;
    const std::string model = argc > 3 ? argv[3] : PLUMEX_MODEL_EXE;
    CAppState state;
    CSilentPrompt prompt;
    CCase doc(state, prompt);
    QFile f(PLUMEX_DEMO_TEXT);
    std::vector<CaseJsonProblem> problems;
    if (!f.open(QIODevice::ReadOnly) || !ReadCaseJson(f.readAll().toStdString(), doc, problems)) {
        std::fprintf(stderr, "bench_study: the demo case cannot be read\n");
        return 1;
    }
    ConditionsFile file;
    std::string error;
    if (!ParseConditions(Conditions(n), file, error) || file.SkippedCount() > 0) {
        std::fprintf(stderr, "bench_study: generated conditions refused: %s\n", error.c_str());
        return 1;
    }
    std::printf("bench_study: demo case (%d jets), %d conditions, model %s\n", doc.GetJetCount(), n, model.c_str());
    double first = 0.0;
    double lastCpuMs = 1.0;
    for (int jobs = 1; jobs <= maxJobs; ++jobs) {
        long rows = 0;
        CStudyRunner runner(doc, file.m_Conditions, jobs);
        runner.SetModelProgram(model);
        runner.SetSink([&rows](const std::vector<StudyRecord>& r) { rows += static_cast<long>(r.size()); });
        QElapsedTimer clock;
        clock.start();
        const double cpuBefore = CpuSeconds();
        if (!runner.Start()) {
            std::fprintf(stderr, "bench_study: %s\n", runner.Error().c_str());
            return 1;
        }
        runner.WaitForFinished();
        const double seconds = clock.nsecsElapsed() / 1e9;
        const double cpu = CpuSeconds() - cpuBefore;
        const double rate = n / seconds;
        if (jobs == 1) first = rate;
        lastCpuMs = 1000.0 * cpu / n;
        std::printf("  --jobs %d: %.2f s, %.1f conditions/s, %ld rows, speed-up %.2f; CPU %.2f ms per condition\n",
                    jobs, seconds, rate, rows, rate / first, 1000.0 * cpu / n);
    }
    // What the machine's load leaves aside: the CPU time of a condition
    // (this program and its model processes) bounds the rate on idle cores.
    double load[1] = {0.0};
    getloadavg(load, 1);
    std::printf(
        "load average %.2f; at this CPU time per condition %d idle cores would give at most %.0f "
        "conditions/s\n",
        load[0], maxJobs, maxJobs * 1000.0 / lastCpuMs);
    return 0;
}
