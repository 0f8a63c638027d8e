// The style editors: on the real window (the count check, the dependent controls, the enclosing
// hint) and headless against TForm, where the picks are answered by a scripted view.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include <deque>
#include <map>

#include "commands/style_editors.h"
#include "engine/base/main_window_controls.h"
#include "engine/text/encoding.h"
#include "tests/ui/program_fixture.h"
#include "ui/color_label.h"

namespace {

class TStyleEditorsWindowTest : public TProgramTest {
  protected:
    void SetUp() override { Start(); }
};

TEST_F(TStyleEditorsWindowTest, RuleLineCountRefusesAThirdDigitAndEmptiesTheEdit) {
    QLineEdit* count = Control<QLineEdit>("edtHolMarkCnt1");
    QTest::keyClicks(count, "99");
    EXPECT_EQ(count->text(), "99");
    EXPECT_TRUE(platform_.Messages.empty());
    QTest::keyClick(count, Qt::Key_Backspace);
    QTest::keyClick(count, Qt::Key_Backspace);
    QTest::keyClicks(count, "100");
    EXPECT_EQ(MessageTexts(),
              std::vector<std::string>{"ここには、1～99までの整数を入力してください。"});
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Information);
    EXPECT_EQ(count->text(), "");
    EXPECT_EQ(Main().focusWidget(), count);

    // 0 stands for the empty count and passes; so does a value set by code, checked the same way.
    QTest::keyClicks(count, "0");
    EXPECT_EQ(count->text(), "0");
    Main().Form().SetText("edtHolMarkCnt2", "1.5");
    EXPECT_EQ(Control<QLineEdit>("edtHolMarkCnt2")->text(), "");
    EXPECT_EQ(platform_.Messages.size(), 2u);
}

TEST_F(TStyleEditorsWindowTest, DependentControlsFollowTheirSwitches) {
    auto* strong = Control<TColorLabel>("lblStrong2");
    auto* backButton = Control<QPushButton>("btnBGColorChange2");
    EXPECT_FALSE(strong->Opaque());
    EXPECT_FALSE(backButton->isEnabled());
    Tick(Control<QCheckBox>("chkBackColor2"));
    EXPECT_TRUE(strong->Opaque());
    EXPECT_TRUE(backButton->isEnabled());

    EXPECT_TRUE(strong->font().bold());
    Tick(Control<QCheckBox>("chkBold2"));
    Tick(Control<QCheckBox>("chkItalic2"));
    EXPECT_FALSE(strong->font().bold());
    EXPECT_TRUE(strong->font().italic());

    auto* underline = Control<TLineShape>("shpUnderLine2");
    EXPECT_TRUE(underline->isHidden());
    Tick(Control<QCheckBox>("chkUnderLine2"));
    EXPECT_FALSE(underline->isHidden());

    auto* imageButton = Control<QPushButton>("btnImagePath2");
    auto* annai = Control<QLabel>("lblImagePathAnnai2");
    EXPECT_FALSE(imageButton->isEnabled());
    Control<QComboBox>("cmbKeyWhat2")->setCurrentIndex(2);
    EXPECT_TRUE(imageButton->isEnabled());
    EXPECT_TRUE(annai->isEnabled());
    Control<QComboBox>("cmbKeyWhat2")->setCurrentIndex(1);
    EXPECT_FALSE(imageButton->isEnabled());
    EXPECT_FALSE(Control<TColorLabel>("lblReplaceImagePath2")->isEnabled());

    auto* borderColour = Control<TColorLabel>("lblBorderColor2");
    Control<QComboBox>("cmbBorderStyle2")->setCurrentIndex(8);
    EXPECT_FALSE(borderColour->isHidden());
    EXPECT_TRUE(Control<QLineEdit>("edtBorderSize2")->isEnabled());
    EXPECT_TRUE(Control<QComboBox>("cmbBorderSizeUnit2")->isEnabled());
    Control<QComboBox>("cmbBorderStyle2")->setCurrentIndex(0);
    EXPECT_TRUE(borderColour->isHidden());
    EXPECT_FALSE(Control<QComboBox>("cmbBorderSizeUnit2")->isEnabled());

    Tick(Control<QCheckBox>("chkHolColor4"));
    EXPECT_FALSE(Control<TColorLabel>("lblHolColor4")->isHidden());
    Tick(Control<QCheckBox>("chkBgImage"));
    EXPECT_TRUE(Control<TColorLabel>("lblBgImagePath")->isEnabled());
    EXPECT_TRUE(Control<QPushButton>("btnChangeBgImagePath")->isEnabled());
}

TEST_F(TStyleEditorsWindowTest, RubyNotationHoldsTheDocumentTypeAtHtml5) {
    auto* docType = Control<QComboBox>("cmbDocType");
    auto* note = Control<QLabel>("lblDocTypeNote");
    ASSERT_EQ(docType->count(), 2);
    EXPECT_EQ(docType->itemText(0), "HTML 4.01 Transitional");
    EXPECT_EQ(docType->itemText(1), "HTML5");
    EXPECT_EQ(docType->currentIndex(), 0);
    EXPECT_TRUE(docType->isEnabled());
    EXPECT_TRUE(note->isHidden());
    docType->setCurrentIndex(1);
    EXPECT_EQ(Main().Form().ItemIndex("cmbDocType"), 1);

    // The ruby notation writes HTML5 pages whatever the choice, which it keeps for later.
    docType->setCurrentIndex(0);
    Tick(Control<QCheckBox>("chkRubyNotation"));
    EXPECT_FALSE(docType->isEnabled());
    EXPECT_FALSE(note->isHidden());
    EXPECT_EQ(note->text(),
              "ルビ・傍点記法か青空文庫注記を使うページは常に HTML5（UTF-8）になります");
    EXPECT_EQ(docType->currentIndex(), 0);
    Tick(Control<QCheckBox>("chkRubyNotation"));
    EXPECT_TRUE(docType->isEnabled());
    EXPECT_TRUE(note->isHidden());

    // A settings file sets the check box as the user does.
    Main().Form().SetChecked("chkRubyNotation", true);
    EXPECT_FALSE(docType->isEnabled());
}

// Aozora Bunko's annotations imply the ruby notation: the check box beside it holds the
// document type at HTML5 too, until both are off.
TEST_F(TStyleEditorsWindowTest, AozoraNotationHoldsTheDocumentTypeAtHtml5) {
    auto* docType = Control<QComboBox>("cmbDocType");
    auto* aozora = Control<QCheckBox>("chkAozoraNotation");
    EXPECT_EQ(aozora->text(), "青空文庫注記");
    EXPECT_FALSE(aozora->isChecked());
    EXPECT_EQ(aozora->parentWidget(), Control<QCheckBox>("chkRubyNotation")->parentWidget());
    Tick(aozora);
    EXPECT_TRUE(Main().Form().Checked("chkAozoraNotation"));
    EXPECT_FALSE(docType->isEnabled());
    Tick(Control<QCheckBox>("chkRubyNotation"));
    Tick(aozora);
    EXPECT_FALSE(docType->isEnabled());
    Tick(Control<QCheckBox>("chkRubyNotation"));
    EXPECT_TRUE(docType->isEnabled());
}

TEST_F(TStyleEditorsWindowTest, KeywordEditShowsTheEnclosingHintForEnclosedKeywordsOnly) {
    QLineEdit* keyword = Control<QLineEdit>("edtKeyword3");
    Control<QComboBox>("cmbKeyKbn3")->setCurrentIndex(3);
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(keyword, &in);
    EXPECT_EQ(keyword->toolTip().toStdString(),
              "囲む文字を\"*\"(アスタリスク１文字)で区切ってください。\n"
              "複数定義したい場合は\",\"(カンマ)で区切ってください。\n"
              "例：  \"*\",「*」　　（ダブルクォート、または括弧で囲まれたものを強調）");
    // Changing the kind does not change the hint until the edit gets the focus again.
    Control<QComboBox>("cmbKeyKbn3")->setCurrentIndex(1);
    EXPECT_FALSE(keyword->toolTip().isEmpty());
    QApplication::sendEvent(keyword, &in);
    EXPECT_TRUE(keyword->toolTip().isEmpty());
}

TEST_F(TStyleEditorsWindowTest, ImageChooserPutsTheChosenPathIntoItsLabel) {
    Tick(Control<QCheckBox>("chkBgImage"));
    const std::string image = home_.File("back.png");
    platform_.FileDialogAnswers = {image};
    QTest::mouseClick(Control<QPushButton>("btnChangeBgImagePath"), Qt::LeftButton);
    EXPECT_EQ(Control<TColorLabel>("lblBgImagePath")->Caption().toStdString(), image);
    ASSERT_EQ(platform_.FileDialogs.size(), 1u);
    EXPECT_EQ(SjisToUtf8(platform_.FileDialogs[0].Filter),
              "画像ファイル(*.bmp;*.jpg;*jpeg;*.gif;*.png)|*.bmp;*.jpg;*jpeg;*.gif;*.png");
}

// Answers the style editors' picks from a script and records what they asked.
class TScriptedView : public TStyleView {
  public:
    void SetFontStyle(std::string_view, bool, bool) override {}
    void SetTransparent(std::string_view label, bool transparent) override {
        Transparent[std::string(label)] = transparent;
    }
    void SetHint(std::string_view, std::string_view, bool) override {}
    void SetFocus(std::string_view control) override { Focused = control; }
    std::optional<TColor> PickColor(std::string_view caption, TColor color) override {
        Captions.push_back(SjisToUtf8(caption));
        Offered.push_back(color);
        if (Colours.empty())
            return std::nullopt;
        const std::optional<TColor> answer = Colours.front();
        Colours.pop_front();
        return answer;
    }

    std::deque<std::optional<TColor>> Colours;
    std::vector<std::string> Captions;
    std::vector<TColor> Offered;
    std::map<std::string, bool> Transparent;
    std::string Focused;
};

class TStyleEditorsHeadlessTest : public ::testing::Test {
  protected:
    std::unique_ptr<THeadlessForm> form_ = MakeHeadlessMainWindow();
    TScriptedPlatform platform_;
    TScriptedView view_;
    TStyleEditors editors_{*form_, platform_, view_};
};

TEST_F(TStyleEditorsHeadlessTest, PickersTakeTheirCaptionsAndColoursFromTheLabels) {
    form_->SetText("lblHolColor2", Sjis("水平線の色"));
    form_->SetColor("lblHolColor2", RgbToColor(1, 2, 3));
    view_.Colours = {RgbToColor(9, 9, 9)};
    PickBackColor(editors_, "lblHolColor2");
    EXPECT_EQ(view_.Captions, std::vector<std::string>{"水平線の背景色"});
    EXPECT_EQ(view_.Offered, std::vector<TColor>{RgbToColor(1, 2, 3)});
    EXPECT_EQ(form_->Color("lblHolColor2"), RgbToColor(9, 9, 9));

    // A new page background shows behind every sample.
    view_.Colours = {RgbToColor(0x20, 0x40, 0x60)};
    PickPageBackground(editors_);
    EXPECT_EQ(view_.Captions.back(), "背景色");
    for (const char* label : {"lblBg0", "lblBackColor1", "lblBackColor5", "lblHolBackColor"})
        EXPECT_EQ(form_->Color(label), RgbToColor(0x20, 0x40, 0x60)) << label;

    // Cancel leaves the label as it was.
    PickFontColor(editors_, "lblLinkstr", true, {});
    EXPECT_EQ(form_->FontColor("lblLinkstr"), RgbToColor(0, 0, 0xFF));
}

TEST_F(TStyleEditorsHeadlessTest, SamplesWithoutTheirOwnColourFollowTheNormalText) {
    ConnectStyleEditors(editors_);
    form_->SetChecked("chkFontColor3", false);
    view_.Colours = {RgbToColor(0x33, 0x66, 0x99)};
    PickNormalFontColor(editors_);
    EXPECT_EQ(form_->FontColor("lblStrong3"), RgbToColor(0x33, 0x66, 0x99));
    EXPECT_EQ(form_->FontColor("shpUnderLine3"), RgbToColor(0x33, 0x66, 0x99));
    EXPECT_FALSE(form_->Enabled("lblFontColorInfo3"));
    EXPECT_EQ(form_->FontColor("lblStrong1"), RgbToColor(0xFF, 0, 0)) << "rule 1 has its own";
    // Ticking again does not bring the old colour back.
    form_->SetChecked("chkFontColor3", true);
    EXPECT_EQ(form_->FontColor("lblStrong3"), RgbToColor(0x33, 0x66, 0x99));
    EXPECT_TRUE(form_->Enabled("lblFontColorInfo3"));

    form_->SetChecked("chkBackColor4", true);
    EXPECT_FALSE(view_.Transparent.at("lblStrong4"));
}

TEST_F(TStyleEditorsHeadlessTest, ImageChooserReportsAFolderThatIsGone) {
    form_->SetText("lblReplaceImagePath1", "/no/such/folder/a.gif");
    PickImageIntoLabel(editors_, "lblReplaceImagePath1");
    EXPECT_TRUE(platform_.FileDialogs.empty());
    ASSERT_EQ(platform_.Messages.size(), 1u);
    EXPECT_EQ(SjisToUtf8(platform_.Messages[0].Text), "I/O エラー (2)");
    EXPECT_EQ(form_->Text("lblReplaceImagePath1"), "/no/such/folder/a.gif");

    // A chosen name without a Shift_JIS form would be stored damaged: refused with a message.
    form_->SetText("lblReplaceImagePath1", "");
    platform_.FileDialogAnswers = {std::string("/tmp/caf\xC3\xA9.png")};
    PickImageIntoLabel(editors_, "lblReplaceImagePath1");
    EXPECT_EQ(platform_.Messages.size(), 2u);
    EXPECT_EQ(form_->Text("lblReplaceImagePath1"), "");
}

TEST_F(TStyleEditorsHeadlessTest, CountCheckFocusesTheRefusedEdit) {
    ConnectStyleEditors(editors_);
    form_->SetText("edtHolMarkCnt5", "-1");
    EXPECT_EQ(form_->Text("edtHolMarkCnt5"), "");
    EXPECT_EQ(view_.Focused, "edtHolMarkCnt5");
    EXPECT_EQ(platform_.Messages.size(), 1u);
}

}  // namespace

// The three-marks choice means something on vertical pages only: it waits, disabled, with its
// choice kept, while 縦書き is off, however 縦書き is set.
TEST_F(TStyleEditorsWindowTest, ThreeMarksFollowVerticalWriting) {
    auto* vertical = Control<QCheckBox>("chkVerticalWriting");
    auto* threeMarks = Control<QCheckBox>("chkUprightThreeMarks");
    EXPECT_FALSE(threeMarks->isEnabled());
    Tick(vertical);
    EXPECT_TRUE(threeMarks->isEnabled());
    Tick(threeMarks);
    Tick(vertical);
    EXPECT_FALSE(threeMarks->isEnabled());
    EXPECT_TRUE(threeMarks->isChecked());
    Main().Form().SetChecked("chkVerticalWriting", true);
    EXPECT_TRUE(threeMarks->isEnabled());
}
