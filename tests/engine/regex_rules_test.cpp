#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "engine/line/emphasis.h"
#include "engine/line/line_assembly.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/line/regex_emphasis.h"
#include "engine/page/converter.h"
#include "engine/regex/BRegExp.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "tests/engine/engine_fixture.h"
#include "tests/engine/regex_engine_fixture.h"

namespace {

const std::string kMissing = Sjis("BREGEXP.DLLが見つかりません！");
const std::string kWriteFailure = Sjis("変換したファイルの書き込みに失敗しました。終了します");

struct TRegexRules : TEngineFixture {
    // Rule n (1 to 5) becomes a regular-expression rule with these keywords.
    void SetRegexRule(int n, const std::string& keywords, int action = 0) {
        const std::string d = std::to_string(n);
        Form->SetText("edtKeyword" + d, keywords);
        Form->SetItemIndex("cmbKeyKbn" + d, 4);
        Form->SetItemIndex("cmbKeyWhat" + d, action);
    }
    std::optional<std::string> Convert(std::string_view input) {
        WriteFileBytes(Dir.File("in.txt"), input);
        bool images = false;
        if (!ConvertTextFile(Env, Dir.File("in.txt"), Dir.File("out.htm"), images))
            return std::nullopt;
        return ReadFileBytes(Dir.File("out.htm"));
    }
    // The tagged text of raw after the regular-expression rule n of prepared settings.
    std::string Apply(TStrInfo& s, int n, std::string_view raw) {
        THtmlCnv line(raw);
        line.P_CnvTextToHtmlDangerStr(4, false);
        const TStrong& rule = s.Strong[n - 1];
        const std::string list = EscapeHtmlText(rule.Keywords, 4, false);
        for (int k = 1; !KeywordAt(list, rule.Separator, k).empty(); ++k)
            EXPECT_TRUE(
                ApplyRegexRule(line, k, KeywordAt(list, rule.Separator, k), rule, Platform));
        return line.F_strGetIncTag();
    }
};

}  // namespace

TEST(PrepareRegexRules, CompilesEachKeywordOnceForTheWholeConversion) {
    TRegexRules t;
    t.SetRegexRule(2, "b+,m#c#g");
    TStrInfo s = t.Gather();
    ASSERT_TRUE(PrepareRegexRules(s.Strong, t.Platform));
    ASSERT_EQ(s.Strong[1].CompiledEngines.size(), 2u);
    TParaState state;
    for (int i = 0; i < 200; ++i) {
        THtmlCnv line("abbcc");
        AssembleLine(line, "abbcc", s, state, t.Platform);
        // Touching matches: each opening tag goes in front of the closing tag before it.
        ASSERT_EQ(line.F_strGetIncTag(),
                  std::string(i == 0 ? "<p>" : "") +
                      "a<span class=\"strong2\">bb<span class=\"strong2\"></span>c<span "
                      "class=\"strong2\"></span>c</span><br>");
    }
    for (const auto& engine : s.Strong[1].CompiledEngines)
        EXPECT_EQ(engine->CompileCount(), 1);
    EXPECT_TRUE(ReleaseRegexRules(s.Strong));
    EXPECT_TRUE(s.Strong[1].CompiledEngines.empty());
    EXPECT_EQ(RegexLibraryHolders(), 0);
    EXPECT_TRUE(t.Platform.Messages.empty());
}

TEST(PrepareRegexRules, ARejectedKeywordNamesItsRuleAndPatternAndStopsTheConversion) {
    TRegexRules t;
    t.SetRegexRule(3, "ok,(x");
    t.SetRegexRule(5, "y");
    TStrInfo s = t.Gather();
    EXPECT_FALSE(PrepareRegexRules(s.Strong, t.Platform));
    ASSERT_EQ(t.Platform.Messages.size(), 1u);
    EXPECT_EQ(t.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(t.Platform.Messages[0].Buttons, mbOK);
    EXPECT_EQ(t.Platform.Messages[0].Text,
              Sjis("正規表現のコンパイルに失敗しました。\r\nコンパイルしようした文字:強調3の "
                   "m/(x/\r\nエラーメッセージ：\r\nend pattern with unmatched parenthesis"));
    EXPECT_EQ(s.Strong[2].CompiledEngines.size(), 1u);  // the keyword before the rejected one
    EXPECT_TRUE(s.Strong[4].CompiledEngines.empty());   // rules after it are not prepared
    ReleaseRegexRules(s.Strong);

    t.Platform.Messages.clear();
    EXPECT_EQ(t.Convert("line\r\n"), std::nullopt);
    ASSERT_EQ(t.Platform.Messages.size(), 2u);
    EXPECT_EQ(t.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(t.Platform.Messages[1].Text, kWriteFailure);
    EXPECT_EQ(ReadFileBytes(t.Dir.File("out.htm")), "");
    EXPECT_EQ(RegexLibraryHolders(), 0);
}

TEST(PrepareRegexRules, UnknownFlagsAndUnclosedPatternsAreRejectedToo) {
    TRegexRules t;
    t.SetRegexRule(1, "/a/q");
    TStrInfo s = t.Gather();
    EXPECT_FALSE(PrepareRegexRules(s.Strong, t.Platform));
    ASSERT_EQ(t.Platform.Messages.size(), 1u);
    EXPECT_EQ(t.Platform.Messages[0].Text,
              Sjis("正規表現のコンパイルに失敗しました。\r\nコンパイルしようした文字:強調1の "
                   "/a/q\r\nエラーメッセージ：\r\nunknown flag in \"q\""));
    t.SetRegexRule(1, "m/a");
    s = t.Gather();
    EXPECT_FALSE(PrepareRegexRules(s.Strong, t.Platform));
    EXPECT_EQ(t.Platform.Messages.back().Text,
              Sjis("正規表現のコンパイルに失敗しました。\r\nコンパイルしようした文字:強調1の "
                   "m/a\r\nエラーメッセージ：\r\nend delimiter / not found"));
    ReleaseRegexRules(s.Strong);
}

TEST(PrepareRegexRules, WithoutTheLibraryARegexRuleStopsTheConversionBeforeAnyLine) {
    TRegexLibraryNameGuard guard;
    SetRegexLibraryName(kMissingRegexLibrary);
    TRegexRules t;
    t.SetRegexRule(4, "a");
    EXPECT_EQ(t.Convert("a\r\nb\r\n"), std::nullopt);
    ASSERT_EQ(t.Platform.Messages.size(), 2u);
    EXPECT_EQ(t.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(t.Platform.Messages[0].Text, kMissing);
    EXPECT_EQ(t.Platform.Messages[1].Kind, TMessageKind::Error);
    EXPECT_EQ(t.Platform.Messages[1].Text, kWriteFailure);
    EXPECT_EQ(ReadFileBytes(t.Dir.File("out.htm")), "");

    t.Platform.Messages.clear();
    std::vector<std::string> out;
    EXPECT_FALSE(ConvertTextBoxText(t.Env, out, {"a"}));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(t.Platform.Messages.size(), 2u);
    EXPECT_EQ(t.Platform.Messages[0].Text, kMissing);
}

TEST(PrepareRegexRules, WithoutARegexRuleTheLibraryIsNeverLoaded) {
    TRegexLibraryNameGuard guard;
    SetRegexLibraryName(kMissingRegexLibrary);
    TRegexRules t;
    t.Form->SetText("edtKeyword3", "a");  // kind 0, and a kind-4 rule without keywords
    t.Form->SetItemIndex("cmbKeyKbn4", 4);
    const std::optional<std::string> page = t.Convert("a\r\n");
    ASSERT_TRUE(page);
    EXPECT_NE(page->find("<p><span class=\"strong3\">a</span><br>\r\n</p>\r\n"), std::string::npos);
    EXPECT_TRUE(t.Platform.Messages.empty());
}

TEST(ApplyRegexRule, WithoutAnEngineForTheKeywordItReportsTheBug) {
    TRegexRules t;
    t.SetRegexRule(1, "a");
    TStrInfo s = t.Gather();  // not prepared
    THtmlCnv line("abc");
    line.P_CnvTextToHtmlDangerStr(4, false);
    EXPECT_FALSE(ApplyRegexRule(line, 1, "a", s.Strong[0], t.Platform));
    EXPECT_EQ(line.F_strGetIncTag(), "abc");
    ASSERT_EQ(t.Platform.Messages.size(), 1u);
    EXPECT_EQ(t.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(t.Platform.Messages[0].Text, Sjis("バグです"));
}

TEST(ApplyRegexRule, TheLineWrapLeavesLeadingBlanksOutsideAndAnEmptyLineIsLeftAlone) {
    TRegexRules t;
    t.SetRegexRule(1, "m/x+/g");
    t.SetRegexRule(2, "m/x+/", 2);
    t.Form->SetText("lblReplaceImagePath2", "a\\b.png");
    TStrInfo s = t.Gather();
    ASSERT_TRUE(PrepareRegexRules(s.Strong, t.Platform));
    EXPECT_EQ(t.Apply(s, 2, "  axxbx"),
              "&nbsp;&nbsp;<span class=\"strong2\">a<img src=\"a/b.png\" alt=\"xx\">bx</span>");
    EXPECT_EQ(t.Apply(s, 1, ""), "");
    ReleaseRegexRules(s.Strong);
    EXPECT_TRUE(t.Platform.Messages.empty());
}

TEST(ApplyRegexRule, AMatchFromASecondByteTakesInTheFirstByte) {
    TRegexRules t;
    t.SetRegexRule(1, "<");
    TStrInfo s = t.Gather();
    ASSERT_TRUE(PrepareRegexRules(s.Strong, t.Platform));
    // A broken lead byte 0x82 takes the "&" of "&lt;" as its second byte; the engine reports
    // "&lt;" from byte 2, and the element starts at byte 1 so that no character is split.
    EXPECT_EQ(t.Apply(s, 1, "\x82<"), "<span class=\"strong1\">\x82&lt;</span>");
    EXPECT_EQ(t.Apply(s, 1, "a<"), "a<span class=\"strong1\">&lt;</span>");
    ReleaseRegexRules(s.Strong);
}

TEST(ApplyRegexRule, ABacktrackingKeywordLeavesALongLineAloneInBoundedTime) {
    TRegexRules t;
    t.SetRegexRule(1, "(a+)+$");
    TStrInfo s = t.Gather();
    ASSERT_TRUE(PrepareRegexRules(s.Strong, t.Platform));
    const std::string raw = std::string(30000, 'a') + "b";
    const auto start = std::chrono::steady_clock::now();
    const std::string tagged = t.Apply(s, 1, raw);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(tagged, raw);
    std::cout << "line of " << raw.size() << " bytes through the rule: " << ms << " ms\n";
    EXPECT_LT(ms, 5000.0);
    ReleaseRegexRules(s.Strong);
}
