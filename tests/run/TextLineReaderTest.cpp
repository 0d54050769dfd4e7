// The block reader of the model's files: lines as the model writes them,
// overlong lines cut, lines given back, and a file read by one reader after
// another continuing where the last one stopped.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "run/TextLineReader.h"

namespace {
std::FILE* FileWith(const std::string& text) {
    std::FILE* f = std::tmpfile();
    if (!f) return nullptr;
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    return f;
}
}  // namespace

TEST(TextLineReader, LineEndsAreRemovedAndTheLastLineNeedsNone) {
    std::FILE* f = FileWith("one\r\ntwo\n\r\nthree\r\x01\nlast");
    ASSERT_NE(f, nullptr);
    auto reader = std::make_unique<CTextLineReader>(f);
    std::string line;
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "one");
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "two");
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "three\r\x01");  // only a CR at the very end belongs to the line end
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(reader->ReadLine(line));
    EXPECT_TRUE(line.empty());
    reader.reset();
    std::fclose(f);
}

TEST(TextLineReader, OverlongLinesAreCutAndTheNextLineReadsWhole) {
    std::string text(100000, '7');
    text[kMaxTextLine - 1] = '\r';
    text += "\r\nnext\r\n";
    std::FILE* f = FileWith(text);
    ASSERT_NE(f, nullptr);
    auto reader = std::make_unique<CTextLineReader>(f);
    std::string line;
    ASSERT_TRUE(reader->ReadLine(line));
    // A CR at the end of the kept part is taken for the line end.
    EXPECT_EQ(line.size(), kMaxTextLine - 1);
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "next");
    EXPECT_FALSE(reader->ReadLine(line));
    reader.reset();
    std::fclose(f);
}

TEST(TextLineReader, NulBytesStayInTheLine) {
    std::FILE* f = FileWith(std::string("a\0b\r\nc", 6));
    ASSERT_NE(f, nullptr);
    {
        CTextLineReader reader(f);
        std::string line;
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, std::string("a\0b", 3));
    }  // the reader gives back what it read ahead before the file is closed
    std::fclose(f);
}

TEST(TextLineReader, TheNextReaderStartsAfterTheLastLineHandedOut) {
    // Lines over several blocks; each reader takes a few and ends.
    std::string text;
    for (int i = 0; i < 5000; ++i) text += "line " + std::to_string(i) + "\r\n";
    std::FILE* f = FileWith(text);
    ASSERT_NE(f, nullptr);
    std::string line;
    int next = 0;
    for (int take : {1, 7, 700, 2000, 3}) {
        CTextLineReader reader(f);
        for (int i = 0; i < take; ++i, ++next) {
            ASSERT_TRUE(reader.ReadLine(line));
            ASSERT_EQ(line, "line " + std::to_string(next));
        }
    }
    // The stream itself stands there too.
    char buf[32] = {};
    ASSERT_NE(std::fgets(buf, sizeof buf, f), nullptr);
    EXPECT_EQ(std::string(buf), "line " + std::to_string(next) + "\r\n");
    std::fclose(f);
}

TEST(TextLineReader, ALineGivenBackIsReadAgainInsideAndAcrossBlocks) {
    std::string text;
    for (int i = 0; i < 20000; ++i) text += std::to_string(i) + "\n";
    std::FILE* f = FileWith(text);
    ASSERT_NE(f, nullptr);
    std::string line;
    {
        CTextLineReader reader(f);
        ASSERT_TRUE(reader.ReadLine(line));
        const long second = reader.Tell();
        EXPECT_EQ(second, 2);
        ASSERT_TRUE(reader.ReadLine(line));
        ASSERT_TRUE(reader.Seek(second));
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, "1");
        // Far on, then back to the start: the buffer no longer holds it.
        for (int i = 2; i < 15000; ++i) ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, "14999");
        ASSERT_TRUE(reader.Seek(second));
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, "1");
        // A position given back is where the next reader starts.
        const long at = reader.Tell();
        ASSERT_TRUE(reader.ReadLine(line));
        ASSERT_TRUE(reader.ReadLine(line));
        ASSERT_TRUE(reader.Seek(at));
    }
    {
        CTextLineReader next(f);
        ASSERT_TRUE(next.ReadLine(line));
        EXPECT_EQ(line, "2");
    }
    std::fclose(f);
}

TEST(TextLineReader, AMemoryStreamReadsAsAFile) {
    std::string text = "x\ny\nz";
    std::FILE* f = fmemopen(text.data(), text.size(), "rb");
    ASSERT_NE(f, nullptr);
    std::string line;
    {
        CTextLineReader reader(f);
        ASSERT_TRUE(reader.ReadLine(line));
        EXPECT_EQ(line, "x");
    }
    auto reader = std::make_unique<CTextLineReader>(f);
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "y");
    ASSERT_TRUE(reader->ReadLine(line));
    EXPECT_EQ(line, "z");
    EXPECT_FALSE(reader->ReadLine(line));
    reader.reset();
    std::fclose(f);
}

TEST(TextLineReader, NoFileHasNoLines) {
    CTextLineReader reader(nullptr);
    std::string line = "old";
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_TRUE(line.empty());
    EXPECT_EQ(reader.Tell(), -1);
    EXPECT_FALSE(reader.Seek(0));
}
