// The settings kept at the window's close (last.prkn) and loaded at the next start.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/text/encoding.h"
#include "settings/remembered_settings.h"
#include "settings/settings_file.h"
#include "tests/settings/settings_compare.h"
#include "tests/settings/settings_window.h"

namespace {

// The settings of a writer's daily work, away from every default.
void ChangeSettings(TSettingsWindow& w) {
    w.Form->SetChecked("chkRubyNotation", true);
    w.Form->SetChecked("chkVerticalWriting", true);
    w.Form->SetChecked("chkbxLink", true);
    w.Form->SetItemIndex("cmbLinkStyle", 1);
    w.Form->SetFontColor("lblLinkstr", 0x123456);
    w.Form->SetText("memHeader", Sjis("第一章\r\n"));
}

}  // namespace

TEST(RememberedSettings, AreWrittenAtTheCloseAndGiveTheNextWindowTheSameSettings) {
    TSettingsWindow closing;
    ChangeSettings(closing);
    closing.State.OptionsFolder = closing.Folder.File("made/later/");
    ASSERT_TRUE(SaveRememberedSettings(closing.Env));
    const std::string path = closing.Folder.File("made/later/last.prkn");
    EXPECT_EQ(RememberedSettingsPath(closing.State.OptionsFolder), path);
    // The file is an ordinary settings file: loaded as one, it gives the same window.
    TSettingsWindow asFile;
    ASSERT_EQ(LoadSettingsFile(asFile.Env, path), TLoadResult::Loaded);
    EXPECT_TRUE(SameSettings(asFile.Gather(), closing.Gather()));

    TSettingsWindow next;
    next.State.OptionsFolder = closing.State.OptionsFolder;
    const std::string caption = next.Form->Text("frmMain");
    ASSERT_TRUE(LoadRememberedSettings(next.Env));
    EXPECT_TRUE(SameSettings(next.Gather(), closing.Gather()));
    EXPECT_TRUE(next.Gather().RubyNotation);
    EXPECT_TRUE(next.Gather().VerticalWriting);
    EXPECT_EQ(next.Form->ItemIndex("cmbLinkStyle"), 1);
    // It is no settings file of the user's: the window's name, the current file and the history
    // stay as they were.
    EXPECT_EQ(next.Form->Text("frmMain"), caption);
    EXPECT_TRUE(next.State.CurrentSettingsFile.empty());
    EXPECT_EQ(HistoryPaths(next.History), ExpectedHistory({}));
    EXPECT_TRUE(next.Platform.Messages.empty());

    // Saved again over the old file, the file is whole and current.
    next.Form->SetChecked("chkRubyNotation", false);
    ASSERT_TRUE(SaveRememberedSettings(next.Env));
    TSettingsWindow third;
    third.State.OptionsFolder = closing.State.OptionsFolder;
    ASSERT_TRUE(LoadRememberedSettings(third.Env));
    EXPECT_TRUE(SameSettings(third.Gather(), next.Gather()));
}

TEST(RememberedSettings, NoFileIsAQuietFreshStart) {
    TSettingsWindow w;
    const TStrInfo fresh = w.Gather();
    EXPECT_FALSE(LoadRememberedSettings(w.Env));
    EXPECT_TRUE(SameSettings(w.Gather(), fresh));
    EXPECT_TRUE(w.Platform.Messages.empty());
}

TEST(RememberedSettings, ADamagedFileGivesTheFreshSettingsAndOneWarning) {
    const std::string expected = "前回終了時の変換設定：\r\n\t";
    // A colour stops the load part way (after the ruby and vertical keys were applied); a file
    // that holds no settings at all; a folder where the file should be.
    const std::vector<std::string> damaged = {
        "[main]\r\nSoftVer=0.731\r\nVerticalWriting=1\r\nRubyNotation=1\r\n"
        "[strong1]\r\nfontcolor=XYZ\r\n",
        std::string("\x00\xFF\xFE garbage\r\n", 13),
    };
    for (std::size_t i = 0; i <= damaged.size(); ++i) {
        TSettingsWindow w;
        const TStrInfo fresh = w.Gather();
        const std::string caption = w.Form->Text("frmMain");
        const std::string path = w.Folder.File("last.prkn");
        if (i < damaged.size()) {
            WriteFileBytes(path, damaged[i]);
        } else {
            std::filesystem::create_directory(path);
        }
        EXPECT_FALSE(LoadRememberedSettings(w.Env)) << i;
        EXPECT_TRUE(SameSettings(w.Gather(), fresh));
        EXPECT_EQ(w.Form->Text("frmMain"), caption);
        ASSERT_EQ(w.Platform.Messages.size(), 1u) << i;
        EXPECT_EQ(w.Platform.Messages[0].Kind, TMessageKind::Warning);
        EXPECT_EQ(w.Platform.MessageTexts()[0],
                  expected + path + "\r\nが読み込めません。初期の設定で起動します。");
    }
}

TEST(RememberedSettings, AFolderThatCannotBeWrittenIsReportedAndKeepsTheOldFile) {
    TSettingsWindow w;
    ChangeSettings(w);
    // A plain file where the folder of the program's files should be.
    WriteFileBytes(w.Folder.File("blocked"), "x");
    w.State.OptionsFolder = w.Folder.File("blocked/");
    EXPECT_FALSE(SaveRememberedSettings(w.Env));
    ASSERT_EQ(w.Platform.Messages.size(), 1u);
    EXPECT_EQ(w.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(ReadFileBytes(w.Folder.File("blocked")), "x");
}
