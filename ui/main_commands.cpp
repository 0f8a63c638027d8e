// The main window's commands on the Qt side. The start-up sequence, the convert command and
// dropped files hand the window's state (TCommandEnv) to commands/, which does the work. Kept
// here: the choice of the input file (its folder check is shared with the style editors' image
// choices), the close steps (the preview's temporary files belong to the preview), the exit and
// help commands, and showing the other windows.
#include "commands/main_commands.h"
#include "commands/convert_command.h"
#include "engine/encoding.h"
#include "settings/untIniOption.h"
#include "ui/Unit1.h"
#include "ui/UntVerInf.h"
#include "ui/option_window.h"
#include "ui/preview_files.h"
#include "ui/qt_text.h"
#include "ui/untFrmText.h"

void TfrmMain::StartUp() {
    StartUpSequence(commands_);
}

void TfrmMain::ConvertCommand() {
    ::ConvertCommand(commands_);
}

void TfrmMain::DropFiles(const QStringList& paths) {
    std::vector<std::string> native;
    for (const QString& path : paths)
        native.push_back(ToNative(path));
    ::DropFiles(commands_, native);
}

void TfrmMain::ChooseInputFile() {
    TFileDialogRequest request;
    request.InitialFileName = ToNative(InputPath());
    if (!PrepareDialogFolder(platform_, request.InitialFileName, request.InitialFolder))
        return;
    if (const std::optional<std::string> chosen = platform_.OpenFileDialog(request))
        SetInputPath(FromNative(*chosen));
}

void TfrmMain::CloseSteps() {
    RemovePreviewFiles(state_.ProgramFolder);
    WriteClosingOptions(optionsPath_, form_, options_, platform_);
}

void TfrmMain::ExitCommand() {
    EndProgram();
}

void TfrmMain::EndProgram() {
    ending_ = true;
    if (endProgram_)
        endProgram_();
}

void TfrmMain::ShowTextBox() {
    textBox_->ShowModal();
}

void TfrmMain::ShowOptions() {
    optionDialog_->exec();
}

void TfrmMain::ShowAbout() {
    about_->exec();
}

void TfrmMain::OnlineHelp() {
    const std::string url = SjisToUtf8(options_.Url);
    if (!url.empty())
        platform_.OpenWithAssociatedProgram(url);
}
