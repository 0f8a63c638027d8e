// What the program's commands work on: the main window's controls and input path, the platform,
// the program-wide values, the options and the settings history, and the way to end the program.
// The main window (or a test) makes one TCommandEnv and hands it to every command of this layer.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "commands/preview_files.h"
#include "engine/base/engine_env.h"
#include "engine/batch/batch_run.h"
#include "settings/settings_env.h"
#include "settings/untIniOption.h"

struct TCommandEnv {
    TEngineEnv& Engine;        // the main window's controls, the platform, the program-wide values
    TSettingsEnv& Settings;    // the same window, platform and values, with the settings history
    TOption& Options;          // the program's options; the convert command reads them afresh
    std::string& OptionsPath;  // porukano.ini in OptionsFolder, set by the start-up sequence
    // The options dialog's controls: ReadOptions fills them, ApplyOptionDialog copies them into
    // Options. Must be set before the start-up sequence or a conversion runs.
    TForm* OptionDialog = nullptr;
    // The command line after the program's name (native paths), for the batch conversion.
    std::vector<std::string> Arguments;
    // Asks the program to end; closes no window, so the close steps do not run.
    std::function<void()> EndProgram;
    // The input file the main window shows (a native path; empty for none), and setting it.
    std::function<std::string()> InputPath;
    std::function<void(const std::string&)> SetInputPath;
    // Follows a batch run to its end, handing each file's result to the function given, in the
    // list's order: the window shows the progress with a cancel button and stays responsive.
    // Without one the commands wait for the run.
    std::function<void(TBatchRun&,
                       const std::function<void(const TBatchFile&, const TBatchResult&)>&)>
        FollowBatch;
    // The preview's private folder, which the close steps remove; null without a preview.
    TPreviewFolder* PreviewFolder = nullptr;
};
