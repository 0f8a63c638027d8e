#include "commands/main_commands.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "commands/folder_conversion.h"
#include "commands/input_encoding_label.h"
#include "commands/page_conversion.h"
#include "commands/preview_files.h"
#include "commands/settings_commands.h"
#include "commands/style_editors.h"
#include "engine/base/file_paths.h"
#include "engine/base/identity.h"
#include "engine/text/encoding.h"
#include "engine/text/file_failure.h"
#include "settings/options_folder.h"
#include "settings/output_path.h"
#include "settings/remembered_settings.h"
#include "settings/settings_file.h"
#include "settings/untFileHistory.h"
#include "settings/untIniOption.h"

namespace {

bool IsSettingsFileArgument(const std::string& path) {
    const std::string extension = ExtensionOf(path);
    return extension == ".rkn" || extension == ".prkn";
}

// The question before the first text file; false when the user declined, and the program was
// asked to end.
bool ConfirmBatch(TCommandEnv& env) {
    TPlatform& platform = env.Engine.Platform;
    if (env.Options.CnvDialogUnvisible ||
        platform.ShowMessage(TMessageKind::Confirmation,
                             Sjis("設定した拡張子でファイルを出力します。\r\n"
                                  "同じファイル名があった場合強制的に上書きされます。\r\n"
                                  "処理を始めてもいいですか？"),
                             mbYes | mbNo) != mbNo) {
        return true;
    }
    platform.ShowMessage(TMessageKind::Information, Sjis("終了しました。"), mbYes);
    env.EndProgram();
    return false;
}

// Why a file to open cannot be taken, in the words of the conversion's failures; empty when it
// can. A folder opens for reading on some systems, so it is refused before the open is tried.
std::string WhyNotOpenable(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileFailureReason(EISDIR, TFileUse::Read, path);
    errno = 0;
    if (std::ifstream(path, std::ios::binary))
        return {};
    return FileFailureReason(errno != 0 ? errno : ENOENT, TFileUse::Read, path);
}

}  // namespace

void StartUpSequence(TCommandEnv& env) {
    TProgramState& state = env.Engine.State;
    TPlatform& platform = env.Engine.Platform;
    TForm& mainWindow = env.Engine.Form;
    state.OptionsFolder = FindOptionsFolder();
    ConnectInputEncodingLabel(env);
    mainWindow.SetText("frmMain", Sjis(kIdentityUtf8));
    env.OptionsPath = OptionsFilePath(state.OptionsFolder);
    ReadOptions(env.OptionsPath, *env.OptionDialog, env.Options, platform);
    ReadBrowserView(env.OptionsPath, mainWindow, platform);
    ApplyOptionDialog(*env.OptionDialog, env.Options);
    if (!env.Options.StartRknFile.empty()) {
        LoadSettingsFile(env.Settings, SjisPathToNative(env.Options.StartRknFile));
    } else if (env.Options.RememberSettings) {
        LoadRememberedSettings(env.Settings);
    }
    if (!env.Arguments.empty() && env.Arguments.front() == kOpenArgument) {
        OpenFileArgument(env);
    } else if (!env.Arguments.empty() && BatchConversion(env)) {
        return;
    }
    LoadHistory(env.OptionsPath, env.Settings.History, platform);
    ShowHistoryInMenu(env.Settings.History, mainWindow);
}

bool BatchConversion(TCommandEnv& env) {
    TPlatform& platform = env.Engine.Platform;
    std::vector<TBatchFile> files;
    for (std::size_t i = 0; i < env.Arguments.size(); ++i) {
        const std::string& argument = env.Arguments[i];
        if (i == 0 && IsSettingsFileArgument(argument)) {
            LoadSettingsFile(env.Settings, argument);
            continue;
        }
        // The page is handed to a browser that runs in a folder of its own.
        TBatchFile file;
        file.Text = AbsolutePath(argument);
        file.Page = MakeOutputPath(file.Text, env.Options);
        std::error_code ec;
        file.Bytes = std::filesystem::file_size(file.Text, ec);
        files.push_back(std::move(file));
    }
    if (files.empty())
        return false;
    // The user is told that pages will be overwritten, also when a settings file came first.
    if (!ConfirmBatch(env))
        return true;
    platform.SetBusyCursor(true);
    RefuseSharedPages(files);
    const bool browserTicked = env.Engine.Form.Checked("chkbxPreview");
    const TBatchCounts counts =
        RunBatch(env, std::move(files), [&](const TBatchFile& file, const TBatchResult& result) {
            for (const TBatchMessage& message : result.Messages)
                ShowOk(platform, message.Kind, message.Text);
            if (result.Outcome == TBatchOutcome::Converted)
                ShowPage(platform, env.Options, file.Page, browserTicked);
        });
    platform.SetBusyCursor(false);
    if (!env.Options.CnvDialogUnvisible) {
        ShowOk(platform, TMessageKind::Information,
               Sjis("全ファイル変換終了♪\r\n") + std::to_string(counts.Converted) +
                   Sjis("個のファイルをＨＴＭＬに変換しました。") + "\r\n" + Sjis("終了します。"));
    }
    env.EndProgram();
    return true;
}

void OpenFileArgument(TCommandEnv& env) {
    if (env.Arguments.size() < 2)
        return;
    TPlatform& platform = env.Engine.Platform;
    const std::string path = AbsolutePath(env.Arguments[1]);
    if (const std::string reason = WhyNotOpenable(path); !reason.empty()) {
        ShowOk(platform, TMessageKind::Error,
               Sjis("以下のファイルを開けません。\r\n\t") + PathForMessage(path) +
                   Sjis("\r\n理由: ") + reason);
    } else {
        DropFiles(env, {path});
    }
    if (env.Arguments.size() > 2) {
        ShowOk(platform, TMessageKind::Warning,
               Sjis("開けるファイルは一つです。二つ目からのファイルは開きません。"));
    }
}

void DropFiles(TCommandEnv& env, const std::vector<std::string>& paths) {
    if (paths.empty())
        return;
    const std::string& path = paths.front();
    if (ExtensionOf(path) == ".prkn") {
        if (LoadSettingsFile(env.Settings, path) != TLoadResult::Stopped)
            RecordSettingsFileUse(env.Settings, path);
        return;
    }
    env.SetInputPath(path);
    ShowInputEncoding(env);
}

void ChooseInputFile(TCommandEnv& env) {
    TPlatform& platform = env.Engine.Platform;
    TFileDialogRequest request;
    request.InitialFileName = env.InputPath();
    if (!PrepareDialogFolder(platform, request.InitialFileName, request.InitialFolder))
        return;
    if (const std::optional<std::string> chosen = platform.OpenFileDialog(request)) {
        env.SetInputPath(*chosen);
        ShowInputEncoding(env);
    }
}

void CloseSteps(TCommandEnv& env) {
    if (env.PreviewFolder != nullptr)
        env.PreviewFolder->Remove();
    WriteClosingOptions(env.OptionsPath, env.Engine.Form, env.Options, env.Engine.Platform);
    RememberSettingsAtEnd(env);
}

void RememberSettingsAtEnd(TCommandEnv& env) {
    if (env.Options.RememberSettings)
        SaveRememberedSettings(env.Settings);
}

void OnlineHelp(TCommandEnv& env) {
    const std::string url = SjisToUtf8(env.Options.Url);
    if (!url.empty())
        env.Engine.Platform.OpenWithAssociatedProgram(url);
}
