// The batch, import and export jobs of the program, run as a user runs
// them: the built plumex in a temporary folder, with a stand-in model
// program (or the real one) named by PLUMEX_MODEL.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <fstream>
#include <sstream>

#include "CliRunner.h"

namespace {
constexpr int kTimeoutMs = 120000;

std::unique_ptr<QProcess> Start(const QStringList& args, const QString& model, const QString& mode,
                                const QString& cwd) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PLUMEX_MODEL", model);
    env.insert("PLUMEX_FAKE_MODE", mode);
    return StartPlumex(args, env, cwd);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> cells;
    std::string cell;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        else if (c == ',' && !quoted) {
            cells.push_back(cell);
            cell.clear();
        } else cell += c;
    }
    cells.push_back(cell);
    return cells;
}

const QString kExamples = QString::fromUtf8(PLUMEX_EXAMPLES_DIR);

class BatchCommandTest : public ::testing::Test {
protected:
    CliResult Run(const QStringList& args, const QString& mode = "echo", const QString& model = PLUMEX_FAKE_MODEL) {
        return FinishPlumex(*Start(args, model, mode, m_dir.path()), kTimeoutMs);
    }
    QString In(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};
}  // namespace

TEST_F(BatchCommandTest, HelpAndVersion) {
    CliResult r = Run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* opt : {"--batch", "--out", "--csv", "--import", "--export"})
        EXPECT_NE(r.out.find(opt), std::string::npos) << opt;
    r = Run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("plumex ", 0), 0u);
    EXPECT_EQ(Run({"--out", "x.pmx"}).exitCode, 2);
}

TEST_F(BatchCommandTest, ImportExportRoundTrip) {
    CliResult r = Run({"--import", kExamples + "/demo.json", "--out", In("demo.pmx")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Run({"--export", In("demo.pmx"), "--out", In("demo.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Run({"--import", In("demo.json"), "--out", In("again.pmx")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(ReadFileBytes(In("demo.pmx")), ReadFileBytes(In("again.pmx")));
    EXPECT_EQ(Run({"--export", In("again.pmx")}).out, ReadFileBytes(In("demo.json")));
}

TEST_F(BatchCommandTest, InvalidImportWritesNothingAndNamesThePaths) {
    std::string text = ReadFileBytes(kExamples + "/demo.json");
    text.replace(text.find("\"diameter_m\": 0.15"), 18, "\"diameter_m\": 0.00001");
    text.replace(text.find("\"length_m\": 600.0"), 17, "\"length_m\": 0.0");
    std::ofstream(In("bad.json").toStdString()) << text;
    const CliResult r = Run({"--import", In("bad.json"), "--out", In("bad.pmx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(QFile::exists(In("bad.pmx")));
    EXPECT_NE(r.err.find("outfalls[0].length_m: Outfall length should be greater than 0.1m"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("outfalls[0].risers[0].jets[0].diameter_m: Jet diameter is too small"), std::string::npos);
    // The batch job refuses it the same way.
    EXPECT_EQ(Run({"--batch", In("bad.json")}).exitCode, 1);
}

TEST_F(BatchCommandTest, BatchComputesSavesAndWritesCsv) {
    ASSERT_EQ(Run({"--import", kExamples + "/demo.json", "--out", In("demo.pmx")}).exitCode, 0);
    const CliResult r = Run({"--batch", In("demo.pmx"), "--csv", In("csv")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_GE(lines.size(), 9u);
    // Jet k of the input gets 2 + k steps from the stand-in model; its last
    // disk's dilution is its step count.
    EXPECT_EQ(lines[0],
              "Main outfall / Riser 1 / R1 port 1: 3 steps, Plume reached the water surface, "
              "dilution 3.00 at the last disk");
    EXPECT_EQ(lines[7].substr(0, 36), "Main outfall / Riser 2 / R2 port 4: ");
    EXPECT_NE(r.out.find("8 of 8 jets computed"), std::string::npos);
    // Saved in place: the case now holds the results.
    const CliResult info = Run({"--info", In("demo.pmx")});
    EXPECT_NE(info.out.find("results: 10 steps, 10 disks, dilution at last disk 10.00"), std::string::npos) << info.out;
    // CSV: header rows with units, one row per disk and per jet.
    const auto disks = Lines(ReadFileBytes(In("csv/disks.csv")));
    const auto jets = Lines(ReadFileBytes(In("csv/jets.csv")));
    ASSERT_EQ(jets.size(), 9u);
    EXPECT_EQ(disks.size(), 1u + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10);
    EXPECT_EQ(disks[0].rfind("outfall,riser,jet,step,x_m,y_m,z_m,half_width_m", 0), 0u);
    const auto h = Split(jets[0]);
    const auto j1 = Split(jets[1]);
    ASSERT_EQ(h.size(), j1.size());
    EXPECT_EQ(j1[2], "R1 port 1");
    EXPECT_EQ(j1[5], "Plume reached the water surface");
    const auto d1 = Split(disks[2]);
    EXPECT_EQ(d1[9], "30");  // horizontal angle back in degrees
    EXPECT_EQ(d1[15], "2");  // dilution of step 1
    // After the lines above, one far-field line for the outfall and the far field's CSV.
    const std::size_t csvLine = r.out.find("CSV written to ");
    const std::size_t farLine = r.out.find("\nMain outfall far field: ");
    ASSERT_NE(farLine, std::string::npos) << r.out;
    EXPECT_LT(csvLine, farLine);
    EXPECT_NE(r.out.find("far field written to " + In("csv").toStdString() + "/farfield.csv"), std::string::npos);
    const auto far = Lines(ReadFileBytes(In("csv/farfield.csv")));
    ASSERT_GE(far.size(), 2u);
    EXPECT_EQ(far[0],
              "outfall,kind,name,distance_m,dilution,concentration,unit,time_s,time_h,near_field,"
              "meets_standard,margin");
}

TEST_F(BatchCommandTest, ModelFailureExitsNonZeroAndLeavesTheCase) {
    ASSERT_EQ(Run({"--import", kExamples + "/diffuser.json", "--out", In("d.pmx")}).exitCode, 0);
    const std::string before = ReadFileBytes(In("d.pmx"));
    CliResult r = Run({"--batch", In("d.pmx")}, "fail");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("UDF line 3: expected a number"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("no jet could be computed"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(In("d.pmx")), before);
    r = Run({"--batch", In("missing.pmx")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot be read"), std::string::npos);
}

// A case file that holds the results of an earlier run: a run that fails
// must not report those as this run's results, nor save them again.
TEST_F(BatchCommandTest, FailedRunDoesNotPassStoredResultsOffAsNew) {
    ASSERT_EQ(Run({"--import", kExamples + "/diffuser.json", "--out", In("d.pmx")}).exitCode, 0);
    ASSERT_EQ(Run({"--batch", In("d.pmx")}).exitCode, 0);
    const std::string before = ReadFileBytes(In("d.pmx"));
    for (const QString mode : {"fail", "silent"}) {
        const CliResult r = Run({"--batch", In("d.pmx"), "--csv", In("csv")}, mode);
        EXPECT_EQ(r.exitCode, 1) << mode.toStdString();
        EXPECT_EQ(r.out.find("jets computed"), std::string::npos) << r.out;
        EXPECT_NE(r.err.find("no jet could be computed"), std::string::npos) << r.err;
        EXPECT_EQ(ReadFileBytes(In("d.pmx")), before);
        EXPECT_FALSE(QFile::exists(In("csv/jets.csv")));
    }
}

// Under a locale with a decimal comma (the program takes the user's
// locale) the model's files and the CSV files still use decimal points.
TEST_F(BatchCommandTest, DecimalCommaLocaleKeepsNumbersWhole) {
    const char* comma = nullptr;
    const std::string old = std::setlocale(LC_ALL, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
        if (std::setlocale(LC_ALL, name) && std::localeconv()->decimal_point[0] == ',') {
            comma = name;
            break;
        }
    }
    std::setlocale(LC_ALL, old.c_str());
    if (!comma) GTEST_SKIP() << "no locale with a decimal comma is installed";
    const QByteArray previous = qgetenv("LC_ALL");
    qputenv("LC_ALL", comma);
    const CliResult r = Run({"--batch", kExamples + "/diffuser.json", "--csv", In("csv")});
    if (previous.isEmpty()) qunsetenv("LC_ALL");
    else qputenv("LC_ALL", previous);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const auto disks = Lines(ReadFileBytes(In("csv/disks.csv")));
    ASSERT_GE(disks.size(), 3u);
    const auto header = Split(disks[0]);
    const auto row = Split(disks[2]);
    ASSERT_EQ(row.size(), header.size()) << disks[2];
    // The stand-in model puts flow x 1000 + 0.5 step into x: 0.02 m^3/s, step 1.
    EXPECT_EQ(row[4], "20.5");
    EXPECT_EQ(row[15], "2");
}

TEST_F(BatchCommandTest, TwoProgramsAtOnceKeepTheirOwnResults) {
    // Same case twice, one with doubled flows: both run at the same time
    // (the stand-in model takes 1.5 s) and each reads only its own output.
    std::string text = ReadFileBytes(kExamples + "/diffuser.json");
    std::ofstream(In("a.json").toStdString()) << text;
    for (std::size_t p = text.find("\"flow_m3_s\": 0.02"); p != std::string::npos;
         p = text.find("\"flow_m3_s\": 0.02", p))
        text.replace(p, 17, "\"flow_m3_s\": 0.04");
    std::ofstream(In("b.json").toStdString()) << text;
    const auto a = Start({"--batch", In("a.json"), "--out", In("a.pmx"), "--csv", In("a")}, PLUMEX_FAKE_MODEL, "slow",
                         m_dir.path());
    const auto b = Start({"--batch", In("b.json"), "--out", In("b.pmx"), "--csv", In("b")}, PLUMEX_FAKE_MODEL, "slow",
                         m_dir.path());
    const CliResult ra = FinishPlumex(*a, kTimeoutMs);
    const CliResult rb = FinishPlumex(*b, kTimeoutMs);
    ASSERT_EQ(ra.exitCode, 0) << ra.err;
    ASSERT_EQ(rb.exitCode, 0) << rb.err;
    // The stand-in writes flow x 1000 as each jet's average dilution Sb.
    const auto ja = Split(Lines(ReadFileBytes(In("a/jets.csv")))[1]);
    const auto jb = Split(Lines(ReadFileBytes(In("b/jets.csv")))[1]);
    const auto header = Split(Lines(ReadFileBytes(In("a/jets.csv")))[0]);
    const std::size_t sb = std::find(header.begin(), header.end(), "sb_average_dilution") - header.begin();
    ASSERT_LT(sb, header.size());
    EXPECT_EQ(ja[sb], "20");
    EXPECT_EQ(jb[sb], "40");
    // Nothing was left in the folder the programs were started from.
    EXPECT_FALSE(QFile::exists(In("UDF")));
    EXPECT_FALSE(QFile::exists(In("Plxdata")));
}

#ifdef PLUMEX_REAL_MODEL
TEST_F(BatchCommandTest, RealModelComputesEveryJetOfTheDemoCase) {
    const CliResult r =
        Run({"--batch", kExamples + "/demo.json", "--out", In("demo.pmx"), "--csv", In("csv")}, "", PLUMEX_REAL_MODEL);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("8 of 8 jets computed"), std::string::npos) << r.out;
    const auto jets = Lines(ReadFileBytes(In("csv/jets.csv")));
    const auto disks = Lines(ReadFileBytes(In("csv/disks.csv")));
    ASSERT_EQ(jets.size(), 9u);
    const auto h = Split(jets[0]);
    auto col = [&h](const char* name) { return std::find(h.begin(), h.end(), name) - h.begin(); };
    for (std::size_t k = 1; k < jets.size(); ++k) {
        const auto j = Split(jets[k]);
        const int steps = std::stoi(j[col("steps")]);
        EXPECT_GT(steps, 10);
        EXPECT_EQ(j[col("disks")], j[col("steps")]);
        EXPECT_FALSE(j[col("stop_reason")].empty());
        // The summary's values are those of the input and of the last row.
        EXPECT_NEAR(std::stod(j[col("depth_m")]), 30.0 - 1.8, 1e-4);
        EXPECT_NEAR(std::stod(j[col("diameter_m")]), 0.15, 1e-6);
        EXPECT_NEAR(std::stod(j[col("total_q_m3_s")]), 0.05, 1e-6);
        double lastDilution = 0.0;
        for (const auto& line : disks) {
            const auto d = Split(line);
            if (d[2] == j[2] && d[1] == j[1]) lastDilution = std::stod(d[15]);
        }
        const double sb = std::stod(j[col("sb_average_dilution")]);
        EXPECT_NEAR(sb, lastDilution, 1e-3 * sb) << j[2];
        EXPECT_GT(sb, 10.0);
    }
}

// The diffuser example merges: every jet's line and the outfall's sentence
// say where, and jets.csv ends with the row's columns.
// The demo case carried on to a 2000 m mixing zone and a beach: the lines of
// the near field are those of the case without far-field settings, and
// farfield.csv holds values that follow from each other as the far field
// says (c = c0 / S 10^(-t/T90), S rising along the current).
TEST_F(BatchCommandTest, RealModelCarriesTheDemoCaseToTheMixingZone) {
    QFile demo(kExamples + "/demo.json");
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    std::string text = demo.readAll().toStdString();
    const CliResult plain = Run({"--batch", kExamples + "/demo.json", "--out", "demo.pmx"}, "", PLUMEX_REAL_MODEL);
    ASSERT_EQ(plain.exitCode, 0) << plain.err;
    text.insert(text.find('{') + 1, R"("far_field": {"mixing_zone_m": 2000, "t90_h": 3, "effluent_concentration": 1e7,
        "max_concentration": 200, "points": [{"name": "Beach", "distance_m": 1200}]},)");
    QFile json(In("far.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(text.data(), static_cast<qint64>(text.size()));
    json.close();
    const CliResult r =
        Run({"--batch", In("far.json"), "--out", "demo.pmx", "--csv", In("csv")}, "", PLUMEX_REAL_MODEL);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    // The near field's lines come first and are those of the case without the settings.
    const std::size_t plainFar = plain.out.find("Main outfall far field: ");
    ASSERT_NE(plainFar, std::string::npos) << plain.out;
    EXPECT_NE(plain.out.find("mixing zone edge 100 m: ", plainFar), std::string::npos);  // the default
    ASSERT_EQ(r.out.rfind(plain.out.substr(0, plainFar), 0), 0u) << r.out;
    const std::string far = r.out.substr(r.out.find("CSV written to "));
    EXPECT_NE(far.find("\nMain outfall far field: starts "), std::string::npos) << far;
    EXPECT_NE(far.find("(lowest of 8 jet ends)"), std::string::npos) << far;
    EXPECT_NE(far.find("; mixing zone edge 2000 m: dilution "), std::string::npos) << far;
    EXPECT_NE(far.find("; Beach (1200 m): dilution "), std::string::npos) << far;

    const auto rows = Lines(ReadFileBytes(In("csv/farfield.csv")));
    ASSERT_GE(rows.size(), 4u);
    const auto edge = Split(rows[1]);
    const auto beach = Split(rows[2]);
    const auto start = Split(rows[3]);
    ASSERT_EQ(edge[1], "edge");
    ASSERT_EQ(beach[2], "Beach");
    ASSERT_EQ(start[3], "0");
    EXPECT_EQ(start[9], "1");  // the diffuser lies in the near field
    const double s0 = std::stod(start[4]), sb = std::stod(beach[4]), se = std::stod(edge[4]);
    EXPECT_GT(sb, s0);
    EXPECT_GT(se, sb);
    for (const auto& row : {edge, beach, start}) {
        const double expected = 1e7 / std::stod(row[4]) * std::pow(10.0, -std::stod(row[7]) / (3 * 3600.0));
        EXPECT_NEAR(std::stod(row[5]), expected, 1e-6 * expected) << row[2];
    }
    EXPECT_EQ(edge[10], std::stod(edge[5]) <= 200.0 ? "1" : "0");
    EXPECT_NEAR(std::stod(edge[11]), 200.0 / std::stod(edge[5]), 1e-6 * std::stod(edge[11]));
}

TEST_F(BatchCommandTest, RealModelReportsWhereTheDiffusersPlumesMerge) {
    const CliResult on = Run({"--batch", kExamples + "/diffuser.json", "--csv", In("on")}, "", PLUMEX_REAL_MODEL);
    ASSERT_EQ(on.exitCode, 0) << on.err;
    const auto lines = Lines(on.out);
    ASSERT_GE(lines.size(), 8u);
    for (int k = 0; k < 6; ++k)
        EXPECT_NE(lines[k].find(", row of 6 ports, plumes merge "), std::string::npos) << lines[k];
    EXPECT_NE(on.out.find("6 of 6 jets computed\nThe plumes of Diffuser's 6 ports merge "), std::string::npos)
        << on.out;
    const auto jets = Lines(ReadFileBytes(In("on/jets.csv")));
    ASSERT_EQ(jets.size(), 7u);
    const auto h = Split(jets[0]);
    auto col = [&h](const char* name) { return std::find(h.begin(), h.end(), name) - h.begin(); };
    ASSERT_EQ(h.back(), "merged_half_length_m");
    ASSERT_LT(col("row_ports"), static_cast<long>(h.size()));
    for (std::size_t k = 1; k < jets.size(); ++k) {
        const auto j = Split(jets[k]);
        ASSERT_EQ(j.size(), h.size()) << jets[k];
        EXPECT_EQ(j[col("row_ports")], "6");
        EXPECT_EQ(j[col("ports")], "6");
        EXPECT_EQ(j[col("row_spacing_m")], "5");
        EXPECT_EQ(j[col("plumes_merge")], "1");
        const double z = std::stod(j[col("merge_z_m")]), s = std::stod(j[col("merge_dilution")]);
        EXPECT_GT(z, 0.5);
        EXPECT_LT(z, 20.0);
        EXPECT_GT(s, 1.0);
        EXPECT_LT(s, std::stod(j[col("sb_average_dilution")]));
    }
}
#endif
