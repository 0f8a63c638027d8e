// The time limit of regular expressions: where the check points go, that they change no match,
// and that a keyword that would run for minutes on a line is stopped with one warning.
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

#include "engine/line/line_assembly.h"
#include "engine/line/regex_emphasis.h"
#include "engine/page/converter.h"
#include "engine/regex/BRegExp.h"
#include "engine/regex/regex_guard.h"
#include "engine/text/encoding.h"
#include "tests/engine/engine_fixture.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string TimeLimitWarning(int rule, const std::string& pattern) {
    return Sjis("正規表現の検索に時間がかかりすぎるため、途中で打ち切った行があります。\r\n強調") +
           std::to_string(rule) + Sjis("の ") + pattern + "\r\n" +
           Sjis("打ち切った行ではこの強調が付かないことがあります。");
}

}  // namespace

TEST(RegexCheckPoints, GoWhereASearchReturnsAndNowhereElse) {
    const std::string c(kRegexCheckPoint);
    // Attempt, group, back-reference (in a group, so "*" still repeats it), after a quantifier.
    EXPECT_EQ(AddRegexCheckPoints("(a)\\1*"), c + "(?:(" + c + "a)(?:" + c + "\\1)*" + c + ")");
    EXPECT_EQ(AddRegexCheckPoints("a|b+?c{2,3}+"),
              c + "(?:a|" + c + "b+?" + c + "c{2,3}+" + c + ")");
    EXPECT_EQ(AddRegexCheckPoints("(?:x)(?=y)(?<!z)(?i:w)"),
              c + "(?:(?:" + c + "x)(?=" + c + "y)(?<!" + c + "z)(?i:" + c + "w))");
    // Nothing inside a class, a quotation, a comment, a condition or an escape; "{,2}" and
    // "\12" are no quantifier and no single-digit back-reference.
    EXPECT_EQ(AddRegexCheckPoints("[(|*]"), c + "(?:[(|*])");
    EXPECT_EQ(AddRegexCheckPoints("[]|(]"), c + "(?:[]|(])");
    EXPECT_EQ(AddRegexCheckPoints("[[:alpha:](]"), c + "(?:[[:alpha:](])");
    EXPECT_EQ(AddRegexCheckPoints("\\Q(|*\\E"), c + "(?:\\Q(|*\\E)");
    EXPECT_EQ(AddRegexCheckPoints("(?#(|\\)*)x"), c + "(?:(?#(|\\)*)x)");
    EXPECT_EQ(AddRegexCheckPoints("(a)(?(1)b)"), c + "(?:(" + c + "a)(?(1)b))");
    EXPECT_EQ(AddRegexCheckPoints("\\(\\|\\c(\\12a{,2}"), c + "(?:\\(\\|\\c(\\12a{,2})");
    // The second byte of 表 is "\", of ー "[": neither is an escape nor a class.
    EXPECT_EQ(AddRegexCheckPoints(Sjis("表1ー(")), c + "(?:" + Sjis("表1ー(") + c + ")");
    // Callouts of its own and a quotation inside a class are not rewritten.
    EXPECT_EQ(AddRegexCheckPoints("a(?{x})"), "");
    EXPECT_EQ(AddRegexCheckPoints("(*FAIL)|a"), "");
    EXPECT_EQ(AddRegexCheckPoints("[\\Q]\\E]"), "");

    EXPECT_EQ(RegexCompileForms("a|b"),
              (std::vector<std::string>{c + "(?:a|" + c + "b)", c + "(?:a|b)", c + "a|b", "a|b"}));
    EXPECT_EQ(RegexCompileForms("(*FAIL)"),
              (std::vector<std::string>{c + "(?:(*FAIL))", c + "(*FAIL)", "(*FAIL)"}));
}

TEST(RegexCheckPoints, TheCompiledFormMatchesWhatTheExpressionMatches) {
    TBRegExp re;
    ASSERT_TRUE(re.Compile("m/(a|b)\\1+/"));
    EXPECT_EQ(re.CompiledExpression(), AddRegexCheckPoints("(a|b)\\1+"));
    ASSERT_TRUE(re.Match("m/(a|b)\\1+/", "xabbbba", 0));
    EXPECT_EQ(re.MatchPos(), 3);
    EXPECT_EQ(re.MatchLength(), 4);
    // The engine refuses a quantifier on a check point ("a* ?" in extended mode) and whole
    // options after one; then a less checked form is compiled, with the same meaning.
    ASSERT_TRUE(re.Compile("m/a* ?/x"));
    EXPECT_EQ(re.CompiledExpression(), std::string(kRegexCheckPoint) + "(?:a* ?)");
    ASSERT_TRUE(re.Match("m/a* ?/x", "aaa", 0));
    EXPECT_EQ(re.MatchLength(), 3);  // "?" repeats "a*" greedily
    ASSERT_TRUE(re.Compile("m/a # comment/x"));
    ASSERT_TRUE(re.Match("m/a # comment/x", "ba", 0));
    EXPECT_EQ(re.MatchPos(), 2);
    // An invalid expression keeps the engine's own message for what was written.
    EXPECT_FALSE(re.Compile("m/(a/"));
    EXPECT_EQ(re.ErrorMessage(), "end pattern with unmatched parenthesis");
}

TEST(RegexTimeLimit, SearchesWithinTheRetryLimitsAreStoppedInTime) {
    const std::string line(100000, 'a');
    // The first with the default limit of a search, the second with a deadline of its own.
    for (const std::string pattern : {"m/(?=(a+))\\1*b/", "m/(a+)\\1*b/"}) {
        TBRegExp re;
        const auto start = std::chrono::steady_clock::now();
        if (pattern != "m/(?=(a+))\\1*b/")
            re.SetDeadline(start + std::chrono::milliseconds(200));
        EXPECT_FALSE(re.Match(pattern, line, 0));
        const double seconds = SecondsSince(start);
        EXPECT_TRUE(re.Stopped());
        EXPECT_EQ(re.ErrorMessage(), "time limit of the search over");
        std::cout << pattern << " on " << line.size() << " bytes stopped after " << seconds
                  << " s\n";
        EXPECT_LT(seconds, 5.0);  // the limit is 1 s; without it these run for minutes
        re.ClearDeadline();
        EXPECT_TRUE(re.Match(pattern, "aab", 0));  // the engine still works
        EXPECT_FALSE(re.Stopped());
    }
    // A deadline already past: no search at all.
    TBRegExp re;
    re.SetDeadline(std::chrono::steady_clock::now() - std::chrono::seconds(1));
    EXPECT_FALSE(re.Match("m/a/", "a", 0));
    EXPECT_TRUE(re.Stopped());
    re.ClearDeadline();
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(re.Match("m/a/", "a", 0));
    // Without a deadline a search's limit starts with it; ApplyRegexRule hands it on to the
    // later searches of the line.
    EXPECT_GE(re.SearchDeadline(), before + kRegexTimeLimit);
    EXPECT_LE(re.SearchDeadline(), std::chrono::steady_clock::now() + kRegexTimeLimit);
    re.SetDeadline(before + std::chrono::hours(1));
    EXPECT_TRUE(re.Match("m/a/", "a", 0));
    EXPECT_EQ(re.SearchDeadline(), before + std::chrono::hours(1));
    re.ClearDeadline();
}

TEST(RegexTimeLimit, AConversionWarnsOnceAndLeavesTheStoppedLinesPlain) {
    TEngineFixture f;
    f.Form->SetText("edtKeyword3", "(?=(a+))\\1*b");
    f.Form->SetItemIndex("cmbKeyKbn3", 4);
    f.Form->SetItemIndex("rdgrpAddTag", 0);
    const std::string longLine(60000, 'a');
    std::vector<std::string> out;
    // Mode 0 runs no emphasis.
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {longLine, "aab"}));
    EXPECT_EQ(out, (std::vector<std::string>{longLine + "<br>", "aab<br>"}));
    EXPECT_TRUE(f.Platform.Messages.empty());
    // Mode 1 does: each long line is stopped after its second, and the warning comes once.
    f.Form->SetItemIndex("rdgrpAddTag", 1);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {longLine, longLine, "aab"}));
    const double seconds = SecondsSince(start);
    std::cout << "two stopped lines of " << longLine.size() << " bytes: " << seconds << " s\n";
    EXPECT_LT(seconds, 10.0);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out.back(), "</p>");
    EXPECT_EQ(out[1], "<p>" + longLine + "<br>");
    EXPECT_EQ(out[3], "<span class=\"strong3\">aab</span><br>");
    ASSERT_EQ(f.Platform.Messages.size(), 1u);
    EXPECT_EQ(f.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(f.Platform.Messages[0].Text, TimeLimitWarning(3, "m/(?=(a+))\\1*b/"));
}

TEST(RegexTimeLimit, AMatchMovedBackOntoALeadByteDoesNotRepeatTheSearch) {
    // "." finds "&" after a lead byte; moved back onto the lead byte the match cuts "&amp;" and
    // is passed over; the search must go on behind it, not start again where it was.
    TEngineFixture f;
    f.Form->SetText("edtKeyword3", "m/./g");
    f.Form->SetItemIndex("cmbKeyKbn3", 4);
    std::vector<std::string> out;
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {"\x81&x"}));
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1], "<p>\x81&amp;<span class=\"strong3\">x</span><br>");
    EXPECT_TRUE(f.Platform.Messages.empty());
}
