// 「フォルダを変換」 of the file menu: the folder's tree converted by the batch jobs while a
// progress dialog shows the run, with the window's settings, and its cancel.
#include <QAction>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTimer>

#include <filesystem>

#include "tests/ui/program_fixture.h"

namespace fs = std::filesystem;

namespace {

class TFolderCommandTest : public TProgramTest {
  protected:
    void Convert(const std::string& folder) {
        platform_.FileDialogAnswers = {folder};
        Main().findChild<QAction*>("mitmConvertFolder")->trigger();
    }
};

TEST_F(TFolderCommandTest, ConvertsTheTreeWithTheWindowsSettingsAndSumsUp) {
    Start();
    const std::string root = home_.File("texts");
    fs::create_directories(root + "/sub");
    WriteSjisLines(root + "/a.txt", {"いち"});
    WriteSjisLines(root + "/sub/b.txt", {"に"});
    Control<QLineEdit>("edtPageTitle")->setText(QString::fromUtf8("窓の題"));
    Convert(root);
    ASSERT_EQ(MessageTexts().size(), 2u);
    EXPECT_EQ(MessageTexts()[1],
              "フォルダの変換を終えました。\r\n変換したファイル: 2 個\r\n"
              "変換できなかったファイル: 0 個\r\nキャンセルしたファイル: 0 個");
    EXPECT_NE(ReadAsUtf8(root + "/sub/b.htm").find("<title>窓の題</title>"), std::string::npos);
    EXPECT_NE(ReadAsUtf8(root + "/a.htm").find("いち"), std::string::npos);
    // The dialog is gone with the run, and the window is as before.
    EXPECT_EQ(Main().findChild<QProgressDialog*>("dlgBatchProgress"), nullptr);
    EXPECT_EQ(endRequests_, 0);
}

TEST_F(TFolderCommandTest, TheDialogsCancelLeavesOnlyWholePages) {
    Start();
    const std::string root = home_.File("many");
    fs::create_directories(root);
    std::vector<std::string> lines(3000, "長い行のテキストです。");
    for (int i = 0; i < 40; ++i)
        WriteSjisLines(root + "/t" + std::to_string(i) + ".txt", lines);
    // Cancelled as soon as the run's dialog is there.
    bool cancelled = false;
    QTimer::singleShot(0, &Main(), [&] {
        if (auto* dialog = Main().findChild<QProgressDialog*>("dlgBatchProgress")) {
            dialog->cancel();
            cancelled = true;
        }
    });
    Convert(root);
    ASSERT_TRUE(cancelled);
    ASSERT_EQ(MessageTexts().size(), 2u);
    int whole = 0;
    for (int i = 0; i < 40; ++i) {
        const std::string page = root + "/t" + std::to_string(i) + ".htm";
        if (!FileExists(page))
            continue;
        EXPECT_TRUE(ReadFileBytes(page).ends_with("</html>\r\n")) << page;
        ++whole;
    }
    // How many files the jobs finish before the cancel depends on the machine's load; the
    // summary counts them all.
    EXPECT_EQ(MessageTexts()[1],
              "フォルダの変換を終えました。\r\n変換したファイル: " + std::to_string(whole) +
                  " 個\r\n変換できなかったファイル: 0 個\r\n"
                  "キャンセルしたファイル: " +
                  std::to_string(40 - whole) + " 個");
}

}  // namespace
