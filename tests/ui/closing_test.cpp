// The two ways of ending: the close box runs the close steps, "終了" does not.
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
        WriteFileBytes(home_.File(kPreviewSourceName), "source");
        WriteFileBytes(home_.File(kPreviewPageName), "page");
        Start();
        Tick(Control<QCheckBox>("chkbxPreview"));
        ASSERT_TRUE(Control<QCheckBox>("chkbxPreview")->isChecked());
    }
};

TEST_F(TClosingTest, CloseBoxWritesBrowserViewAndUrlAndRemovesThePreviewFiles) {
    Main().close();
    const std::string ini = ReadFileBytes(home_.File("porukano.ini"));
    EXPECT_NE(ini.find("BrowserView=1\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find(std::string("Url=") + DefaultHelpUrl() + "\r\n"), std::string::npos) << ini;
    EXPECT_NE(ini.find("AppVer=0.731\r\n"), std::string::npos) << ini;
    EXPECT_FALSE(FileExists(home_.File(kPreviewSourceName)));
    EXPECT_FALSE(FileExists(home_.File(kPreviewPageName)));
    EXPECT_EQ(endRequests_, 1);
}

TEST_F(TClosingTest, ExitCommandWritesNothing) {
    Main().findChild<QAction*>("mitmAppEnd")->trigger();
    EXPECT_EQ(endRequests_, 1);
    EXPECT_FALSE(FileExists(home_.File("porukano.ini")));
    EXPECT_TRUE(FileExists(home_.File(kPreviewSourceName)));
    EXPECT_TRUE(FileExists(home_.File(kPreviewPageName)));
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
