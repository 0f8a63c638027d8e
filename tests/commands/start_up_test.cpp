// The start of the window: the settings of the last close, the start-up settings file that wins
// over them, and "--open FILE", which opens the file without converting it.
#include <gtest/gtest.h>

#include <filesystem>

#include "commands/main_commands.h"
#include "engine/text/encoding.h"
#include "tests/commands/command_window.h"
#include "tests/support/environment.h"

namespace {

// The close of a window whose writer turned on ruby, vertical pages and a link style; the file
// it leaves behind.
std::string SettingsOfAClosedWindow(const std::vector<std::string>& optionLines = {}) {
    TCommandWindow w;
    w.WriteOptionsFile(optionLines);
    StartUpSequence(w.Env);
    w.Form->SetChecked("chkRubyNotation", true);
    w.Form->SetChecked("chkVerticalWriting", true);
    w.Form->SetItemIndex("cmbLinkStyle", 1);
    CloseSteps(w.Env);
    const std::string last = w.Folder.File("last.prkn");
    return FileExists(last) ? ReadFileBytes(last) : std::string();
}

TEST(THeadlessStartUp, TheNextStartHasTheSettingsOfTheLastCloseUnlessTheOptionsSayOtherwise) {
    const std::string last = SettingsOfAClosedWindow();
    ASSERT_NE(last.find("RubyNotation=1"), std::string::npos);

    TCommandWindow next;
    WriteFileBytes(next.Folder.File("last.prkn"), last);
    StartUpSequence(next.Env);
    EXPECT_TRUE(next.Form->Checked("chkRubyNotation"));
    EXPECT_TRUE(next.Form->Checked("chkVerticalWriting"));
    EXPECT_EQ(next.Form->ItemIndex("cmbLinkStyle"), 1);
    EXPECT_EQ(next.Form->Text("frmMain"), Sjis("ポルカノＨＴＭＬ変換 ver0.732"));
    EXPECT_TRUE(next.Platform.Messages.empty());
    // Not a file of the user's: the history in the menu stays empty.
    EXPECT_FALSE(next.Form->Visible("mitmPrknHis1"));

    // A start-up settings file wins over them.
    TCommandWindow named;
    WriteFileBytes(named.Folder.File("last.prkn"), last);
    const std::string start = named.Folder.File("start.prkn");
    WriteSjisLines(start, {"[main]", "SoftVer=0.731", "title=start"});
    named.WriteOptionsFile({"[Start]", "StartRknFile=" + start});
    StartUpSequence(named.Env);
    EXPECT_EQ(named.Form->Text("edtPageTitle"), "start");
    EXPECT_FALSE(named.Form->Checked("chkRubyNotation"));
    EXPECT_FALSE(named.Form->Checked("chkVerticalWriting"));

    // The option off: the start is fresh, and the close keeps nothing.
    TCommandWindow off;
    WriteFileBytes(off.Folder.File("last.prkn"), last);
    off.WriteOptionsFile({"[Start]", "RememberSettings=0"});
    StartUpSequence(off.Env);
    EXPECT_FALSE(off.Options.RememberSettings);
    EXPECT_FALSE(off.Form->Checked("chkRubyNotation"));
    EXPECT_EQ(off.Form->ItemIndex("cmbLinkStyle"), 0);
    EXPECT_EQ(SettingsOfAClosedWindow({"[Start]", "RememberSettings=0"}), "");
}

TEST(THeadlessStartUp, ADamagedRememberedFileStillStartsTheWindowFresh) {
    TCommandWindow w;
    WriteFileBytes(w.Folder.File("last.prkn"),
                   "[main]\r\nSoftVer=0.731\r\nRubyNotation=1\r\nlinkcolor=nothex\r\n");
    const std::string file = w.Folder.File("story.txt");
    WriteSjisLines(file, {"本文"});
    w.Env.Arguments = {kOpenArgument, file};
    StartUpSequence(w.Env);
    EXPECT_FALSE(w.Form->Checked("chkRubyNotation"));
    ASSERT_EQ(w.Platform.Messages.size(), 1u);
    EXPECT_EQ(w.Platform.Messages[0].Kind, TMessageKind::Warning);
    // The start went on: the file is open.
    EXPECT_EQ(w.Input, file);
}

TEST(THeadlessStartUp, OpenMakesTheFileTheInputAndConvertsNothing) {
    TCommandWindow w;
    const std::string file = w.Folder.File("story.txt");
    WriteFileBytes(file, "吾輩は猫である。\n");
    w.Env.Arguments = {kOpenArgument, file};
    StartUpSequence(w.Env);
    EXPECT_EQ(w.Input, file);
    EXPECT_EQ(SjisToUtf8(w.Form->Text("lblInputEncoding")), "文字コード: UTF-8（自動判別）");
    EXPECT_FALSE(FileExists(w.Folder.File("story.htm")));
    EXPECT_TRUE(w.Platform.Messages.empty());
    EXPECT_TRUE(w.Platform.Opened.empty());
    EXPECT_EQ(w.EndRequests, 0);

    // A path relative to the current folder is made absolute.
    const TCurrentFolder here(w.Folder.Path());
    TCommandWindow relative;
    relative.Env.Arguments = {kOpenArgument, "story.txt", "second.txt"};
    StartUpSequence(relative.Env);
    EXPECT_EQ(relative.Input, file);
    // Only one file is opened; the others are named in a warning.
    ASSERT_EQ(relative.Platform.Messages.size(), 1u);
    EXPECT_EQ(relative.Platform.Messages[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(relative.EndRequests, 0);
}

TEST(THeadlessStartUp, AFileThatCannotBeOpenedIsAnErrorWithItsReason) {
    TCommandWindow w;
    std::filesystem::create_directory(w.Folder.File("folder"));
    const std::vector<std::pair<std::string, std::string>> cases = {
        {w.Folder.File("missing.txt"), "ファイルが存在しません。"},
        {w.Folder.File("folder"), "ファイルではなくフォルダーです。"},
    };
    for (const auto& [path, reason] : cases) {
        TCommandWindow window;
        window.Env.Arguments = {kOpenArgument, path};
        StartUpSequence(window.Env);
        EXPECT_EQ(window.Input, "");
        ASSERT_EQ(window.Platform.Messages.size(), 1u) << path;
        EXPECT_EQ(window.Platform.Messages[0].Kind, TMessageKind::Error);
        EXPECT_EQ(window.MessageTexts()[0],
                  "以下のファイルを開けません。\r\n\t" + path + "\r\n理由: " + reason);
        EXPECT_EQ(window.EndRequests, 0);
    }
    // "--open" alone starts the window with nothing open and no question.
    TCommandWindow bare;
    bare.Env.Arguments = {kOpenArgument};
    StartUpSequence(bare.Env);
    EXPECT_TRUE(bare.Platform.Messages.empty());
    EXPECT_EQ(bare.EndRequests, 0);
}

}  // namespace
