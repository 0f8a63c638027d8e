// The hex colour dialog: the edits it opens with, the completion of short pairs, the input check,
// and the colour pickers of the main window that use it.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include "tests/ui/program_fixture.h"
#include "ui/color_label.h"
#include "ui/hex_colour.h"
#include "ui/untFrmColorSelectHex.h"

namespace {

class THexColourDialogTest : public TProgramTest {
  protected:
    void SetUp() override { Start(); }
    TfrmColorSelectHex& Hex() { return program_->Hex(); }
    QLineEdit* Edit(const char* name) { return Hex().findChild<QLineEdit*>(name); }
    QPushButton* Button(const char* name) { return Hex().findChild<QPushButton*>(name); }
    TColor Swatch() { return Hex().findChild<TColorLabel*>("lblColorPreview")->OwnColor(); }
    void Retype(const char* name, const char* text) {
        QLineEdit* edit = Edit(name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
};

TEST_F(THexColourDialogTest, ShortPairsAreCompletedWithZeros) {
    Hex().SetColor(RgbToColor(0xFF, 0, 0));
    Hex().show();
    EXPECT_EQ(Edit("ledtRed")->text(), "FF");
    EXPECT_EQ(Edit("ledtGreen")->text(), "00");
    EXPECT_EQ(Edit("ledtBlue")->text(), "00");
    EXPECT_EQ(Swatch(), RgbToColor(0xFF, 0, 0));

    Retype("ledtRed", "F");
    Retype("ledtGreen", "");
    Retype("ledtBlue", "8");
    EXPECT_EQ(Swatch(), RgbToColor(0xF0, 0x00, 0x80));
    QTest::mouseClick(Button("btnOK"), Qt::LeftButton);
    EXPECT_TRUE(Hex().Accepted());
    EXPECT_FALSE(Hex().isVisible());
    EXPECT_EQ(Hex().Color(), RgbToColor(0xF0, 0x00, 0x80));
    EXPECT_TRUE(platform_.Messages.empty());
}

TEST_F(THexColourDialogTest, AWrongDigitIsReportedAndKeepsTheDialogOpen) {
    Hex().SetColor(RgbToColor(0x12, 0x34, 0x56));
    Hex().show();
    // Typed over the selected pair, so "G" is the edit's only text.
    Edit("ledtGreen")->selectAll();
    QTest::keyClicks(Edit("ledtGreen"), "G");
    ASSERT_EQ(MessageTexts(),
              std::vector<std::string>{"１６進数の正しい値が入力されていません。00～FF"});
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Information);
    EXPECT_EQ(Hex().focusWidget(), Edit("ledtGreen"));
    EXPECT_EQ(Swatch(), RgbToColor(0x12, 0x34, 0x56)) << "the swatch keeps its colour";

    // OK cannot make a colour of it: the message again, and the dialog stays.
    QTest::mouseClick(Button("btnOK"), Qt::LeftButton);
    EXPECT_EQ(platform_.Messages.size(), 2u);
    EXPECT_TRUE(Hex().isVisible());
    EXPECT_FALSE(Hex().Accepted());

    QTest::mouseClick(Button("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(Hex().isVisible());
    EXPECT_FALSE(Hex().Accepted());
    EXPECT_EQ(Hex().Color(), RgbToColor(0x12, 0x34, 0x56));
}

TEST_F(THexColourDialogTest, TheSwatchOpensThePlatformsColourDialog) {
    Hex().SetColor(0);
    Hex().show();
    platform_.ColorAnswers = {RgbToColor(0x0A, 0xB0, 0xCD)};
    QTest::mouseClick(Hex().findChild<TColorLabel*>("lblColorPreview"), Qt::LeftButton);
    EXPECT_EQ(Edit("ledtRed")->text(), "0A");
    EXPECT_EQ(Edit("ledtGreen")->text(), "B0");
    EXPECT_EQ(Edit("ledtBlue")->text(), "CD");
    EXPECT_EQ(Swatch(), RgbToColor(0x0A, 0xB0, 0xCD));
    Hex().reject();
}

TEST_F(THexColourDialogTest, EmphasisSampleTakesThePickedColourOnlyWithItsOwnColour) {
    auto* sample = Control<TColorLabel>("lblStrong1");
    // While the modal dialog runs: check its caption, type a colour and press OK.
    std::string caption;
    QTimer::singleShot(0, [&] {
        caption = Hex().windowTitle().toStdString();
        Retype("ledtRed", "12");
        Retype("ledtGreen", "34");
        Retype("ledtBlue", "56");
        QTest::mouseClick(Button("btnOK"), Qt::LeftButton);
    });
    QTest::mouseClick(sample, Qt::LeftButton);
    EXPECT_EQ(caption, "強調１の文字列の色");
    EXPECT_EQ(sample->FontColor(), RgbToColor(0x12, 0x34, 0x56));
    EXPECT_EQ(Control<TLineShape>("shpUnderLine1")->PenColor(), RgbToColor(0x12, 0x34, 0x56));

    // Without its own colour the sample shows the normal text colour and is not picked.
    Tick(Control<QCheckBox>("chkFontColor1"));
    EXPECT_EQ(sample->FontColor(), Control<TColorLabel>("lblNormalStr")->FontColor());
    bool opened = false;
    QTimer::singleShot(0, [&] {
        opened = Hex().isVisible();
        Hex().reject();
    });
    QTest::mouseClick(sample, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(opened);
}

TEST_F(THexColourDialogTest, BorderColourPickerAsksForTheBackgroundAndCancelKeepsTheColour) {
    auto* border = Control<TColorLabel>("lblBorderColor1");
    const TColor before = border->OwnColor();
    std::string caption;
    QTimer::singleShot(0, [&] {
        caption = Hex().windowTitle().toStdString();
        QTest::mouseClick(Button("btnCancel"), Qt::LeftButton);
    });
    QTest::mouseClick(border, Qt::LeftButton);
    EXPECT_EQ(caption, "枠線の背景色");
    EXPECT_EQ(border->OwnColor(), before);
}

TEST(HexPairs, ReadAndWrittenInTheOrderRedGreenBlue) {
    EXPECT_EQ(CompleteHexPair(""), "00");
    EXPECT_EQ(CompleteHexPair("f"), "f0");
    EXPECT_EQ(FirstNonHexDigit("fA"), 0);
    EXPECT_EQ(FirstNonHexDigit("G"), 1);
    EXPECT_EQ(FirstNonHexDigit("1x"), 2);
    EXPECT_EQ(ColorFromHexPairs("ff", "8", ""), RgbToColor(0xFF, 0x80, 0));
    const THexPairs pairs = HexPairsOf(RgbToColor(0x01, 0xAB, 0xF0));
    EXPECT_EQ(pairs.Red, "01");
    EXPECT_EQ(pairs.Green, "AB");
    EXPECT_EQ(pairs.Blue, "F0");
}

}  // namespace
