// A headless main window, a scripted platform and a temporary program folder for one test.
#pragma once

#include <memory>

#include "engine/base/engine_env.h"
#include "engine/base/main_window_controls.h"
#include "engine/base/settings_model.h"
#include "tests/support/scripted_platform.h"
#include "tests/support/temp_dir.h"

struct TEngineFixture {
    std::unique_ptr<THeadlessForm> Form = MakeHeadlessMainWindow();
    TScriptedPlatform Platform;
    TTempDir Dir;
    TProgramState State{Dir.Path(), ""};
    TEngineEnv Env{*Form, Platform, State};

    TStrInfo Gather() {
        TStrInfo s;
        EXPECT_TRUE(GatherSettings(*Form, Platform, s));
        return s;
    }
};
