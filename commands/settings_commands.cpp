#include "commands/settings_commands.h"

#include <cerrno>

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "settings/atomic_file.h"
#include "settings/settings_file.h"
#include "settings/settings_messages.h"
#include "settings/untFileHistory.h"
#include "settings/untIniOption.h"

std::optional<TSettingsSaveTarget> ChooseSettingsSavePath(TSettingsEnv& env) {
    const std::string& current = env.State.CurrentSettingsFile;
    TSettingsSaveTarget target;
    TFileDialogRequest request;
    request.InitialFileName = current;
    if (ExtensionOf(current) == ".rkn") {
        request.InitialFileName = current.substr(0, current.size() - 4) + ".prkn";
        target.SupersededRkn = current;
    }
    request.Filter = Sjis("変換設定ファイル(*.prkn)|*.prkn");
    request.AskBeforeOverwrite = true;
    std::optional<std::string> chosen = env.Platform.SaveFileDialog(request);
    if (!chosen || chosen->empty())
        return std::nullopt;
    target.Path = *std::move(chosen);
    if (ExtensionOf(target.Path) != ".prkn")
        target.Path += ".prkn";
    return target;
}

void SaveSettingsCommand(TSettingsEnv& env) {
    const std::optional<TSettingsSaveTarget> target = ChooseSettingsSavePath(env);
    if (!target)
        return;
    TStrInfo settings;
    if (!GatherSettings(env.MainWindow, env.Platform, settings))
        return;
    if (!SaveSettingsFile(env, target->Path, settings))
        return;
    // The old ".rkn" file goes only now that its successor is completely written.
    int errorCode = 0;
    if (!target->SupersededRkn.empty() && !DeleteFileReporting(target->SupersededRkn, errorCode) &&
        errorCode != ENOENT) {
        ShowIoError(env.Platform, errorCode);
    }
    RecordSettingsFileUse(env, target->Path);
}

void OpenSettingsCommand(TSettingsEnv& env) {
    const std::string path = ChooseSettingsOpenPath(env.Platform);
    if (path.empty())
        return;
    if (LoadSettingsFile(env, path) == TLoadResult::Stopped)
        return;
    RecordSettingsFileUse(env, path);
}

void RecordSettingsFileUse(TSettingsEnv& env, const std::string& path) {
    env.State.CurrentSettingsFile = path;
    AddToHistory(env.History, path);
    ShowHistoryInMenu(env.History, env.MainWindow);
    SaveHistory(OptionsFilePath(env.State.OptionsFolder), env.History, env.Platform);
}

void OpenFromHistory(TSettingsEnv& env, int k) {
    if (k < 1 || k > kSettingsHistorySize)
        return;
    const std::string path = env.History[k - 1].Path;
    if (path.empty())
        return;
    if (LoadSettingsFile(env, path) == TLoadResult::Stopped)
        return;
    RecordSettingsFileUse(env, path);
}
