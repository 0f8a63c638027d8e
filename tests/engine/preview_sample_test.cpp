#include <gtest/gtest.h>

#include "engine/page/preview_sample.h"
#include "engine/text/encoding.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/example_file.h"

namespace {

std::vector<std::string> SampleLines(TEngineFixture& f) {
    const std::string path = f.Dir.File("pretmp.txt");
    EXPECT_TRUE(BuildPreviewSample(f.Env, path));
    std::vector<std::string> lines = BodyLines(SjisToUtf8(ReadFileBytes(path)));
    return lines;
}

}  // namespace

TEST(PreviewSample, InitialSettingsLineByLine) {
    TEngineFixture f;
    const std::vector<std::string> expected = {
        "「ポルカノＨＴＭＬ変換」をお使いいただきありがとうございます。",
        "この画面では、各種の変換設定内容を具体的なサンプルテキストで確認することができます。",
        "",
        "質問・バグ報告・感想などはこちらへ",
        "サポート：同梱のユーザーガイド（ヘルプ→オンラインヘルプ）",
        "",
        "ここから下は１行に一つの強調表示が含まれるときのサンプルです。",
        "    ○強調1が存在する行",
        "あいうえお かきくけこ さしすせそ",
        "    ・強調2が存在する行",
        "あいうえお かきくけこ さしすせそ",
        "",
        "ここから下は１行に２つの強調表示が含まれるときのサンプルです。",
        "    ○強調1     ・強調2がともに存在する行",
        "    ・強調2     ○強調1がともに存在する行",
        "",
        "１行に３つ以上の強調表示が含まれるときは勘弁してください（＾＾；",
        "",
    };
    EXPECT_EQ(SampleLines(f), expected);
}

TEST(PreviewSample, TheSettingsForFictionShowTheirLinesWhenOn) {
    TEngineFixture f;
    const std::vector<std::string> plain = SampleLines(f);
    f.Form->SetChecked("chkRubyNotation", true);
    f.Form->SetChecked("chkVerticalWriting", true);
    f.Form->SetItemIndex("cmbLinkStyle", 1);
    const std::vector<std::string> lines = SampleLines(f);
    ASSERT_EQ(lines.size(), plain.size() + 6);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + plain.size()), plain);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 6, lines.end()),
              (std::vector<std::string>{
                  "", "ここから下は小説向けの設定のサンプルです。",
                  "｜吾輩《わがはい》は猫である。名前《なまえ》は《《まだ》》無い。",
                  "ルビは｜《と書くと《そのまま》です。", "第12話　10月31日、午後3時の出来事!?",
                  "詳しくはhttps://example.com/novel?id=12を見よ。"}));
    // The new link style shows nothing while links are off.
    f.Form->SetChecked("chkRubyNotation", false);
    f.Form->SetChecked("chkVerticalWriting", false);
    f.Form->SetChecked("chkbxLink", false);
    EXPECT_EQ(SampleLines(f), plain);
}

// Aozora Bunko's annotations show their own lines, and the ruby notation's that they imply.
TEST(PreviewSample, TheAozoraNotationShowsItsLinesAndTheRubyOnes) {
    TEngineFixture f;
    const std::vector<std::string> plain = SampleLines(f);
    f.Form->SetChecked("chkAozoraNotation", true);
    const std::vector<std::string> lines = SampleLines(f);
    ASSERT_EQ(lines.size(), plain.size() + 7);
    EXPECT_EQ(lines[plain.size() + 2], "［＃中見出し］青空文庫注記［＃中見出し終わり］");
    EXPECT_EQ(lines[plain.size() + 4], "［＃地付き］夏目漱石");
    EXPECT_EQ(lines.back(), "ルビは｜《と書くと《そのまま》です。");
}

TEST(PreviewSample, RuleLinesAndEveryKeywordKind) {
    TEngineFixture f;
    f.Form->SetText("edtHolMark1", "-");
    f.Form->SetText("edtHolMarkCnt1", "3");
    f.Form->SetText("edtHolMark3", Sjis("＝"));
    const std::vector<std::string> lines = SampleLines(f);
    const std::vector<std::string> tail(lines.end() - 4, lines.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"水平線1↓", "----", "水平線3↓", "＝"}));

    TStrong rule;
    rule.Keywords = Sjis("「*」,x");
    rule.Separator = ",";
    rule.KeywordKind = TKeywordKind::Enclosed;
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 4)), "「囲まれる強調4」");
    rule.Keywords = Sjis("”");
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 4)), "”囲まれる強調4”");
    rule.KeywordKind = TKeywordKind::LineContains;
    rule.Keywords = "ab";
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 2)), "強調2「ab」");
    rule.KeywordKind = TKeywordKind::CharactersOnly;
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 3)), "強調3 ab ");
    rule.IgnoreLeadingBlanks = true;
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 3)), "    強調3「ab」");
    rule.KeywordKind = TKeywordKind::RegularExpression;
    EXPECT_EQ(SampleEmphasisLine(rule, 5), "    ");
    rule.KeywordKind = TKeywordKind::LineStartsWith;
    rule.Separator = Sjis("、");
    rule.Keywords = Sjis("前、後");
    EXPECT_EQ(SjisToUtf8(SampleEmphasisLine(rule, 1)), "    前強調1");
}

TEST(PreviewSample, EveryPairInBothOrdersAndAnEmptySampleForARegularExpression) {
    TEngineFixture f;
    // Rule 2 off, rule 3 a regular expression, rule 5 enclosed without ignoring leading blanks.
    f.Form->SetText("edtKeyword2", "");
    f.Form->SetText("edtKeyword3", "m/x+/");
    f.Form->SetItemIndex("cmbKeyKbn3", 4);
    f.Form->SetText("edtKeyword5", Sjis("《*》"));
    f.Form->SetItemIndex("cmbKeyKbn5", 3);
    f.Form->SetChecked("chkSpaceDisenable5", false);
    const std::vector<std::string> lines = SampleLines(f);
    const std::vector<std::string> expected = {
        "ここから下は１行に一つの強調表示が含まれるときのサンプルです。",
        "    ○強調1が存在する行",
        "あいうえお かきくけこ さしすせそ",
        "    が存在する行",
        "あいうえお かきくけこ さしすせそ",
        "《囲まれる強調5》が存在する行",
        "あいうえお かきくけこ さしすせそ",
        "",
        "ここから下は１行に２つの強調表示が含まれるときのサンプルです。",
        "    ○強調1     がともに存在する行",
        "    ○強調1 《囲まれる強調5》がともに存在する行",
        "         ○強調1がともに存在する行",
        "     《囲まれる強調5》がともに存在する行",
        "《囲まれる強調5》     ○強調1がともに存在する行",
        "《囲まれる強調5》     がともに存在する行",
        "",
        "１行に３つ以上の強調表示が含まれるときは勘弁してください（＾＾；",
        "",
    };
    ASSERT_GE(lines.size(), 6 + expected.size());
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 6, lines.end()), expected);
}
