#include <gtest/gtest.h>

#include <random>

#include "engine/text/encoding.h"
#include "engine/text/katakana.h"
#include "engine/text/text_helpers.h"

namespace {

// The method the table describes: one replace-all pass per pair, in table order.
std::string WidenPassByPass(std::string_view text) {
    std::string widened(text);
    for (const TKanaPair& pair : KatakanaPairs())
        widened = ReplaceAll(widened, pair.HalfWidth, pair.FullWidth);
    return widened;
}

// Bytes that can make a difference: kana with and without marked forms, both marks, kana and
// punctuation outside the table, lead bytes, and a byte that is only ever a second byte.
const unsigned char kAlphabet[] = {0xB6, 0xCA, 0xB3, 0xDC, 0xDE, 0xDF, 0xB0, 0xB1,
                                   0xA7, 0xA6, 0xDD, 0xA1, 'a',  0x82, 0x83, 0x40};

}  // namespace

TEST(WidenKatakana, EveryKanaOfTheTableBecomesItsFullWidthForm) {
    EXPECT_EQ(
        WidenKatakana(Sjis("ｧｨｩｪｫｬｭｮｯｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ")),
        Sjis("ァィゥェォャュョッアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミ"
             "ムメモヤユヨラリルレロワヲン"));
    EXPECT_EQ(WidenKatakana(Sjis("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞｳﾞ")),
              Sjis("ガギグゲゴザジズゼゾダヂヅデドバビブベボヴ"));
    EXPECT_EQ(WidenKatakana(Sjis("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ")), Sjis("パピプペポ"));
    EXPECT_EQ(KatakanaPairs().size(), 81u);
}

TEST(WidenKatakana, MarksCombineOnlyWithKanaThatHaveSuchAForm) {
    EXPECT_EQ(WidenKatakana(Sjis("ｶﾞｷﾞ")), Sjis("ガギ"));
    EXPECT_EQ(WidenKatakana(Sjis("ｶﾟ")), Sjis("カﾟ"));
    EXPECT_EQ(WidenKatakana(Sjis("ｳﾞ")), Sjis("ヴ"));
    EXPECT_EQ(WidenKatakana(Sjis("ﾜﾞ")), Sjis("ワﾞ"));
    EXPECT_EQ(WidenKatakana(Sjis("ｱﾞ")), Sjis("アﾞ"));
    EXPECT_EQ(WidenKatakana(Sjis("ﾊﾟﾞ")), Sjis("パﾞ"));
    EXPECT_EQ(WidenKatakana(Sjis("ﾞｶ")), Sjis("ﾞカ"));
}

TEST(WidenKatakana, LeavesTheProlongedMarkPunctuationAndDoubleByteCharactersAlone) {
    EXPECT_EQ(WidenKatakana(Sjis("ｺｰﾋｰ")), Sjis("コｰヒｰ"));
    EXPECT_EQ(WidenKatakana(Sjis("｡｢｣､･")), Sjis("｡｢｣､･"));
    // じ is 0x82 0xB6: its second byte equals ｶ, and じ followed by ﾞ is no ｶﾞ either.
    EXPECT_EQ(WidenKatakana("\x82\xB6"), "\x82\xB6");
    EXPECT_EQ(WidenKatakana("\x82\xB6\xDE"), "\x82\xB6\xDE");
    EXPECT_EQ(WidenKatakana("\x82\xB6\xB6"), "\x82\xB6" + Sjis("カ"));
    EXPECT_EQ(WidenKatakana(Sjis("漢字とabc")), Sjis("漢字とabc"));
    EXPECT_EQ(WidenKatakana(""), "");
    EXPECT_EQ(WidenKatakana("a\x82"), "a\x82");  // a lead byte without its second byte
}

TEST(WidenKatakana, OnePassGivesWhatTheReplacementsInTableOrderGive) {
    // Every text of up to four bytes over the alphabet ...
    std::string text;
    const std::size_t n = std::size(kAlphabet);
    for (std::size_t length = 1; length <= 4; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i)
            count *= n;
        for (std::size_t code = 0; code < count; ++code) {
            text.clear();
            for (std::size_t i = 0, c = code; i < length; ++i, c /= n)
                text.push_back(static_cast<char>(kAlphabet[c % n]));
            ASSERT_EQ(WidenKatakana(text), WidenPassByPass(text)) << testing::PrintToString(text);
        }
    }
    // ... and longer random texts of any bytes but the line ends.
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0x20, 0xFF);
    for (int round = 0; round < 20000; ++round) {
        text.assign(static_cast<std::size_t>(random() % 24), ' ');
        for (char& c : text)
            c = static_cast<char>(random() % 2 ? kAlphabet[random() % n] : byte(random));
        ASSERT_EQ(WidenKatakana(text), WidenPassByPass(text)) << testing::PrintToString(text);
    }
}

TEST(WidenKatakana, TheTableTriesEveryMarkedFormBeforeTheKanaAlone) {
    const auto& pairs = KatakanaPairs();
    for (std::size_t marked = 0; marked < pairs.size(); ++marked) {
        if (pairs[marked].HalfWidth.size() != 2)
            continue;
        for (std::size_t plain = 0; plain < marked; ++plain)
            EXPECT_NE(pairs[plain].HalfWidth, pairs[marked].HalfWidth.substr(0, 1)) << marked;
    }
}
