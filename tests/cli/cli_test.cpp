#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>

#include "cli/cli.h"
#include "engine/text/encoding.h"
#include "tests/support/environment.h"
#include "tests/support/temp_dir.h"

namespace {

struct TCliResult {
    int Code;
    std::string Out;
    std::string Err;
};

TCliResult RunWith(std::vector<std::string> args, const std::string& stdinBytes = "") {
    // The runs read no porukano.ini of the user who runs the tests.
    static const TTempDir home;
    const TEnvironmentVariable options("PORUKANO_HOME", home.Path());
    std::istringstream in(stdinBytes);
    std::ostringstream out, err;
    const int code = RunCli(args, in, out, err, false);
    return {code, out.str(), err.str()};
}

}  // namespace

TEST(Cli, ConvertsEachFileBesideItselfAndReportsFailuresByExitStatus) {
    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    WriteFileBytes(dir.File("b.text.txt"), "b\r\n");
    WriteFileBytes(dir.File("a.htm"), "old page");
    TCliResult r = RunWith({dir.File("a.txt"), dir.File("b.text.txt")});
    EXPECT_EQ(r.Code, 0) << r.Err;
    EXPECT_EQ(r.Err, "");
    EXPECT_NE(ReadFileBytes(dir.File("a.htm")).find("<p>a<br>\r\n</p>\r\n</body>"),
              std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("b.text.htm")));

    // A missing file fails with the error and its reason in UTF-8; the others are still
    // converted.
    std::remove(dir.File("a.htm").c_str());
    r = RunWith({dir.File("missing.txt"), dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              "porukano-cli: エラー: 以下のファイルのオープンに失敗しました。\n\t" +
                  dir.File("missing.txt") +
                  "\n現存するファイルか確認してください。\n理由: ファイルが存在しません。\n");
    EXPECT_TRUE(FileExists(dir.File("a.htm")));
}

TEST(Cli, FullDiskAndMissingFolderFail) {
    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    TCliResult r = RunWith({"-o", "/dev/full", dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              "porukano-cli: エラー: 変換したファイルの書き込みに失敗しました。終了します\n"
              "理由: ディスクの空き容量が足りません。\n");
    // The same through standard output and through the text box's output file.
    r = RunWith({"--text-box", "-o", "/dev/full", dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              "porukano-cli: エラー: 変換したファイルの書き込みに失敗しました。終了します\n"
              "理由: ディスクの空き容量が足りません。\n");
    // The page that cannot be created is the file named, written beside its text or not.
    const auto openFailure = [](const std::string& path, const std::string& reason) {
        return "porukano-cli: エラー: 以下のファイルのオープンに失敗しました。\n\t" + path +
               "\n現存するファイルか確認してください。\n理由: " + reason + "\n";
    };
    r = RunWith({"-o", dir.File("no/such/page.htm"), dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              openFailure(dir.File("no/such/page.htm"), "書き込み先のフォルダーが存在しません。"));
    // A file where the page's folder should be: what root meets as well as anyone.
    r = RunWith({"-o", dir.File("a.txt/page.htm"), dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err,
              openFailure(dir.File("a.txt/page.htm"), "書き込み先のフォルダーが存在しません。"));
    std::filesystem::create_directory(dir.File("a.htm"));
    r = RunWith({dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err, openFailure(dir.File("a.htm"), "同じ名前のフォルダーがあります。"));
    // A folder as the text.
    r = RunWith({dir.File("a.htm")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_EQ(r.Err, openFailure(dir.File("a.htm"), "ファイルではなくフォルダーです。"));
}

// Permissions refuse nothing to root, who runs the tests in some builds.
TEST(Cli, RefusedPermissionsSayWhy) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may read and write whatever the permissions say";
    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    std::filesystem::permissions(dir.File("a.txt"), std::filesystem::perms::owner_write);
    TCliResult r = RunWith({"-o", dir.File("a.htm"), dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_TRUE(r.Err.ends_with("\n理由: ファイルを読み込む権限がありません。\n")) << r.Err;
    std::filesystem::permissions(dir.File("a.txt"), std::filesystem::perms::owner_all);
    std::filesystem::create_directory(dir.File("locked"));
    std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
    r = RunWith({"-o", dir.File("locked/a.htm"), dir.File("a.txt")});
    EXPECT_EQ(r.Code, 1);
    EXPECT_TRUE(r.Err.ends_with("\n理由: 書き込み先のフォルダーに書き込む権限がありません。\n"))
        << r.Err;
    std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::owner_all);
}

TEST(Cli, StandardInputAndOutputCarryShiftJisBytesUnchanged) {
    const std::string text = Sjis("本文 & <b>\r\n");
    TCliResult r = RunWith({"-", "-q"}, text);
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.Out.starts_with("<!DOCTYPE HTML PUBLIC"));
    EXPECT_NE(r.Out.find(Sjis("<p>本文&nbsp;&amp;&nbsp;&lt;b&gt;<br>\r\n")), std::string::npos);
    EXPECT_TRUE(r.Out.ends_with("</body>\r\n</html>\r\n"));

    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), text);
    TCliResult toStdout = RunWith({"-o", "-", dir.File("a.txt")});
    EXPECT_EQ(toStdout.Out, r.Out);
}

TEST(Cli, TextBoxPrintsTheConvertedLinesWithCrLf) {
    TCliResult r = RunWith({"--text-box", "-"}, "x\r\n\r\ny");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(
        r.Out.starts_with(Sjis("<!-- ここから下はＨｅａｄ部に追加してください-->\r\n"
                               "<style type=\"text/css\">\r\nbody\t\t{")));
    EXPECT_TRUE(r.Out.ends_with(Sjis("貼り付けてください --->\r\n") +
                                "<p>x<br>\r\n</p>\r\n<p>y<br>\r\n</p>\r\n"));
}

TEST(Cli, TextBoxReadsAnyEncodingAndPrintsThePagesEncoding) {
    // UTF-8 text gives UTF-8 lines, characters without a Shift_JIS form included.
    const std::string text = "猫😀〜";
    TCliResult r = RunWith({"--text-box", "-"}, text + "\r\n");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.Out.starts_with("<!-- ここから下はＨｅａｄ部に追加してください-->\r\n"));
    EXPECT_TRUE(r.Out.ends_with("<p>" + text + "<br>\r\n</p>\r\n")) << r.Out;
    // Into Shift_JIS, what it lacks becomes character references.
    r = RunWith({"--text-box", "--output-encoding", "sjis", "-"}, text + "\r\n");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.Out.ends_with(Sjis("<p>猫") + "&#x1F600;&#x301C;<br>\r\n</p>\r\n")) << r.Out;
    // Bytes the named encoding cannot read become 〓, with the warning a conversion gives.
    r = RunWith({"--text-box", "--input-encoding", "utf-8", "-"}, "a\r\nb\xFF\r\n");
    ASSERT_EQ(r.Code, 0) << r.Err;
    EXPECT_TRUE(r.Out.ends_with("<p>a<br>\r\nb〓<br>\r\n</p>\r\n")) << r.Out;
    EXPECT_NE(
        r.Err.find("文字コード（UTF-8）として読めないバイトが 1 個あり、〓 に置き換えました。"),
        std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find("最初は 2 行目です。"), std::string::npos) << r.Err;
}

TEST(Cli, UsageErrorsHelpAndVersion) {
    EXPECT_EQ(RunWith({}).Code, 2);
    EXPECT_EQ(RunWith({"--bogus", "a.txt"}).Code, 2);
    EXPECT_EQ(RunWith({"-o"}).Code, 2);
    EXPECT_EQ(RunWith({"-o", "x.htm", "a.txt", "b.txt"}).Code, 2);
    EXPECT_EQ(RunWith({"--watch"}).Code, 2);
    EXPECT_EQ(RunWith({"--watch", "-"}).Code, 2);
    const TEnvironmentVariable all("LC_ALL", "C");
    const TCliResult help = RunWith({"--help"});
    EXPECT_EQ(help.Code, 0);
    EXPECT_NE(help.Out.find("Usage: porukano-cli"), std::string::npos);
    EXPECT_NE(help.Out.find("\n  main.DocType                  0 HTML 4.01 Transitional, 1 HTML5"),
              std::string::npos);
    EXPECT_EQ(RunWith({"--version"}).Out, "ポルカノＨＴＭＬ変換 ver0.732\n");
}

namespace {

// The options of a help: the words beginning with "-" on its option lines ("  -s, --settings").
std::vector<std::string> HelpOptions(const std::string& help) {
    std::vector<std::string> options;
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("  -"))
            continue;
        std::istringstream words(line);
        for (std::string word; words >> word && word.starts_with("-");) {
            if (word.ends_with(","))
                word.pop_back();
            options.push_back(word);
        }
    }
    return options;
}

std::string HelpUnder(const char* lcAll, const char* lcMessages, const char* lang) {
    const auto value = [](const char* v) {
        return v ? std::optional<std::string>(v) : std::nullopt;
    };
    const TEnvironmentVariable all("LC_ALL", value(lcAll));
    const TEnvironmentVariable messages("LC_MESSAGES", value(lcMessages));
    const TEnvironmentVariable language("LANG", value(lang));
    return RunWith({"--help"}).Out;
}

}  // namespace

TEST(Cli, HelpIsJapaneseUnderAJapaneseLocaleWithTheSameOptions) {
    const std::string japanese = HelpUnder(nullptr, nullptr, "ja_JP.UTF-8");
    const std::string english = HelpUnder(nullptr, nullptr, "C");
    EXPECT_TRUE(japanese.starts_with("使い方: porukano-cli [オプション] ファイル...\n"));
    EXPECT_TRUE(english.starts_with("Usage: porukano-cli [OPTIONS] FILE...\n"));
    EXPECT_NE(japanese.find("\n  -w, --watch    各ファイルを変換し"), std::string::npos);
    EXPECT_NE(english.find("\n  -w, --watch    convert each FILE"), std::string::npos);
    const std::vector<std::string> options = HelpOptions(english);
    EXPECT_GE(options.size(), 14u);
    EXPECT_EQ(HelpOptions(japanese), options);
    // Both end with the same key list.
    const std::string keys = english.substr(english.find("\n  main."));
    EXPECT_TRUE(japanese.ends_with(keys));

    // LC_ALL wins over LC_MESSAGES, which wins over LANG; an empty one counts as unset.
    EXPECT_EQ(HelpUnder("C", "ja_JP.UTF-8", "ja_JP.UTF-8"), english);
    EXPECT_EQ(HelpUnder("ja_JP.eucJP", nullptr, "C"), japanese);
    EXPECT_EQ(HelpUnder("", "ja_JP.UTF-8", "C"), japanese);
    EXPECT_EQ(HelpUnder(nullptr, "C.UTF-8", "ja_JP.UTF-8"), english);
    EXPECT_EQ(HelpUnder(nullptr, nullptr, nullptr), english);
}
