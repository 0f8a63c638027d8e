// What a conversion needs of the program around it: the main window's controls, the platform,
// and the program-wide values that name and place the separate stylesheet.
#pragma once

#include <chrono>
#include <stdexcept>
#include <string>

#include "engine/form.h"
#include "engine/platform.h"

struct TProgramState {
    std::string ProgramFolder;        // native path with a trailing separator
    std::string CurrentSettingsFile;  // native path of the settings file last saved or opened
};

struct TEngineEnv {
    TForm& Form;
    TPlatform& Platform;
    TProgramState& State;
    // The least time between two changes of the progress display (see TProgressDisplay).
    std::chrono::milliseconds ProgressInterval{200};
};

// A file the engine could not write outside its guarded places (the separate stylesheet); the
// message is Shift_JIS and ready to show.
class TFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A native path for a message: CP932 where it has a form, "?" for a character without one.
std::string PathForMessage(std::string_view nativePath);

// The native path of a path held in Shift_JIS (a label's caption, a settings file value), or
// U+FFFD for a byte that is no CP932 character.
std::string SjisPathToNative(std::string_view sjisPath);

// The file-name part of a native path (after the last separator) and the folder part (up to and
// including it).
std::string FileNamePartOf(std::string_view nativePath);
std::string FolderPartOf(std::string_view nativePath);
