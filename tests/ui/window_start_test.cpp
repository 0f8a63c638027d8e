// What the window starts with: the settings it had when it was last closed (unless the options
// say otherwise), and the file "porukano --open FILE" names, opened and not converted.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

#include "tests/ui/program_fixture.h"
#include "ui/option_window.h"

namespace {

class TWindowStartTest : public TProgramTest {
  protected:
    // A restart as the user makes one: the program ends and starts again on the same files.
    void Restart(std::vector<std::string> arguments = {}) {
        program_.reset();
        endRequests_ = 0;
        Start(std::move(arguments));
    }

    void TurnOnDailySettings() {
        Tick(Control<QCheckBox>("chkRubyNotation"));
        Tick(Control<QCheckBox>("chkVerticalWriting"));
        Control<QComboBox>("cmbLinkStyle")->setCurrentIndex(1);
    }

    bool Ruby() { return Control<QCheckBox>("chkRubyNotation")->isChecked(); }
    bool Vertical() { return Control<QCheckBox>("chkVerticalWriting")->isChecked(); }
    int LinkStyle() { return Control<QComboBox>("cmbLinkStyle")->currentIndex(); }
};

TEST_F(TWindowStartTest, ClosingKeepsTheSettingsForTheNextStart) {
    Start();
    TurnOnDailySettings();
    ASSERT_TRUE(Ruby());
    Main().close();
    EXPECT_TRUE(FileExists(home_.File("last.prkn")));
    Restart();
    EXPECT_TRUE(Ruby());
    EXPECT_TRUE(Vertical());
    EXPECT_EQ(LinkStyle(), 1);
    EXPECT_EQ(Main().windowTitle(), "ポルカノＨＴＭＬ変換 ver0.732");
    EXPECT_FALSE(Main().findChild<QAction*>("mitmPrknHis1")->isVisible());
    EXPECT_TRUE(platform_.Messages.empty());

    // "終了" keeps them too.
    Tick(Control<QCheckBox>("chkRubyNotation"));
    Main().findChild<QAction*>("mitmAppEnd")->trigger();
    Restart();
    EXPECT_FALSE(Ruby());
    EXPECT_TRUE(Vertical());
}

TEST_F(TWindowStartTest, TheOptionTurnedOffGivesFreshSettings) {
    Start();
    const auto remember = [this] {
        return program_->Options().findChild<QCheckBox*>("chkRememberSettings");
    };
    ASSERT_NE(remember(), nullptr);
    EXPECT_TRUE(remember()->isChecked());
    EXPECT_EQ(remember()->text(), "終了時の設定を次回の起動時に使う");
    TurnOnDailySettings();
    Main().close();
    Restart();
    ASSERT_TRUE(Ruby());

    TfrmOption& options = program_->Options();
    options.show();
    remember()->setChecked(false);
    QTest::mouseClick(options.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    EXPECT_NE(ReadFileBytes(home_.File("porukano.ini")).find("RememberSettings=0\r\n"),
              std::string::npos);
    Main().close();
    Restart();
    EXPECT_FALSE(Ruby());
    EXPECT_FALSE(Vertical());
    EXPECT_EQ(LinkStyle(), 0);
    EXPECT_FALSE(remember()->isChecked());
}

TEST_F(TWindowStartTest, OpenMakesTheFileTheInputAndWritesNoPage) {
    Start();
    TurnOnDailySettings();
    Main().close();
    const std::string story = home_.File("story.txt");
    WriteFileBytes(story, "吾輩は猫である。\n");
    Restart({"--open", story});
    EXPECT_EQ(Main().InputPath().toStdString(), story);
    EXPECT_EQ(Control<QLabel>("lblInputEncoding")->text(), "文字コード: UTF-8（自動判別）");
    // With the remembered settings, and nothing converted, asked or ended.
    EXPECT_TRUE(Ruby());
    EXPECT_FALSE(FileExists(home_.File("story.htm")));
    EXPECT_TRUE(platform_.Messages.empty());
    EXPECT_EQ(endRequests_, 0);
    EXPECT_TRUE(Main().isVisible());

    // A missing file: the window starts and says why.
    Restart({"--open", home_.File("gone.txt")});
    EXPECT_TRUE(Main().isVisible());
    EXPECT_EQ(Main().InputPath().toStdString(), "");
    ASSERT_EQ(MessageTexts().size(), 1u);
    EXPECT_EQ(MessageTexts()[0], "以下のファイルを開けません。\r\n\t" + home_.File("gone.txt") +
                                     "\r\n理由: ファイルが存在しません。");
    EXPECT_EQ(endRequests_, 0);
}

}  // namespace
