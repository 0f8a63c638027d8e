#include <gtest/gtest.h>

#include <random>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

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

namespace {

// The rules written out plainly: walk the text character by character from its first byte, a
// lead byte taking the next byte with it.
bool StartsCharacterByWalk(const std::string& text, std::size_t index) {
    std::size_t walk = 0;
    while (walk < index)
        walk += IsLeadByte(static_cast<unsigned char>(text[walk])) ? 2 : 1;
    return walk == index;
}

int InStrByWalk(int start, const std::string& text, const std::string& sought) {
    if (static_cast<std::size_t>(start) > text.size() || sought.empty())
        return 0;
    const std::string tail = text.substr(start - 1);
    for (std::size_t i = 0; i + sought.size() <= tail.size(); ++i) {
        if (StartsCharacterByWalk(tail, i) && tail.compare(i, sought.size(), sought) == 0)
            return static_cast<int>(i) + start;
    }
    return 0;
}

bool IsTrailByteByWalk(const std::string& text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size())
        return false;
    const std::size_t lf = text.rfind('\n', position - 1);
    const std::string line = text.substr(lf == std::string::npos ? 0 : lf + 1);
    const std::size_t target = position - 1 - (lf == std::string::npos ? 0 : lf + 1);
    if (lf == static_cast<std::size_t>(position - 1))
        return false;
    return !StartsCharacterByWalk(line, target);
}

}  // namespace

// Texts dense in lead-range bytes, where a byte's role depends on every lead byte in front of it:
// the searches and IsTrailByte must agree with a plain walk from the start at every position.
TEST(TextHelpers, SearchesAndTrailBytesAgreeWithAPlainWalk) {
    const unsigned char alphabet[] = {0x81, 0x82, 0x9F, 0xE0, 0xFC, 0x40, 0x41, 'a', '\n', 0xA1};
    std::mt19937 random(7);
    const auto pick = [&] { return static_cast<char>(alphabet[random() % sizeof alphabet]); };
    for (int round = 0; round < 3000; ++round) {
        // Short texts from every start; longer ones, which the searches take sixteen bytes at a
        // time, from a few.
        const bool longText = round >= 2500;
        std::string text(longText ? 40 + random() % 80 : random() % 40, ' ');
        for (char& c : text)
            c = pick();
        std::string sought(1 + random() % 3, ' ');
        for (char& c : sought)
            c = pick();
        for (int start = 1; start <= static_cast<int>(text.size()) + 1;
             start += longText ? 1 + random() % 30 : 1) {
            ASSERT_EQ(InStr(start, text, sought), InStrByWalk(start, text, sought))
                << "round " << round << " start " << start;
        }
        for (int p = 0; p <= static_cast<int>(text.size()) + 1; ++p)
            ASSERT_EQ(IsTrailByte(text, p), IsTrailByteByWalk(text, p)) << "round " << round;
    }
}
