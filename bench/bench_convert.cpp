// porukano-bench-convert: converts one file as porukano-cli does, with main-window controls set
// first from settings lists (-c FILE, see control_settings.h) and single settings (-s
// name=value), in the order given. The comparison and identity scripts use it to run the
// conversion with every stage switched on.
#include <iostream>
#include <string>

#include "control_settings.h"
#include "converter.h"
#include "main_window_controls.h"
#include "program_folder.h"
#include "terminal_platform.h"

namespace {

constexpr const char* kUsage =
    "Usage: porukano-bench-convert [-c CONTROLS_FILE]... [-s NAME=VALUE]... INPUT OUTPUT\n";

}  // namespace

int main(int argc, char** argv) {
    auto form = MakeHeadlessMainWindow();
    int arg = 1;
    for (; arg + 1 < argc; arg += 2) {
        const std::string option = argv[arg];
        std::string error;
        if (option == "-c") {
            if (!ApplyControlSettingsFile(*form, argv[arg + 1], error)) {
                std::cerr << "porukano-bench-convert: " << error << '\n';
                return 2;
            }
        } else if (option == "-s") {
            if (!ApplyControlSetting(*form, argv[arg + 1])) {
                std::cerr << "porukano-bench-convert: no such control setting: " << argv[arg + 1]
                          << '\n';
                return 2;
            }
        } else {
            break;
        }
    }
    if (argc - arg != 2) {
        std::cerr << kUsage;
        return 2;
    }
    TTerminalPlatform platform(std::cerr, *form, false);
    TProgramState state;
    state.ProgramFolder = FindProgramFolder();
    TEngineEnv env{*form, platform, state};
    const std::string output = argv[arg + 1];
    // The separate stylesheet is placed by the input-path field: put it beside the page.
    form->SetText("lblInputFilePath", PathForMessage(output));
    bool usesImages = false;
    return ConvertTextFile(env, argv[arg], output, usesImages) ? 0 : 1;
}
