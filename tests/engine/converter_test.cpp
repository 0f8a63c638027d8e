#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "engine/page/converter.h"
#include "engine/page/stylesheet.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "tests/engine/engine_fixture.h"
#include "tests/support/example_file.h"

namespace {

struct TConversion : TEngineFixture {
    // Converts bytes as the input file; the page's bytes, or std::nullopt on failure.
    std::optional<std::string> Convert(std::string_view input) {
        WriteFileBytes(Dir.File("in.txt"), input);
        bool images = false;
        if (!ConvertTextFile(Env, Dir.File("in.txt"), Dir.File("out.htm"), images)) {
            return std::nullopt;
        }
        UsesImages = images;
        return ReadFileBytes(Dir.File("out.htm"));
    }
    std::string Head() { return BuildDocumentHead(Gather(), Env); }
    bool UsesImages = false;
};

const std::string kWriteFailure = Sjis("変換したファイルの書き込みに失敗しました。終了します");

}  // namespace

TEST(ConvertTextFile, DocumentFrameInTheThreeModes) {
    TConversion c;
    EXPECT_EQ(c.Convert(""), c.Head() + "\r\n<body>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(c.Convert("abc"),
              c.Head() + "\r\n<body>\r\n<p>abc<br>\r\n</p>\r\n</body>\r\n</html>\r\n");
    c.Form->SetItemIndex("rdgrpAddTag", 2);
    EXPECT_EQ(c.Convert("abc\r\n"),
              c.Head() + "\r\n<body>\r\n<p>abc\r\n</p>\r\n</body>\r\n</html>\r\n");
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    EXPECT_EQ(c.Convert("abc"), "abc<br>\r\n");
    EXPECT_TRUE(c.Platform.Messages.empty());
}

TEST(ConvertTextFile, InputLinesEndAtLfOrCrLfAndTheFileAtSubstitute) {
    TConversion c;
    c.Form->SetItemIndex("rdgrpAddTag", 0);
    EXPECT_EQ(c.Convert("a\nb\r\nc\rd\r\n\x1A"
                        "e\r\n"),
              "a<br>\r\nb<br>\r\ncd<br>\r\n");
    EXPECT_EQ(c.Convert("x\r\n\r"), "x<br>\r\n<br>\r\n");  // a lone CR is an empty last line
    EXPECT_EQ(c.Convert("\x1A"), "");
}

TEST(ConvertTextFile, ProgressShowsEachPercentageThenHides) {
    TConversion c;
    c.Env.ProgressInterval = std::chrono::milliseconds(0);
    c.Form->SetText("memHeader", "h");
    std::vector<std::string> shown;
    c.Platform.OnRepaint = [&] {
        shown.push_back(SjisToUtf8(c.Form->Text("lblProcess")));
        EXPECT_TRUE(c.Form->Visible("pbrProcess"));
        EXPECT_EQ(c.Form->Position("pbrProcess"),
                  std::stoi(shown.back().substr(shown.back().find("：") + 3)));
    };
    ASSERT_TRUE(c.Convert("1\r\n2\r\n3\r\n"));
    EXPECT_EQ(shown, (std::vector<std::string>{"変換進捗率：25%", "変換進捗率：50%",
                                               "変換進捗率：75%", "変換進捗率：100%"}));
    EXPECT_FALSE(c.Form->Visible("lblProcess"));
    EXPECT_FALSE(c.Form->Visible("pbrProcess"));
    EXPECT_EQ(c.Form->Text("lblProcess"), "");
    EXPECT_EQ(c.Form->Position("pbrProcess"), 0);

    // The display changes only when the percentage does.
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "x\r\n";
    shown.clear();
    c.Form->SetText("memHeader", "");
    ASSERT_TRUE(c.Convert(many));
    EXPECT_EQ(shown.size(), 101u);  // 0% to 100%

    // With the program's interval, a conversion this short shows its first percentage alone.
    c.Env.ProgressInterval = TEngineEnv{*c.Form, c.Platform, c.Env.State}.ProgressInterval;
    shown.clear();
    ASSERT_TRUE(c.Convert(many));
    EXPECT_EQ(shown, std::vector<std::string>{"変換進捗率：0%"});
}

TEST(ConvertTextFile, LocalImageFlag) {
    TConversion c;
    ASSERT_TRUE(c.Convert("x"));
    EXPECT_FALSE(c.UsesImages);
    c.Form->SetItemIndex("cmbKeyWhat4", 2);  // rule 4 has no keywords, the flag is set all the same
    ASSERT_TRUE(c.Convert("x"));
    EXPECT_TRUE(c.UsesImages);
    c.Form->SetItemIndex("cmbKeyWhat4", 0);
    c.Form->SetChecked("chkBgImage", true);
    ASSERT_TRUE(c.Convert("x"));
    EXPECT_TRUE(c.UsesImages);
}

TEST(ConvertTextFile, FailuresAreErrorsThatSayWhyAndNeverSuccess) {
    TConversion c;
    bool images = false;
    const auto openFailure = [](const std::string& path, const char* reason) {
        return Sjis("以下のファイルのオープンに失敗しました。\r\n\t") + path +
               Sjis("\r\n現存するファイルか確認してください。\r\n理由: ") + Sjis(reason);
    };
    const auto lastError = [&c] {
        EXPECT_EQ(c.Platform.Messages.size(), 1u);
        EXPECT_EQ(c.Platform.Messages.back().Kind, TMessageKind::Error);
        std::string text = c.Platform.Messages.back().Text;
        c.Platform.Messages.clear();
        return text;
    };
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("none.txt"), c.Dir.File("o.htm"), images));
    EXPECT_EQ(lastError(), openFailure(c.Dir.File("none.txt"), "ファイルが存在しません。"));
    EXPECT_FALSE(FileExists(c.Dir.File("o.htm")));

    // A page that cannot be created (its folder does not exist, or a file stands where a folder
    // should) is named itself: that is the file the user has to look at.
    WriteFileBytes(c.Dir.File("in.txt"), "x");
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("no/o.htm"), images));
    EXPECT_EQ(lastError(),
              openFailure(c.Dir.File("no/o.htm"), "書き込み先のフォルダーが存在しません。"));
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("in.txt/o.htm"), images));
    EXPECT_EQ(lastError(),
              openFailure(c.Dir.File("in.txt/o.htm"), "書き込み先のフォルダーが存在しません。"));
    // A folder where the page goes.
    std::filesystem::create_directory(c.Dir.File("page.htm"));
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("page.htm"), images));
    EXPECT_EQ(lastError(), openFailure(c.Dir.File("page.htm"), "同じ名前のフォルダーがあります。"));

    // A directory as input cannot be read.
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.Path(), c.Dir.File("o.htm"), images));
    EXPECT_EQ(lastError(), openFailure(c.Dir.Path(), "ファイルではなくフォルダーです。"));

    // The input is never truncated by writing the page over it.
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("in.txt"), images));
    EXPECT_EQ(lastError(),
              openFailure(c.Dir.File("in.txt"), "書き込み先が変換するファイルそのものです。"));
    EXPECT_EQ(ReadFileBytes(c.Dir.File("in.txt")), "x");

    // A full disk: the write failure, whenever the bytes are lost.
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), "/dev/full", images));
    EXPECT_EQ(lastError(), kWriteFailure + Sjis("\r\n理由: ディスクの空き容量が足りません。"));

    // A separate stylesheet that cannot be written stops the conversion with its file error.
    c.Form->SetChecked("chkOutputCSSDef", true);
    c.Form->SetText("lblInputFilePath", Sjis(c.Dir.File("gone/in.txt")));
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("o.htm"), images));
    EXPECT_EQ(lastError(),
              c.Dir.File("gone/default.css") +
                  Sjis(" に書き込めません\r\n理由: 書き込み先のフォルダーが存在しません。"));
    EXPECT_EQ(ReadFileBytes(c.Dir.File("o.htm")), "");
}

// Permissions refuse nothing to root, who runs the tests in some builds.
TEST(ConvertTextFile, RefusedPermissionsSayWhy) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may read and write whatever the permissions say";
    TConversion c;
    bool images = false;
    WriteFileBytes(c.Dir.File("secret.txt"), "x");
    std::filesystem::permissions(c.Dir.File("secret.txt"), std::filesystem::perms::none);
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("secret.txt"), c.Dir.File("o.htm"), images));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_TRUE(
        c.Platform.Messages[0].Text.ends_with(Sjis("理由: ファイルを読み込む権限がありません。")));

    WriteFileBytes(c.Dir.File("in.txt"), "x");
    std::filesystem::create_directory(c.Dir.File("locked"));
    std::filesystem::permissions(c.Dir.File("locked"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::owner_exec);
    c.Platform.Messages.clear();
    EXPECT_FALSE(ConvertTextFile(c.Env, c.Dir.File("in.txt"), c.Dir.File("locked/o.htm"), images));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_TRUE(c.Platform.Messages[0].Text.ends_with(
        Sjis("理由: 書き込み先のフォルダーに書き込む権限がありません。")));
    std::filesystem::permissions(c.Dir.File("locked"), std::filesystem::perms::owner_all);
}

TEST(ConvertTextFile, ACountThatIsNoIntegerAbandonsTheConversion) {
    TConversion c;
    c.Form->SetText("edtHolMark1", "-");
    c.Form->SetText("edtHolMarkCnt1", "3a");
    EXPECT_FALSE(c.Convert("a"));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(ReadFileBytes(c.Dir.File("out.htm")), "");
}

TEST(ConvertTextBoxText, MarkerBlockThenBodyLines) {
    TEngineFixture f;
    std::vector<std::string> out{"stale"};
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {"abc", "", "d"}));
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0],
              Sjis("<!-- ここから下はＨｅａｄ部に追加してください-->\r\n") +
                  "<style type=\"text/css\">\r\n" + BuildStyleSheet(f.Gather()) + "</style>\r\n" +
                  Sjis("<!-------------　ここまで  -------------------->\r\n\r\n"
                       "<!-- ここから下はＢｏｄｙ部の好きなところに貼り付けてください --->"));
    EXPECT_EQ(std::vector<std::string>(out.begin() + 1, out.end()),
              (std::vector<std::string>{"<p>abc<br>", "</p>", "<p>d<br>", "</p>"}));

    // Mode 0: the lines only; header and footer come along.
    f.Form->SetItemIndex("rdgrpAddTag", 0);
    f.Form->SetText("memHeader", "h");
    f.Form->SetText("memFotter", "f1\r\nf2\r\n");
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {"x"}));
    EXPECT_EQ(out, (std::vector<std::string>{"h<br>", "x<br>", "f1<br>", "f2<br>"}));
    EXPECT_EQ(f.Platform.Repaints, 0);
}

TEST(ConvertTextFile, SettingsGatheredWithTheirDefaults) {
    TEngineFixture f;
    f.Form->SetText("edtClass3", "  mine ");
    f.Form->SetChecked("chkBackColor4", true);
    f.Form->SetChecked("chkBack100p4", true);
    f.Form->SetChecked("chkBackColor5", true);
    f.Form->SetText("edtTag2", " em ");
    f.Form->SetText("lblReplaceImagePath1", "C:\\a\\\x95\x5C\\b.png");
    f.Form->SetText("edtHolMark1", " = ");
    f.Form->SetText("edtHolMarkCnt1", "5");
    f.Form->SetText("edtHolMarkCnt2", "7");
    f.Form->SetItemIndex("rdgTabSpace", 1);
    const TStrInfo s = f.Gather();
    EXPECT_EQ(s.Strong[0].Tag, "span");
    EXPECT_EQ(s.Strong[0].Class, "strong1");
    EXPECT_EQ(s.Strong[0].Separator, ",");
    EXPECT_EQ(s.Strong[0].ImagePath, "C:/a/\x95\x5C/b.png");
    EXPECT_EQ(s.Strong[1].Tag, "em");
    EXPECT_EQ(s.Strong[2].Class, "mine");
    EXPECT_EQ(s.Strong[3].Tag, "div");
    EXPECT_EQ(s.Strong[4].Tag, "span");
    EXPECT_EQ(s.HolLine[0].Pattern, "======");
    EXPECT_EQ(s.HolLine[1].Pattern, "");
    EXPECT_EQ(s.HolLine[1].Count, "7");
    EXPECT_EQ(s.HolLine[2].Count, "0");
    EXPECT_EQ(s.HolLine[2].Height, "0");
    EXPECT_EQ(s.TabWidth, 8);
    EXPECT_EQ(s.NormalColor, "000000");
    EXPECT_EQ(s.Strong[1].FontColor, "008000");
    EXPECT_EQ(s.Strong[0].Border.Color, "F0F0F0");
    EXPECT_EQ(s.Strong[0].Keywords, Sjis("○,◎"));
}

// A number outside a list of choices (a settings file can hold one) leaves its control without a
// selection, and the setting Unselected: a rule of no kind does nothing, a line rule of no action
// wraps nothing, and no add-tag mode writes the escaped lines alone.
TEST(ConvertTextFile, NumbersOutsideTheChoicesLeaveTheSettingUnselected) {
    for (int number = -2; number <= 6; ++number) {
        const bool kind = number >= 0 && number <= 4, two = number >= 0 && number <= 2;
        EXPECT_EQ(static_cast<int>(KeywordKindOf(number)), kind ? number : -1);
        EXPECT_EQ(static_cast<int>(KeywordActionOf(number)), two ? number : -1);
        EXPECT_EQ(static_cast<int>(AddTagModeOf(number)), two ? number : -1);
    }

    TEngineFixture f;
    f.Form->SetItemIndex("cmbKeyKbn1", 7);
    f.Form->SetText("edtKeyword2", "a");
    f.Form->SetItemIndex("cmbKeyWhat2", 3);
    TStrInfo s = f.Gather();
    EXPECT_EQ(s.Strong[0].KeywordKind, TKeywordKind::Unselected);
    EXPECT_EQ(s.Strong[1].KeywordKind, TKeywordKind::LineStartsWith);
    EXPECT_EQ(s.Strong[1].KeywordAction, TKeywordAction::Unselected);
    EXPECT_EQ(s.AddTagMode, TAddTagMode::AllTags);
    std::vector<std::string> out;
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {Sjis("○a"), "ab"}));
    EXPECT_EQ(std::vector<std::string>(out.begin() + 1, out.end()),
              (std::vector<std::string>{Sjis("<p>○a<br>"), "ab<br>", "</p>"}));

    f.Form->SetItemIndex("rdgrpAddTag", -1);
    s = f.Gather();
    EXPECT_EQ(s.AddTagMode, TAddTagMode::Unselected);
    ASSERT_TRUE(ConvertTextBoxText(f.Env, out, {"a<b", ""}));
    EXPECT_EQ(out, (std::vector<std::string>{"a&lt;b", ""}));
}

TEST(ConvertTextFile, ALineBeyondThePositionRangeIsRefusedNotWrapped) {
    // 50 million tabs at width 8 would escape to 2.4 GB, past 32-bit positions.
    const std::string tabs(50'000'000, '\t');
    EXPECT_FALSE(FitsLinePositions(tabs, 8));
    EXPECT_TRUE(FitsLinePositions(std::string_view(tabs).substr(0, 40'000'000), 4));
    EXPECT_TRUE(FitsLinePositions(std::string(60'000'000, 'a'), 8));

    TConversion c;
    c.Form->SetItemIndex("rdgTabSpace", 1);
    EXPECT_FALSE(c.Convert("before\r\n" + tabs + "\r\nafter\r\n"));
    ASSERT_EQ(c.Platform.Messages.size(), 1u);
    EXPECT_EQ(c.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(c.Platform.Messages[0].Text, Sjis("長すぎて変換できない行があります。終了します"));

    std::vector<std::string> out;
    EXPECT_FALSE(ConvertTextBoxText(c.Env, out, {"x", tabs}));
    EXPECT_TRUE(out.empty());
}
