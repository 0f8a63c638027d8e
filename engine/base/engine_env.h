// What a conversion needs of the program around it: the main window's controls, the platform,
// and the program-wide values that name and place the separate stylesheet.
#pragma once

#include <chrono>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/base/form.h"
#include "engine/base/platform.h"
#include "engine/base/usable_cores.h"

struct TProgramState {
    // The folder of the program's own files (settings/options_folder.h): porukano.ini, and the
    // separate stylesheet of a head built for no page (SeparateStyleSheetPath). A native path
    // with a trailing separator; the folder may not exist before its first file is written.
    std::string OptionsFolder;
    std::string CurrentSettingsFile;  // native path of the settings file last saved or opened
};

struct TEngineEnv {
    TForm& Form;
    TPlatform& Platform;
    TProgramState& State;
    // The least time between two changes of the progress display (see TProgressDisplay).
    std::chrono::milliseconds ProgressInterval{200};
    // An input file of at least this many bytes is converted over several threads (see
    // LineStageThreads; with fewer than 2 of them, a text not in Shift_JIS is still read and
    // decoded on a thread of its own), a smaller one on the calling thread alone. New threads cost
    // a few milliseconds before they pay: measured, the line stages on two threads cost time up to
    // 3 MB and saved it from 5 MB on, and reading ahead alone paid from 3 MB on.
    std::uintmax_t ReadAheadFrom = 4 * 1024 * 1024;
    // The threads that run the line stages of such a file, beside the calling thread, which puts
    // the paragraphs together and writes the page. Below 2 the calling thread runs the stages
    // itself, as on one core, where handing lines between threads would only cost time.
    unsigned LineStageThreads = UsableCores();
};

// A file the engine could not write outside its guarded places (the separate stylesheet); the
// message is Shift_JIS and ready to show.
class TFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
