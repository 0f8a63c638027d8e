#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "engine/regex/BRegExp.h"
#include "engine/text/encoding.h"
#include "tests/engine/regex_engine_fixture.h"

TEST(TBRegExp, MatchGivesOneBasedPositionsInTheWholeTarget) {
    TBRegExp re;
    ASSERT_TRUE(re.LibraryLoaded());
    ASSERT_TRUE(re.Compile("m/b+/"));
    EXPECT_TRUE(re.Match("m/b+/", "abbcb", 0));
    EXPECT_EQ(re.MatchPos(), 2);
    EXPECT_EQ(re.MatchLength(), 2);
    EXPECT_TRUE(re.Match("m/b+/", "abbcb", 3));
    EXPECT_EQ(re.MatchPos(), 5);
    EXPECT_EQ(re.MatchLength(), 1);
    EXPECT_FALSE(re.Match("m/b+/", "abbcb", 5));  // offset past the last byte
    EXPECT_EQ(re.MatchPos(), -1);
    EXPECT_EQ(re.MatchLength(), 0);
    EXPECT_FALSE(re.Match("m/b+/", "xyz", 0));
    EXPECT_EQ(re.MatchPos(), -1);
    // The search sees the target from the offset on: "^" matches there.
    EXPECT_TRUE(re.Match("m/^c/", "abc", 2));
    EXPECT_EQ(re.MatchPos(), 3);
    // An empty target: only an empty match.
    EXPECT_TRUE(re.Match("m/x*/", "", 0));
    EXPECT_EQ(re.MatchLength(), 0);
    EXPECT_FALSE(re.Match("m/./", "", 0));
}

TEST(TBRegExp, ShiftJisTextMatchesByCharacter) {
    TBRegExp re;
    const std::string pattern = Sjis("m/第.章/");
    ASSERT_TRUE(re.Match(pattern, Sjis("表の第三章"), 0));
    EXPECT_EQ(re.MatchPos(), 5);
    EXPECT_EQ(re.MatchLength(), 6);
    // "\" and "A" are second bytes of 表 (0x95 0x5C) and ア (0x83 0x41), not characters.
    EXPECT_FALSE(re.Match("m/\\\\/", "\x95\\", 0));
    EXPECT_FALSE(re.Match("m/A/", "\x83\x41", 0));
    EXPECT_TRUE(re.Match(Sjis("m/[ぁ-ん]+/"), Sjis("カナかなカナ"), 0));
    EXPECT_EQ(re.MatchPos(), 5);
    EXPECT_EQ(re.MatchLength(), 4);
}

TEST(TBRegExp, FlagsHaveTheirPerlMeanings) {
    TBRegExp re;
    EXPECT_FALSE(re.Match("m/abc/", "xABC", 0));
    EXPECT_TRUE(re.Match("m/abc/i", "xABC", 0));
    EXPECT_EQ(re.MatchPos(), 2);
    EXPECT_TRUE(re.Match("m/a b c # letters/x", "abc", 0));
    EXPECT_EQ(re.MatchLength(), 3);
    EXPECT_FALSE(re.Match("m/a.b/", "a\nb", 0));
    EXPECT_TRUE(re.Match("m/a.b/s", "a\nb", 0));
    EXPECT_FALSE(re.Match("m/^b/", "a\nb", 0));
    EXPECT_TRUE(re.Match("m/^b/m", "a\nb", 0));
    EXPECT_EQ(re.MatchPos(), 3);
    EXPECT_FALSE(re.Match("m/a$/", "a\nb", 0));
    EXPECT_TRUE(re.Match("m/a$/m", "a\nb", 0));
    EXPECT_TRUE(re.Match("m/b/g", "abc", 0));  // "g" is the caller's business
    EXPECT_TRUE(re.Match("m#b#", "abc", 0));
    EXPECT_TRUE(re.Match("/b/", "abc", 0));
}

TEST(TBRegExp, CompilesOnceWhileThePatternStaysTheSame) {
    TBRegExp re;
    ASSERT_TRUE(re.Compile("m/a/"));
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(re.Match("m/a/", "bab", 0));
    EXPECT_EQ(re.CompileCount(), 1);
    EXPECT_TRUE(re.Match("m/b/", "bab", 0));  // another pattern text is compiled for itself
    EXPECT_EQ(re.CompileCount(), 2);
    EXPECT_TRUE(re.Match("m/b/", "bab", 1));
    EXPECT_EQ(re.CompileCount(), 2);
    EXPECT_EQ(re.MatchPos(), 3);
}

TEST(TBRegExp, InvalidPatternsFailWithAMessageAndNeverCrash) {
    TBRegExp re;
    const std::string invalid[] = {
        "m/(/",
        "m/[/",
        "m/a/q",
        "m/abc",
        "/",
        "m/\x82/",
        "m/a{99999999999}/",
        "m/" + std::string(100000, '(') + "a" + std::string(100000, ')') + "/",
        "m/" + std::string(3000, '(') + "/",
        std::string("m/(?<n>a|\\g<x>)/"),
    };
    for (const std::string& pattern : invalid) {
        EXPECT_FALSE(re.Compile(pattern)) << pattern.substr(0, 20);
        EXPECT_FALSE(re.ErrorMessage().empty()) << pattern.substr(0, 20);
        EXPECT_FALSE(re.Match(pattern, "aaa", 0)) << pattern.substr(0, 20);
    }
    EXPECT_FALSE(re.Compile("m/(/"));
    EXPECT_EQ(re.ErrorMessage(), "end pattern with unmatched parenthesis");
    EXPECT_FALSE(re.Compile("m/a/q"));
    EXPECT_EQ(re.ErrorMessage(), "unknown flag in \"q\"");
}

TEST(TBRegExp, EmptyHugeAndOddPatternsCompileAndMatchSafely) {
    TBRegExp re;
    EXPECT_TRUE(re.Compile("m//"));
    EXPECT_TRUE(re.Match("m//", "abc", 0));
    EXPECT_EQ(re.MatchLength(), 0);
    std::string alternatives;
    for (int i = 0; i < 20000; ++i)
        alternatives += (i ? "|w" : "w") + std::to_string(i);
    EXPECT_TRUE(re.Match("m/" + alternatives + "/", "x w19999 y", 0));
    EXPECT_EQ(re.MatchPos(), 3);
    const std::string longLiteral(100000, 'a');
    EXPECT_TRUE(re.Match("m/" + longLiteral + "/", "b" + longLiteral, 0));
    EXPECT_EQ(re.MatchPos(), 2);
    EXPECT_TRUE(re.Match(std::string("m/a\0b/", 6), std::string("xa\0b", 4), 0));
    EXPECT_EQ(re.MatchPos(), 2);
    EXPECT_EQ(re.MatchLength(), 3);
    EXPECT_TRUE(re.Match("m/(?:a{1,1000}){1,1000}/", longLiteral, 0));
    EXPECT_EQ(re.MatchLength(), 100000);
}

TEST(TBRegExp, ABacktrackingPatternIsCutOffAndCountsAsNoMatch) {
    TBRegExp re;
    const std::string line = std::string(100000, 'a') + "b";
    const auto start = std::chrono::steady_clock::now();
    const bool found = re.Match("m/(a+)+$/", line, 0);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(found);
    EXPECT_EQ(re.ErrorMessage(), "retry-limit-in-match over");
    std::cout << "(a+)+$ on " << line.size() << " bytes: " << ms << " ms\n";
    EXPECT_LT(ms, 5000.0);  // a generous bound: without the limit it would run for ages
    // The same engine still works afterwards.
    EXPECT_TRUE(re.Match("m/(a+)+$/", "xaa", 0));
    EXPECT_EQ(re.MatchPos(), 2);
    EXPECT_FALSE(re.Match("m/(x+x+)+y/", std::string(5000, 'x'), 0));
    EXPECT_FALSE(re.Match("m/(.*a){20}/", line, 0));
}

TEST(RegexLibrary, LoadedByTheFirstHolderAndUnloadedByTheLast) {
    EXPECT_EQ(RegexLibraryHolders(), 0);
    {
        TBRegExp first;
        TBRegExp second;
        EXPECT_EQ(RegexLibraryHolders(), 2);
    }
    EXPECT_EQ(RegexLibraryHolders(), 0);
    TBRegExp again;  // a fresh load works as the first one did
    EXPECT_TRUE(again.Match("m/b/", "ab", 0));
    EXPECT_EQ(again.MatchPos(), 2);
}

TEST(RegexLibrary, TheNameComesFromTheSetterTheEnvironmentOrTheDefault) {
    TRegexLibraryNameGuard guard;
    ASSERT_EQ(::unsetenv("PORUKANO_REGEX_LIBRARY"), 0);
    EXPECT_EQ(RegexLibraryName(), "libonig.so.5");
    ASSERT_EQ(::setenv("PORUKANO_REGEX_LIBRARY", "libother.so.1", 1), 0);
    EXPECT_EQ(RegexLibraryName(), "libother.so.1");
    SetRegexLibraryName("libset.so.2");
    EXPECT_EQ(RegexLibraryName(), "libset.so.2");
    ::unsetenv("PORUKANO_REGEX_LIBRARY");
    SetRegexLibraryName(kMissingRegexLibrary);
    TBRegExp missing;
    EXPECT_FALSE(missing.LibraryLoaded());
    EXPECT_FALSE(missing.Compile("m/a/"));
    EXPECT_FALSE(missing.Match("m/a/", "a", 0));
    EXPECT_EQ(RegexLibraryHolders(), 0);
}
