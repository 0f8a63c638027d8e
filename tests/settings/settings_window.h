// A headless main window with everything the settings commands need, in a temporary program
// folder.
#pragma once

#include <memory>

#include "engine/base/main_window_controls.h"
#include "engine/base/settings_model.h"
#include "settings/settings_env.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

struct TSettingsWindow {
    TSettingsWindow();

    // The snapshot GatherSettings takes now; fails the test when it cannot be taken.
    TStrInfo Gather();
    // Messages shown so far, then forgotten.
    std::vector<TRecordedMessage> TakeMessages();

    TTempDir Folder;
    std::unique_ptr<THeadlessForm> Form = MakeHeadlessMainWindow();
    TScriptedPlatform Platform;
    TProgramState State;
    TSettingsHistory History;
    TSettingsEnv Env{*Form, Platform, State, History, {}};
};

// The paths of a history, newest first, free positions empty.
std::vector<std::string> HistoryPaths(const TSettingsHistory& h);
// The ten paths of a history that holds first and nothing else.
std::vector<std::string> ExpectedHistory(std::initializer_list<std::string> first);
