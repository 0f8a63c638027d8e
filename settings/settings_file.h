// The conversion settings file (".prkn", older ".rkn" files are read too): writing a TStrInfo
// snapshot into it, and reading it back into the main window's controls. The open and save
// commands of the file menu are in commands/settings_commands.h.
//
// How paths are stored: values are Shift_JIS text, so a path is stored as the Shift_JIS form of
// the path the window shows. BackGroundImagePath is stored as shown (native separators of the
// system that wrote it); imagepath with "/" between folders. Both are data: a file written on
// Windows holding "C:\..." loads unchanged and its paths reach the page as they are. On a system
// whose separator is "/", the reader's "/" to "\" turn of imagepath is no change.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/base/settings_model.h"
#include "engine/text/text_helpers.h"
#include "settings/profile_file.h"
#include "settings/settings_env.h"

// The caption of the main window (the pseudo control "frmMain" holds it) after a save or a load:
// kIdentity + " - " + the file name. Shift_JIS.
std::string SettingsCaption(const std::string& nativePath);

enum class TLoadResult {
    Loaded,     // every key was read; caption set, preview rebuilt when showing
    NotOpened,  // no file at the path, or it could not be opened: message shown, nothing changed
    Stopped     // a colour value was not hexadecimal: message shown, the keys before it applied
};

// Writes every key of a settings snapshot into profile (in memory), in the file's key order.
void WriteSettingsProfile(TProfileFile& profile, const TStrInfo& settings);

// Writes the main window's controls into profile as they stand: GatherSettings' snapshot, except
// that a tag, class or keyword-separator box left empty is written empty. The snapshot fills such
// a box with what a conversion uses (the tag "div" or "span" by the background and full-width
// boxes), which is no value of the control: loading the profile gives the window back the same
// controls, so a change made after it chooses again as the window does. False, with the
// snapshot's message, when it cannot be taken.
bool WriteControlsProfile(TProfileFile& profile, const TForm& mainWindow, TPlatform& platform);

// Writes settings into the file at path (native), updating an existing file in place, then sets
// the window caption. On failure shows "変換設定ファイル：..が開けません。" (the file cannot be
// read) or "%s に書き込めません" (the write was refused; the old file is then unchanged) and
// returns false; caption untouched.
bool SaveSettingsFile(TSettingsEnv& env, const std::string& path, const TStrInfo& settings,
                      const TWriteChunk& write = {});

// Reads the file at path (native) into the main window's controls, raising their change
// behaviour as user input would, refreshes the dependent controls and emphasis samples, sets the
// caption and rebuilds the preview when its page is showing. Does not touch CurrentSettingsFile
// or the history.
TLoadResult LoadSettingsFile(TSettingsEnv& env, const std::string& path);

// The same reading from a profile already in memory (the command line builds one from a file and
// its --set values); path names the settings for the caption.
TLoadResult LoadSettingsProfile(TSettingsEnv& env, const TProfileFile& profile,
                                const std::string& path);

// The open dialog with filter "変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn": the chosen native
// path, or the empty text when cancelled. The options dialog uses it for its start-up file too.
std::string ChooseSettingsOpenPath(TPlatform& platform, const std::string& initialFolder = {});

// The colour of an RRGGBB text: pairs 1-2, 3-4, 5-6 read as red, green, blue; a missing pair is
// empty, characters after the sixth are ignored. Example: "FF" is red, "" is black. std::nullopt
// when the text does not give a hexadecimal number (then HexColorNumberText names it).
std::optional<TColor> HexTextToColor(std::string_view text);
// The number text HexTextToColor reads: "$00" + pair 5-6 + pair 3-4 + pair 1-2.
std::string HexColorNumberText(std::string_view text);
