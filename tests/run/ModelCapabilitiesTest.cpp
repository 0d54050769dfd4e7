// The question whether the model program reads rows of ports: only a clean
// "port-row" answer counts, a program that hangs is stopped, and one program
// file is asked once until it changes.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <fstream>
#include <string>

#include "ResultFiles.h"
#include "run/ModelCapabilities.h"

namespace {
class ModelCapabilitiesTest : public ::testing::Test {
protected:
    // An executable shell script of that body in the test's directory.
    std::string Script(const std::string& name, const std::string& body) {
        const std::string path = Path(name);
        std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
        QFile::setPermissions(QString::fromStdString(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }
    std::string Path(const std::string& name) const { return m_dir.path().toStdString() + "/" + name; }
    // Lines of a file (0 when there is none).
    int LineCount(const std::string& path) const {
        const std::string text = QFile::exists(QString::fromStdString(path)) ? ReadText(path) : std::string();
        return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    }
    QTemporaryDir m_dir;
};
}  // namespace

TEST_F(ModelCapabilitiesTest, OnlyAProgramThatEndsWellAndNamesTheFeatureReadsRows) {
    EXPECT_TRUE(AskModelReadsPortRows(Script("yes", "echo port-row"), 3000));
    EXPECT_TRUE(AskModelReadsPortRows(Script("list", "echo other-thing; echo '  port-row  '; echo more"), 3000));
    EXPECT_FALSE(AskModelReadsPortRows(Script("failing", "echo port-row; exit 1"), 3000));
    EXPECT_FALSE(AskModelReadsPortRows(Script("other", "echo port-rows; echo row"), 3000));
    EXPECT_FALSE(AskModelReadsPortRows(Script("silent", "exit 0"), 3000));
    EXPECT_FALSE(AskModelReadsPortRows(Script("crash", "kill -SEGV $$"), 3000));
    EXPECT_FALSE(AskModelReadsPortRows(Path("missing"), 3000));
    // Asked with the option and nothing else.
    EXPECT_TRUE(AskModelReadsPortRows(Script("args", "[ \"$*\" = --capabilities ] && echo port-row"), 3000));
}

TEST_F(ModelCapabilitiesTest, AProgramThatDoesNotAnswerIsStoppedWithWhatItStarted) {
    const std::string pidFile = Path("child.pid");
    const std::string program = Script("hang", "sleep 600 & echo $! > '" + pidFile + "'; echo port-row; wait");
    EXPECT_FALSE(AskModelReadsPortRows(program, 500));
    ASSERT_EQ(LineCount(pidFile), 1);
    const std::string child = std::to_string(std::stoi(ReadText(pidFile)));
    // The kill is delivered at once; the child may take a moment to end. An
    // orphan nobody reaps stays behind as a zombie, which has ended too.
    const auto ended = [&child] {
        std::ifstream stat("/proc/" + child + "/stat");
        std::string text;
        if (!std::getline(stat, text)) return true;
        const std::size_t paren = text.rfind(')');
        return paren != std::string::npos && paren + 2 < text.size() && text[paren + 2] == 'Z';
    };
    bool gone = ended();
    for (int i = 0; i < 100 && !gone; ++i) {
        QThread::msleep(50);
        gone = ended();
    }
    EXPECT_TRUE(gone);
}

TEST_F(ModelCapabilitiesTest, TheAnswerOfOneProgramFileIsKeptUntilTheFileChanges) {
    const std::string count = Path("asked");
    const std::string program = Script("counting", "echo x >> '" + count + "'; echo port-row");
    EXPECT_TRUE(ModelReadsPortRows(program));
    EXPECT_TRUE(ModelReadsPortRows(program));
    EXPECT_EQ(LineCount(count), 1);

    // A new program in the same place is asked again.
    Script("counting", "echo x >> '" + count + "'; echo nothing");
    QFile file(QString::fromStdString(program));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(100), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_FALSE(ModelReadsPortRows(program));
    EXPECT_FALSE(ModelReadsPortRows(program));
    EXPECT_EQ(LineCount(count), 2);
}

TEST(ModelCapabilities, TheStandInModelDoesNotReadRowsAndTheRealOneDoes) {
    EXPECT_FALSE(ModelReadsPortRows(PLUMEX_FAKE_MODEL));
#ifdef PLUMEX_REAL_MODEL
    EXPECT_TRUE(ModelReadsPortRows(PLUMEX_REAL_MODEL));
#endif
}
