#include <gtest/gtest.h>

#include "commands/convert_command.h"
#include "engine/text/encoding.h"
#include "tests/commands/command_window.h"

namespace {

const std::string kNoOutput = "出力ファイルが指定されていません！";

std::string Done(const std::string& page) {
    return "変換したファイルを\r\n" + page + "\r\nに出力しました。";
}

class THeadlessConvertTest : public ::testing::Test {
  protected:
    THeadlessConvertTest() {
        w_.Input = text_;
        WriteSjisLines(text_, {"あいう"});
    }

    // Puts the old page back in place.
    void OldPage() { WriteFileBytes(page_, "old"); }
    bool PageIsNew() const {
        return ReadFileBytes(page_).find(Sjis("あいう")) != std::string::npos;
    }

    TCommandWindow w_;
    const std::string text_ = w_.Folder.File("a.txt");
    const std::string page_ = w_.Folder.File("a.htm");
};

TEST_F(THeadlessConvertTest, WithoutAnInputFileNothingHappens) {
    w_.Input.clear();
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.Messages.size(), 1u);
    EXPECT_EQ(w_.Platform.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(w_.Platform.Messages[0].Buttons, unsigned{mbOK});
    EXPECT_EQ(w_.MessageTexts()[0], "入力ファイルが指定されていません！");
    EXPECT_FALSE(FileExists(page_));
    EXPECT_TRUE(w_.Platform.FileDialogs.empty());
}

TEST_F(THeadlessConvertTest, AnExistingPageIsOverwrittenOnlyWhenTheUserAgreesOrTheOptionsSay) {
    const std::string question = page_ + "\r\nがすでに存在します。上書きしますか？";

    // "はい(&Y)": the page is overwritten.
    OldPage();
    w_.Platform.Answers = {mbYes};
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.Messages.size(), 2u);
    EXPECT_EQ(w_.Platform.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(w_.Platform.Messages[0].Buttons, unsigned{mbYes | mbNo});
    EXPECT_EQ(w_.MessageTexts()[0], question);
    EXPECT_EQ(w_.Platform.Messages[1].Kind, TMessageKind::Information);
    EXPECT_EQ(w_.MessageTexts()[1], Done(page_));
    EXPECT_TRUE(PageIsNew());
    EXPECT_TRUE(w_.Platform.FileDialogs.empty());

    // "いいえ(&N)": the save dialog names another page; the old one stays.
    OldPage();
    w_.Platform.Messages.clear();
    const std::string other = w_.Folder.File("other.htm");
    w_.Platform.Answers = {mbNo};
    w_.Platform.FileDialogAnswers = {other};
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.FileDialogs.size(), 1u);
    const TFileDialogRequest& request = w_.Platform.FileDialogs[0];
    EXPECT_EQ(request.Filter, Sjis("htmlファイル(*.htm)|*.htm"));
    EXPECT_TRUE(request.AskBeforeOverwrite);
    EXPECT_EQ(request.InitialFileName, "");
    EXPECT_EQ(request.DefaultExtension, "");
    EXPECT_EQ(ReadFileBytes(page_), "old");
    EXPECT_NE(ReadFileBytes(other).find(Sjis("あいう")), std::string::npos);
    ASSERT_EQ(w_.Platform.Messages.size(), 2u);
    EXPECT_EQ(w_.MessageTexts()[1], Done(other));

    // "いいえ(&N)" and the dialog cancelled: nothing is written.
    w_.Platform.Messages.clear();
    WriteFileBytes(other, "other");
    w_.Platform.Answers = {mbNo};
    w_.Platform.FileDialogAnswers = {std::nullopt};
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.Messages.size(), 2u);
    EXPECT_EQ(w_.Platform.Messages[1].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(w_.Platform.Messages[1].Buttons, unsigned{mbOK});
    EXPECT_EQ(w_.MessageTexts()[1], kNoOutput);
    EXPECT_EQ(ReadFileBytes(page_), "old");
    EXPECT_EQ(ReadFileBytes(other), "other");

    // OverWrite in porukano.ini, read afresh by the command: no question at all.
    w_.Platform.Messages.clear();
    w_.WriteOptionsFile({"[Save]", "OverWrite=1"});
    w_.Platform.Answers = {mbNo};  // would refuse, were it asked
    ConvertCommand(w_.Env);
    EXPECT_TRUE(w_.Options.OverWrite);
    ASSERT_EQ(w_.Platform.Messages.size(), 1u);
    EXPECT_EQ(w_.MessageTexts()[0], Done(page_));
    EXPECT_TRUE(PageIsNew());
}

TEST_F(THeadlessConvertTest, TheReportAndTheShownPageFollowTheOptions) {
    // A page that may refer to local images carries the note on image paths.
    w_.Form->SetChecked("chkBgImage", true);
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.Messages.size(), 1u);
    EXPECT_EQ(w_.MessageTexts()[0], Done(page_) +
                                        "\r\n画像のパスは設置するＷｅｂサーバーのパスに\r\n"
                                        "合うように各自で修正してください。\r\n"
                                        "注)今のままではこのＰＣ上でしか表示できません。");
    EXPECT_TRUE(w_.Platform.Opened.empty());  // "変換後ブラウザで表示" is not ticked

    // NoDialog: no report; the ticked box shows the page in the options' browser, or with the
    // associated program when there is none.
    w_.Platform.Messages.clear();
    w_.Form->SetChecked("chkbxPreview", true);
    w_.WriteOptionsFile({"[Save]", "OverWrite=1", "NoDialog=1", "[Browser]", "BrowserPath=/b/b"});
    ConvertCommand(w_.Env);
    EXPECT_TRUE(w_.Platform.Messages.empty());
    EXPECT_EQ(w_.Platform.CommandLines, std::vector<std::string>{"\"/b/b\" \"" + page_ + "\""});
    w_.WriteOptionsFile({"[Save]", "OverWrite=1", "NoDialog=1"});
    ConvertCommand(w_.Env);
    EXPECT_EQ(w_.Platform.Opened, std::vector<std::string>{page_});
    EXPECT_EQ(w_.Platform.CommandLines.size(), 1u);
}

TEST_F(THeadlessConvertTest, AFailedConversionReportsOnlyItsOwnMessage) {
    w_.Input = w_.Folder.File("missing.txt");
    w_.Form->SetChecked("chkbxPreview", true);
    ConvertCommand(w_.Env);
    ASSERT_EQ(w_.Platform.Messages.size(), 1u);
    EXPECT_EQ(w_.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_TRUE(w_.MessageTexts()[0].ends_with("\r\n理由: ファイルが存在しません。"));
    EXPECT_TRUE(w_.Platform.Opened.empty());
    EXPECT_FALSE(FileExists(w_.Folder.File("missing.htm")));
}

}  // namespace
