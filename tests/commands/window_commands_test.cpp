#include <gtest/gtest.h>

#include "commands/main_commands.h"
#include "commands/preview_files.h"
#include "engine/encoding.h"
#include "tests/commands/command_window.h"

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
    const TPreviewFiles files = PreviewFilesIn(w.Folder.Path());
    WriteFileBytes(files.Source, "x");
    WriteFileBytes(files.Page, "y");
    w.OptionsPath = w.Folder.File("porukano.ini");
    w.Form->SetChecked("chkbxPreview", true);
    w.Options.Url = "https://example.org/help";
    CloseSteps(w.Env);
    EXPECT_FALSE(FileExists(files.Source));
    EXPECT_FALSE(FileExists(files.Page));
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

}  // namespace
