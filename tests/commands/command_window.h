// A headless main window and options dialog with everything the commands need, with a temporary
// folder for the program's files (PORUKANO_HOME points there while the window lives), without Qt.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "commands/command_env.h"
#include "engine/base/headless_form.h"
#include "tests/support/environment.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

struct TCommandWindow {
    TCommandWindow();

    // Writes porukano.ini in the program folder (Shift_JIS lines joined by CR LF).
    void WriteOptionsFile(const std::vector<std::string>& lines);
    // The texts of the messages shown so far, as UTF-8.
    std::vector<std::string> MessageTexts() const;

    TTempDir Folder;
    std::unique_ptr<THeadlessForm> Form;
    std::unique_ptr<THeadlessForm> OptionDialog;
    TScriptedPlatform Platform;
    TProgramState State;
    TSettingsHistory History;
    TOption Options;
    std::string OptionsPath;
    std::string Input;  // what the input-path label shows
    int EndRequests = 0;
    TEngineEnv Engine{*Form, Platform, State};
    TSettingsEnv Settings{*Form, Platform, State, History, {}};
    TCommandEnv Env;

  private:
    TEnvironmentVariable home_{"PORUKANO_HOME", Folder.Path()};
};
