// The main window's commands on the Qt side: each hands the window's state (TCommandEnv) to
// commands/, which does the work. Kept here: ending the event loop and showing the other windows.
#include "commands/main_commands.h"
#include "commands/convert_command.h"
#include "commands/folder_conversion.h"
#include "ui/Unit1.h"
#include "ui/UntVerInf.h"
#include "ui/option_window.h"
#include "ui/qt_text.h"
#include "ui/untFrmText.h"

void TfrmMain::StartUp() {
    StartUpSequence(commands_);
}

void TfrmMain::ConvertCommand() {
    ::ConvertCommand(commands_);
}

void TfrmMain::ConvertFolderCommand() {
    ::ConvertFolderCommand(commands_);
}

void TfrmMain::DropFiles(const QStringList& paths) {
    std::vector<std::string> native;
    for (const QString& path : paths)
        native.push_back(ToNative(path));
    ::DropFiles(commands_, native);
}

void TfrmMain::ChooseInputFile() {
    ::ChooseInputFile(commands_);
}

void TfrmMain::CloseSteps() {
    ::CloseSteps(commands_);
}

void TfrmMain::ExitCommand() {
    RememberSettingsAtEnd(commands_);
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
    ::OnlineHelp(commands_);
}
