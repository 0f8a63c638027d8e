#include <stdlib.h>

#include <functional>
#include <memory>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "engine/base/main_window_controls.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

namespace {

// Runs porukano-cli with its program folder (porukano.ini) in dir.
struct TCliRunIn {
    explicit TCliRunIn(const TTempDir& dir) { ::setenv("PORUKANO_HOME", dir.Path().c_str(), 1); }
    ~TCliRunIn() { ::unsetenv("PORUKANO_HOME"); }

    int Run(const std::vector<std::string>& args) {
        std::istringstream in;
        std::ostringstream out, errors;
        const int code = RunCli(args, in, out, errors, false);
        Err = errors.str();
        return code;
    }
    std::string Err;
};

// What the main window writes and converts with the given controls, taken by the settings
// layer's own save and the driver, for comparison with porukano-cli's --set.
struct TWindowResult {
    std::string SavedSettings;
    std::string Page;
};

TWindowResult FreshWindowWith(const TTempDir& dir, const std::function<void(TForm&)>& change) {
    const std::unique_ptr<THeadlessForm> form = MakeHeadlessMainWindow();
    TScriptedPlatform platform;
    TProgramState state;
    state.OptionsFolder = dir.Path();
    TSettingsHistory history;
    TSettingsEnv settingsEnv{*form, platform, state, history, {}};
    TEngineEnv env{*form, platform, state};
    change(*form);
    TStrInfo settings;
    EXPECT_TRUE(GatherSettings(*form, platform, settings));
    EXPECT_TRUE(SaveSettingsFile(settingsEnv, dir.File("window.prkn"), settings));
    bool usesImages = false;
    EXPECT_TRUE(ConvertTextFile(env, dir.File("a.txt"), dir.File("window.htm"), usesImages));
    EXPECT_TRUE(platform.Messages.empty());
    return {ReadFileBytes(dir.File("window.prkn")), ReadFileBytes(dir.File("window.htm"))};
}

}  // namespace

TEST(CliSettings, SettingsFileAndSetValuesApplyBeforeConverting) {
    TTempDir dir;
    TCliRunIn cli(dir);
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    WriteFileBytes(dir.File("s.prkn"), "[main]\r\nSoftVer=0.731\r\naddtag=0\r\n");
    ASSERT_EQ(cli.Run({"--settings", dir.File("s.prkn"), dir.File("a.txt")}), 0) << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("a.htm")), "a<br>\r\n");
    // --set comes after the file; the history is not touched.
    ASSERT_EQ(cli.Run({"-s", dir.File("s.prkn"), "--set", "MAIN.AddTag=1", dir.File("a.txt")}), 0);
    EXPECT_TRUE(ReadFileBytes(dir.File("a.htm")).starts_with("<!DOCTYPE"));
    EXPECT_FALSE(FileExists(dir.File("porukano.ini")));
    EXPECT_EQ(cli.Err, "");
}

TEST(CliSettings, SetAloneChangesOneKeyOfTheFreshWindow) {
    TTempDir dir;
    TCliRunIn cli(dir);
    ASSERT_EQ(cli.Run({"--set", "main.title=題名", "--set", "HolLine1.Mark=-", "--set",
                       "strong3.keyword=&quot;x&quot;", "--save-settings", dir.File("o.prkn")}),
              0)
        << cli.Err;
    const std::string text = ReadFileBytes(dir.File("o.prkn"));
    EXPECT_NE(text.find("\r\ntitle=" + Sjis("題名") + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HolLine1]\r\nMark=-\r\n"), std::string::npos);
    EXPECT_NE(text.find("[strong3]\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nkeyword=&quot;x&quot;\r\n"), std::string::npos);
    // Everything else is the fresh window's: rule 2 keeps its green and its keyword.
    EXPECT_NE(text.find("[strong2]\r\nTag=span\r\nclass=strong2\r\nFontColorChk=1\r\n"
                        "fontcolor=008000\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("\r\nkeyword=" + Sjis("・") + "\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\naddtag=1\r\n"), std::string::npos);
}

TEST(CliSettings, TheOptionsFileChoosesTheExtension) {
    TTempDir dir;
    TCliRunIn cli(dir);
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    WriteFileBytes(dir.File("porukano.ini"), "[Save]\r\nExtension=1\r\n");
    ASSERT_EQ(cli.Run({dir.File("a.txt")}), 0) << cli.Err;
    EXPECT_TRUE(FileExists(dir.File("a.html")));
    EXPECT_FALSE(FileExists(dir.File("a.htm")));
}

TEST(CliSettings, BadSettingsStopBeforeAnyConversion) {
    TTempDir dir;
    TCliRunIn cli(dir);
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    EXPECT_EQ(cli.Run({"--set", "main.nokey=1", dir.File("a.txt")}), 2);
    EXPECT_NE(cli.Err.find("main.nokey is no settings-file key"), std::string::npos);
    EXPECT_EQ(cli.Run({"--set", "strong6.Tag=b", dir.File("a.txt")}), 2);
    EXPECT_EQ(cli.Run({"--set", "title", dir.File("a.txt")}), 2);
    EXPECT_EQ(cli.Run({"--set", "main.title=\xF0\x9F\x98\x80", dir.File("a.txt")}), 2);
    EXPECT_NE(cli.Err.find("without a Shift_JIS (CP932) form"), std::string::npos);
    EXPECT_EQ(cli.Run({"--settings"}), 2);

    EXPECT_EQ(cli.Run({"-s", dir.File("none.prkn"), dir.File("a.txt")}), 1);
    EXPECT_EQ(cli.Err, "porukano-cli: 警告: 設定ファイル：\n\t" + dir.File("none.prkn") +
                           "\nが開けません。\n");
    WriteFileBytes(dir.File("bad.prkn"), "[main]\r\nSoftVer=0.731\r\nbackcolor=GG\r\n");
    EXPECT_EQ(cli.Run({"-s", dir.File("bad.prkn"), dir.File("a.txt")}), 1);
    EXPECT_EQ(cli.Err, "porukano-cli: エラー: '$00GG' は整数ではありません\n");
    EXPECT_FALSE(FileExists(dir.File("a.htm")));
    EXPECT_EQ(cli.Run({"--save-settings", dir.File("no/such/folder.prkn")}), 1);
    EXPECT_NE(cli.Err.find("に書き込めません"), std::string::npos);
}

TEST(CliSettings, SetStartsFromTheFreshWindowsControlsAsTheWindowWouldHaveThem) {
    TTempDir dir;
    WriteFileBytes(dir.File("a.txt"), Sjis("○注意\r\n"));
    // Background and full width on, the tag box left empty as a fresh window has it: the window
    // chooses "div" for rule 1 when it converts or saves.
    const TWindowResult window = FreshWindowWith(dir, [](TForm& form) {
        form.SetChecked("chkBackColor1", true);
        form.SetChecked("chkBack100p1", true);
    });
    EXPECT_NE(window.SavedSettings.find("[strong1]\r\nTag=div\r\n"), std::string::npos);
    EXPECT_NE(window.Page.find("div.strong1"), std::string::npos);
    EXPECT_NE(window.Page.find("<div class=\"strong1\">"), std::string::npos);

    TCliRunIn cli(dir);
    ASSERT_EQ(cli.Run({"--set", "strong1.backcolorchk=1", "--set", "strong1.Back100p=1",
                       "--save-settings", dir.File("cli.prkn"), dir.File("a.txt"), "-o",
                       dir.File("cli.htm")}),
              0)
        << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("cli.prkn")), window.SavedSettings);
    EXPECT_EQ(ReadFileBytes(dir.File("cli.htm")), window.Page);

    // The same for keys that do not depend on others: only the key set differs from a fresh
    // window, and rule 2 (background off) keeps the span the window chooses.
    const TWindowResult titled =
        FreshWindowWith(dir, [](TForm& form) { form.SetText("edtPageTitle", Sjis("題名")); });
    ASSERT_EQ(cli.Run({"--set", "main.title=題名", "--save-settings", dir.File("cli.prkn"),
                       dir.File("a.txt"), "-o", dir.File("cli.htm")}),
              0)
        << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("cli.prkn")), titled.SavedSettings);
    EXPECT_EQ(ReadFileBytes(dir.File("cli.htm")), titled.Page);
    EXPECT_NE(titled.SavedSettings.find("[strong2]\r\nTag=span\r\n"), std::string::npos);
}

TEST(CliSettings, DocTypeKeyWritesTheHtml5PageTheWindowWrites) {
    TTempDir dir;
    TCliRunIn cli(dir);
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    const TWindowResult html5 =
        FreshWindowWith(dir, [](TForm& form) { form.SetItemIndex("cmbDocType", 1); });
    ASSERT_EQ(cli.Run({"--set", "main.DocType=1", "--save-settings", dir.File("cli.prkn"),
                       dir.File("a.txt"), "-o", dir.File("cli.htm")}),
              0)
        << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("cli.prkn")), html5.SavedSettings);
    EXPECT_EQ(ReadFileBytes(dir.File("cli.htm")), html5.Page);
    EXPECT_TRUE(html5.Page.starts_with("<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n"));
    EXPECT_NE(html5.SavedSettings.find("\r\nDocType=1\r\n"), std::string::npos);

    // Without the key the page is HTML 4.01, as it always was.
    ASSERT_EQ(cli.Run({dir.File("a.txt"), "-o", dir.File("plain.htm")}), 0) << cli.Err;
    EXPECT_TRUE(
        ReadFileBytes(dir.File("plain.htm"))
            .starts_with("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\""));
}

TEST(CliSettings, EncodingNamesSetTheSettingsKeysAndUnknownNamesAreBadUsage) {
    TTempDir dir;
    TCliRunIn cli(dir);
    const std::string saved = dir.File("enc.prkn");
    ASSERT_EQ(cli.Run({"--input-encoding", "EUC-JP", "--output-encoding", "Utf-8",
                       "--save-settings", saved}),
              0)
        << cli.Err;
    EXPECT_NE(ReadFileBytes(saved).find("InputEncoding=3\r\nOutputEncoding=2\r\n"),
              std::string::npos);
    // sjis and cp932 name Shift_JIS; the later of two choices counts, --set among them.
    ASSERT_EQ(cli.Run({"--input-encoding", "sjis", "--set", "main.OutputEncoding=3",
                       "--output-encoding", "cp932", "--save-settings", saved}),
              0)
        << cli.Err;
    EXPECT_NE(ReadFileBytes(saved).find("InputEncoding=1\r\nOutputEncoding=1\r\n"),
              std::string::npos);

    EXPECT_EQ(cli.Run({"--input-encoding", "latin-1", "--save-settings", saved}), 2);
    EXPECT_NE(cli.Err.find("--input-encoding needs auto, shift_jis, utf-8, euc-jp or iso-2022-jp"),
              std::string::npos)
        << cli.Err;
    // "input" names only the page's choice, "auto" only the text's.
    EXPECT_EQ(cli.Run({"--input-encoding", "input", "--save-settings", saved}), 2);
    EXPECT_EQ(cli.Run({"--output-encoding", "auto", "--save-settings", saved}), 2);
    EXPECT_EQ(cli.Run({"--output-encoding"}), 2);
}

TEST(CliSettings, TheWindowsRememberedSettingsAreNotUsedUnlessNamed) {
    TTempDir dir;
    TCliRunIn cli(dir);
    WriteFileBytes(dir.File("a.txt"), "a\r\n");
    const TWindowResult fresh = FreshWindowWith(dir, [](TForm&) {});
    // The window's last close left ruby and vertical pages on.
    const TWindowResult remembered = FreshWindowWith(dir, [](TForm& form) {
        form.SetChecked("chkRubyNotation", true);
        form.SetChecked("chkVerticalWriting", true);
    });
    WriteFileBytes(dir.File("last.prkn"), remembered.SavedSettings);
    ASSERT_EQ(cli.Run({dir.File("a.txt")}), 0) << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("a.htm")), fresh.Page);
    // Named with --settings, they are the window's.
    ASSERT_EQ(cli.Run({"--settings", dir.File("last.prkn"), dir.File("a.txt")}), 0) << cli.Err;
    EXPECT_EQ(ReadFileBytes(dir.File("a.htm")), remembered.Page);
    EXPECT_NE(remembered.Page, fresh.Page);
}
