// The commands of the main window: the start-up sequence with the batch conversion of the files
// on the command line, the convert command, dropped files, the choice of the input file, and the
// two ways of ending the program.
#include <QApplication>

#include <filesystem>
#include <system_error>

#include "engine/converter.h"
#include "engine/encoding.h"
#include "engine/identity.h"
#include "engine/program_folder.h"
#include "settings/output_path.h"
#include "settings/settings_file.h"
#include "settings/untFileHistory.h"
#include "ui/Unit1.h"
#include "ui/UntVerInf.h"
#include "ui/option_window.h"
#include "ui/preview_files.h"
#include "ui/qt_text.h"
#include "ui/untFrmText.h"

namespace {

// The extension of a path's file name, from its last "." on ("" without one).
std::string ExtensionOf(const std::string& path) {
    const std::string name = FileNamePartOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

bool IsSettingsFileArgument(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    return extension == ".rkn" || extension == ".prkn";
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

}  // namespace

TForm& TfrmMain::OptionForm() {
    return optionDialog_->Form();
}

void TfrmMain::StartUp() {
    state_.ProgramFolder = FindProgramFolder();
    setWindowTitle(kIdentityUtf8);
    optionsPath_ = OptionsFilePath(state_.ProgramFolder);
    ReadOptions(optionsPath_, OptionForm(), options_, platform_);
    ReadBrowserView(optionsPath_, form_, platform_);
    ApplyOptionDialog(OptionForm(), options_);
    if (!options_.StartRknFile.empty())
        LoadSettingsFile(settingsEnv_, SjisPathToNative(options_.StartRknFile));
    if (!arguments_.empty() && BatchConversion())
        return;
    LoadHistory(optionsPath_, history_, platform_);
    ShowHistoryInMenu(history_, form_);
}

bool TfrmMain::BatchConversion() {
    int converted = 0;
    bool textFileSeen = false;
    for (std::size_t i = 0; i < arguments_.size(); ++i) {
        const std::string& argument = arguments_[i];
        if (i == 0 && IsSettingsFileArgument(argument)) {
            LoadSettingsFile(settingsEnv_, argument);
            continue;
        }
        // Before the first text file, wherever it stands: the user is told that pages will be
        // overwritten, also when a settings file came first.
        if (!textFileSeen) {
            if (!options_.CnvDialogUnvisible &&
                platform_.ShowMessage(TMessageKind::Confirmation,
                                      Sjis("設定した拡張子でファイルを出力します。\r\n"
                                           "同じファイル名があった場合強制的に上書きされます。\r\n"
                                           "処理を始めてもいいですか？"),
                                      mbYes | mbNo) == mbNo) {
                platform_.ShowMessage(TMessageKind::Information, Sjis("終了しました。"), mbYes);
                EndProgram();
                return true;
            }
            platform_.SetBusyCursor(true);
        }
        const std::string output = MakeOutputPath(argument, options_);
        bool usesImages = false;
        if (ConvertTextFile(env_, argument, output, usesImages)) {
            ++converted;
            if (form_.Checked("chkbxPreview") && !options_.BrowserPath.empty()) {
                platform_.RunCommandLine(MakeBrowserCommand(output, options_));
            } else {
                platform_.OpenWithAssociatedProgram(output);
            }
        }
        textFileSeen = true;
    }
    if (!textFileSeen)
        return false;
    platform_.SetBusyCursor(false);
    if (!options_.CnvDialogUnvisible) {
        ShowOk(platform_, TMessageKind::Information,
               Sjis("全ファイル変換終了♪\r\n") + std::to_string(converted) +
                   Sjis("個のファイルをＨＴＭＬに変換しました。") + "\r\n" + Sjis("終了します。"));
    }
    EndProgram();
    return true;
}

void TfrmMain::ConvertCommand() {
    const std::string input = ToNative(InputPath());
    if (input.empty()) {
        ShowOk(platform_, TMessageKind::Confirmation, Sjis("入力ファイルが指定されていません！"));
        return;
    }
    ReadOptions(optionsPath_, OptionForm(), options_, platform_);
    ApplyOptionDialog(OptionForm(), options_);
    std::string output = MakeOutputPath(input, options_);
    if (FileExists(output) && !options_.OverWrite &&
        platform_.ShowMessage(
            TMessageKind::Confirmation,
            PathForMessage(output) + "\r\n" + Sjis("がすでに存在します。上書きしますか？"),
            mbYes | mbNo) == mbNo) {
        TFileDialogRequest request;
        request.Filter = Sjis("htmlファイル(*.htm)|*.htm");
        request.AskBeforeOverwrite = true;
        const std::optional<std::string> chosen = platform_.SaveFileDialog(request);
        if (!chosen) {
            ShowOk(platform_, TMessageKind::Confirmation,
                   Sjis("出力ファイルが指定されていません！"));
            return;
        }
        output = *chosen;
    }
    bool usesImages = false;
    if (!ConvertTextFile(env_, input, output, usesImages))
        return;
    if (!options_.NoDialog) {
        std::string text = Sjis("変換したファイルを\r\n") + PathForMessage(output) + "\r\n" +
                           Sjis("に出力しました。");
        if (usesImages) {
            text += "\r\n" + Sjis("画像のパスは設置するＷｅｂサーバーのパスに") + "\r\n" +
                    Sjis("合うように各自で修正してください。") + "\r\n" +
                    Sjis("注)今のままではこのＰＣ上でしか表示できません。");
        }
        ShowOk(platform_, TMessageKind::Information, text);
    }
    if (form_.Checked("chkbxPreview"))
        OpenOutput(output);
}

void TfrmMain::OpenOutput(const std::string& output) {
    if (!options_.BrowserPath.empty()) {
        platform_.RunCommandLine(MakeBrowserCommand(output, options_));
    } else {
        platform_.OpenWithAssociatedProgram(output);
    }
}

void TfrmMain::DropFiles(const QStringList& paths) {
    if (paths.isEmpty())
        return;
    const std::string path = ToNative(paths.constFirst());
    if (ExtensionOf(path) == ".prkn") {
        if (LoadSettingsFile(settingsEnv_, path) != TLoadResult::Stopped)
            RecordSettingsFileUse(settingsEnv_, path);
        return;
    }
    SetInputPath(paths.constFirst());
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
