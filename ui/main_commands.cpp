// The main window's commands on the Qt side: each slot hands the window's state to the command of
// commands/ that does the work. What stays here needs the window's own widgets: the choice of
// the input file, the close steps, and showing the other windows.
#include <QApplication>

#include "commands/convert_command.h"
#include "commands/main_commands.h"
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
