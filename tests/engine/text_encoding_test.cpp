#include "engine/encodings/text_encoding.h"

#include <gtest/gtest.h>

#include "tests/engine/encoding_fixture.h"

namespace {

const char* const kProse =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした"
    "所でニャーニャー泣いていた事だけは記憶している。";

}  // namespace

TEST(DetectEncoding, ByteOrderMarksDecide) {
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF"
                             "abc"),
              TTextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding("\xFF\xFE"
                             "a\0"),
              TTextEncoding::Utf16Le);
    EXPECT_EQ(DetectEncoding("\xFE\xFF\0a"), TTextEncoding::Utf16Be);
    // A byte order mark outweighs what follows it.
    EXPECT_EQ(DetectEncoding("\xEF\xBB\xBF" + InEncoding(kProse, "CP932")), TTextEncoding::Utf8);
}

TEST(DetectEncoding, AsciiAndDoubtAreShiftJis) {
    EXPECT_EQ(DetectEncoding(""), TTextEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding("plain ASCII text\r\n"), TTextEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding("\x80\xFD\xFF"), TTextEncoding::ShiftJis);  // valid in none
}

TEST(DetectEncoding, ProseInEachEncoding) {
    EXPECT_EQ(DetectEncoding(InEncoding(kProse, "UTF-8")), TTextEncoding::Utf8);
    EXPECT_EQ(DetectEncoding(InEncoding(kProse, "CP932")), TTextEncoding::ShiftJis);
    EXPECT_EQ(DetectEncoding(InEncoding(kProse, "EUC-JP-MS")), TTextEncoding::EucJp);
    EXPECT_EQ(DetectEncoding(InEncoding(kProse, "ISO-2022-JP-2")), TTextEncoding::Iso2022Jp);
}

// Half-width katakana in Shift_JIS are kanji to EUC-JP, and EUC-JP hiragana are half-width
// katakana to Shift_JIS: short Shift_JIS texts must never turn into EUC-JP.
TEST(DetectEncoding, ShortShiftJisTextsStayShiftJis) {
    for (const char* text : {"ｱ", "ｱｲ", "ｱｲｳｴ", "ｶﾀｶﾅ", "ﾃｽﾄﾃﾞｰﾀ", "ｺﾝﾆﾁﾊ ｾｶｲ", "あ", "ひらがな",
                             "こんにちは", "カタカナ", "漢", "漢字", "東京都千代田区", "①②③"}) {
        EXPECT_EQ(DetectEncoding(InEncoding(text, "CP932")), TTextEncoding::ShiftJis) << text;
        EXPECT_EQ(DetectEncoding(InEncoding(text, "UTF-8")), TTextEncoding::Utf8) << text;
    }
}

// EUC-JP is recognised from a handful of characters on when they are mostly kana or read as no
// CP932 text; shorter ones are taken as Shift_JIS (measured: "あ", "ひらがな", "カタカナ", "漢",
// half-width katakana, "①②③").
TEST(DetectEncoding, ShortEucJpTextsWithEnoughEvidence) {
    for (const char* text :
         {"こんにちは", "今日は良い天気ですね。", "漢字", "東京都千代田区", "テストデータです"}) {
        EXPECT_EQ(DetectEncoding(InEncoding(text, "EUC-JP-MS")), TTextEncoding::EucJp) << text;
        EXPECT_EQ(DetectEncoding(InEncoding(text, "ISO-2022-JP-2")), TTextEncoding::Iso2022Jp)
            << text;
    }
    for (const char* text : {"あ", "ひらがな", "ｱｲｳｴ"})
        EXPECT_EQ(DetectEncoding(InEncoding(text, "EUC-JP-MS")), TTextEncoding::ShiftJis) << text;
}

TEST(DetectEncoding, OnlyTheFirstNonAsciiBytesAreSampled) {
    // ASCII before the sample costs nothing and decides nothing.
    const std::string ascii(1 << 20, 'a');
    EXPECT_EQ(DetectEncoding(ascii + InEncoding(kProse, "EUC-JP-MS")), TTextEncoding::EucJp);
    // Past the sample the text is not looked at: UTF-8 prose followed by Shift_JIS reads as UTF-8
    // here; ScanInput then finds the rest invalid (see below).
    std::string utf8;
    while (utf8.size() < 300 * 1024)
        utf8 += InEncoding(kProse, "UTF-8");
    EXPECT_EQ(DetectEncoding(utf8 + InEncoding(kProse, "CP932")), TTextEncoding::Utf8);
}

TEST(ScanInput, CountsTheLinesTheReaderWillSplit) {
    TEncodedConversion c;
    const auto scan = [&](std::string_view bytes, TInputEncoding chosen) {
        WriteFileBytes(c.Dir.File("s.txt"), bytes);
        return ScanInput(c.Dir.File("s.txt"), chosen);
    };
    TInputScan s = scan("a\r\nb\nc", TInputEncoding::Auto);
    EXPECT_TRUE(s.Ok);
    EXPECT_EQ(s.Lines, 3);
    EXPECT_EQ(s.Encoding, TTextEncoding::ShiftJis);
    EXPECT_EQ(scan("a\nb\n\x1A\nc\n", TInputEncoding::Auto).Lines, 2);
    // "上" is 0A 4E in UTF-16LE: no line feed.
    s = scan(InEncoding("\xEF\xBB\xBF"
                        "上\n上\x1A\n",
                        "UTF-16LE"),
             TInputEncoding::Auto);
    EXPECT_EQ(s.Encoding, TTextEncoding::Utf16Le);
    EXPECT_EQ(s.Lines, 2);
    s = scan(InEncoding("\xEF\xBB\xBF"
                        "上\n上",
                        "UTF-16BE"),
             TInputEncoding::Auto);
    EXPECT_EQ(s.Encoding, TTextEncoding::Utf16Be);
    EXPECT_EQ(s.Lines, 2);
    // A byte left over after the last code unit is read as "〓", on a line of its own here.
    EXPECT_EQ(scan(std::string("\xFF\xFE\x3F", 3), TInputEncoding::Auto).Lines, 1);
    EXPECT_EQ(scan(std::string("\xFF\xFE"
                               "a\0\n\0?",
                               7),
                   TInputEncoding::Auto)
                  .Lines,
              2);
    // A chosen encoding is taken as it is.
    EXPECT_EQ(scan(InEncoding(kProse, "UTF-8"), TInputEncoding::EucJp).Encoding,
              TTextEncoding::EucJp);
    EXPECT_FALSE(ScanInput(c.Dir.File("none.txt"), TInputEncoding::Auto).Ok);
    EXPECT_FALSE(ScanInput(c.Dir.Path(), TInputEncoding::Auto).Ok);
}

TEST(ScanInput, TextInvalidAfterTheSampleFallsBackToShiftJis) {
    TEncodedConversion c;
    std::string utf8;
    while (utf8.size() < 300 * 1024)
        utf8 += InEncoding(kProse, "UTF-8") + "\n";
    WriteFileBytes(c.Dir.File("s.txt"), utf8);
    EXPECT_EQ(DetectFileEncoding(c.Dir.File("s.txt")), TTextEncoding::Utf8);
    WriteFileBytes(c.Dir.File("s.txt"), utf8 + InEncoding(kProse, "CP932"));
    EXPECT_EQ(DetectFileEncoding(c.Dir.File("s.txt")), TTextEncoding::ShiftJis);
    // A character cut at the very end is invalid too.
    WriteFileBytes(c.Dir.File("s.txt"), utf8 + "\xE3\x81");
    EXPECT_EQ(DetectFileEncoding(c.Dir.File("s.txt")), TTextEncoding::ShiftJis);
    EXPECT_EQ(DetectFileEncoding(c.Dir.File("none.txt")), std::nullopt);
    // Checking the sample only, the guess stands and is marked provisional where text follows
    // the sample; a whole text in the sample, or a byte order mark, is certain.
    const auto sampled = [&](const std::string& text) {
        WriteFileBytes(c.Dir.File("s.txt"), text);
        const TInputScan scan =
            ScanInput(c.Dir.File("s.txt"), TInputEncoding::Auto, TScanCheck::SampleOnly);
        return std::pair(scan.Encoding, scan.Provisional);
    };
    EXPECT_EQ(sampled(utf8 + "\xE3\x81"), std::pair(TTextEncoding::Utf8, true));
    EXPECT_EQ(sampled(InEncoding(kProse, "UTF-8") + "\xE3\x81"),
              std::pair(TTextEncoding::ShiftJis, false));
    EXPECT_EQ(sampled("\xEF\xBB\xBF" + utf8 + "\xE3\x81"), std::pair(TTextEncoding::Utf8, false));
    EXPECT_EQ(sampled(InEncoding(kProse, "CP932") + utf8),
              std::pair(TTextEncoding::ShiftJis, false));
}

TEST(ResolvePageEncoding, SameAsInputWhereAPageCanBeWrittenInIt) {
    const auto same = TOutputEncoding::SameAsInput;
    EXPECT_EQ(ResolvePageEncoding(same, TTextEncoding::ShiftJis), TPageEncoding::ShiftJis);
    EXPECT_EQ(ResolvePageEncoding(same, TTextEncoding::EucJp), TPageEncoding::EucJp);
    for (auto input : {TTextEncoding::Utf8, TTextEncoding::Iso2022Jp, TTextEncoding::Utf16Le,
                       TTextEncoding::Utf16Be})
        EXPECT_EQ(ResolvePageEncoding(same, input), TPageEncoding::Utf8);
    EXPECT_EQ(ResolvePageEncoding(TOutputEncoding::EucJp, TTextEncoding::Utf8),
              TPageEncoding::EucJp);
    EXPECT_EQ(ResolvePageEncoding(TOutputEncoding::ShiftJis, TTextEncoding::EucJp),
              TPageEncoding::ShiftJis);
    EXPECT_EQ(ResolvePageEncoding(TOutputEncoding::Utf8, TTextEncoding::ShiftJis),
              TPageEncoding::Utf8);
}

// HTML5 allows no encoding but UTF-8, so an HTML5 page (chosen, or made so by the ruby notation)
// is UTF-8 whatever was chosen; an HTML 4.01 page keeps the choice.
TEST(ResolvePageEncoding, AnHtml5PageIsUtf8WhateverWasChosen) {
    TStrInfo s;
    s.OutputEncoding = TOutputEncoding::EucJp;
    EXPECT_EQ(ResolvePageEncoding(s, TTextEncoding::ShiftJis), TPageEncoding::EucJp);
    s.DocType = TDocType::Html5;
    EXPECT_EQ(ResolvePageEncoding(s, TTextEncoding::ShiftJis), TPageEncoding::Utf8);
    s.DocType = TDocType::Html401Transitional;
    s.OutputEncoding = TOutputEncoding::SameAsInput;
    s.RubyNotation = true;
    EXPECT_EQ(ResolvePageEncoding(s, TTextEncoding::ShiftJis), TPageEncoding::Utf8);
}

// Old UTF-8's five-byte sequences and values past U+10FFFF are no UTF-8.
TEST(DetectEncoding, SequencesPastUnicodeAreNoUtf8) {
    const std::string utf8 = InEncoding("吾輩は猫である。", "UTF-8");
    EXPECT_EQ(DetectEncoding(utf8), TTextEncoding::Utf8);
    EXPECT_NE(DetectEncoding(utf8 + "\xF9\xAF\xAF\xAF\xAF"), TTextEncoding::Utf8);
    EXPECT_NE(DetectEncoding(utf8 + "\xF4\x90\x80\x80"), TTextEncoding::Utf8);
    EXPECT_NE(DetectEncoding(utf8 + "\xED\xA0\x80"), TTextEncoding::Utf8);
}
