#include <gtest/gtest.h>

#include <filesystem>

#include "engine/page/stylesheet.h"
#include "engine/text/encoding.h"
#include "tests/engine/engine_fixture.h"

namespace {

const std::string kInitialRule1 =
    "span.strong1\t{\r\n\t\t\tcolor:#FF0000;\r\n\t\t\tfont-size:14pt;\r\n"
    "\t\t\tfont-weight:bold;\r\n\t\t}\r\n";

}  // namespace

TEST(StyleSheet, InitialSettingsGiveBodyLinksAndFiveEmphasisBlocks) {
    TEngineFixture f;
    const std::string expected =
        "body\t\t{\r\n\t\t\tcolor:#000000;\r\n\t\t\tbackground-color:#FFFFFF;\r\n"
        "\t\t\tfont-size:10pt;\r\n\t\t}\r\n"
        "a:link\t\t{\tcolor:#0000FF;}\r\n"
        "a:visited\t{\tcolor:#800080;}\r\n"
        "a:active\t{\tcolor:#FF0000;}\r\n" +
        kInitialRule1 +
        "span.strong2\t{\r\n\t\t\tcolor:#008000;\r\n\t\t\tfont-size:12pt;\r\n"
        "\t\t\tfont-weight:bold;\r\n\t\t}\r\n"
        "span.strong3\t{\r\n\t\t\tcolor:#000000;\r\n\t\t\tfont-size:14pt;\r\n"
        "\t\t\tfont-weight:bold;\r\n\t\t}\r\n"
        "span.strong4\t{\r\n\t\t\tcolor:#000000;\r\n\t\t\tfont-size:14pt;\r\n"
        "\t\t\tfont-weight:bold;\r\n\t\t}\r\n"
        "span.strong5\t{\r\n\t\t\tcolor:#000000;\r\n\t\t\tfont-size:14pt;\r\n"
        "\t\t\tfont-weight:bold;\r\n\t\t}\r\n";
    EXPECT_EQ(BuildStyleSheet(f.Gather()), expected);

    f.Form->SetChecked("chkbxLink", false);
    EXPECT_EQ(BuildStyleSheet(f.Gather()).find("a:link"), std::string::npos);
}

TEST(StyleSheet, BodyPropertiesInTheirOrder) {
    TEngineFixture f;
    f.Form->SetText("edtNormalStrSize", "");
    f.Form->SetText("edtLineHeight", "150");
    f.Form->SetItemIndex("cmbLineHeightUnit", 1);
    f.Form->SetItemIndex("cmbNormalFontStyle", 2);
    f.Form->SetText("edtPagePaddingBottom", "3");
    f.Form->SetItemIndex("cmbPagePaddingBottomUnit", 6);
    f.Form->SetText("edtPagePaddingTop", "1");
    f.Form->SetChecked("chkBgImage", true);
    f.Form->SetText("lblBgImagePath", "C:\\img\\\x95\x5C.png");  // 表 keeps its second byte
    const std::string sheet = BuildStyleSheet(f.Gather());
    const std::string body = sheet.substr(0, sheet.find("\t\t}\r\n") + 5);
    EXPECT_EQ(body,
              "body\t\t{\r\n\t\t\tcolor:#000000;\r\n\t\t\tbackground-color:#FFFFFF;\r\n"
              "\t\t\tline-height:150%;\r\n\t\t\tfont-family:sans-serif;\r\n"
              "\t\t\tmargin-top:1pt;\r\n\t\t\tmargin-bottom:3em;\r\n"
              "\t\t\tbackground-image:url(\"file:///C:/img/\x95\x5C.png\");  /*" +
                  Sjis("←背景画像のパスはここ") + "*/\r\n\t\t}\r\n");
    // A relative path stays relative; no path, no image.
    f.Form->SetText("lblBgImagePath", "img\\back ground.png");
    EXPECT_NE(
        BuildStyleSheet(f.Gather()).find("\t\t\tbackground-image:url(\"img/back%20ground.png\");"),
        std::string::npos);
    f.Form->SetText("lblBgImagePath", "");
    EXPECT_EQ(BuildStyleSheet(f.Gather()).find("background-image"), std::string::npos);
}

TEST(StyleSheet, AVerticalPageTurnsItsBodyAndSetsTwoDigitNumbersUpright) {
    TEngineFixture f;
    const std::string horizontal = BuildStyleSheet(f.Gather());
    f.Form->SetChecked("chkVerticalWriting", true);
    const std::string vertical = BuildStyleSheet(f.Gather());
    EXPECT_EQ(vertical.substr(0, vertical.find("\t\t}\r\n")),
              horizontal.substr(0, horizontal.find("\t\t}\r\n")) +
                  "\t\t\twriting-mode:vertical-rl;\r\n\t\t\t-webkit-writing-mode:vertical-rl;\r\n");
    EXPECT_TRUE(
        vertical.ends_with("span.tcy\t{\r\n\t\t\ttext-combine-upright:all;\r\n"
                           "\t\t\t-webkit-text-combine:horizontal;\r\n\t\t}\r\n"));
    EXPECT_EQ(horizontal.find("tcy"), std::string::npos);
}

TEST(StyleSheet, EmphasisBlocks) {
    TStrong rule;
    rule.Tag = "span";
    rule.Class = "strong1";
    rule.FontColorOn = true;
    rule.FontColor = "FF0000";
    rule.FontSize = "14";
    rule.Bold = true;
    EXPECT_EQ(EmphasisStyleBlock(rule), kInitialRule1);

    TStrong framed;
    framed.Tag = "div";
    framed.Class = "c";
    framed.BackColorOn = true;
    framed.BackColor = "FFFF00";
    framed.Border = {8, "2", 2, "FF0000"};
    framed.FullWidth = true;
    framed.Italic = true;
    framed.Underline = true;
    framed.FontFamily = 5;
    EXPECT_EQ(EmphasisStyleBlock(framed),
              "div.c\t{\r\n\t\t\tbackground-color:#FFFF00;\r\n"
              "\t\t\tborder:2px dashed #FF0000;\r\n\t\t\twidth:100%;\r\n"
              "\t\t\tpadding:2pt 2pt 2pt 2pt;\r\n\t\t\tfont-style:italic;\r\n"
              "\t\t\ttext-decoration:underline;\r\n\t\t\tfont-family:monospace;\r\n\t\t}\r\n");

    TStrong plainFull;
    plainFull.Tag = "span";
    plainFull.Class = "c";
    plainFull.FullWidth = true;
    plainFull.Border = {1, "", 0, "00FF00"};
    EXPECT_EQ(EmphasisStyleBlock(plainFull),
              "span.c\t{\r\n\t\t\tborder: solid #00FF00;\r\n\t\t\twidth:100%;\r\n"
              "\t\t\tpadding:2pt 2pt 2pt 2pt;\r\n\t\t}\r\n");
    plainFull.Border.Style = 0;
    EXPECT_EQ(EmphasisStyleBlock(plainFull), "span.c\t{\r\n\t\t}\r\n");
}

TEST(StyleSheet, RuleBlocksAndUnits) {
    TEngineFixture f;
    f.Form->SetText("edtHolMark2", "=");
    f.Form->SetText("edtHolMark4", "*");
    f.Form->SetText("edtHolSize4", "3");
    f.Form->SetItemIndex("cmbHolSizeUnit4", 2);
    f.Form->SetChecked("chkHolColor4", true);
    f.Form->SetColor("lblHolColor4", RgbToColor(0x12, 0x34, 0x56));
    EXPECT_EQ(RuleStyleBlocks(f.Gather().HolLine),
              "hr.hr2\t\t{\r\n\t\t\theight:0pt;\r\n\t\t}\r\n"
              "hr.hr4\t\t{\r\n\t\t\theight:3px;\r\n\t\t\tcolor:#123456;\r\n"
              "\t\t\tbackground-color:#123456;\r\n\t\t}\r\n");
    EXPECT_EQ(WithUnit("10", 0), "10pt");
    EXPECT_EQ(WithUnit("1", 7), "1ex");
    EXPECT_EQ(WithUnit("5", 8), "5");
    EXPECT_EQ(WithUnit("5", -1), "5");
}

TEST(DocumentHead, EmbeddedStyleSheetLineByLine) {
    TEngineFixture f;
    const TStrInfo s = f.Gather();
    const std::string expected =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
        "<html>\r\n"
        "<head>\r\n"
        "<meta http-equiv=\"Content-Script-Type\" content=\"text/html; charset=Shift_JIS\">\r\n"
        "<title></title>\r\n" +
        Sjis("<meta name=\"GENERATOR\" content=\"ポルカノＨＴＭＬ変換 ver0.732\">") +
        "\r\n"
        "<style type=\"text/css\">\r\n"
        "<!--\r\n" +
        BuildStyleSheet(s) +
        "-->\r\n"
        "</style>\r\n"
        "\r\n"
        "</head>";
    EXPECT_EQ(BuildDocumentHead(s, f.Env), expected);

    f.Form->SetText("edtPageTitle", "A B<");
    EXPECT_NE(BuildDocumentHead(f.Gather(), f.Env).find("<title>A&nbsp;B&lt;</title>\r\n"),
              std::string::npos);
}

TEST(DocumentHead, SeparateStyleSheetIsNamedAndPlacedByTheProgramState) {
    TEngineFixture f;
    f.Form->SetChecked("chkOutputCSSDef", true);
    const TStrInfo s = f.Gather();
    const std::string head = BuildDocumentHead(s, f.Env);
    EXPECT_TRUE(head.ends_with("<link rel=stylesheet href=\"./default.css\">\r\n</head>"));
    EXPECT_EQ(head.find("<style"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(f.Dir.File("default.css")), BuildStyleSheet(s));

    // Named after the settings file, placed beside the input shown on the window.
    f.State.CurrentSettingsFile = "/somewhere/作品.prkn";
    f.Form->SetText("lblInputFilePath", Sjis(f.Dir.File("in.txt")));
    EXPECT_TRUE(BuildDocumentHead(s, f.Env).ends_with(Sjis("href=\"./作品.css\">\r\n</head>")));
    EXPECT_TRUE(FileExists(f.Dir.File("作品.css")));
    f.State.CurrentSettingsFile = "/x/noext";
    BuildDocumentHead(s, f.Env);
    EXPECT_TRUE(FileExists(f.Dir.File("noext.css")));

    f.Form->SetText("lblInputFilePath", Sjis(f.Dir.File("missing/in.txt")));
    EXPECT_THROW(BuildDocumentHead(s, f.Env), TFileError);

    // With no input shown, the sheet goes beside the page it is linked from, where "./" finds
    // it, and not into the folder of the program's files.
    f.State.CurrentSettingsFile.clear();
    f.Form->SetText("lblInputFilePath", "");
    std::filesystem::create_directory(f.Dir.File("pages"));
    std::filesystem::remove(f.Dir.File("default.css"));
    EXPECT_TRUE(BuildDocumentHead(s, f.Env, TPageEncoding::ShiftJis, f.Dir.File("pages/a.htm"))
                    .ends_with("href=\"./default.css\">\r\n</head>"));
    EXPECT_EQ(ReadFileBytes(f.Dir.File("pages/default.css")), BuildStyleSheet(s));
    EXPECT_FALSE(FileExists(f.Dir.File("default.css")));
}

TEST(DocumentHead, Html5HeadDeclaresItsCharsetFirstAndLeavesTheRestAsItIs) {
    TEngineFixture f;
    f.Form->SetText("edtPageTitle", "A B");
    const std::string html401 = BuildDocumentHead(f.Gather(), f.Env, TPageEncoding::Utf8);
    f.Form->SetItemIndex("cmbDocType", 1);
    const TStrInfo s = f.Gather();
    const std::string expected =
        "<!DOCTYPE html>\r\n"
        "<html lang=\"ja\">\r\n"
        "<head>\r\n"
        "<meta charset=\"UTF-8\">\r\n"
        "<title>A&nbsp;B</title>\r\n" +
        Sjis("<meta name=\"GENERATOR\" content=\"ポルカノＨＴＭＬ変換 ver0.732\">") +
        "\r\n"
        "<style type=\"text/css\">\r\n" +
        BuildStyleSheet(s) +
        "</style>\r\n"
        "\r\n"
        "</head>";
    EXPECT_EQ(BuildDocumentHead(s, f.Env, TPageEncoding::Utf8), expected);
    // From the title on, the HTML 4.01 head is the same apart from the comment around the sheet.
    std::string unwrapped = html401.substr(html401.find("<title>"));
    unwrapped.erase(unwrapped.find("<!--\r\n"), 6);
    unwrapped.erase(unwrapped.find("-->\r\n"), 5);
    EXPECT_EQ(expected.substr(expected.find("<title>")), unwrapped);

    EXPECT_TRUE(BuildDocumentHead(s, f.Env).starts_with(
        "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta "
        "charset=\"Shift_JIS\">\r\n<title>"));
    EXPECT_NE(BuildDocumentHead(s, f.Env, TPageEncoding::EucJp).find("<meta charset=\"EUC-JP\">"),
              std::string::npos);

    // HTML5 requires a title with text; an HTML 4.01 page keeps its empty one.
    f.Form->SetText("edtPageTitle", "");
    EXPECT_NE(BuildDocumentHead(f.Gather(), f.Env).find(Sjis("<title>無題</title>")),
              std::string::npos);
    f.Form->SetItemIndex("cmbDocType", 0);
    EXPECT_NE(BuildDocumentHead(f.Gather(), f.Env).find("<title></title>"), std::string::npos);

    // A separate stylesheet is linked as before.
    f.Form->SetItemIndex("cmbDocType", 1);
    f.Form->SetChecked("chkOutputCSSDef", true);
    EXPECT_TRUE(BuildDocumentHead(f.Gather(), f.Env)
                    .ends_with("<link rel=stylesheet href=\"./default.css\">\r\n</head>"));
}

TEST(DocumentHead, RubyNotationMakesThePageHtml5WhateverTheChoice) {
    TEngineFixture f;
    f.Form->SetChecked("chkRubyNotation", true);
    for (int choice : {0, 1}) {
        f.Form->SetItemIndex("cmbDocType", choice);
        const TStrInfo s = f.Gather();
        EXPECT_EQ(s.DocType, DocTypeOf(choice));
        EXPECT_EQ(PageDocType(s), TDocType::Html5);
        EXPECT_TRUE(BuildDocumentHead(s, f.Env).starts_with("<!DOCTYPE html>\r\n")) << choice;
    }
    f.Form->SetChecked("chkRubyNotation", false);
    f.Form->SetItemIndex("cmbDocType", 7);  // no item shown reads as HTML 4.01
    EXPECT_EQ(PageDocType(f.Gather()), TDocType::Html401Transitional);
}
