#include <gtest/gtest.h>

#include "engine/encoding.h"
#include "engine/main_window_controls.h"
#include "settings/settings_file.h"
#include "settings/untFileHistory.h"
#include "settings/untIniOption.h"
#include "tests/settings/settings_window.h"

namespace {

std::vector<std::string> Paths(const TSettingsHistory& h) {
    std::vector<std::string> paths;
    for (const TFileHistory& entry : h)
        paths.push_back(entry.Path);
    return paths;
}

std::vector<std::string> Expected(std::initializer_list<std::string> first) {
    std::vector<std::string> paths(first);
    paths.resize(kSettingsHistorySize);
    return paths;
}

}  // namespace

TEST(SettingsHistory, NewestFirstWithoutDuplicatesAndTenAtMost) {
    TSettingsHistory h;
    AddToHistory(h, "A");
    AddToHistory(h, "B");
    AddToHistory(h, "A");
    EXPECT_EQ(Paths(h), Expected({"A", "B"}));
    AddToHistory(h, "A");
    EXPECT_EQ(Paths(h), Expected({"A", "B"}));
    AddToHistory(h, "a");  // paths are compared with their letter case
    EXPECT_EQ(Paths(h), Expected({"a", "A", "B"}));

    TSettingsHistory eleven;
    for (int i = 1; i <= 11; ++i)
        AddToHistory(eleven, "f" + std::to_string(i));
    EXPECT_EQ(eleven[0].Path, "f11");
    EXPECT_EQ(eleven[9].Path, "f2");
    AddToHistory(eleven, "f5");
    EXPECT_EQ(Paths(eleven),
              Expected({"f5", "f11", "f10", "f9", "f8", "f7", "f6", "f4", "f3", "f2"}));
}

TEST(SettingsHistory, StoredInTheOptionsFileAndShownInTheMenu) {
    TSettingsWindow w;
    const std::string ini = OptionsFilePath(w.State.ProgramFolder);
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
    EXPECT_EQ(Paths(back), Paths(w.History));

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

TEST(SettingsCommands, SaveAppendsPrknAndRecordsTheFile) {
    TSettingsWindow w;
    w.Platform.FileDialogAnswers = {w.Folder.File("memo"), w.Folder.File("memo.txt"),
                                    w.Folder.File("memo.PRKN"), std::nullopt};
    for (const char* saved : {"memo.prkn", "memo.txt.prkn", "memo.PRKN.prkn"}) {
        SaveSettingsCommand(w.Env);
        EXPECT_TRUE(FileExists(w.Folder.File(saved))) << saved;
        EXPECT_EQ(w.State.CurrentSettingsFile, w.Folder.File(saved));
        EXPECT_EQ(w.History[0].Path, w.Folder.File(saved));
    }
    const TFileDialogRequest& request = w.Platform.FileDialogs.back();
    // The third dialog proposed the file the second save made current.
    EXPECT_EQ(request.InitialFileName, w.Folder.File("memo.txt.prkn"));
    EXPECT_EQ(request.Filter, Sjis("変換設定ファイル(*.prkn)|*.prkn"));
    EXPECT_TRUE(request.AskBeforeOverwrite);
    EXPECT_EQ(request.DefaultExtension, "");
    SaveSettingsCommand(w.Env);  // cancelled: nothing changes
    EXPECT_EQ(w.State.CurrentSettingsFile, w.Folder.File("memo.PRKN.prkn"));
    EXPECT_NE(ReadFileBytes(OptionsFilePath(w.State.ProgramFolder))
                  .find("History1=" + w.Folder.File("memo.PRKN.prkn") +
                        "\r\nHistory2=" + w.Folder.File("memo.txt.prkn") +
                        "\r\nHistory3=" + w.Folder.File("memo.prkn")),
              std::string::npos);
    EXPECT_TRUE(w.Form->Visible("mitmPrknHis3"));
    EXPECT_TRUE(w.Platform.Messages.empty());
}

TEST(SettingsCommands, AnOldRknIsDeletedOnlyAfterItsSuccessorIsWritten) {
    TSettingsWindow w;
    const std::string old = w.Folder.File("old.rkn");
    WriteFileBytes(old, "[main]\r\ntitle=x\r\n");
    w.State.CurrentSettingsFile = old;
    // Cancelled: nothing is deleted.
    w.Platform.FileDialogAnswers = {std::nullopt};
    SaveSettingsCommand(w.Env);
    EXPECT_EQ(w.Platform.FileDialogs.back().InitialFileName, w.Folder.File("old.prkn"));
    EXPECT_TRUE(FileExists(old));
    // The write is refused (a folder that does not exist): the old file stays, nothing recorded.
    w.Platform.FileDialogAnswers = {w.Folder.File("none/new")};
    SaveSettingsCommand(w.Env);
    EXPECT_TRUE(FileExists(old));
    EXPECT_EQ(w.State.CurrentSettingsFile, old);
    EXPECT_EQ(w.History[0].Path, "");
    ASSERT_EQ(w.Platform.Messages.size(), 1u);
    EXPECT_EQ(w.Platform.Messages[0].Text,
              w.Folder.File("none/new.prkn") + Sjis(" に書き込めません"));
    // Any confirmed name: the new file is written, then the old one goes.
    w.Platform.FileDialogAnswers = {w.Folder.File("other")};
    SaveSettingsCommand(w.Env);
    EXPECT_TRUE(FileExists(w.Folder.File("other.prkn")));
    EXPECT_FALSE(FileExists(old));
    EXPECT_EQ(w.State.CurrentSettingsFile, w.Folder.File("other.prkn"));
    EXPECT_EQ(w.Form->Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732 - other.prkn"));
}

TEST(SettingsCommands, OpeningRecordsTheFileUnlessABadColourStoppedIt) {
    TSettingsWindow w;
    const std::string missing = w.Folder.File("typed.prkn");
    const std::string bad = w.Folder.File("bad.prkn");
    WriteFileBytes(bad, "[main]\r\nSoftVer=0.731\r\nnormalcolr=GG\r\n");
    w.Platform.FileDialogAnswers = {missing, bad};
    OpenSettingsCommand(w.Env);
    EXPECT_EQ(w.Platform.FileDialogs[0].Filter,
              Sjis("変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn"));
    EXPECT_EQ(w.State.CurrentSettingsFile, missing);
    EXPECT_EQ(w.History[0].Path, missing);
    OpenSettingsCommand(w.Env);
    EXPECT_EQ(w.State.CurrentSettingsFile, missing);
    EXPECT_EQ(w.History[0].Path, missing);
    EXPECT_EQ(w.History[1].Path, "");
    ASSERT_EQ(w.Platform.Messages.size(), 2u);

    // From the history: the opened entry moves to the top; a stopped load moves nothing.
    const std::string good = w.Folder.File("good.prkn");
    WriteFileBytes(good, "[main]\r\nSoftVer=0.731\r\ntitle=good\r\n");
    AddToHistory(w.History, good);
    AddToHistory(w.History, bad);
    OpenFromHistory(w.Env, 2);
    EXPECT_EQ(w.Form->Text("edtPageTitle"), "good");
    EXPECT_EQ(Paths(w.History), Expected({good, bad, missing}));
    EXPECT_EQ(w.State.CurrentSettingsFile, good);
    OpenFromHistory(w.Env, 2);
    EXPECT_EQ(Paths(w.History), Expected({good, bad, missing}));
    EXPECT_EQ(w.State.CurrentSettingsFile, good);
    OpenFromHistory(w.Env, 3);  // no longer there: the message, and it still moves up
    EXPECT_EQ(Paths(w.History), Expected({missing, good, bad}));
    OpenFromHistory(w.Env, 7);  // a free position does nothing
    OpenFromHistory(w.Env, 11);
    EXPECT_EQ(w.State.CurrentSettingsFile, missing);
}
