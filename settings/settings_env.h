// What the settings commands work on: the main window, the platform, the program-wide values and
// the history of settings files. One TSettingsEnv is made by the window (or the command line) and
// handed to every command of settings_file.h and untFileHistory.h.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "engine/base/engine_env.h"
#include "engine/base/form.h"
#include "engine/base/platform.h"

// One entry of the settings-file history: the native path of a settings file, empty for a free
// position.
struct TFileHistory {
    std::string Path;
};

inline constexpr int kSettingsHistorySize = 10;

// The ten most recent settings files, position 0 the newest (the program's SettingsHistory).
using TSettingsHistory = std::array<TFileHistory, kSettingsHistorySize>;

struct TSettingsEnv {
    TForm& MainWindow;     // the controls of TfrmMain (engine/base/main_window_controls.h names)
    TPlatform& Platform;   // messages and file dialogs
    TProgramState& State;  // OptionsFolder and CurrentSettingsFile
    TSettingsHistory& History;
    // Rebuilds the preview in its own folder (the preview's BuildPreview); false when it could
    // not be prepared. Called after a load while the preview page is the active page. Left empty
    // where there is no preview (the command line): nothing is rebuilt then.
    std::function<bool()> BuildPreview;
};
