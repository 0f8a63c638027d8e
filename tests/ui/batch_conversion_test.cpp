// The batch conversion of the text files on the command line (files dropped on the program's
// icon): one question, every file converted and opened, the summary, and the end of the program
// without the close steps.
#include <QLineEdit>

#include <filesystem>

#include "engine/text/encoding.h"
#include "tests/ui/program_fixture.h"

namespace {

class TBatchConversionTest : public TProgramTest {
  protected:
    void SetUp() override {
        a_ = home_.File("a.txt");
        b_ = home_.File("b.txt");
        WriteSjisLines(a_, {"いち"});
        WriteSjisLines(b_, {"に"});
    }
    std::string a_, b_;
};

const char* const kQuestion =
    "設定した拡張子でファイルを出力します。\r\n同じファイル名があった場合強制的に上書きされます。"
    "\r\n処理を始めてもいいですか？";

TEST_F(TBatchConversionTest, TwoFilesOneQuestionTwoPagesAndTheCount) {
    WriteFileBytes(home_.File("a.htm"), "old page");
    Start({a_, b_});

    ASSERT_EQ(
        MessageTexts(),
        (std::vector<std::string>{
            kQuestion,
            "全ファイル変換終了♪\r\n2個のファイルをＨＴＭＬに変換しました。\r\n終了します。"}));
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(platform_.Messages[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(platform_.Messages[1].Kind, TMessageKind::Information);
    EXPECT_NE(ReadAsUtf8(home_.File("a.htm")).find("いち"), std::string::npos)
        << "an existing page is overwritten without a question";
    EXPECT_NE(ReadAsUtf8(home_.File("b.htm")).find("に"), std::string::npos);
    EXPECT_EQ(platform_.Opened,
              (std::vector<std::string>{home_.File("a.htm"), home_.File("b.htm")}));
    EXPECT_EQ(platform_.BusyCursor, (std::vector<bool>{true, false}));
    EXPECT_EQ(endRequests_, 1);
    EXPECT_FALSE(FileExists(home_.File("porukano.ini"))) << "the close steps do not run";
}

TEST_F(TBatchConversionTest, FilesNamedRelativeToTheCurrentFolderAreOpenedByAbsolutePaths) {
    // The desktop starts the program in the files' folder with bare names; the browser that
    // opens the pages runs elsewhere. A page that cannot be created is named itself.
    std::filesystem::create_directory(home_.File("b.htm"));
    const TCurrentFolder current(home_.Path());
    Start({"a.txt", "./b.txt"});
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{home_.File("a.htm")});
    ASSERT_EQ(MessageTexts().size(), 3u);
    EXPECT_EQ(MessageTexts()[1], "以下のファイルのオープンに失敗しました。\r\n\t" +
                                     home_.File("b.htm") +
                                     "\r\n現存するファイルか確認してください。\r\n"
                                     "理由: 同じ名前のフォルダーがあります。");
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TBatchConversionTest, AnsweringNoEndsWithoutConverting) {
    platform_.Answers = {mbNo};
    Start({a_, b_});
    EXPECT_EQ(MessageTexts(), (std::vector<std::string>{kQuestion, "終了しました。"}));
    EXPECT_EQ(platform_.Messages[1].Buttons, mbYes);
    EXPECT_FALSE(FileExists(home_.File("a.htm")));
    EXPECT_FALSE(FileExists(home_.File("b.htm")));
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TBatchConversionTest, WithoutDialogsAFailedFileIsSkipped) {
    WriteFileBytes(home_.File("porukano.ini"), "[Start]\r\nCnvDialogUnvisible=1\r\n");
    Start({home_.File("missing.txt"), b_});
    // Only the conversion's own failure is shown.
    ASSERT_EQ(platform_.Messages.size(), 1u);
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{home_.File("b.htm")});
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TBatchConversionTest, ASettingsFileFirstIsLoadedAndLaterOnesAreText) {
    const std::string settings = home_.File("a.prkn");
    WriteSjisLines(settings, {"[main]", "SoftVer=0.731", "fontsize=18"});
    const std::string second = home_.File("b.prkn");
    WriteSjisLines(second, {"さん"});
    Start({settings, second});
    EXPECT_EQ(Control<QLineEdit>("edtNormalStrSize")->text(), "18");
    EXPECT_NE(ReadAsUtf8(home_.File("b.htm")).find("さん"), std::string::npos);
    // The question comes before the first text file, after the settings file.
    ASSERT_EQ(platform_.Messages.size(), 2u);
    EXPECT_EQ(MessageTexts()[0], kQuestion);
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TBatchConversionTest, ASettingsFileAloneLeavesTheWindowOpen) {
    const std::string settings = home_.File("a.prkn");
    WriteSjisLines(settings, {"[main]", "SoftVer=0.731", "fontsize=18"});
    Start({settings});
    EXPECT_TRUE(platform_.Messages.empty());
    EXPECT_EQ(Control<QLineEdit>("edtNormalStrSize")->text(), "18");
    EXPECT_EQ(endRequests_, 0);
}

}  // namespace
