// The settings the main window had when it was last closed, kept as a settings file of their own
// (last.prkn, in the same format as a saved one) in the folder of the program's files, so that
// the next start begins where the user left off. It is no settings file of the user's: it never
// enters the history, never becomes CurrentSettingsFile and never names the window.
#pragma once

#include <string>

#include "settings/settings_env.h"

// The folder of the program's files (with its trailing separator) followed by "last.prkn".
std::string RememberedSettingsPath(const std::string& optionsFolder);

// Writes the main window's controls as they stand (WriteControlsProfile) as the whole of
// last.prkn in env.State.OptionsFolder, replacing it atomically and making the folder first when
// it is missing. False, with the program's message, when the controls cannot be written or the
// write was refused ("<path> に書き込めません"); the old file is then unchanged.
bool SaveRememberedSettings(TSettingsEnv& env);

// Loads last.prkn into the main window's controls as a settings file is loaded, leaving the
// caption, CurrentSettingsFile and the history alone. Nothing happens when there is no such
// file. A file that cannot be read, that is no settings file (no [main] SoftVer) or whose values
// stop the load (a colour that is not hexadecimal) leaves the window's settings as they were,
// with the one warning
// "前回終了時の変換設定：\r\n\t<path>\r\nが読み込めません。初期の設定で起動します。".
// True when the remembered settings were loaded.
bool LoadRememberedSettings(TSettingsEnv& env);
