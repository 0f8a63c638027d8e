// The text box windows: converting typed text into the output window, which is replaced on every
// conversion, copied whole to the clipboard and left open when the input window closes.
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "tests/ui/program_fixture.h"
#include "ui/untFrmOutputText.h"
#include "ui/untFrmText.h"

namespace {

class TTextBoxTest : public TProgramTest {
  protected:
    void SetUp() override {
        Start();
        // Shown without its modal loop, so the test can type into it.
        program_->TextBox().show();
    }
    void Convert() {
        QTest::mouseClick(program_->TextBox().findChild<QPushButton*>("cmdHtmlConvText"),
                          Qt::LeftButton);
    }
    QPlainTextEdit* Input() { return program_->TextBox().Memo(); }
    QString Output() { return program_->OutputText().Memo()->toPlainText(); }
};

TEST_F(TTextBoxTest, ConvertingTwiceReplacesTheOutput) {
    EXPECT_EQ(program_->TextBox().windowTitle(),
              "ポルカノＨＴＭＬ変換 ver0.732 - テキストボックス");
    QTest::keyClicks(Input(), "first < line");
    Convert();
    ASSERT_TRUE(program_->OutputText().isVisible());
    EXPECT_EQ(program_->OutputText().windowTitle(),
              "ポルカノＨＴＭＬ変換 ver0.732 - テキストボックス出力");
    EXPECT_TRUE(Output().contains("first&nbsp;&lt;&nbsp;line"));
    EXPECT_TRUE(Output().startsWith("<!-- ここから下はＨｅａｄ部に追加してください-->"));
    // The head block is a style element, so pasted into a head as told it styles the page.
    const QString headBlock = Output().section("ここまで", 0, 0);
    EXPECT_TRUE(headBlock.contains("-->\n<style type=\"text/css\">\nbody\t\t{"))
        << headBlock.toStdString();
    EXPECT_TRUE(headBlock.contains("}\n</style>\n<!--")) << headBlock.toStdString();

    Input()->setPlainText("二回目の行");
    Convert();
    EXPECT_FALSE(Output().contains("first&nbsp;&lt;&nbsp;line"));
    EXPECT_TRUE(Output().contains("二回目の行"));
    EXPECT_EQ(Output().count("ここから下はＨｅａｄ部"), 1);
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TTextBoxTest, AnyCharacterIsTakenAndComesOutAsItself) {
    // Characters Shift_JIS lacks, and 〜 U+301C, whose Shift_JIS form reads back as ～ U+FF5E.
    const QString text = QString::fromUtf8("猫😀𠮷♡〜～①ｱ");
    Input()->insertPlainText(text);  // as a paste puts it there
    EXPECT_EQ(Input()->toPlainText(), text);
    Convert();
    EXPECT_TRUE(Output().contains("<p>" + text + "<br>")) << Output().toStdString();
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(TTextBoxTest, EveryOpeningStartsEmptyAndClosingLeavesTheOutputOpen) {
    QTest::keyClicks(Input(), "typed");
    Convert();
    QTest::mouseClick(program_->TextBox().findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(program_->TextBox().isVisible());
    EXPECT_TRUE(program_->OutputText().isVisible());
    program_->TextBox().show();
    EXPECT_TRUE(Input()->toPlainText().isEmpty());

    // An empty text box still shows what the conversion gives for no lines.
    program_->OutputText().hide();
    Convert();
    EXPECT_TRUE(program_->OutputText().isVisible());
    EXPECT_TRUE(Output().contains("ここから下はＢｏｄｙ部"));
}

TEST_F(TTextBoxTest, CopyAllPutsTheWholeOutputOnTheClipboard) {
    QString many;
    for (int i = 0; i < 200; ++i)
        many += QString("line %1\n").arg(i);
    Input()->setPlainText(many);
    Convert();
    QTest::mouseClick(program_->OutputText().findChild<QPushButton*>("cmdAllCopy"), Qt::LeftButton);
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied, Output());
    EXPECT_TRUE(copied.contains("line&nbsp;199"));
    EXPECT_EQ(program_->OutputText().Memo()->textCursor().selectedText().size(), Output().size());
}

}  // namespace
