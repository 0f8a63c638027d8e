// The file menu's settings commands: saving and opening a settings file through their dialogs,
// and opening one from the history. After a settings file was saved or opened, its use is
// recorded: CurrentSettingsFile := path, AddToHistory, ShowHistoryInMenu, SaveHistory.
#pragma once

#include <optional>
#include <string>

#include "settings/settings_env.h"

// File menu "この変換設定を保存(&S)": asks for a path, gathers the window, saves, and on success
// makes the path CurrentSettingsFile and the top of the history (then stores the history). A
// superseded ".rkn" file is deleted only after the new file is completely written.
void SaveSettingsCommand(TSettingsEnv& env);

// File menu "変換設定を読み込む(&O)": asks for a path and loads it; unless the load stopped on a
// bad colour, the path becomes CurrentSettingsFile and the top of the history, also when there
// was no file at the path.
void OpenSettingsCommand(TSettingsEnv& env);

// The click of mitmPrknHis<k>, k from 1 to 10: loads the file at position k-1 and, unless the
// load stopped on a bad colour, records its use (so it moves to the top), also when the file no
// longer exists. A free position or a k out of range does nothing.
void OpenFromHistory(TSettingsEnv& env, int k);

// CurrentSettingsFile := path, then AddToHistory, ShowHistoryInMenu and SaveHistory on the options
// file of env.State.OptionsFolder.
void RecordSettingsFileUse(TSettingsEnv& env, const std::string& path);

struct TSettingsSaveTarget {
    std::string Path;           // native path to save to, ending in ".prkn"
    std::string SupersededRkn;  // the old ".rkn" CurrentSettingsFile to delete after the save
};

// The save dialog, proposed name CurrentSettingsFile (".rkn" turned into ".prkn"), filter
// "変換設定ファイル(*.prkn)|*.prkn"; ".prkn" is appended to a name not ending exactly in it.
// std::nullopt when cancelled.
std::optional<TSettingsSaveTarget> ChooseSettingsSavePath(TSettingsEnv& env);
