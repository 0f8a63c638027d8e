#include <gtest/gtest.h>

#include "engine/line/emphasis.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/line/regex_emphasis.h"
#include "engine/text/encoding.h"
#include "tests/support/scripted_platform.h"

namespace {

THtmlCnv Escaped(std::string_view raw) {
    THtmlCnv line(raw);
    line.P_CnvTextToHtmlDangerStr(4, false);
    return line;
}

TStrong Rule(std::string keywords, TKeywordKind kind,
             TKeywordAction action = TKeywordAction::Keep) {
    TStrong rule;
    rule.Tag = "em";
    rule.Class = "k";
    rule.Keywords = std::move(keywords);
    rule.Separator = ",";
    rule.KeywordKind = kind;
    rule.KeywordAction = action;
    rule.ImagePath = "C:/i.gif";
    return rule;
}

std::string Apply(std::string_view raw, const TStrong& rule) {
    THtmlCnv line = Escaped(raw);
    TScriptedPlatform platform;
    ApplyEmphasisRules(line, rule, platform);
    EXPECT_TRUE(platform.Messages.empty());
    return line.F_strGetIncTag();
}

std::string Enclose(std::string_view raw, std::string_view keyword, TKeywordAction action) {
    THtmlCnv line = Escaped(raw);
    ApplyEnclosingRule(line, keyword, Rule("", TKeywordKind::Enclosed, action));
    return line.F_strGetIncTag();
}

}  // namespace

TEST(KeywordAt, SplitsAtTheSeparatorAndEndsAtTheFirstMissingItem) {
    EXPECT_EQ(KeywordAt(Sjis("○,◎"), ",", 1), Sjis("○"));
    EXPECT_EQ(KeywordAt(Sjis("○,◎"), ",", 2), Sjis("◎"));
    EXPECT_EQ(KeywordAt(Sjis("○,◎"), ",", 3), "");
    EXPECT_EQ(KeywordAt("a,b,", ",", 2), "b");
    EXPECT_EQ(KeywordAt("a,b,", ",", 3), "");  // a trailing separator adds nothing
    EXPECT_EQ(KeywordAt("a,,b", ",", 2), "");  // an empty item, which ends a rule's list
    EXPECT_EQ(KeywordAt("a,,b", ",", 3), "b");
    EXPECT_EQ(KeywordAt(",a", ",", 1), "");
    EXPECT_EQ(KeywordAt("", ",", 1), "");
    EXPECT_EQ(KeywordAt("a", ",", 0), "");
    EXPECT_EQ(KeywordAt("a,b", ",", 1000000), "");
    EXPECT_EQ(KeywordAt("a::b::c", "::", 3), "c");
    EXPECT_EQ(KeywordAt(Sjis("甲、乙"), Sjis("、"), 2), Sjis("乙"));
    // The separator "\" is also the second byte of 表 (0x95 0x5C); only the real one splits.
    EXPECT_EQ(KeywordAt("\x95\\\\x", "\\", 1), "\x95\\");
    EXPECT_EQ(KeywordAt("\x95\\\\x", "\\", 2), "x");
}

TEST(IsWordBoundary, EntitiesBracketsPunctuationAndTheTextEnds) {
    // Left side: the bytes that end in front of the position.
    EXPECT_TRUE(IsWordBoundary("&nbsp;ab", 7, true));
    EXPECT_TRUE(IsWordBoundary("&quot;ab", 7, true));
    EXPECT_TRUE(IsWordBoundary("&lt;ab", 5, true));
    EXPECT_TRUE(IsWordBoundary("&amp;ab", 6, true));  // any entity ends with ";"
    EXPECT_TRUE(IsWordBoundary(Sjis("「ab"), 3, true));
    EXPECT_TRUE(IsWordBoundary(Sjis("　ab"), 3, true));
    EXPECT_TRUE(IsWordBoundary("*ab", 2, true));
    EXPECT_TRUE(IsWordBoundary("ab", 1, true));
    EXPECT_FALSE(IsWordBoundary("xab", 2, true));
    EXPECT_FALSE(IsWordBoundary(Sjis("あab"), 3, true));
    // The second bytes of ゼ (0x83 0x5B) and メ followed by i (0x83 0x81, 0x69) are "[" and the
    // pair 0x81 0x69 of （, but no marks.
    EXPECT_FALSE(IsWordBoundary(Sjis("ゼab"), 3, true));
    EXPECT_FALSE(IsWordBoundary(Sjis("メiab"), 4, true));
    EXPECT_TRUE(IsWordBoundary(Sjis("ゼ[ab"), 4, true));
    // Right side: the bytes that start at the position; only the four listed entities count.
    EXPECT_TRUE(IsWordBoundary("ab&nbsp;", 3, false));
    EXPECT_TRUE(IsWordBoundary("ab&gt;", 3, false));
    EXPECT_FALSE(IsWordBoundary("ab&amp;", 3, false));
    EXPECT_TRUE(IsWordBoundary(Sjis("ab」"), 3, false));
    EXPECT_TRUE(IsWordBoundary("ab]", 3, false));
    EXPECT_TRUE(IsWordBoundary("ab", 3, false));
    EXPECT_FALSE(IsWordBoundary("abc", 3, false));
    EXPECT_FALSE(IsWordBoundary("ab.", 3, false));
}

TEST(SplitEnclosingPair, MarksAroundTheFirstStar) {
    using P = std::pair<std::string_view, std::string_view>;
    const std::string open = Sjis("「"), close = Sjis("」"), quote = Sjis("”");
    EXPECT_EQ(SplitEnclosingPair(Sjis("「*」")), (P{open, close}));
    EXPECT_EQ(SplitEnclosingPair(Sjis("*」")), (P{"", close}));
    EXPECT_EQ(SplitEnclosingPair(Sjis("「*")), (P{open, ""}));
    EXPECT_EQ(SplitEnclosingPair("*"), (P{"", ""}));
    EXPECT_EQ(SplitEnclosingPair(quote), (P{quote, quote}));
    EXPECT_EQ(SplitEnclosingPair("a*b*c"), (P{"a", "b*c"}));
}

TEST(ApplyEnclosingRule, MarksWithoutAPartnerAndTheEmptyMarks) {
    EXPECT_EQ(Enclose("(a", "(*)", TKeywordAction::Keep),
              "(a");  // an opening mark without its closing mark
    EXPECT_EQ(Enclose("x)y)", "*)", TKeywordAction::Delete), "<em class=\"k\">x</em>y)");
    EXPECT_EQ(Enclose("x(y(z", "(*", TKeywordAction::Delete), "x<em class=\"k\">y(z</em>");
    EXPECT_EQ(Enclose("ab", "*", TKeywordAction::Delete), "<em class=\"k\">ab</em>");
    EXPECT_EQ(Enclose("|a|b|c|", "|", TKeywordAction::Delete),
              "<em class=\"k\">a</em>b<em class=\"k\">c</em>");
    EXPECT_EQ(Enclose("", "(*)", TKeywordAction::Keep), "");
}

TEST(ApplyEmphasisRules, KindsOutsideTheListAndEmptyListsDoNothing) {
    EXPECT_EQ(Apply("abc", Rule("a", KeywordKindOf(5))), "abc");
    EXPECT_EQ(Apply("abc", Rule("a", KeywordKindOf(-1))), "abc");
    EXPECT_EQ(Apply("abc", Rule("", TKeywordKind::LineContains)), "abc");
    EXPECT_EQ(Apply("abc", Rule(",a", TKeywordKind::LineContains)),
              "abc");  // the list ends at its empty first item
    EXPECT_EQ(Apply("abc", Rule("x,,a", TKeywordKind::LineContains)), "abc");
    EXPECT_EQ(Apply("abc", Rule("x,a", TKeywordKind::LineContains)), "<em class=\"k\">abc</em>");
}

TEST(ApplyEmphasisRules, DeleteTakesTheFirstOccurrenceAndTabsCountAsLeadingBlanks) {
    TStrong rule = Rule("b", TKeywordKind::LineContains, TKeywordAction::Delete);
    EXPECT_EQ(Apply("abcb", rule), "<em class=\"k\">acb</em>");
    rule.KeywordKind = TKeywordKind::LineStartsWith;
    rule.KeywordAction = TKeywordAction::Keep;
    rule.IgnoreLeadingBlanks = true;
    EXPECT_EQ(Apply("\t b", rule), "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<em class=\"k\">b</em>");
    // Kind 2, touching occurrences: the second opening tag goes in front of the first closing.
    EXPECT_EQ(Apply("abab", Rule("ab", TKeywordKind::CharactersOnly)),
              "abab");  // no boundary between them
    rule = Rule("ab", TKeywordKind::CharactersOnly);
    rule.IgnoreLeadingBlanks = true;
    EXPECT_EQ(Apply("abab", rule), "<em class=\"k\">ab<em class=\"k\"></em>ab</em>");
}

TEST(ApplyEmphasisRules, KindZeroHitsOnlyAKeywordThatStartsTheLineWhole) {
    // The separator ";" cuts the escaped "a&b" into "a&amp" and "b": the first item starts the
    // plain text "a&amp;b" but ends inside its entity, so it starts no line; kind 1 finds b.
    TStrong rule = Rule("a&b", TKeywordKind::LineStartsWith);
    rule.Separator = ";";
    EXPECT_EQ(Apply("a&b", rule), "a&amp;b");
    rule.KeywordKind = TKeywordKind::LineContains;
    EXPECT_EQ(Apply("a&b", rule), "<em class=\"k\">a&amp;b</em>");
    // With leading blanks ignored only the start of the trimmed line counts for kind 0.
    rule = Rule(Sjis("○,xyz"), TKeywordKind::LineStartsWith);
    rule.IgnoreLeadingBlanks = true;
    EXPECT_EQ(Apply(Sjis("x○"), rule), Sjis("x○"));
    EXPECT_EQ(Apply("xy", rule), "xy");  // shorter than the keyword
    EXPECT_EQ(Apply(Sjis(" ○ "), rule), Sjis("&nbsp;<em class=\"k\">○&nbsp;</em>"));
    rule.KeywordKind = TKeywordKind::LineContains;
    EXPECT_EQ(Apply(Sjis("x○"), rule), Sjis("<em class=\"k\">x○</em>"));
}

TEST(PrepareEmphasisRules, GivesEveryRuleItsTagsAndKeywordsForTheConversion) {
    std::array<TStrong, 5> rules;
    rules[0] = Rule(Sjis("a b,「*」,<,,x"), TKeywordKind::Enclosed);
    rules[0].Class = "q\"r";
    rules[1] = Rule("<+,m#c#g", TKeywordKind::RegularExpression, TKeywordAction::ReplaceByImage);
    rules[1].Tag = "script";
    TScriptedPlatform platform;
    PrepareEmphasisRules(rules);
    ASSERT_TRUE(rules[0].Prepared && rules[1].Prepared && rules[4].Prepared);
    ASSERT_TRUE(PrepareRegexRules(rules, platform));
    ASSERT_EQ(rules[1].CompiledEngines.size(), 2u);

    const TPreparedEmphasis& enclosing = *rules[0].Prepared;
    EXPECT_EQ(enclosing.Tags.Opening, "<em class=\"q&quot;r\">");
    EXPECT_EQ(enclosing.Tags.Closing, "</em>");
    EXPECT_EQ(enclosing.Tags.ImageSrc, "file:///C:/i.gif");
    EXPECT_EQ(ImageTag(enclosing.Tags, "a&nbsp;&amp;&lt;b"),
              "<img src=\"file:///C:/i.gif\" alt=\"a &amp;&lt;b\">");
    EXPECT_EQ(enclosing.List, Sjis("a&nbsp;b,「*」,&lt;,,x"));
    ASSERT_EQ(enclosing.Keywords.size(), 3u);  // up to the empty item
    EXPECT_EQ(enclosing.Keywords[0].Text, "a&nbsp;b");
    EXPECT_EQ(enclosing.Keywords[0].Opening, "a&nbsp;b");
    EXPECT_EQ(enclosing.Keywords[0].Closing, "a&nbsp;b");
    EXPECT_EQ(enclosing.Keywords[1].Opening, Sjis("「"));
    EXPECT_EQ(enclosing.Keywords[1].Closing, Sjis("」"));
    EXPECT_EQ(enclosing.Keywords[2].Text, "&lt;");

    const TPreparedEmphasis& regex = *rules[1].Prepared;
    EXPECT_EQ(regex.Tags.Opening, "<span class=\"k\">");  // the tag that can be used
    ASSERT_EQ(regex.Keywords.size(), 2u);
    EXPECT_EQ(regex.Keywords[0].Pattern, "m/(&lt;)+/");
    EXPECT_FALSE(regex.Keywords[0].EveryMatch);
    EXPECT_EQ(regex.Keywords[1].Pattern, "m#c#g");
    EXPECT_TRUE(regex.Keywords[1].EveryMatch);
    EXPECT_TRUE(rules[4].Prepared->Keywords.empty());

    // The prepared rules act as the rules do, regex keywords with their own engines.
    THtmlCnv line = Escaped(Sjis("「a」b"));
    ApplyEmphasisRules(line, rules[0], platform);
    EXPECT_EQ(line.F_strGetIncTag(), Sjis("<em class=\"q&quot;r\">「a」</em>b"));
    // Each image replacement wraps the line once: "<<" for the first keyword, each c for the
    // second.
    line = Escaped("x<<cc");
    ApplyEmphasisRules(line, rules[1], platform);
    const std::string span = "<span class=\"k\">", image = "<img src=\"file:///C:/i.gif\" alt=";
    EXPECT_EQ(line.F_strGetIncTag(), span + span + span + "x" + image + "\"&lt;&lt;\">" + image +
                                         "\"c\">" + image + "\"c\"></span></span></span>");
    EXPECT_TRUE(platform.Messages.empty());  // the converter warns about the tag "script"

    EXPECT_TRUE(ReleaseRegexRules(rules));
    EXPECT_TRUE(rules[1].CompiledEngines.empty());
    EXPECT_TRUE(rules[1].Prepared);
    ReleaseEmphasisRules(rules);
    EXPECT_FALSE(rules[0].Prepared);
    EXPECT_FALSE(rules[1].Prepared);
}
