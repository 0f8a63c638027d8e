// The application options kept in porukano.ini in the folder of the program's files
// (options_folder.h), and the options dialog's reading and writing of them. The dialog's controls
// (option_dialog_controls.h) are the working copy: ReadOptions fills them from the file,
// ApplyOptionDialog copies them into TOption.
//
// Keys: [main] AppVer, BrowserView; [Start] StartRknFile, CnvDialogUnvisible, RememberSettings;
// [Save] Extension,
// OverWrite, NoDialog; [Browser] BrowserPath; [Help] Url; [FileHistory] History1..10.
#pragma once

#include <string>

#include "engine/base/form.h"
#include "engine/base/platform.h"
#include "settings/user_guide.h"

class TProfileFile;

// The program's options. Texts are Shift_JIS as the file and the dialog hold them; convert a path
// with SjisPathToNative before using it.
struct TOption {
    std::string StartRknFile;         // settings file loaded at start-up; empty for none
    bool CnvDialogUnvisible = false;  // batch conversion without its question and report
    // The window's settings are kept at its close (last.prkn) and loaded at the next start.
    bool RememberSettings = true;
    int Extension = 0;        // 0 ".htm", any other value ".html"
    bool OverWrite = false;   // overwrite an existing page without asking
    bool NoDialog = false;    // no message at the end of a conversion
    std::string BrowserPath;  // browser program; empty for the associated program
    // The help address; by default the user guide installed with the program.
    std::string Url = DefaultHelpUrl();
};

// The folder of the program's files (with its trailing separator) followed by "porukano.ini".
std::string OptionsFilePath(const std::string& optionsFolder);

// Writes profile as the options file at path, making the file's folder first when it is missing
// (it is made on the first write). False, with "<path> に書き込めません" shown, when the write
// was refused; the old file is then unchanged. Every writer of porukano.ini saves through here.
bool SaveOptionsProfile(const std::string& path, const TProfileFile& profile, TPlatform& platform);

// Reads [Start], [Save] and [Browser] into the dialog's controls, each with its default when
// missing, and [Help] Url into options.Url (HelpUrlFromOptionsFile: a default stored by this or an
// earlier version is resolved afresh). A missing file reads as all defaults. False, with the
// warning "設定ファイル：\r\n\t<path>\r\nが開けません。", when the file cannot be read.
bool ReadOptions(const std::string& path, TForm& dialog, TOption& options, TPlatform& platform);

// Copies the seven dialog controls into options (Url stays), texts unchanged; returns the result.
const TOption& ApplyOptionDialog(const TForm& dialog, TOption& options);

enum class TProfileWriteResult {
    Written,
    NotOpened,  // the file exists but cannot be read: "設定ファイル：..が開けません。" shown
    Refused  // the write was refused: "%s に書き込めません" shown, the old file unchanged
};

// Writes AppVer (0.731) and the seven option keys, telling which failure stopped it.
TProfileWriteResult WriteOptionsFile(const std::string& path, const TOption& options,
                                     TPlatform& platform);

// Writes AppVer (0.731) and the seven option keys. False with the program's message when the file
// cannot be read or the write was refused ("%s に書き込めません"); the old file is then unchanged.
bool WriteOptions(const std::string& path, const TOption& options, TPlatform& platform);

// At shut-down: writes AppVer, the main window's chkbxPreview as [main] BrowserView, and Url.
bool WriteClosingOptions(const std::string& path, const TForm& mainWindow, const TOption& options,
                         TPlatform& platform);

// Sets the main window's chkbxPreview from [main] BrowserView (default unticked).
bool ReadBrowserView(const std::string& path, TForm& mainWindow, TPlatform& platform);
