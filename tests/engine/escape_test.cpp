#include <gtest/gtest.h>

#include <random>
#include <string>

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
    return ReplaceAll(t, " ", "&nbsp;");
}

}  // namespace

// Random texts of every length up to past the escaper's block size, made of the bytes that
// escaping acts on, the letters of "!and!;", double-byte characters and half-width katakana.
TEST(EscapeHtmlText, AgreesWithTheStepsOneAfterTheOther) {
    const std::string pieces[] = {"&",        "!",        "a",        "n",      "d", ";",
                                  "<",        ">",        "\"",       "\t",     " ", "x",
                                  Sjis("あ"), Sjis("表"), Sjis("ｶﾞ"), Sjis("ｱ")};
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
