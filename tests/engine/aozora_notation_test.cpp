// Aozora Bunko's annotations: what an annotation's text is read as, the characters named by
// number, the file layout around the work, and the property that no text outside annotations is
// ever lost, on lines made to tangle them. What each family gives on ordinary lines is in
// tests/examples/aozora.txt.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "engine/line/aozora_notation.h"
#include "engine/line/aozora_syntax.h"
#include "engine/page/aozora_layout.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "engine/text/jisx0213.h"
#include "fuzz/aozora_check.h"
#include "fuzz/page_check.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/temp_dir.h"

namespace {

TAozoraAnnotation Parse(const char* utf8, bool marked = false) {
    static std::string text;  // the views of the result point into it
    text = Sjis(utf8);
    return ParseAozoraAnnotation(text, marked);
}

std::string Utf8(std::string_view sjis) {
    return SjisToUtf8(sjis);
}

}  // namespace

TEST(AozoraSyntax, NumbersInDigitsOfBothWidthsAndKanji) {
    const std::pair<const char*, int> cases[] = {
        {"3字下げ", 3},     {"１２字下げ", 12},   {"十字下げ", 10},   {"十二字下げ", 12},
        {"二十字下げ", 20}, {"二十三字下げ", 23}, {"一〇字下げ", 10}, {"0字下げ", 0},
    };
    for (const auto& [text, amount] : cases) {
        const TAozoraAnnotation a = Parse(text);
        EXPECT_EQ(a.Kind, TAozoraKind::Indent) << text;
        EXPECT_EQ(a.Amount, amount) << text;
    }
    EXPECT_EQ(Parse("字下げ").Kind, TAozoraKind::Unknown);
    EXPECT_EQ(Parse("三字下げる").Kind, TAozoraKind::Unknown);

    const TAozoraAnnotation hanging = Parse("ここから３字下げ、折り返して５字下げ");
    EXPECT_EQ(hanging.Kind, TAozoraKind::IndentFrom);
    EXPECT_EQ(hanging.Amount, 3);
    EXPECT_EQ(hanging.Wrap, 5);
    const TAozoraAnnotation flush = Parse("ここから改行天付き、折り返して１字下げ");
    EXPECT_EQ(flush.Kind, TAozoraKind::IndentFrom);
    EXPECT_EQ(flush.Amount, 0);
    EXPECT_EQ(flush.Wrap, 1);
    const TAozoraAnnotation raised = Parse("地から２字上げ");
    EXPECT_EQ(raised.Kind, TAozoraKind::AlignEnd);
    EXPECT_EQ(raised.Amount, 2);
    EXPECT_EQ(Parse("ここから地付き").Kind, TAozoraKind::AlignEndFrom);
    EXPECT_EQ(Parse("ここで字上げ終わり").Kind, TAozoraKind::BlockEnd);

    EXPECT_EQ(Parse("ここから斜体").Style, TAozoraStyle::Italic);
    EXPECT_EQ(Parse("ここから太字").Kind, TAozoraKind::StyleFrom);
    EXPECT_EQ(Parse("ここで太字終わり").Kind, TAozoraKind::BlockEnd);
    EXPECT_EQ(Parse("ここから三段階小さな文字").Amount, -3);
    EXPECT_EQ(Parse("ここから１段階大きな文字").Amount, 1);
    EXPECT_EQ(Parse("ここで小さな文字終わり").Kind, TAozoraKind::BlockEnd);
    for (const char* wrong : {"ここから０段階小さな文字", "ここから十段階大きな文字",
                              "ここから段階小さな文字", "ここから２段階小さい文字"})
        EXPECT_EQ(Parse(wrong).Kind, TAozoraKind::Unknown) << wrong;
}

TEST(AozoraSyntax, KanbunMarks) {
    for (const char* mark : {"レ", "一", "下レ", "甲", "人レ"}) {
        const TAozoraAnnotation a = Parse(mark);
        EXPECT_EQ(a.Kind, TAozoraKind::ReturnMark) << mark;
        EXPECT_EQ(a.Literal, Sjis(mark)) << mark;
    }
    const TAozoraAnnotation reading = Parse("（シテ）");
    EXPECT_EQ(reading.Kind, TAozoraKind::ReadingMark);
    EXPECT_EQ(reading.Literal, Sjis("シテ"));
    for (const char* other : {"レ一", "一二", "五", "（）", "（漢）", "（シテ", "地付き"})
        EXPECT_NE(Parse(other).Kind, TAozoraKind::ReturnMark) << other;
    EXPECT_EQ(Parse("（漢）").Kind, TAozoraKind::Unknown);
}

TEST(AozoraSyntax, ReferencesRangesAndNotes) {
    const TAozoraAnnotation dots = Parse("「猫」に白ゴマ傍点");
    EXPECT_EQ(dots.Kind, TAozoraKind::Reference);
    EXPECT_EQ(dots.Style, TAozoraStyle::WhiteSesame);
    EXPECT_EQ(Utf8(dots.Target), "猫");
    // The phrase may hold the quotes themselves: it ends at the last one.
    const TAozoraAnnotation quoted = Parse("「「はい」と」は太字");
    EXPECT_EQ(quoted.Kind, TAozoraKind::Reference);
    EXPECT_EQ(Utf8(quoted.Target), "「はい」と");
    EXPECT_EQ(Parse("「第一章」は同行中見出し").Style, TAozoraStyle::MediumHeadingSameLine);
    const TAozoraAnnotation ruby = Parse("「青空」に「あおぞら」のルビ");
    EXPECT_EQ(ruby.Kind, TAozoraKind::RubyReference);
    EXPECT_EQ(Utf8(ruby.Target), "青空");
    EXPECT_EQ(Utf8(ruby.Ruby), "あおぞら");

    // "左に" moves dots and lines to the other side; nothing else has one.
    const TAozoraAnnotation left = Parse("「猫」の左に丸傍点");
    EXPECT_EQ(left.Kind, TAozoraKind::Reference);
    EXPECT_TRUE(left.Left);
    EXPECT_EQ(left.Style, TAozoraStyle::BlackCircle);
    EXPECT_TRUE(Parse("左に二重傍線終わり").Left);
    EXPECT_EQ(Parse("左に二重傍線終わり").Kind, TAozoraKind::RangeEnd);
    EXPECT_FALSE(Parse("傍線").Left);
    EXPECT_EQ(Parse("「猫」の左に太字").Kind, TAozoraKind::Unknown);
    EXPECT_EQ(Parse("左に大見出し").Kind, TAozoraKind::Unknown);

    EXPECT_EQ(Parse("波線").Kind, TAozoraKind::RangeStart);
    EXPECT_EQ(Parse("波線").Style, TAozoraStyle::WavyLine);
    EXPECT_EQ(Parse("窓小見出し終わり").Kind, TAozoraKind::RangeEnd);
    EXPECT_EQ(Parse("窓小見出し終わり").Style, TAozoraStyle::SmallHeadingWindow);

    // Notes for the reader and forms not read here stay notes.
    for (const char* note : {"「広場へに」はママ", "「」に傍点", "「猫」に謎",
                             "挿絵（fig.png）入る", "", "「", "」に「」のルビ"})
        EXPECT_EQ(Parse(note).Kind, TAozoraKind::Unknown) << note;
}

TEST(AozoraSyntax, CharactersByNumberOnlyAfterTheMark) {
    const TAozoraAnnotation level3 = Parse("「てへん+宛」、第3水準1-84-80", true);
    ASSERT_EQ(level3.Kind, TAozoraKind::Character);
    EXPECT_EQ(level3.Characters, std::u32string(JisX0213Character(1, 84, 80)));
    const TAozoraAnnotation wide = Parse("「口+世」、第４水準２－４－２０", true);
    ASSERT_EQ(wide.Kind, TAozoraKind::Character);
    EXPECT_EQ(wide.Characters, U"\u55C9");  // 嗉, plane 2 row 4 cell 20
    // Unicode is the more exact name; a page-line number after it is no part of it.
    const TAozoraAnnotation unicode = Parse("「土へん+口」、U+20B9F、56-7", true);
    ASSERT_EQ(unicode.Kind, TAozoraKind::Character);
    EXPECT_EQ(unicode.Characters, U"\U00020B9F");
    EXPECT_EQ(Parse("「てへん+宛」、第3水準1-84-80", false).Kind, TAozoraKind::Unknown);
    EXPECT_EQ(Parse("「x」、第3水準1-95-80", true).Kind, TAozoraKind::Unknown);
    EXPECT_EQ(Parse("「x」、U+D800", true).Kind, TAozoraKind::Unknown);
    EXPECT_EQ(Parse("始め二重山括弧", true).Kind, TAozoraKind::Escape);
}

TEST(JisX0213, TableFromTheSystemConversion) {
    EXPECT_EQ(JisX0213Character(1, 16, 1), U"\u4E9C");        // 亜, as in JIS X 0208
    EXPECT_EQ(JisX0213Character(1, 84, 80), U"\u6365");       // 捥, "てへん+宛" in the manual
    EXPECT_EQ(JisX0213Character(1, 4, 87), U"\u304B\u309A");  // か゚, two code points
    EXPECT_EQ(JisX0213Character(2, 1, 1), U"\U00020089");     // plane 2 starts beyond the BMP
    EXPECT_TRUE(JisX0213Character(2, 2, 1).empty());          // rows plane 2 leaves out
    EXPECT_TRUE(JisX0213Character(3, 1, 1).empty());
    EXPECT_TRUE(JisX0213Character(1, 0, 1).empty());
    EXPECT_TRUE(JisX0213Character(1, 95, 1).empty());
}

TEST(AozoraLayout, ExplanationBlockLeftOutOnceAndTitle) {
    const std::string rule(55, '-');
    const std::vector<std::string> text = {Sjis("作品名"),
                                           Sjis("著者"),
                                           "",
                                           rule,
                                           Sjis("【テキスト中に現れる記号について】"),
                                           Sjis("《》：ルビ"),
                                           rule,
                                           Sjis("本文"),
                                           rule,
                                           Sjis("【テキスト中に現れる記号について】"),
                                           rule};
    std::vector<std::string> out;
    TAozoraExplanationFilter filter;
    for (const std::string& line : text)
        filter.Line(line, [&](std::string_view kept) { out.emplace_back(kept); });
    filter.Finish([&](std::string_view kept) { out.emplace_back(kept); });
    const std::vector<std::string> expected = {Sjis("作品名"),
                                               Sjis("著者"),
                                               "",
                                               Sjis("本文"),
                                               rule,
                                               Sjis("【テキスト中に現れる記号について】"),
                                               rule};
    EXPECT_EQ(out, expected);

    // A rule that begins no explanation stays, and so does one at the text's end.
    out.clear();
    TAozoraExplanationFilter plain;
    for (const std::string& line : {rule, rule, Sjis("本文"), rule})
        plain.Line(line, [&](std::string_view kept) { out.emplace_back(kept); });
    plain.Finish([&](std::string_view kept) { out.emplace_back(kept); });
    EXPECT_EQ(out, (std::vector<std::string>{rule, rule, Sjis("本文"), rule}));

    EXPECT_EQ(Utf8(AozoraTitle(Sjis("　 吾輩は猫である　"))), "吾輩は猫である");
    EXPECT_FALSE(IsHyphenRule("---------"));
    EXPECT_TRUE(IsHyphenRule(" ---------- "));
}

// Random lines of text, annotations of every family (whole, nested, unterminated, overlapping
// ranges, references to text that is not there) and the notation's marks: the page line keeps
// every character outside annotations in its order, and its tags pass the page checks.
TEST(AozoraNotation, NoCharacterOutsideAnnotationsIsLost) {
    const char* const pieces[] = {"猫",
                                  "漢字",
                                  "あ",
                                  "12",
                                  "a",
                                  "&",
                                  "<",
                                  "《",
                                  "》",
                                  "｜",
                                  "※",
                                  "「",
                                  "」",
                                  "［",
                                  "］",
                                  "［＃",
                                  "［＃傍点］",
                                  "［＃傍点終わり］",
                                  "［＃太字］",
                                  "［＃太字終わり］",
                                  "［＃大見出し］",
                                  "［＃大見出し終わり］",
                                  "［＃「猫」に傍点］",
                                  "［＃「犬」に傍線］",
                                  "［＃「漢字」は中見出し］",
                                  "［＃「猫」に「ねこ」のルビ］",
                                  "［＃３字下げ］",
                                  "［＃ここから２字下げ］",
                                  "［＃ここで字下げ終わり］",
                                  "［＃ここから１字下げ、折り返して３字下げ］",
                                  "［＃地付き］",
                                  "［＃地から１字上げ］",
                                  "［＃改ページ］",
                                  "※［＃始め二重山括弧］",
                                  "※［＃縦線］",
                                  "※［＃「x」、第3水準1-85-54］",
                                  "※［＃「x」、U+20B9F］",
                                  "［＃「［＃」に傍点］",
                                  "［＃ママ］",
                                  "［＃「12」は縦中横］",
                                  "［＃縦中横］",
                                  "［＃縦中横終わり］",
                                  "漢字《かんじ》",
                                  "《《",
                                  "》》",
                                  "［＃「あ」は小見出し］"};
    std::vector<std::string> sjis;
    for (const char* piece : pieces)
        sjis.push_back(Sjis(piece));
    std::mt19937 random(20261209);
    TAozoraState state;
    TSjisBridge bridge;
    for (int round = 0; round < 3000; ++round) {
        std::string raw;
        const int count = static_cast<int>(random() % 12);
        for (int k = 0; k < count; ++k)
            raw += sjis[random() % sjis.size()];
        THtmlCnv line(raw);
        ReplaceNamedCharacters(line, &bridge);
        const std::string replaced = line.strOriginal;
        line.P_CnvTextToHtmlDangerStr(4, false);
        ApplyAozoraAnnotations(line, state);
        const std::string tagged = line.F_strGetIncTag();
        const std::string shown = LineText(tagged);
        EXPECT_TRUE(KeepsInOrder(TextOutsideAozoraAnnotations(raw), shown))
            << Utf8(raw) << "\n  " << Utf8(tagged);
        EXPECT_TRUE(KeepsInOrder(TextOutsideAozoraAnnotations(replaced), shown)) << Utf8(raw);
    }
}

// A character named by number enters the engine as its Shift_JIS form or, through the bridge,
// as a stand-in that the page gets back; without a bridge one that Shift_JIS lacks stays named.
TEST(AozoraNotation, NamedCharactersThroughTheBridge) {
    const std::string raw =
        Sjis("※［＃丸1、1-13-1］と※［＃「てへん+宛」、第3水準1-84-80］※※［＃縦線］");
    THtmlCnv alone(raw);
    ReplaceNamedCharacters(alone, nullptr);
    EXPECT_EQ(Utf8(alone.strOriginal), "①と※［＃「てへん+宛」、第3水準1-84-80］※※［＃縦線］");

    TSjisBridge bridge;
    THtmlCnv bridged(raw);
    ReplaceNamedCharacters(bridged, &bridge);
    std::string page;
    bridge.Encode(bridged.strOriginal, TPageEncoding::Utf8, page);
    EXPECT_EQ(page, "①と捥※※［＃縦線］");
}

// Both front ends: a file's page leaves the explanation out and takes its title from the first
// line unless one is set; the text box leaves it out too. Off, the same file keeps every line.
TEST(AozoraNotation, TheFileLayoutInBothFrontEnds) {
    TEngineFixture f;
    const std::string rule(55, '-');
    const std::vector<std::string> lines = {Sjis("　作品名"),
                                            "",
                                            rule,
                                            Sjis("【テキスト中に現れる記号について】"),
                                            Sjis("《》：ルビ"),
                                            rule,
                                            Sjis("本文［＃「本文」に傍点］")};
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteFileBytes(f.Dir.File("in.txt"), text);
    const auto convert = [&f] {
        bool images = false;
        EXPECT_TRUE(ConvertTextFile(f.Env, f.Dir.File("in.txt"), f.Dir.File("out.htm"), images));
        return ReadFileBytes(f.Dir.File("out.htm"));
    };
    const std::string off = convert();
    EXPECT_NE(off.find(Sjis("【テキスト中に現れる記号について】")), std::string::npos);

    f.Form->SetChecked("chkAozoraNotation", true);
    const std::string on = convert();  // HTML5, so UTF-8
    EXPECT_NE(on.find("<title>作品名</title>"), std::string::npos);
    EXPECT_EQ(on.find("【テキスト中に現れる記号について】"), std::string::npos);
    EXPECT_EQ(on.find("---"), std::string::npos);
    EXPECT_NE(on.find("<em class=\"aozora-sesame\">本文</em>"), std::string::npos);
    f.Form->SetText("edtPageTitle", Sjis("題"));
    EXPECT_NE(convert().find("<title>題</title>"), std::string::npos);

    std::vector<std::string> box;
    ASSERT_TRUE(ConvertTextBoxText(f.Env, box, lines));
    std::string joined;
    for (const std::string& line : box)
        joined += SjisToUtf8(line) + "\n";
    EXPECT_EQ(joined.find("【テキスト中に現れる記号について】"), std::string::npos);
    EXPECT_NE(joined.find("<em class=\"aozora-sesame\">本文</em>"), std::string::npos);
    EXPECT_NE(joined.find("em.aozora-sesame"), std::string::npos);
}
