// The two ways of ending: the close box runs the close steps, "終了" does not; the preview's
// private folder goes either way, and both keep the window's settings for the next start.
#include <QAction>
#include <QCheckBox>
#include <QtTest/QTest>

#include "commands/preview_files.h"
#include "settings/untIniOption.h"
#include "settings/user_guide.h"
#include "tests/ui/program_fixture.h"

namespace {

class TClosingTest : public TProgramTest {
  protected:
    void SetUp() override {
        Start();
        preview_ = Main().PreviewFolder().Path();
        ASSERT_FALSE(preview_.empty());
        const TPreviewFiles files = PreviewFilesIn(preview_);
        WriteFileBytes(files.Source, "source");
        WriteFileBytes(files.Page, "page");
        Tick(Control<QCheckBox>("chkbxPreview"));
        ASSERT_TRUE(Control<QCheckBox>("chkbxPreview")->isChecked());
    }

    std::string preview_;
};

TEST_F(TClosingTest, CloseBoxWritesBrowserViewAndUrlAndRemovesThePreviewFiles) {
    Main().close();
    const std::string ini = ReadFileBytes(home_.File("porukano.ini"));
    EXPECT_NE(ini.find("BrowserView=1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find(std::string("Url=") + DefaultHelpUrl() + "\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AppVer=0.731\r\n"), std::string::npos) << ini;
    EXPECT_FALSE(FileExists(preview_));
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TClosingTest, ExitCommandWritesNoOptionsAndTheEndTakesThePreviewFolder) {
    Main().findChild<QAction*>("mitmAppEnd")->trigger();
    EXPECT_EQ(endRequests_, 1);
    EXPECT_FALSE(FileExists(home_.File("porukano.ini")));
    // Only the settings are kept for the next start.
    EXPECT_TRUE(FileExists(home_.File("last.prkn")));
    // The files stay until the program has ended; a folder of a run no longer running would
    // only litter the temporary folder.
    EXPECT_TRUE(FileExists(PreviewFilesIn(preview_).Page));
    program_.reset();
    EXPECT_FALSE(FileExists(preview_));
}

TEST_F(TClosingTest, AProgramInstalledWhereItCannotWriteKeepsItsFilesInTheConfigFolder) {
    // No PORUKANO_HOME, and the tests' own folder holds no porukano.ini: the options and the
    // history go to $XDG_CONFIG_HOME/porukano, made by the first write.
    program_.reset();
    const TEnvironmentVariable noHome("PORUKANO_HOME", std::nullopt);
    const TEnvironmentVariable config("XDG_CONFIG_HOME", home_.File("config"));
    Start();
    EXPECT_EQ(Main().State().OptionsFolder, home_.File("config/porukano/"));
    EXPECT_FALSE(FileExists(home_.File("config")));
    Main().close();
    EXPECT_TRUE(platform_.Messages.empty()) << MessageTexts()[0];
    EXPECT_NE(ReadFileBytes(home_.File("config/porukano/porukano.ini")).find("BrowserView=0"),
              std::string::npos);
}

TEST_F(TClosingTest, OnlineHelpOpensTheStoredAddress) {
    Main().findChild<QAction*>("mitmOnlineHelp")->trigger();
    EXPECT_EQ(platform_.Opened, std::vector<std::string>{DefaultHelpUrl()});
    // An empty address opens nothing and says nothing.
    WriteFileBytes(home_.File("porukano.ini"), "[Help]\r\nUrl=\r\n");
    program_.reset();
    platform_.Opened.clear();
    Start();
    Main().findChild<QAction*>("mitmOnlineHelp")->trigger();
    EXPECT_TRUE(platform_.Opened.empty());
    EXPECT_TRUE(platform_.Messages.empty());
}

}  // namespace
