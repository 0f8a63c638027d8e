#include <gtest/gtest.h>

#include "engine/base/main_window_controls.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "settings/untFileHistory.h"
#include "settings/untIniOption.h"
#include "tests/settings/settings_window.h"

TEST(SettingsHistory, NewestFirstWithoutDuplicatesAndTenAtMost) {
    TSettingsHistory h;
    AddToHistory(h, "A");
    AddToHistory(h, "B");
    AddToHistory(h, "A");
    EXPECT_EQ(HistoryPaths(h), ExpectedHistory({"A", "B"}));
    AddToHistory(h, "A");
    EXPECT_EQ(HistoryPaths(h), ExpectedHistory({"A", "B"}));
    AddToHistory(h, "a");  // paths are compared with their letter case
    EXPECT_EQ(HistoryPaths(h), ExpectedHistory({"a", "A", "B"}));

    TSettingsHistory eleven;
    for (int i = 1; i <= 11; ++i)
        AddToHistory(eleven, "f" + std::to_string(i));
    EXPECT_EQ(eleven[0].Path, "f11");
    EXPECT_EQ(eleven[9].Path, "f2");
    AddToHistory(eleven, "f5");
    EXPECT_EQ(HistoryPaths(eleven),
              ExpectedHistory({"f5", "f11", "f10", "f9", "f8", "f7", "f6", "f4", "f3", "f2"}));
}

TEST(SettingsHistory, StoredInTheOptionsFileAndShownInTheMenu) {
    TSettingsWindow w;
    const std::string ini = OptionsFilePath(w.State.OptionsFolder);
    WriteFileBytes(ini, "[Save]\r\nExtension=1\r\n");
    w.History[0].Path = "/s/" + std::string("\xE8\xA1\xA8") + ".prkn";  // 表 in UTF-8
    w.History[2].Path = "/s/c.prkn";
    ASSERT_TRUE(SaveHistory(ini, w.History, w.Platform));
    EXPECT_EQ(ReadFileBytes(ini),
              "[Save]\r\nExtension=1\r\n[FileHistory]\r\nHistory1=/s/\x95\x5C.prkn\r\n"
              "History2=\r\nHistory3=/s/c.prkn\r\nHistory4=\r\nHistory5=\r\nHistory6=\r\n"
              "History7=\r\nHistory8=\r\nHistory9=\r\nHistory10=\r\n");
    TSettingsHistory back;
    ASSERT_TRUE(LoadHistory(ini, back, w.Platform));
    EXPECT_EQ(HistoryPaths(back), HistoryPaths(w.History));

    ShowHistoryInMenu(back, *w.Form);
    EXPECT_TRUE(w.Form->Visible("mitmPrknHis1"));
    EXPECT_EQ(w.Form->Text("mitmPrknHis1"), "/s/\x95\x5C.prkn");
    EXPECT_FALSE(w.Form->Visible("mitmPrknHis2"));
    EXPECT_TRUE(w.Form->Visible("mitmPrknHis3"));
    for (int k = 4; k <= 10; ++k)
        EXPECT_FALSE(w.Form->Visible("mitmPrknHis" + std::to_string(k))) << k;

    // Unreadable options file: the message, and the history in memory stays.
    EXPECT_FALSE(LoadHistory(w.Folder.Path(), back, w.Platform));
    EXPECT_EQ(back[2].Path, "/s/c.prkn");
    ASSERT_EQ(w.Platform.Messages.size(), 1u);
    EXPECT_EQ(w.Platform.Messages[0].Text,
              Sjis("設定ファイル：\r\n\t") + w.Folder.Path() + Sjis("\r\nが開けません。"));
}
