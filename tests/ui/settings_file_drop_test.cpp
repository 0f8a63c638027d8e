// Settings files reaching the main window: dropped on it, named on the command line, or named by
// the options as the start-up file.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>

#include "engine/text/encoding.h"
#include "tests/ui/program_fixture.h"
#include "ui/color_label.h"

namespace {

class TSettingsFileDropTest : public TProgramTest {
  protected:
    void WriteSettings(const std::string& path) {
        WriteSjisLines(path, {"[main]", "SoftVer=0.731", "fontsize=18", "title=読み込んだページ",
                              "[strong1]", "keyword=★", "BorderStyle=2", "backcolorchk=1",
                              "[HolLine1]", "Mark=-", "MarkCnt=3", "chkLineColor=1"});
    }
    QAction* HistoryItem(int k) {
        return Main().findChild<QAction*>(QString("mitmPrknHis%1").arg(k));
    }
};

TEST_F(TSettingsFileDropTest, DroppedSettingsFileSetsTheControlsAndCaptionAndTopsTheHistory) {
    const std::string older = home_.File("older.prkn");
    WriteFileBytes(home_.File("porukano.ini"), "[FileHistory]\r\nHistory1=" + older + "\r\n");
    Start();
    ASSERT_TRUE(HistoryItem(1)->isVisible());
    EXPECT_EQ(HistoryItem(1)->text().toStdString(), older);
    EXPECT_FALSE(HistoryItem(2)->isVisible());

    const std::string path = home_.File("set.prkn");
    WriteSettings(path);
    Drop(Main(), {path});

    EXPECT_TRUE(platform_.Messages.empty());
    EXPECT_EQ(Control<QLineEdit>("edtNormalStrSize")->text(), "18");
    EXPECT_EQ(Control<QLineEdit>("edtPageTitle")->text(), "読み込んだページ");
    EXPECT_EQ(Control<QLineEdit>("edtKeyword1")->text(), "★");
    EXPECT_EQ(Control<QLineEdit>("edtHolMarkCnt1")->text(), "3");
    // The controls that depend on the loaded ones follow them.
    EXPECT_FALSE(Control<TColorLabel>("lblBorderColor1")->isHidden());
    EXPECT_TRUE(Control<QLineEdit>("edtBorderSize1")->isEnabled());
    EXPECT_TRUE(Control<TColorLabel>("lblStrong1")->Opaque());
    EXPECT_FALSE(Control<TColorLabel>("lblHolColor1")->isHidden());
    EXPECT_EQ(Main().windowTitle(), "ポルカノＨＴＭＬ変換 ver0.732 - set.prkn");
    EXPECT_EQ(Main().State().CurrentSettingsFile, path);
    EXPECT_TRUE(Main().InputPath().isEmpty()) << "a settings file is no input";

    EXPECT_EQ(HistoryItem(1)->text().toStdString(), path);
    EXPECT_EQ(HistoryItem(2)->text().toStdString(), older);
    EXPECT_TRUE(HistoryItem(2)->isVisible());
    const std::string ini = ReadFileBytes(home_.File("porukano.ini"));
    EXPECT_NE(ini.find("History1=" + path + "\r\n"), std::string::npos);
    EXPECT_NE(ini.find("History2=" + older + "\r\n"), std::string::npos);

    // Choosing the older one from the menu loads it (it is gone: the message) and moves it up.
    HistoryItem(2)->trigger();
    EXPECT_EQ(HistoryItem(1)->text().toStdString(), older);
    EXPECT_EQ(HistoryItem(2)->text().toStdString(), path);
    ASSERT_EQ(platform_.Messages.size(), 1u);
    EXPECT_EQ(platform_.Messages[0].Kind, TMessageKind::Warning);
}

TEST_F(TSettingsFileDropTest, FileMenuSavesAndOpensThroughItsDialogs) {
    Start();
    Control<QLineEdit>("edtPageTitle")->setText("保存した題");
    const std::string saved = home_.File("memo");
    platform_.FileDialogAnswers = {saved};
    Main().findChild<QAction*>("mitmSave")->trigger();
    ASSERT_TRUE(FileExists(saved + ".prkn"));
    EXPECT_NE(ReadAsUtf8(saved + ".prkn").find("title=保存した題\r\n"), std::string::npos);
    EXPECT_EQ(Main().windowTitle(), "ポルカノＨＴＭＬ変換 ver0.732 - memo.prkn");
    EXPECT_EQ(HistoryItem(1)->text().toStdString(), saved + ".prkn");

    Control<QLineEdit>("edtPageTitle")->clear();
    platform_.FileDialogAnswers = {saved + ".prkn"};
    Main().findChild<QAction*>("mitmRead")->trigger();
    EXPECT_EQ(Control<QLineEdit>("edtPageTitle")->text(), "保存した題");
    EXPECT_TRUE(platform_.Messages.empty());
    ASSERT_EQ(platform_.FileDialogs.size(), 2u);
    EXPECT_EQ(SjisToUtf8(platform_.FileDialogs[1].Filter),
              "変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn");
}

TEST_F(TSettingsFileDropTest, OtherExtensionsBecomeTheInputPath) {
    Start();
    for (const char* name : {"set.PRKN", "old.rkn"}) {
        const std::string path = home_.File(name);
        WriteSettings(path);
        Drop(Main(), {path});
        EXPECT_EQ(Main().InputPath().toStdString(), path);
        EXPECT_EQ(Control<QLineEdit>("edtNormalStrSize")->text(), "10") << name;
    }
    EXPECT_FALSE(HistoryItem(1)->isVisible());
}

TEST_F(TSettingsFileDropTest, DropOnAnEditIsTheWindowsDrop) {
    Start();
    const std::string path = home_.File("doc.txt");
    Drop(*Control<QLineEdit>("edtPageTitle"), {path});
    EXPECT_EQ(Main().InputPath().toStdString(), path);
    EXPECT_TRUE(Control<QLineEdit>("edtPageTitle")->text().isEmpty());
}

TEST_F(TSettingsFileDropTest, StartUpFileAndCommandLineFileLoadWithoutTouchingTheHistory) {
    const std::string start = home_.File("start.prkn");
    WriteSettings(start);
    WriteFileBytes(home_.File("porukano.ini"),
                   "[main]\r\nBrowserView=1\r\n[Start]\r\nStartRknFile=" + start + "\r\n");
    Start();
    EXPECT_EQ(Control<QLineEdit>("edtNormalStrSize")->text(), "18");
    // The start-up file has no BrowserView of its own: its default unticks the box.
    EXPECT_FALSE(Control<QCheckBox>("chkbxPreview")->isChecked());
    EXPECT_TRUE(Main().State().CurrentSettingsFile.empty());
    EXPECT_FALSE(HistoryItem(1)->isVisible());
    EXPECT_EQ(endRequests_, 0);
}

}  // namespace
