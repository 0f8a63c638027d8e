#include <gtest/gtest.h>

#include "engine/regex/regex_pattern.h"

TEST(BuildMatchPattern, KeywordsWithAPatternFormStayAsTheyAre) {
    EXPECT_EQ(BuildMatchPattern("abc"), "m/abc/");
    EXPECT_EQ(BuildMatchPattern("/abc/"), "/abc/");
    EXPECT_EQ(BuildMatchPattern("/abc"), "/abc");  // starts with "/": left to the engine
    EXPECT_EQ(BuildMatchPattern("m#abc#"), "m#abc#");
    EXPECT_EQ(BuildMatchPattern("m#abc#g"), "m#abc#g");
    EXPECT_EQ(BuildMatchPattern("m#abc#i"), "m/m#abc#i/");
    EXPECT_EQ(BuildMatchPattern("m#abc#gi"), "m/m#abc#gi/");
    EXPECT_EQ(BuildMatchPattern("m/abc"), "m/abc");
    EXPECT_EQ(BuildMatchPattern("\\/abc"), "\\/abc");
    EXPECT_EQ(BuildMatchPattern("a/b"), "m/a/b/");
    EXPECT_EQ(BuildMatchPattern("x/"), "m/x//");
    EXPECT_EQ(BuildMatchPattern("m"), "m/m/");
    EXPECT_EQ(BuildMatchPattern("mama"), "mama");  // "m", delimiter "a", expression "m"
    EXPECT_EQ(BuildMatchPattern("man"), "m/man/");
    EXPECT_EQ(BuildMatchPattern(""), "m//");
}

TEST(WrapEntityQuantifiers, AQuantifierAfterAnEntityTakesTheWholeEntity) {
    EXPECT_EQ(WrapEntityQuantifiers("m/&lt;+/"), "m/(&lt;)+/");
    EXPECT_EQ(WrapEntityQuantifiers("m/&nbsp;*&gt;?/"), "m/(&nbsp;)*(&gt;)?/");
    EXPECT_EQ(WrapEntityQuantifiers("m/&lt;+?/"), "m/(&lt;)+?/");
    EXPECT_EQ(WrapEntityQuantifiers("m/x&amp;&lt;+/"), "m/x&amp;(&lt;)+/");
    EXPECT_EQ(WrapEntityQuantifiers("m/&lt;+&lt;+/"), "m/(&lt;)+(&lt;)+/");
    EXPECT_EQ(WrapEntityQuantifiers("m/a;+/"), "m/a;+/");        // no "&" in front
    EXPECT_EQ(WrapEntityQuantifiers("m/&lt;b+/"), "m/&lt;b+/");  // not after the ";"
    EXPECT_EQ(WrapEntityQuantifiers("m/a+/"), "m/a+/");
    // After a quantifier the "&" has to lie behind it: the entity of "&lt;+;+" is taken once.
    EXPECT_EQ(WrapEntityQuantifiers("m/&lt;+;+/"), "m/(&lt;)+;+/");
    EXPECT_EQ(WrapEntityQuantifiers("*"), "*");
}

TEST(ParsePatternForm, ExpressionRunsToTheLastDelimiterAndFlagsFollow) {
    TPatternForm f = ParsePatternForm("m/a/b/");
    EXPECT_EQ(f.Expression, "a/b");
    EXPECT_EQ(f.Error, "");
    f = ParsePatternForm("m#x#gixsm");
    EXPECT_EQ(f.Expression, "x");
    EXPECT_TRUE(f.IgnoreCase && f.Extended && f.DotAll && f.MultiLine);
    f = ParsePatternForm("/x/");
    EXPECT_EQ(f.Expression, "x");
    EXPECT_FALSE(f.IgnoreCase || f.Extended || f.DotAll || f.MultiLine);
    f = ParsePatternForm("m//");
    EXPECT_EQ(f.Expression, "");
    EXPECT_EQ(f.Error, "");
    f = ParsePatternForm("\\/abc");  // no pattern form: the text is the expression
    EXPECT_EQ(f.Expression, "\\/abc");
    EXPECT_EQ(f.Error, "");
    // The delimiter "\" inside 表 (0x95 0x5C) does not close the expression.
    f = ParsePatternForm("m\\\x95\\\\");
    EXPECT_EQ(f.Expression, "\x95\\");
}

TEST(ParsePatternForm, UnknownFlagsAndMissingDelimitersAreErrors) {
    EXPECT_EQ(ParsePatternForm("m/a/q").Error, "unknown flag in \"q\"");
    EXPECT_EQ(ParsePatternForm("m/a/ig ").Error, "unknown flag in \"ig \"");
    EXPECT_EQ(ParsePatternForm("m/abc").Error, "end delimiter / not found");
    EXPECT_EQ(ParsePatternForm("/").Error, "end delimiter / not found");
    EXPECT_EQ(ParsePatternForm("mm").Error, "end delimiter m not found");
    EXPECT_EQ(ParsePatternForm("m\x82x\x82").Error, "delimiter is not a single-byte character");
    // A lead byte just in front of the last delimiter takes it as its second byte.
    EXPECT_EQ(ParsePatternForm("m/\x82/").Error, "end delimiter / not found");
}
