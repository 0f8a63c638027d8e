// The history of the ten settings files used most recently: stored in section "FileHistory" of
// the options file (keys History1 to History10, Shift_JIS paths), shown in the ten menu items
// mitmPrknHis1 to mitmPrknHis10 of the file menu.
//
// After a settings file was saved or opened the caller runs, in this order: CurrentSettingsFile
// := path, AddToHistory, ShowHistoryInMenu, SaveHistory (RecordSettingsFileUse of
// commands/settings_commands.h does all four).
#pragma once

#include <string>

#include "settings/settings_env.h"

// Fills all ten positions from section "FileHistory" (an empty path for a missing key); the values
// are taken as they are. False, with the message "設定ファイル：..が開けません。" and the history
// unchanged, when the file cannot be read; a missing file reads as an empty history.
bool LoadHistory(const std::string& optionsPath, TSettingsHistory& history, TPlatform& platform);

// Writes all ten positions, free ones as empty values. False, with the program's message, when the
// file cannot be read or the write was refused ("%s に書き込めません"). A path without a Shift_JIS
// form is written as a free position.
bool SaveHistory(const std::string& optionsPath, const TSettingsHistory& history,
                 TPlatform& platform);

// Puts path at position 0; an equal path (compared byte by byte) moves up from where it was,
// otherwise the entry at position 9 falls out.
void AddToHistory(TSettingsHistory& history, const std::string& path);

// Item k shows position k-1: its caption is the full path, and it is visible exactly when the
// path is not empty. Items the window lacks are skipped.
void ShowHistoryInMenu(const TSettingsHistory& history, TForm& mainWindow);
