// The windows as they are created: every setting control of the main window with the names and
// initial values the engine's headless window has, the menus, the options dialog and the about
// box.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest/QTest>

#include "engine/base/main_window_controls.h"
#include "engine/base/settings_model.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "settings/user_guide.h"
#include "tests/ui/program_fixture.h"
#include "ui/UntVerInf.h"
#include "ui/color_label.h"
#include "ui/option_window.h"

namespace {

class TWindowsTest : public TProgramTest {
  protected:
    void SetUp() override { Start(); }
};

// Every stored setting as the settings file would hold it.
std::string StoredSettings(const TForm& form, TPlatform& platform) {
    TStrInfo settings;
    EXPECT_TRUE(GatherSettings(form, platform, settings));
    TProfileFile profile;
    WriteSettingsProfile(profile, settings);
    return profile.Text();
}

TEST_F(TWindowsTest, SettingControlsStartAsTheHeadlessWindowDoes) {
    const auto headless = MakeHeadlessMainWindow();
    EXPECT_EQ(StoredSettings(Main().Form(), platform_), StoredSettings(*headless, platform_));

    // The dependent controls and the progress display, as the headless window has them.
    std::vector<std::string> names = {"lblBgImagePath",   "btnChangeBgImagePath", "lblHolBackColor",
                                      "lblInputFilePath", "lblProcess",           "pbrProcess",
                                      "cmbDocType",       "lblDocTypeNote"};
    for (int n = 1; n <= 5; ++n) {
        for (const char* base :
             {"lblImagePathAnnai", "btnImagePath", "edtBorderSize", "lblBorderColor",
              "shpUnderLine", "lblFontColorInfo", "lblBackColor", "lblHolColor", "lblStrong",
              "cmbBorderSizeUnit", "lblReplaceImagePath"}) {
            names.push_back(base + std::to_string(n));
        }
    }
    for (int k = 1; k <= kHistoryMenuItems; ++k)
        names.push_back("mitmPrknHis" + std::to_string(k));
    for (const std::string& name : names) {
        ASSERT_TRUE(Main().Form().HasControl(name)) << name;
        const THeadlessControl* c = headless->Find(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(Main().Form().Visible(name), c->Visible) << name;
        EXPECT_EQ(Main().Form().FontColor(name), c->FontColor) << name;
        if (name.rfind("cmbBorderSizeUnit", 0) != 0 && name.rfind("lblReplaceImagePath", 0) != 0) {
            EXPECT_EQ(Main().Form().Enabled(name), c->Enabled) << name;
        }
    }
    EXPECT_EQ(Main().Form().Text("lblProcess"), "0%");
    EXPECT_EQ(Main().Form().Text("PageControl1"), Sjis("共通設定１"));
    EXPECT_EQ(Main().Form().Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732"));
}

TEST_F(TWindowsTest, PagesMenusAndShortcuts) {
    auto* pages = Control<QTabWidget>("PageControl1");
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"tbshtCommon", "共通設定１"}, {"tbshtPageStyle", "共通設定２"},
        {"tbshtStoring1", "強調１"},   {"tbshtStoring2", "強調２"},
        {"tbshtStoring3", "強調３"},   {"tbshtStoring4", "強調４"},
        {"tbshtStoring5", "強調５"},   {"tbshtHeadFot", "ヘッダーフッター"},
        {"tbshtHorizon", "水平線"},    {"tbshtPreview", "プレビュー"}};
    ASSERT_EQ(pages->count(), static_cast<int>(expected.size()));
    for (int i = 0; i < pages->count(); ++i) {
        EXPECT_EQ(pages->widget(i)->objectName(), expected[i].first);
        EXPECT_EQ(pages->tabText(i), expected[i].second);
    }
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(Main().PreviewPage(), pages->widget(9));

    const auto item = [this](const char* name) { return Main().findChild<QAction*>(name); };
    EXPECT_EQ(item("mitmRead")->text(), "変換設定を読み込む(&O)");
    EXPECT_EQ(item("mitmRead")->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(item("mitmSave")->text(), "この変換設定を保存(&S)");
    EXPECT_EQ(item("mitmSave")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(item("mitmTextBox")->text(), "テキストボックス(&T)");
    EXPECT_EQ(item("mitmTextBox")->shortcut(), QKeySequence("Ctrl+T"));
    EXPECT_EQ(item("mitmAppEnd")->text(), "終了");
    EXPECT_EQ(item("mitmOption")->text(), "オプション(&O)");
    EXPECT_EQ(item("mitmOnlineHelp")->text(), "オンラインヘルプ(&H)");
    EXPECT_EQ(item("About1")->text(), "バージョン情報");

    // The main window keeps its size.
    EXPECT_EQ(Main().minimumSize(), Main().maximumSize());
    EXPECT_GE(Main().centralWidget()->width(), 475);
    EXPECT_GE(Main().centralWidget()->height(), 524 - Main().menuBar()->height());
}

TEST_F(TWindowsTest, OptionsDialogWritesOnOkAndRestoresOnCancel) {
    TfrmOption& options = program_->Options();
    EXPECT_EQ(options.windowTitle(), "ポルカノＨＴＭＬ変換-オプション");
    options.show();
    options.findChild<QComboBox*>("cmbExtension")->setCurrentIndex(1);
    QTest::mouseClick(options.findChild<QPushButton*>("btnOK"), Qt::LeftButton);
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(Main().Options().Extension, 1);
    const std::string ini = ReadFileBytes(home_.File("porukano.ini"));
    EXPECT_NE(ini.find("Extension=1\r\n"), std::string::npos) << ini;

    options.show();
    options.findChild<QCheckBox*>("chkOverWrite")->setChecked(true);
    QTest::mouseClick(options.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_FALSE(options.findChild<QCheckBox*>("chkOverWrite")->isChecked());
    EXPECT_FALSE(options.isVisible());
}

TEST_F(TWindowsTest, AboutBoxLinkOpensTheUserGuideInTheMainWindowsLinkColours) {
    TdlgVerInf& about = program_->About();
    about.show();
    EXPECT_EQ(about.findChild<QLabel*>("lblSoftName")->text(), "ポルカノＨＴＭＬ変換 ver0.732");
    auto* link = about.findChild<TColorLabel*>("lblHpUrl");
    EXPECT_EQ(link->toolTip(), "クリックするとユーザーガイドを表示します。");

    Main().Form().SetFontColor("lblLinkstr", RgbToColor(0, 0x80, 0x80));
    Main().Form().SetFontColor("lblAlink", RgbToColor(0x80, 0, 0));
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    EXPECT_EQ(link->FontColor(), RgbToColor(0, 0x80, 0x80));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(link->FontColor(), RgbToColor(0, 0, 0));

    QTest::mouseClick(link, Qt::LeftButton);
    // The user guide, the page the help command opens by default, and one that is on the disk.
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{DefaultHelpUrl()});
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{Main().Options().Url});
    EXPECT_TRUE(platform_.Opened.front().starts_with("file:///")) << platform_.Opened.front();
    EXPECT_EQ(link->FontColor(), RgbToColor(0, 0x80, 0x80));
    // A help address of the user's own leaves the link on the guide.
    Main().Options().Url = "https://h/own-help/";
    platform_.Opened.clear();
    QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{DefaultHelpUrl()});
    QTest::mouseClick(about.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
