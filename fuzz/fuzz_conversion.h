// One conversion of a fuzz target: the text written as a file in the scratch folder and
// converted into a page there with the form's settings, the messages kept by the fuzz platform.
// The settings are gathered too, for the checks of the page.
#pragma once

#include <string>
#include <string_view>

#include "engine/base/engine_env.h"
#include "engine/base/form.h"
#include "engine/base/settings_model.h"
#include "engine/page/converter.h"
#include "fuzz/fuzz_platform.h"
#include "fuzz/scratch_folder.h"

struct TFuzzConversion {
    // Writes text as the input file and gathers form's settings (a failure fails the run).
    TFuzzConversion(TForm& form, std::string_view text);
    TFuzzConversion(const TFuzzConversion&) = delete;
    TFuzzConversion& operator=(const TFuzzConversion&) = delete;

    // Converts the input file into the page; false when the conversion failed with a message,
    // and a failure without one fails the run.
    bool Convert();

    const std::string InputPath = Scratch().File("in.txt");
    const std::string OutputPath = Scratch().File("out.htm");
    TFuzzPlatform Platform;
    TProgramState State{Scratch().Path(), ""};
    TEngineEnv Env;
    TStrInfo Settings;
    TConversionEncodings Used;
};
