#include <gtest/gtest.h>

#include "commands/input_encoding_label.h"
#include "commands/main_commands.h"
#include "commands/preview_files.h"
#include "engine/text/encoding.h"
#include "tests/commands/command_window.h"
#include "tests/support/environment.h"

namespace {

TEST(THeadlessWindowCommands, ChoosingTheInputFileStartsInItsFolderOrRefusesAMissingOne) {
    TCommandWindow w;
    const std::string chosen = w.Folder.File("chosen.txt");
    w.Input = w.Folder.File("old.txt");
    w.Platform.FileDialogAnswers = {chosen};
    ChooseInputFile(w.Env);
    ASSERT_EQ(w.Platform.FileDialogs.size(), 1u);
    EXPECT_EQ(w.Platform.FileDialogs[0].InitialFileName, w.Folder.File("old.txt"));
    EXPECT_EQ(w.Platform.FileDialogs[0].InitialFolder, w.Folder.Path());
    EXPECT_EQ(w.Input, chosen);

    // A cancelled dialog keeps the input path.
    w.Platform.FileDialogAnswers = {std::nullopt};
    ChooseInputFile(w.Env);
    EXPECT_EQ(w.Input, chosen);

    // The folder of the input path is gone: the error, no dialog, the path kept.
    w.Input = w.Folder.File("gone/x.txt");
    ChooseInputFile(w.Env);
    EXPECT_EQ(w.Platform.FileDialogs.size(), 2u);
    ASSERT_EQ(w.Platform.Messages.size(), 1u);
    EXPECT_EQ(w.Platform.Messages[0].Kind, TMessageKind::Error);
    EXPECT_EQ(w.MessageTexts()[0].rfind("I/O エラー (", 0), 0u);
    EXPECT_EQ(w.Input, w.Folder.File("gone/x.txt"));
}

TEST(THeadlessWindowCommands, TheCloseStepsRemoveThePreviewFilesAndWriteTheClosingOptions) {
    TCommandWindow w;
    TEnvironmentVariable runtime("XDG_RUNTIME_DIR", w.Folder.Path());
    TPreviewFolder preview;
    w.Env.PreviewFolder = &preview;
    const std::string folder = preview.Path();
    ASSERT_EQ(folder.rfind(w.Folder.File("porukano-preview-"), 0), 0u) << folder;
    const TPreviewFiles files = PreviewFilesIn(folder);
    WriteFileBytes(files.Source, "x");
    WriteFileBytes(files.Page, "y");
    w.OptionsPath = w.Folder.File("porukano.ini");
    w.Form->SetChecked("chkbxPreview", true);
    w.Options.Url = "https://example.org/help";
    CloseSteps(w.Env);
    EXPECT_FALSE(FileExists(folder));
    const std::string ini = ReadFileBytes(w.OptionsPath);
    EXPECT_NE(ini.find("BrowserView=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Url=https://example.org/help"), std::string::npos) << ini;
    EXPECT_TRUE(w.Platform.Messages.empty());
}

TEST(THeadlessWindowCommands, OnlineHelpOpensTheOptionsAddressWhenThereIsOne) {
    TCommandWindow w;
    w.Options.Url.clear();
    OnlineHelp(w.Env);
    EXPECT_TRUE(w.Platform.Opened.empty());
    w.Options.Url = "https://example.org/help";
    OnlineHelp(w.Env);
    EXPECT_EQ(w.Platform.Opened, std::vector<std::string>{"https://example.org/help"});
}

TEST(THeadlessWindowCommands, TheInputFileShowsTheEncodingItIsReadIn) {
    TCommandWindow w;
    ConnectInputEncodingLabel(w.Env);
    const std::string utf8 = w.Folder.File("utf8.txt");
    const std::string sjis = w.Folder.File("sjis.txt");
    WriteFileBytes(utf8, "吾輩は猫である。\n名前はまだ無い。\n");
    WriteSjisLines(sjis, {"吾輩は猫である。"});
    const auto label = [&w] { return SjisToUtf8(w.Form->Text("lblInputEncoding")); };

    DropFiles(w.Env, {utf8});
    EXPECT_EQ(label(), "文字コード: UTF-8（自動判別）");
    w.Platform.FileDialogAnswers = {sjis};
    ChooseInputFile(w.Env);
    EXPECT_EQ(label(), "文字コード: Shift_JIS（自動判別）");
    // A named encoding is shown as named, at once; back on automatic the file is looked at again.
    w.Form->SetItemIndex("cmbInputEncoding", 3);
    EXPECT_EQ(label(), "文字コード: EUC-JP（指定）");
    w.Form->SetItemIndex("cmbInputEncoding", 0);
    EXPECT_EQ(label(), "文字コード: Shift_JIS（自動判別）");
    EXPECT_TRUE(w.Platform.Messages.empty());
}

}  // namespace
