#include <gtest/gtest.h>

#include <filesystem>

#include "commands/main_commands.h"
#include "commands/settings_commands.h"
#include "engine/page/converter.h"
#include "engine/text/encoding.h"
#include "settings/untFileHistory.h"
#include "settings/untFrmOption.h"
#include "settings/untIniOption.h"
#include "tests/commands/command_window.h"
#include "tests/settings/settings_window.h"

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
    EXPECT_NE(ReadFileBytes(OptionsFilePath(w.State.OptionsFolder))
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
    EXPECT_EQ(HistoryPaths(w.History), ExpectedHistory({good, bad, missing}));
    EXPECT_EQ(w.State.CurrentSettingsFile, good);
    OpenFromHistory(w.Env, 2);
    EXPECT_EQ(HistoryPaths(w.History), ExpectedHistory({good, bad, missing}));
    EXPECT_EQ(w.State.CurrentSettingsFile, good);
    OpenFromHistory(w.Env, 3);  // no longer there: the message, and it still moves up
    EXPECT_EQ(HistoryPaths(w.History), ExpectedHistory({missing, good, bad}));
    OpenFromHistory(w.Env, 7);  // a free position does nothing
    OpenFromHistory(w.Env, 11);
    EXPECT_EQ(w.State.CurrentSettingsFile, missing);
}

TEST(SettingsCommands, ADroppedSettingsFileIsOpenedAndAnyOtherFileBecomesTheInput) {
    TCommandWindow w;
    const std::string settings = w.Folder.File("set.prkn");
    WriteSjisLines(settings, {"[main]", "SoftVer=0.731", "title=dropped"});
    w.Input = "/before.txt";
    DropFiles(w.Env, {settings, w.Folder.File("second.txt")});
    EXPECT_EQ(w.Form->Text("edtPageTitle"), "dropped");
    EXPECT_EQ(w.State.CurrentSettingsFile, settings);
    EXPECT_EQ(w.History[0].Path, settings);
    EXPECT_EQ(w.Form->Text("mitmPrknHis1"), settings);
    EXPECT_NE(ReadFileBytes(w.OptionsPath).find("History1=" + settings), std::string::npos);
    EXPECT_EQ(w.Input, "/before.txt");
    // Only ".prkn" exactly: other extensions, an old ".rkn" among them, name the input file.
    for (const char* name : {"set.PRKN", "old.rkn", "a.txt", "noextension"}) {
        DropFiles(w.Env, {w.Folder.File(name), settings});
        EXPECT_EQ(w.Input, w.Folder.File(name));
    }
    EXPECT_EQ(HistoryPaths(w.History), ExpectedHistory({settings}));
    // A settings file whose load stops on a bad colour is not recorded.
    const std::string bad = w.Folder.File("bad.prkn");
    WriteSjisLines(bad, {"[main]", "SoftVer=0.731", "normalcolr=GG"});
    DropFiles(w.Env, {bad});
    EXPECT_EQ(w.State.CurrentSettingsFile, settings);
    EXPECT_EQ(HistoryPaths(w.History), ExpectedHistory({settings}));
    EXPECT_EQ(w.Platform.Messages.size(), 1u);
}

TEST(SettingsCommands, WithoutAWritableProgramFolderEveryWriteGoesToTheConfigFolder) {
    // As installed in /usr/bin: no PORUKANO_HOME and no porukano.ini beside the program. The
    // options, the history and the remembered settings go to $XDG_CONFIG_HOME/porukano, made by
    // the first of them, and no write is refused.
    TCommandWindow w;
    const TEnvironmentVariable noHome("PORUKANO_HOME", std::nullopt);
    const TEnvironmentVariable config("XDG_CONFIG_HOME", w.Folder.File("config"));
    const std::string folder = w.Folder.File("config/porukano/");
    StartUpSequence(w.Env);
    EXPECT_EQ(w.State.OptionsFolder, folder);
    EXPECT_EQ(w.OptionsPath, folder + "porukano.ini");
    EXPECT_FALSE(FileExists(folder));

    w.Platform.FileDialogAnswers = {w.Folder.File("mine.prkn")};
    SaveSettingsCommand(w.Settings);
    EXPECT_TRUE(FileExists(w.Folder.File("mine.prkn")));
    EXPECT_NE(ReadFileBytes(w.OptionsPath).find("History1=" + w.Folder.File("mine.prkn")),
              std::string::npos);

    std::filesystem::remove_all(w.Folder.File("config"));
    w.OptionDialog->SetItemIndex("cmbExtension", 1);
    EXPECT_TRUE(btnOKClick(*w.OptionDialog, w.Options, w.State.OptionsFolder, w.Platform));
    EXPECT_NE(ReadFileBytes(w.OptionsPath).find("Extension=1"), std::string::npos);

    std::filesystem::remove_all(w.Folder.File("config"));
    CloseSteps(w.Env);
    EXPECT_NE(ReadFileBytes(w.OptionsPath).find("BrowserView=0"), std::string::npos);
    EXPECT_TRUE(FileExists(folder + "last.prkn"));

    // A separate stylesheet with no input path shown: default.css beside the page that links it,
    // and nothing in the program's folder.
    std::filesystem::remove_all(w.Folder.File("config"));
    w.State.CurrentSettingsFile.clear();
    w.Form->SetChecked("chkOutputCSSDef", true);
    WriteFileBytes(w.Folder.File("a.txt"), "a\r\n");
    bool images = false;
    EXPECT_TRUE(ConvertTextFile(w.Engine, w.Folder.File("a.txt"), w.Folder.File("a.htm"), images));
    EXPECT_TRUE(FileExists(w.Folder.File("default.css")));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_TRUE(w.Platform.Messages.empty()) << w.MessageTexts()[0];
}
