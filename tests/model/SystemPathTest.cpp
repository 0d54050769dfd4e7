// File names as bytes through a QString and back.
#include <gtest/gtest.h>

#include "base/SystemPath.h"

TEST(SystemPathTest, EveryByteSequenceComesBackUnchanged) {
    const std::string names[] = {
        "plain.pmx",
        "d\xe9mo.pmx",             // Latin-1
        "caf\xc3\xa9.json",        // UTF-8
        "\xf0\x9f\x8c\x8a wave",   // four-byte UTF-8
        "\xc0\xaf overlong",       // an overlong slash is no UTF-8
        "\xed\xa0\x80 surrogate",  // an encoded surrogate is no UTF-8
        "cut \xe2\x82",            // a sequence cut at the end
        std::string("\x80\xff\x00z", 4),
    };
    for (const std::string& n : names) EXPECT_EQ(SystemPath(PathFromSystem(n)), n) << n;
    // UTF-8 reads as its text; other bytes do not turn into U+FFFD.
    EXPECT_EQ(PathFromSystem("caf\xc3\xa9.json"), QString::fromUtf8("caf\xc3\xa9.json"));
    EXPECT_FALSE(PathFromSystem("d\xe9mo.pmx").contains(QChar(0xFFFD)));
    EXPECT_EQ(SystemPath(QString::fromUtf8("\xf0\x9f\x8c\x8a")), "\xf0\x9f\x8c\x8a");
    char a0[] = "plumex", a1[] = "d\xe9mo.pmx";
    char* argv[] = {a0, a1};
    const QStringList args = ArgumentsFromSystem(2, argv);
    ASSERT_EQ(args.size(), 2);
    EXPECT_EQ(SystemPath(args[1]), "d\xe9mo.pmx");
}
