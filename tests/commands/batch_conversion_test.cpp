#include <gtest/gtest.h>

#include <filesystem>

#include "commands/main_commands.h"
#include "engine/text/encoding.h"
#include "tests/commands/command_window.h"
#include "tests/support/environment.h"

namespace {

const std::string kQuestion =
    "設定した拡張子でファイルを出力します。\r\n同じファイル名があった場合強制的に上書きされます。"
    "\r\n処理を始めてもいいですか？";

class THeadlessBatchTest : public ::testing::Test {
  protected:
    THeadlessBatchTest() {
        WriteSjisLines(a_, {"いち"});
        WriteSjisLines(b_, {"に"});
    }

    TCommandWindow w_;
    const std::string a_ = w_.Folder.File("a.txt");
    const std::string b_ = w_.Folder.File("b.txt");
};

TEST_F(THeadlessBatchTest, DecliningTheQuestionEndsTheProgramWithNothingConverted) {
    w_.Env.Arguments = {a_, b_};
    w_.Platform.Answers = {mbNo};
    EXPECT_TRUE(BatchConversion(w_.Env));
    ASSERT_EQ(w_.Platform.Messages.size(), 2u);
    EXPECT_EQ(w_.Platform.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(w_.Platform.Messages[0].Buttons, unsigned{mbYes | mbNo});
    EXPECT_EQ(w_.MessageTexts()[0], kQuestion);
    EXPECT_EQ(w_.Platform.Messages[1].Kind, TMessageKind::Information);
    EXPECT_EQ(w_.Platform.Messages[1].Buttons, unsigned{mbYes});
    EXPECT_EQ(w_.MessageTexts()[1], "終了しました。");
    EXPECT_EQ(w_.EndRequests, 1);
    EXPECT_FALSE(FileExists(w_.Folder.File("a.htm")));
    EXPECT_FALSE(FileExists(w_.Folder.File("b.htm")));
    EXPECT_TRUE(w_.Platform.BusyCursor.empty());
    EXPECT_TRUE(w_.Platform.Opened.empty());
}

TEST_F(THeadlessBatchTest, AgreeingConvertsAndCountsEveryFileThatConverted) {
    w_.Env.Arguments = {a_, w_.Folder.File("missing.txt"), b_};
    EXPECT_TRUE(BatchConversion(w_.Env));
    EXPECT_NE(ReadFileBytes(w_.Folder.File("a.htm")).find(Sjis("いち")), std::string::npos);
    EXPECT_NE(ReadFileBytes(w_.Folder.File("b.htm")).find(Sjis("に")), std::string::npos);
    EXPECT_EQ(w_.Platform.Opened,
              (std::vector<std::string>{w_.Folder.File("a.htm"), w_.Folder.File("b.htm")}));
    EXPECT_EQ(w_.Platform.BusyCursor, (std::vector<bool>{true, false}));
    // The question, the missing file's own error, the summary with the count 2.
    ASSERT_EQ(w_.Platform.Messages.size(), 3u);
    EXPECT_EQ(w_.MessageTexts()[0], kQuestion);
    EXPECT_EQ(w_.Platform.Messages[1].Kind, TMessageKind::Error);
    EXPECT_EQ(w_.Platform.Messages[2].Kind, TMessageKind::Information);
    EXPECT_EQ(w_.Platform.Messages[2].Buttons, unsigned{mbOK});
    EXPECT_EQ(w_.MessageTexts()[2],
              "全ファイル変換終了♪\r\n2個のファイルをＨＴＭＬに変換しました。\r\n終了します。");
    EXPECT_EQ(w_.EndRequests, 1);
}

TEST_F(THeadlessBatchTest, PagesOfFilesNamedRelativeToTheCurrentFolderOpenByAbsolutePaths) {
    // A browser runs in a folder of its own: a relative path would name nothing there.
    const TCurrentFolder current(w_.Folder.Path());
    w_.Options.CnvDialogUnvisible = true;
    w_.Env.Arguments = {"a.txt", "./b.txt"};
    EXPECT_TRUE(BatchConversion(w_.Env));
    EXPECT_EQ(w_.Platform.Opened,
              (std::vector<std::string>{w_.Folder.File("a.htm"), w_.Folder.File("b.htm")}));

    // The same through the browser of the options.
    w_.Platform.Opened.clear();
    w_.Options.BrowserPath = "/b/b";
    w_.Form->SetChecked("chkbxPreview", true);
    w_.Env.Arguments = {"a.txt"};
    EXPECT_TRUE(BatchConversion(w_.Env));
    EXPECT_TRUE(w_.Platform.Opened.empty());
    EXPECT_EQ(w_.Platform.CommandLines,
              std::vector<std::string>{"\"/b/b\" \"" + w_.Folder.File("a.htm") + "\""});

    // A text that cannot be read is named by its absolute path too.
    w_.Options.CnvDialogUnvisible = false;
    w_.Platform.Messages.clear();
    w_.Env.Arguments = {"missing.txt"};
    EXPECT_TRUE(BatchConversion(w_.Env));
    ASSERT_EQ(w_.Platform.Messages.size(), 3u);
    EXPECT_EQ(w_.MessageTexts()[1], "以下のファイルのオープンに失敗しました。\r\n\t" +
                                        w_.Folder.File("missing.txt") +
                                        "\r\n現存するファイルか確認してください。\r\n"
                                        "理由: ファイルが存在しません。");
}

TEST_F(THeadlessBatchTest, TheStartUpRunsTheBatchSilentlyWhenTheOptionsSaySo) {
    w_.WriteOptionsFile({"[Start]", "CnvDialogUnvisible=1", "[Browser]", "BrowserPath=/b/b",
                         "[FileHistory]", "History1=/x/old.prkn"});
    w_.Form->SetChecked("chkbxPreview", true);
    w_.Env.Arguments = {a_, b_};
    w_.OptionsPath.clear();
    StartUpSequence(w_.Env);
    EXPECT_EQ(w_.OptionsPath, w_.Folder.File("porukano.ini"));
    EXPECT_TRUE(w_.Platform.Messages.empty());
    EXPECT_EQ(w_.Platform.BusyCursor, (std::vector<bool>{true, false}));
    EXPECT_TRUE(FileExists(w_.Folder.File("a.htm")));
    EXPECT_TRUE(FileExists(w_.Folder.File("b.htm")));
    // porukano.ini's BrowserView (absent) unticked the box, so the pages open as files.
    EXPECT_FALSE(w_.Form->Checked("chkbxPreview"));
    EXPECT_EQ(w_.Platform.Opened.size(), 2u);
    EXPECT_EQ(w_.EndRequests, 1);
    // The program ends: the history is not put into the menu.
    EXPECT_FALSE(w_.Form->Visible("mitmPrknHis1"));
}

TEST_F(THeadlessBatchTest, WithoutTextFilesTheStartUpLeavesTheWindowOpen) {
    const std::string settings = w_.Folder.File("a.prkn");
    WriteSjisLines(settings, {"[main]", "SoftVer=0.731", "title=from a"});
    w_.WriteOptionsFile({"[main]", "BrowserView=1", "[FileHistory]", "History1=/x/old.prkn"});
    w_.Env.Arguments = {settings};
    StartUpSequence(w_.Env);
    EXPECT_EQ(w_.Form->Text("edtPageTitle"), "from a");
    // porukano.ini ticked the box; the settings file, loaded after it, holds no BrowserView.
    EXPECT_FALSE(w_.Form->Checked("chkbxPreview"));
    EXPECT_EQ(w_.Form->Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732 - a.prkn"));
    EXPECT_TRUE(w_.Platform.Messages.empty());
    EXPECT_TRUE(w_.Platform.BusyCursor.empty());
    EXPECT_EQ(w_.EndRequests, 0);
    // Loading a settings file from the command line leaves CurrentSettingsFile alone.
    EXPECT_EQ(w_.State.CurrentSettingsFile, "");
    EXPECT_TRUE(w_.Form->Visible("mitmPrknHis1"));
    EXPECT_EQ(w_.Form->Text("mitmPrknHis1"), "/x/old.prkn");
}

TEST_F(THeadlessBatchTest, ASeparateStyleSheetGoesBesideThePageThatLinksIt) {
    // No input file is shown during the batch: the sheet follows the page, not the folder of
    // the program's files (here the tests' folder, one above the story).
    std::filesystem::create_directory(w_.Folder.File("story"));
    const std::string story = w_.Folder.File("story/c.txt");
    WriteSjisLines(story, {"さん"});
    w_.Form->SetChecked("chkOutputCSSDef", true);
    w_.Env.Arguments = {story};
    EXPECT_TRUE(BatchConversion(w_.Env));
    EXPECT_NE(ReadFileBytes(w_.Folder.File("story/c.htm")).find("href=\"./default.css\""),
              std::string::npos);
    EXPECT_TRUE(ReadFileBytes(w_.Folder.File("story/default.css")).starts_with("body\t\t{"));
    EXPECT_FALSE(FileExists(w_.Folder.File("default.css")));
}

}  // namespace
