#include <gtest/gtest.h>

#include <filesystem>

#include "commands/folder_conversion.h"
#include "engine/text/encoding.h"
#include "tests/commands/command_window.h"

namespace fs = std::filesystem;

namespace {

class TFolderConversionTest : public ::testing::Test {
  protected:
    TFolderConversionTest() {
        fs::create_directories(root_ + "/sub");
        WriteSjisLines(root_ + "/a.txt", {"いち"});
        WriteSjisLines(root_ + "/sub/b.txt", {"に"});
        WriteSjisLines(root_ + "/sub/c.md", {"さん"});
    }

    std::string Summary(int converted, int failed, int cancelled) const {
        return "フォルダの変換を終えました。\r\n変換したファイル: " + std::to_string(converted) +
               " 個\r\n変換できなかったファイル: " + std::to_string(failed) +
               " 個\r\nキャンセルしたファイル: " + std::to_string(cancelled) + " 個";
    }

    TCommandWindow w_;
    const std::string root_ = w_.Folder.File("texts");
};

TEST_F(TFolderConversionTest, ConvertsEveryTextOfTheTreeBesideItselfAfterTheQuestion) {
    w_.Input = w_.Folder.File("elsewhere/input.txt");
    w_.Platform.FileDialogAnswers = {root_};
    int followed = 0;
    w_.Env.FollowBatch = [&](TBatchRun& run, const auto& done) {
        ++followed;
        while (run.Deliver(done, std::chrono::milliseconds(20))) {
        }
    };
    ConvertFolderCommand(w_.Env);
    EXPECT_EQ(w_.Platform.FolderDialogs, std::vector<std::string>{w_.Folder.File("elsewhere/")});
    ASSERT_EQ(w_.MessageTexts().size(), 2u);
    EXPECT_TRUE(w_.MessageTexts()[0].starts_with("2個のテキストを変換します。\r\n"));
    EXPECT_EQ(w_.Platform.Messages[0].Buttons, unsigned{mbYes | mbNo});
    EXPECT_EQ(w_.MessageTexts()[1], Summary(2, 0, 0));
    EXPECT_EQ(w_.Platform.Messages[1].Kind, TMessageKind::Information);
    EXPECT_EQ(followed, 1);
    EXPECT_NE(ReadFileBytes(root_ + "/a.htm").find(Sjis("いち")), std::string::npos);
    EXPECT_NE(ReadFileBytes(root_ + "/sub/b.htm").find(Sjis("に")), std::string::npos);
    EXPECT_FALSE(FileExists(root_ + "/sub/c.htm"));
}

TEST_F(TFolderConversionTest, FailuresAreListedAndDecliningOrCancellingConvertsNothing) {
    // The dialog cancelled: nothing asked, nothing converted.
    ConvertFolderCommand(w_.Env);
    EXPECT_TRUE(w_.Platform.Messages.empty());
    EXPECT_EQ(w_.Platform.FolderDialogs, std::vector<std::string>{""});

    // The question declined.
    w_.Platform.FileDialogAnswers = {root_};
    w_.Platform.Answers = {mbNo};
    ConvertFolderCommand(w_.Env);
    EXPECT_EQ(w_.Platform.Messages.size(), 1u);
    EXPECT_FALSE(FileExists(root_ + "/a.htm"));

    // A page that cannot be written: the summary warns and names the file with its message.
    fs::create_directories(root_ + "/sub/b.htm");
    w_.Platform.Messages.clear();
    w_.Platform.FileDialogAnswers = {root_};
    w_.Options.CnvDialogUnvisible = true;
    ConvertFolderCommand(w_.Env);
    ASSERT_EQ(w_.MessageTexts().size(), 1u);
    EXPECT_EQ(w_.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(w_.MessageTexts()[0],
              Summary(1, 1, 0) + "\r\n\r\n変換できなかったファイル:\r\n" + root_ +
                  "/sub/b.txt\r\n以下のファイルのオープンに失敗しました。\r\n\t" + root_ +
                  "/sub/b.htm\r\n現存するファイルか確認してください。\r\n理由: "
                  "同じ名前のフォルダーがあります。");
    EXPECT_TRUE(FileExists(root_ + "/a.htm"));

    // A folder without texts says so.
    w_.Platform.Messages.clear();
    w_.Platform.FileDialogAnswers = {w_.Folder.File("texts/sub/b.htm")};
    ConvertFolderCommand(w_.Env);
    ASSERT_EQ(w_.MessageTexts().size(), 1u);
    EXPECT_TRUE(w_.MessageTexts()[0].starts_with("以下のフォルダには変換するテキスト"));
}

}  // namespace
