// Values from the settings on their way into the page: escaped for the place they go, so that a
// settings file cannot add markup or script; ordinary values come out as they always did.
#include <gtest/gtest.h>

#include "engine/line/prepared_emphasis.h"
#include "engine/page/converter.h"
#include "engine/page/stylesheet.h"
#include "engine/text/encoding.h"
#include "engine/text/page_escape.h"
#include "fuzz/page_check.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/example_file.h"

namespace {

struct TSafetyConversion : TEngineFixture {
    std::string Page(std::string_view input) {
        WriteFileBytes(Dir.File("in.txt"), input);
        bool images = false;
        EXPECT_TRUE(ConvertTextFile(Env, Dir.File("in.txt"), Dir.File("out.htm"), images));
        return ReadFileBytes(Dir.File("out.htm"));
    }
};

const std::array<std::string, 5> kSpans = {"span", "span", "span", "span", "span"};

}  // namespace

TEST(PageEscape, EachPlaceGetsItsOwnEscapes) {
    EXPECT_EQ(EscapeHtmlAttribute("a&b<c>d\"e'f"), "a&amp;b&lt;c&gt;d&quot;e'f");
    EXPECT_EQ(EscapeCssIdentifier("a b{c}.d\"<"), "a\\20 b\\7b c\\7d \\2e d\\22 \\3c ");
    EXPECT_EQ(EscapeCssIdentifier("1a"), "\\31 a");
    EXPECT_EQ(EscapeCssIdentifier("-2"), "-\\32 ");
    EXPECT_EQ(EscapeCssString("C:/a b/\")</style>\n"), "C:/a b/\\22 )\\3c /style\\3e \\a ");
    EXPECT_EQ(EscapeCssValue("1;}</style>"), "1\\3b \\7d \\3c \\2f style\\3e ");
    // A double-byte character stays whole whatever its second byte: 表 ends in "\", ー in "[".
    EXPECT_EQ(EscapeCssString(Sjis("表ー")), Sjis("表ー"));
    EXPECT_EQ(EscapeCssIdentifier(Sjis("見出し表")), Sjis("見出し表"));
    EXPECT_EQ(EscapeHtmlAttribute(Sjis("表\"")), Sjis("表&quot;"));
    // A lead byte without its second byte is escaped in CSS, or it would take the backslash of
    // the next escape for its second byte.
    EXPECT_EQ(EscapeCssString("\x81\""), "\\81 \\22 ");
    EXPECT_EQ(EscapeCssIdentifier("a\x81 "), "a\\81 \\20 ");
    EXPECT_EQ(EscapeHtmlAttribute("a\x81"), "a\x81");
    // Ordinary values are left alone.
    for (const std::string ordinary : {"strong1", "my-class_2", "10", "1.5", "-2", "120%"}) {
        EXPECT_EQ(EscapeCssValue(ordinary), ordinary);
        EXPECT_EQ(EscapeHtmlAttribute(ordinary), ordinary);
    }
    EXPECT_EQ(EscapeCssString("C:/Users/me/My Pictures/back(1).png"),
              "C:/Users/me/My Pictures/back(1).png");
    EXPECT_EQ(EscapeCssString(Sjis("C:/画像/ｶﾅ.gif")), Sjis("C:/画像/ｶﾅ.gif"));
}

TEST(PageEscape, OnlyPlainNamesOfTextElementsHoldAnEmphasis) {
    for (const char* tag : {"span", "div", "em", "b", "h1", "P", "font", "Strong"})
        EXPECT_TRUE(IsTextElementName(tag)) << tag;
    for (const char* tag : {"", "1b", "span onclick=x", "sp-an", "span>", "script", "SCRIPT",
                            "style", "textarea", "iframe", "img", "br", "svg", "plaintext"}) {
        EXPECT_FALSE(IsTextElementName(tag)) << tag;
    }
    EXPECT_TRUE(IsPlainElementName("script"));
    EXPECT_FALSE(IsPlainElementName("x y"));
}

TEST(PageSafety, ASettingsValueCannotAddMarkupToThePage) {
    TSafetyConversion c;
    c.Form->SetText("edtPageTitle", "</title><script>alert(1)</script>");
    c.Form->SetChecked("chkBgImage", true);
    c.Form->SetText("lblBgImagePath", "C:\\x\");}</style><script>alert(1)</script>");
    c.Form->SetText("edtNormalStrSize", "1;}</style><script>");
    c.Form->SetText("edtLineHeight", "*/-->");
    c.Form->SetText("edtTag3", "span onmouseover=\"alert(1)\"");
    c.Form->SetText("edtClass3", "x\"><script>alert(1)</script>");
    c.Form->SetText("edtKeyword3", "k");
    c.Form->SetItemIndex("cmbKeyKbn3", 1);
    c.Form->SetItemIndex("cmbKeyWhat3", 2);
    c.Form->SetText("lblReplaceImagePath3", "a\" onerror=\"alert(1)");
    c.Form->SetText("edtTag4", "script");
    c.Form->SetText("edtKeyword4", "alert");
    c.Form->SetItemIndex("cmbKeyKbn4", 2);
    const std::string page = c.Page("k alert(1)\r\n");

    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("onerror=\""), std::string::npos);
    const std::size_t headEnd = page.find("</head>") + 7;
    EXPECT_EQ(CheckDocumentHead(page.substr(0, headEnd)), "");
    const std::vector<std::string> body = BodyLines(page);
    ASSERT_EQ(body.size(), 2u);
    EXPECT_EQ(CheckBodyLine(body[0], kSpans), "");
    // Rule 3 puts its image for "k" and wraps the line behind the blank; rule 4 wraps "alert".
    EXPECT_EQ(body[0],
              "<p><img src=\"a%22%20onerror=%22alert(1)\" alt=\"k\">&nbsp;"
              "<span class=\"strong4\"><span class=\"x&quot;&gt;&lt;script&gt;alert(1)&lt;/"
              "script&gt;\">alert</span>(1)</span><br>");
    // The stylesheet holds every value, escaped, and the fallback tags.
    const std::string css = BuildStyleSheet(c.Gather());
    EXPECT_NE(css.find("\t\t\tfont-size:1\\3b \\7d \\3c \\2f style\\3e \\3c script\\3e pt;\r\n"),
              std::string::npos);
    EXPECT_NE(
        css.find("url(\"file:///C:/x%22);%7D%3C/style%3E%3Cscript%3Ealert(1)%3C/script%3E\");"),
        std::string::npos);
    EXPECT_NE(css.find("span.x\\22 \\3e \\3c script\\3e alert\\28 1\\29 \\3c \\2f script\\3e \t{"),
              std::string::npos);
    EXPECT_NE(css.find("span.strong4\t{"), std::string::npos);
    EXPECT_EQ(CheckStyleSheet(css), "");

    // One warning for the conversion, a line for each tag replaced.
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(
        c.Platform.Messages[0].Text,
        Sjis("強調3のタグ span onmouseover=\"alert(1)\" は強調に使えないため、span "
             "で変換します。\r\n強調4のタグ script は強調に使えないため、span で変換します。"));

    // The "<br>"-only mode applies no rule, so no tag of theirs is worth a word.
    c.Platform.Messages.clear();
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    c.Page("x");
    EXPECT_TRUE(c.Platform.Messages.empty());
}

TEST(PageSafety, AFallbackTagFollowsTheRulesDefault) {
    TSafetyConversion c;
    c.Form->SetText("edtTag2", "d v");
    c.Form->SetChecked("chkBackColor2", true);
    c.Form->SetChecked("chkBack100p2", true);
    c.Form->SetText("edtKeyword2", "x");
    EXPECT_EQ(BodyLines(c.Page("xy")),
              (std::vector<std::string>{"<div class=\"strong2\">xy</div>"}));
    EXPECT_NE(BuildStyleSheet(c.Gather()).find("div.strong2\t{"), std::string::npos);
    EXPECT_EQ(UsableEmphasisTag(c.Gather().Strong[1]), "div");
}

TEST(PageSafety, OrdinaryValuesComeOutAsBefore) {
    TSafetyConversion c;
    c.Form->SetText("edtTag3", "em");
    c.Form->SetText("edtClass3", Sjis("見出し"));
    c.Form->SetText("edtKeyword3", "k");
    c.Form->SetItemIndex("cmbKeyWhat3", 2);
    c.Form->SetText("lblReplaceImagePath3", "C:\\img\\a b.png");
    c.Form->SetChecked("chkBgImage", true);
    c.Form->SetText("lblBgImagePath", "C:\\img\\back.jpg");
    c.Form->SetText("edtLineHeight", "1.5");
    c.Form->SetItemIndex("cmbLineHeightUnit", 6);
    EXPECT_EQ(
        BodyLines(c.Page("kx")),
        (std::vector<std::string>{Sjis("<p><em class=\"見出し\"><img "
                                       "src=\"file:///C:/img/a%20b.png\" alt=\"k\">x</em><br>"),
                                  "</p>"}));
    const std::string css = BuildStyleSheet(c.Gather());
    EXPECT_NE(css.find(Sjis("em.見出し\t{\r\n")), std::string::npos);
    EXPECT_NE(css.find("\t\t\tline-height:1.5em;\r\n"), std::string::npos);
    EXPECT_NE(css.find("url(\"file:///C:/img/back.jpg\");"), std::string::npos);
    EXPECT_TRUE(c.Platform.Messages.empty());
}

TEST(PageSafety, TheSeparateStylesheetsLinkCannotBreakOutOfItsAttribute) {
    TSafetyConversion c;
    c.State.CurrentSettingsFile = c.Dir.File("a\"><script>#1?.prkn");
    c.Form->SetChecked("chkOutputCSSDef", true);
    const std::string page = c.Page("x");
    EXPECT_NE(page.find("<link rel=stylesheet href=\"./a&quot;&gt;&lt;script&gt;%231%3F.css\">"),
              std::string::npos);
    EXPECT_TRUE(FileExists(c.Dir.File("a\"><script>#1?.css")));
}
