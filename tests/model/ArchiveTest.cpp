#include <gtest/gtest.h>

#include <limits>

#include "base/AppState.h"
#include "base/Archive.h"

TEST(Archive, FieldsRoundTripLittleEndian) {
    CArchive out;
    out.WriteInt32(-2);
    out.WriteFloat(1.5f);
    out.WriteDouble(-0.125);
    out.WriteText("Jet1", 8);
    ASSERT_EQ(out.Data().size(), 4u + 4 + 8 + 8);
    EXPECT_EQ(out.Data()[0], 0xFE);
    EXPECT_EQ(out.Data()[3], 0xFF);

    CArchive in(out.Data());
    EXPECT_EQ(in.ReadInt32(), -2);
    EXPECT_EQ(in.ReadFloat(), 1.5f);
    EXPECT_EQ(in.ReadDouble(), -0.125);
    EXPECT_EQ(in.ReadText(8), "Jet1");
    EXPECT_EQ(in.Remaining(), 0u);
    EXPECT_THROW(in.ReadInt32(), CArchiveException);
}

TEST(Archive, LongTextIsCutSoThatItsEndStillFits) {
    CArchive out;
    out.WriteText(std::string(100, 'x'), 64);
    ASSERT_EQ(out.Data().size(), 64u);
    EXPECT_EQ(out.Data()[63], 0);
    CArchive in(out.Data());
    EXPECT_EQ(in.ReadText(64), std::string(63, 'x'));
}

TEST(Archive, TextFilledToItsWidthYieldsWidthCharacters) {
    std::vector<std::uint8_t> bytes(64, 'a');
    bytes.push_back('b');
    bytes.push_back(0);
    CArchive in(bytes);
    EXPECT_EQ(in.ReadText(64), std::string(64, 'a'));
    EXPECT_EQ(in.Position(), 64u) << "the next field starts right after the width";
    EXPECT_EQ(in.ReadText(2), "b");
}

TEST(Archive, CountsTheRestCannotHoldAreRefused) {
    CArchive out;
    out.WriteInt32(std::numeric_limits<std::int32_t>::max());
    out.WriteZeros(100);
    CArchive in(out.Data());
    EXPECT_THROW(in.ReadCount(32, "row"), CArchiveException);

    CArchive out2;
    out2.WriteInt32(-1);
    CArchive in2(out2.Data());
    EXPECT_THROW(in2.ReadCount(1, "row"), CArchiveException);

    CArchive out3;
    out3.WriteInt32(3);
    out3.WriteZeros(96);
    CArchive in3(out3.Data());
    EXPECT_EQ(in3.ReadCount(32, "row"), 3);
}
