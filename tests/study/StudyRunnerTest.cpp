// The runner with the real jet model and the demo case: rows in the order
// of the conditions whatever the number of processes, conditions applied to
// a copy of the case, and Cancel.
#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "base/AppState.h"
#include "base/Prompt.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "study/ConditionsFile.h"
#include "study/StudyRunner.h"

namespace {
class StudyRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        QFile f(PLUMEX_DEMO_TEXT);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        std::vector<CaseJsonProblem> problems;
        ASSERT_TRUE(ReadCaseJson(f.readAll().toStdString(), m_Case, problems));
    }

    // The demo's own profile shifted by dt degrees at the surface, flow factor ff.
    static std::string Condition(const std::string& name, double dt, double ff = 1.0) {
        std::string text;
        const double depth[] = {0, 10, 20, 30};
        const double sal[] = {33.0, 33.6, 34.3, 34.6};
        const double temp[] = {22.0, 18.0, 14.0, 13.0};
        for (int i = 0; i < 4; ++i) {
            text += name + "," + std::to_string(depth[i]) + "," + std::to_string(sal[i]) + "," +
                    std::to_string(temp[i] + dt * (3 - i) / 3.0) + ",0.08," + (i == 0 ? std::to_string(ff) : "") + "\n";
        }
        return text;
    }

    std::vector<StudyCondition> Conditions(const std::string& rows) {
        ConditionsFile f;
        std::string error;
        EXPECT_TRUE(ParseConditions("condition,depth,salinity,temperature,current,flow_factor\n" + rows, f, error))
            << error;
        return f.m_Conditions;
    }

    std::vector<std::string> Run(const std::vector<StudyCondition>& conditions, int jobs) {
        std::vector<std::string> lines;
        CStudyRunner runner(m_Case, conditions, jobs);
        runner.SetModelProgram(PLUMEX_REAL_MODEL);
        runner.SetSink([&lines](const std::vector<StudyRecord>& rows) {
            for (const auto& r : rows) lines.push_back(FormatStudyRecord(r));
        });
        EXPECT_TRUE(runner.Start()) << runner.Error();
        runner.WaitForFinished();
        EXPECT_FALSE(runner.WasCancelled());
        EXPECT_EQ(runner.Done(), static_cast<int>(conditions.size()));
        return lines;
    }

    CAppState m_App;
    CSilentPrompt m_Prompt;
    CCase m_Case{m_App, m_Prompt};
};
}  // namespace

TEST_F(StudyRunnerTest, RowsComeInConditionOrderWhateverTheJobs) {
    std::string rows;
    for (int i = 0; i < 9; ++i) rows += Condition("c" + std::to_string(i), i * 0.7 - 3.0, 0.8 + 0.05 * i);
    // One condition the file sets aside, one whose profile ends above the ports.
    rows += "bad,0,33,15,-1,\n";
    rows += "shallow,0,33,20,0.05,\nshallow,10,34,15,0.05,\n";
    const auto conditions = Conditions(rows);
    ASSERT_EQ(conditions.size(), 11u);
    const auto one = Run(conditions, 1);
    const auto three = Run(conditions, 3);
    EXPECT_EQ(one, three);
    // Eight jets and the case's row for each computed condition, one row each for the other two.
    ASSERT_EQ(one.size(), 9u * 9u + 2u);
    EXPECT_EQ(one.front().rfind("c0,Main outfall / Riser 1 / R1 port 1,", 0), 0u) << one.front();
    EXPECT_EQ(one[8].rfind("c0,(all jets),", 0), 0u) << one[8];
    EXPECT_NE(one[8].find(",8 of 8 jets computed,"), std::string::npos);
    EXPECT_EQ(
        one[81].rfind("bad,,,,,,,,skipped: current: Current of ambient water should not be negative (line 38),", 0), 0u)
        << one[81];
    EXPECT_NE(one[82].find("skipped: the profile ends at 10 m, above the deepest port at 28.2 m (line 39)"),
              std::string::npos)
        << one[82];
}

TEST_F(StudyRunnerTest, ConditionsChangeTheResultsButNotTheCaseGiven) {
    const auto conditions = Conditions(Condition("base", 0, 1.0) + Condition("double", 0, 2.0));
    const auto before = WriteCaseJson(m_Case);
    std::vector<StudyRecord> all;
    CStudyRunner runner(m_Case, conditions, 2);
    runner.SetModelProgram(PLUMEX_REAL_MODEL);
    runner.SetSink([&all](const std::vector<StudyRecord>& rows) {
        for (const auto& r : rows)
            if (r.m_strJet == kAllJets) all.push_back(r);
    });
    ASSERT_TRUE(runner.Start());
    runner.WaitForFinished();
    ASSERT_EQ(all.size(), 2u);
    ASSERT_TRUE(all[0].m_bComputed && all[1].m_bComputed);
    // Twice the flow through the same ports: less dilution.
    EXPECT_LT(all[1].m_dFluxDilution, all[0].m_dFluxDilution * 0.95);
    EXPECT_GT(all[0].m_dRise, 0.0);
    EXPECT_GT(all[0].m_dTravelTime, 0.0);
    EXPECT_EQ(WriteCaseJson(m_Case), before);
    EXPECT_FALSE(m_Case.IsRunInFlight());
}

TEST_F(StudyRunnerTest, CancelStopsTheStudyAndHandsOverNothingMore) {
    std::string rows;
    for (int i = 0; i < 200; ++i) rows += Condition("c" + std::to_string(i), (i % 7) * 0.5);
    const auto conditions = Conditions(rows);
    int handed = 0;
    CStudyRunner runner(m_Case, conditions, 2);
    runner.SetModelProgram(PLUMEX_REAL_MODEL);
    runner.SetSink([&](const std::vector<StudyRecord>&) {
        if (++handed == 3) runner.Cancel();
    });
    bool finished = false;
    QObject::connect(&runner, &CStudyRunner::finished, [&finished] { finished = true; });
    ASSERT_TRUE(runner.Start());
    runner.WaitForFinished();
    EXPECT_TRUE(finished);
    EXPECT_TRUE(runner.WasCancelled());
    EXPECT_FALSE(runner.IsRunning());
    EXPECT_EQ(handed, 3);
    EXPECT_LT(runner.Done(), 200);
}

TEST_F(StudyRunnerTest, AStretchOfSkippedConditionsDoesNotStallTheStudy) {
    // Far more skipped conditions in a row than processes may run ahead.
    std::string rows;
    for (int i = 0; i < 40; ++i) rows += "bad" + std::to_string(i) + ",0,33,15,-1,\n";
    rows += Condition("last", 0);
    const auto lines = Run(Conditions(rows), 1);
    ASSERT_EQ(lines.size(), 40u + 9u);
    EXPECT_EQ(lines.back().rfind("last,(all jets),", 0), 0u) << lines.back();
}

TEST_F(StudyRunnerTest, RefusesACaseWithoutJets) {
    CAppState app;
    CSilentPrompt prompt;
    CCase empty(app, prompt);
    CStudyRunner runner(empty, Conditions(Condition("a", 0)), 1);
    EXPECT_FALSE(runner.Start());
    EXPECT_EQ(runner.Error(), "the case has no jet");
}
