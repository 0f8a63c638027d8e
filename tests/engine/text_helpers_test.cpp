#include <gtest/gtest.h>

#include "encoding.h"
#include "text_helpers.h"

TEST(TextHelpers, SearchesCountBytesFromTheRightStart) {
    EXPECT_EQ(InStr(3, "abcabc", "abc"), 4);
    EXPECT_EQ(InStrRel(3, "abcabc", "abc"), 2);
    EXPECT_EQ(InStr(1, "abcabc", "abc"), InStrRel(1, "abcabc", "abc"));
    EXPECT_EQ(InStr(7, "abcabc", "c"), 0);
    EXPECT_EQ(InStr(1, "", "a"), 0);
    EXPECT_EQ(InStr(1, "abc", ""), 0);
}

TEST(TextHelpers, SearchesNeverMatchOnASecondByte) {
    // ア is 0x83 0x41: its second byte equals "A".
    EXPECT_EQ(InStr(1, "\x83\x41", "A"), 0);
    EXPECT_EQ(InStr(1,
                    "\x83\x41"
                    "A",
                    "A"),
              3);
    // 表 is 0x95 0x5C: its second byte equals "\".
    EXPECT_EQ(ReplaceAll("C:\\\x95\x5C\\x", "\\", "/"), "C:/\x95\x5C/x");
    // Starting the search on a second byte: the tail is walked from its own first byte.
    EXPECT_EQ(InStr(2, "\x83\x41", "A"), 2);
}

TEST(TextHelpers, IsNumericAndIsInRange) {
    EXPECT_TRUE(IsNumeric("42"));
    EXPECT_TRUE(IsNumeric("  -7"));
    EXPECT_TRUE(IsNumeric("$FF"));
    EXPECT_TRUE(IsNumeric("0x1f"));
    EXPECT_TRUE(IsNumeric("2147483647"));
    EXPECT_FALSE(IsNumeric("2147483648"));
    EXPECT_TRUE(IsNumeric("-2147483648"));
    EXPECT_FALSE(IsNumeric(""));
    EXPECT_FALSE(IsNumeric("1.5"));
    EXPECT_FALSE(IsNumeric("12 "));
    EXPECT_FALSE(IsNumeric("--1"));

    EXPECT_TRUE(IsInRange("", true, 1, 99));
    EXPECT_FALSE(IsInRange("", false, 1, 99));
    EXPECT_TRUE(IsInRange("0", false, 1, 99));
    EXPECT_FALSE(IsInRange("100", true, 1, 99));
    EXPECT_FALSE(IsInRange("1.5", true, 1, 99));
    EXPECT_TRUE(IsInRange("42", true, 1, 99));
    EXPECT_TRUE(IsInRange("99", true, 1, 99));
    EXPECT_FALSE(IsInRange("$10", true, 1, 99));
}

TEST(TextHelpers, ColoursRepeatsAndLastPositions) {
    EXPECT_EQ(RgbToColor(255, 0, 0), 0x0000FFu);
    EXPECT_EQ(RgbToColor(0x12, 0x34, 0x56), 0x563412u);
    const std::string equals = Sjis("＝");
    EXPECT_EQ(RepeatText(equals, 3), equals + equals + equals + equals);
    EXPECT_EQ(RepeatText(equals, 0), equals);
    EXPECT_EQ(RepeatText("-", -2), "-");
    EXPECT_EQ(LastPosBefore("aaa", "aa", 3), 2);
    EXPECT_EQ(LastPosBefore("xyz", "y", 1), 0);
}

TEST(TextHelpers, IsTrailByteWalksFromTheLineStart) {
    const std::string ai = Sjis("あい");
    ASSERT_EQ(ai.size(), 4u);
    EXPECT_FALSE(IsTrailByte(ai, 1));
    EXPECT_TRUE(IsTrailByte(ai, 2));
    EXPECT_FALSE(IsTrailByte(ai, 3));
    EXPECT_TRUE(IsTrailByte(ai, 4));
    EXPECT_FALSE(IsTrailByte(ai, 5));
    EXPECT_FALSE(
        IsTrailByte("\xC0"
                    "a",
                    2));  // half-width ﾀ is one byte
    // A lead byte as the last byte: nothing follows, and the walk stops there.
    EXPECT_FALSE(IsTrailByte("a\x83", 2));
    // After a line feed the walk starts again, whatever came before.
    EXPECT_FALSE(
        IsTrailByte("\x83\n"
                    "A",
                    3));
}

TEST(TextHelpers, TrimKeepsTheFullWidthSpace) {
    EXPECT_EQ(Trim(" \t x \r"), "x");
    const std::string wide = Sjis("　x");
    EXPECT_EQ(Trim(wide), wide);
    EXPECT_EQ(Trim("   "), "");
}
