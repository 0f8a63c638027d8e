#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>

#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "engine/text/katakana.h"
#include "engine/text/text_helpers.h"

namespace {

// The escaping steps one after the other, each replacing every occurrence, as the rules give them.
std::string EscapeStepByStep(const std::string& text, int width) {
    std::string t = ReplaceAll(text, "&", "!and!;");
    t = ReplaceAll(t, "!and!;", "&amp;");
    t = ReplaceAll(t, "<", "&lt;");
    t = ReplaceAll(t, ">", "&gt;");
    t = ReplaceAll(t, "\"", "&quot;");
    for (std::size_t p = t.find('\t'); p != std::string::npos; p = t.find('\t')) {
        t.replace(p, 1, std::string(width - p % width, ' '));
    }
    // A control character counts as one column, and becomes "〓" after the tabs are expanded.
    std::string kept;
    for (const char c : t) {
        const auto b = static_cast<unsigned char>(c);
        kept += (b < 0x20 && c != '\n' && c != '\r') || b == 0x7F ? std::string("\x81\xAC")
                                                                  : std::string(1, c);
    }
    return ReplaceAll(kept, " ", "&nbsp;");
}

}  // namespace

// Random texts of every length up to past the escaper's block size, made of the bytes that
// escaping acts on (control characters and the kept line ends among them), the letters of
// "!and!;", double-byte characters and half-width katakana.
TEST(EscapeHtmlText, AgreesWithTheStepsOneAfterTheOther) {
    const std::string pieces[] = {"&",       "!",    "a",        "n",        "d",
                                  ";",       "<",    ">",        "\"",       "\t",
                                  " ",       "x",    Sjis("あ"), Sjis("表"), Sjis("ｶﾞ"),
                                  Sjis("ｱ"), "\x01", "\x1B",     "\x7F",     std::string(1, '\0'),
                                  "\n",      "\r",   "\x1F"};
    std::mt19937 random(11);
    for (int round = 0; round < 4000; ++round) {
        const std::size_t length = round < 3000 ? random() % 80 : random() % 3000;
        std::string text;
        while (text.size() < length)
            text += pieces[random() % std::size(pieces)];
        for (const int width : {4, 8}) {
            ASSERT_EQ(EscapeHtmlText(text, width, false), EscapeStepByStep(text, width))
                << "round " << round;
            ASSERT_EQ(EscapeHtmlText(text, width, true),
                      WidenKatakana(EscapeStepByStep(text, width)))
                << "round " << round;
        }
    }
}

TEST(EscapeHtmlText, IntoReplacesWhatTheTextHeld) {
    std::string out = "old text that is longer";
    EscapeHtmlTextInto(out, "a & b", 4, false);
    EXPECT_EQ(out, "a&nbsp;&amp;&nbsp;b");
    EscapeHtmlTextInto(out, "", 4, false);
    EXPECT_EQ(out, "");
}

TEST(EscapeHtmlText, ControlCharactersBecomeTheStandInOfTheirThreadAndAreCounted) {
    const std::string geta = "\x81\xAC";
    // NUL, VT, FF, ESC, DEL; the tab stop after them counts each as one column.
    EXPECT_EQ(EscapeHtmlText(std::string("a\0b\x0B\x0C\x1B\x7F\tc\r\n", 11), 4, false),
              "a" + geta + "b" + geta + geta + geta + geta + "&nbsp;c\r\n");
    {
        const TControlCharacterStandIn outer("\xEF\x40");
        EXPECT_EQ(EscapeHtmlText("\x01x\x1F", 4, false), "\xEF\x40x\xEF\x40");
        {
            const TControlCharacterStandIn inner;
            EXPECT_EQ(EscapeHtmlText("\x02", 4, false), geta);
            EXPECT_EQ(inner.Replaced(), 1);
        }
        // Another thread has a stand-in of its own.
        std::string there;
        std::thread([&] { there = EscapeHtmlText("\x03", 4, false); }).join();
        EXPECT_EQ(there, geta);
        EXPECT_EQ(EscapeHtmlText("\x04", 4, false), "\xEF\x40");
        EXPECT_EQ(outer.Replaced(), 3);
    }
}
