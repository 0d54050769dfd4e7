// One table of what a case may hold, kept by every job that writes a case:
// an imported text form and a model's results that the case file's loader
// would refuse are never written, and the job says so in its exit status.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "CliRunner.h"

namespace {
constexpr int kTimeoutMs = 120000;
const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

class CaseLimitsJobsTest : public ::testing::Test {
protected:
    // Runs plumex with the stand-in model; column and value (if given) make
    // the rows of the case's second jet hold the value in that column.
    CliResult Run(const QStringList& args, const char* column = nullptr, const char* value = nullptr) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PLUMEX_MODEL", PLUMEX_FAKE_MODEL);
        env.insert("PLUMEX_FAKE_MODE", column ? "wild" : "echo");
        if (column) {
            env.insert("PLUMEX_FAKE_COLUMN", column);
            env.insert("PLUMEX_FAKE_VALUE", value);
        }
        return FinishPlumex(*StartPlumex(args, env, m_dir.path()), kTimeoutMs);
    }
    QString In(const QString& name) const { return m_dir.filePath(name); }
    // demo.json with the first `key` set to `value`.
    QString DemoWith(const std::string& key, const std::string& value) {
        std::string text = ReadFileBytes(kExamples + "/demo.json");
        const std::size_t at = text.find("\"" + key + "\": ");
        EXPECT_NE(at, std::string::npos) << key;
        const std::size_t start = at + key.size() + 4;
        text.replace(start, text.find_first_of(",\n}", start) - start, value);
        const QString path = In(QString::fromStdString(key) + ".json");
        std::ofstream(path.toStdString()) << text;
        return path;
    }
    QTemporaryDir m_dir;
};
}  // namespace

TEST_F(CaseLimitsJobsTest, AnImportBeyondTheLoadersLimitsWritesNothing) {
    const struct {
        const char* key;
        const char* value;
    } cases[] = {{"length_m", "2e6"}, {"flow_m3_s", "2000000"}, {"position_x_m", "-3e6"}};
    for (const auto& c : cases) {
        const QString out = In(QString(c.key) + ".pmx");
        const CliResult r = Run({"--import", DemoWith(c.key, c.value), "--out", out});
        EXPECT_EQ(r.exitCode, 1) << c.key << r.out;
        EXPECT_NE(r.err.find(c.key), std::string::npos) << r.err;
        EXPECT_EQ(r.out.find("wrote"), std::string::npos) << r.out;
        EXPECT_FALSE(QFile::exists(out)) << c.key;
    }
    // At the limit the case is written and opens again.
    const CliResult r = Run({"--import", DemoWith("position_x_m", "1e6"), "--out", In("edge.pmx")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Run({"--info", In("edge.pmx")}).exitCode, 0);
}

TEST_F(CaseLimitsJobsTest, ResultsTheCaseMayNotHoldLeaveTheJetNotComputed) {
    const CliResult imported = Run({"--import", kExamples + "/demo.json", "--out", In("demo.pmx")});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    const std::string before = ReadFileBytes(In("demo.pmx"));
    // Column 0 the centre's x, 3 the half width, 6 the velocity.
    const struct {
        const char* column;
        const char* value;
        const char* what;
    } cases[] = {{"0", "2e6", "centre x 2e+06"}, {"3", "-1", "radius -1"}, {"6", "1e39", "velocity 1e+39"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(QFile::remove(In("out.pmx")) || !QFile::exists(In("out.pmx")));
        const CliResult r = Run({"--batch", In("demo.pmx"), "--out", In("out.pmx")}, c.column, c.value);
        EXPECT_EQ(r.exitCode, 4) << c.what << r.err;
        EXPECT_NE(r.out.find("7 of 8 jets computed"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(c.what), std::string::npos) << r.err;
        EXPECT_NE(r.out.find("not computed: its results are out of range"), std::string::npos) << r.out;
        // The other jets' results are saved and the case opens again.
        const CliResult info = Run({"--info", In("out.pmx")});
        EXPECT_EQ(info.exitCode, 0) << c.what << info.err;
    }
    EXPECT_EQ(ReadFileBytes(In("demo.pmx")), before);
}
