// The convert command on the real main window: a dropped text file becomes the input, the page
// is written beside it, the completion message carries the image note only when an image rule
// is on, and the overwrite question and the save dialog decide where (and whether) to write.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QtTest/QTest>

#include "engine/text/encoding.h"
#include "tests/ui/program_fixture.h"
#include "ui/color_label.h"

namespace {

std::string Done(const std::string& output) {
    return "変換したファイルを\r\n" + output + "\r\nに出力しました。";
}

const char* const kImageNote =
    "\r\n画像のパスは設置するＷｅｂサーバーのパスに\r\n合うように各自で修正してください。\r\n"
    "注)今のままではこのＰＣ上でしか表示できません。";

class TConvertCommandTest : public TProgramTest {
  protected:
    void SetUp() override {
        input_ = home_.File("doc.txt");
        output_ = home_.File("doc.htm");
        WriteSjisLines(input_, {"○見出し", "1 < 2 の本文"});
        Start();
    }
    void ClickConvert() { QTest::mouseClick(Control<QPushButton>("cmdHtmlConv"), Qt::LeftButton); }

    std::string input_, output_;
};

TEST_F(TConvertCommandTest, DroppedFileIsConvertedAndReportedWithTheImageNoteOnlyForImageRules) {
    // Of three dropped files only the first is taken.
    Drop(Main(), {input_, home_.File("second.txt"), home_.File("third.txt")});
    EXPECT_EQ(Main().InputPath().toStdString(), input_);
    EXPECT_EQ(Control<TColorLabel>("lblInputFilePath")->Caption().toStdString(), input_);

    ClickConvert();
    ASSERT_TRUE(FileExists(output_));
    const std::string page = ReadAsUtf8(output_);
    EXPECT_NE(page.find("<body>"), std::string::npos);
    EXPECT_NE(page.find("1&nbsp;&lt;&nbsp;2&nbsp;の本文"), std::string::npos);
    EXPECT_NE(page.find("</html>"), std::string::npos);
    ASSERT_EQ(MessageTexts(), std::vector<std::string>{Done(output_)});
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Information);
    EXPECT_EQ(platform_.Messages[0].Buttons, mbOK);
    EXPECT_TRUE(platform_.Opened.empty()) << "the browser opens only when asked for";
    // The progress was shown while the lines went by, and is put away again.
    EXPECT_GT(platform_.Repaints, 0);
    EXPECT_TRUE(Control<QWidget>("pbrProcess")->isHidden());
    EXPECT_TRUE(Control<QWidget>("lblProcess")->isHidden());

    // Rule 1 replaces its keyword by an image: the page now refers to a local file. The page
    // exists, so the overwrite question comes first; "はい(&Y)" overwrites it.
    Control<QComboBox>("cmbKeyWhat1")->setCurrentIndex(2);
    Main().Form().SetText("lblReplaceImagePath1", "mark.png");
    platform_.Messages.clear();
    platform_.Answers = {mbYes};
    ClickConvert();
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[0], output_ + "\r\nがすでに存在します。上書きしますか？");
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_EQ(platform_.Messages[0].Buttons, mbYes | mbNo);
    EXPECT_EQ(MessageTexts()[1], Done(output_) + kImageNote);
    EXPECT_NE(ReadAsUtf8(output_).find("<img"), std::string::npos);
}

TEST_F(TConvertCommandTest, AnsweringNoAndCancellingTheSaveDialogWritesNothing) {
    WriteFileBytes(output_, "old page");
    Drop(Main(), {input_});
    platform_.Answers = {mbNo};
    platform_.FileDialogAnswers = {std::nullopt};
    ClickConvert();

    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{output_ + "\r\nがすでに存在します。上書きしますか？",
                                        "出力ファイルが指定されていません！"}));
    EXPECT_EQ(platform_.Messages[1].Kind, TMessageKind::Confirmation);
    ASSERT_EQ(platform_.FileDialogs.size(), 1u);
    EXPECT_EQ(SjisToUtf8(platform_.FileDialogs[0].Filter), "htmlファイル(*.htm)|*.htm");
    EXPECT_TRUE(platform_.FileDialogs[0].AskBeforeOverwrite);
    EXPECT_TRUE(platform_.FileDialogs[0].InitialFileName.empty());
    EXPECT_EQ(ReadFileBytes(output_), "old page");
}

TEST_F(TConvertCommandTest, AnsweringNoWritesWhereTheSaveDialogSays) {
    WriteFileBytes(output_, "old page");
    Drop(Main(), {input_});
    const std::string chosen = home_.File("elsewhere.htm");
    platform_.Answers = {mbNo};
    platform_.FileDialogAnswers = {chosen};
    ClickConvert();
    EXPECT_EQ(ReadFileBytes(output_), "old page");
    EXPECT_NE(ReadAsUtf8(chosen).find("1&nbsp;&lt;&nbsp;2&nbsp;の本文"), std::string::npos);
    EXPECT_EQ(MessageTexts().back(), Done(chosen));
}

TEST_F(TConvertCommandTest, OptionsOfTheFileRuleTheCommand) {
    // Written while the program runs: the command reads the file again before converting.
    WriteFileBytes(home_.File("porukano.ini"),
                   "[Save]\r\nExtension=1\r\nOverWrite=1\r\nNoDialog=1\r\n"
                   "[Browser]\r\nBrowserPath=/opt/b/browser\r\n");
    const std::string html = home_.File("doc.html");
    WriteFileBytes(html, "old page");
    Drop(Main(), {input_});
    Control<QCheckBox>("chkbxPreview")->setChecked(true);
    ClickConvert();
    EXPECT_TRUE(platform_.Messages.empty()) << "no question, no completion message";
    EXPECT_NE(ReadAsUtf8(html).find("</html>"), std::string::npos);
    EXPECT_EQ(platform_.CommandLines,
              std::vector<std::string>{"\"/opt/b/browser\" \"" + html + "\""});
}

TEST_F(TConvertCommandTest, WithoutAnInputFileNothingHappens) {
    ClickConvert();
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"入力ファイルが指定されていません！"});
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Confirmation);
    EXPECT_FALSE(FileExists(output_));
}

TEST_F(TConvertCommandTest, ChoosingTheInputFileOpensTheDialogAtTheCurrentPath) {
    platform_.FileDialogAnswers = {input_};
    QTest::mouseClick(Control<QPushButton>("btnChangeTextPath"), Qt::LeftButton);
    EXPECT_EQ(Main().InputPath().toStdString(), input_);
    ASSERT_EQ(platform_.FileDialogs.size(), 1u);
    EXPECT_TRUE(platform_.FileDialogs[0].Filter.empty()) << "all files are listed";

    // A cancelled dialog keeps the path; the dialog starts at it.
    platform_.FileDialogAnswers = {std::nullopt};
    QTest::mouseClick(Control<QPushButton>("btnChangeTextPath"), Qt::LeftButton);
    EXPECT_EQ(Main().InputPath().toStdString(), input_);
    EXPECT_EQ(platform_.FileDialogs[1].InitialFileName, input_);
    EXPECT_EQ(platform_.FileDialogs[1].InitialFolder, home_.Path());

    // The folder of the path is gone: the I/O error, and no dialog.
    Main().SetInputPath(QString::fromStdString(home_.File("gone/x.txt")));
    QTest::mouseClick(Control<QPushButton>("btnChangeTextPath"), Qt::LeftButton);
    EXPECT_EQ(platform_.FileDialogs.size(), 2u);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"I/O エラー (2)"});
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Error);
}

}  // namespace
