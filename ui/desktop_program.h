// The desktop program: its six windows, created once in their fixed order and kept for the
// whole run, and its start.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/platform.h"

class TfrmMain;
class TPreview;
class TdlgVerInf;
class TfrmText;
class TfrmOutPutText;
class TfrmOption;
class TfrmColorSelectHex;

class TDesktopProgram {
  public:
    // arguments: the command line after the program's name; endProgram asks the event loop to
    // stop. Throws when a window cannot be created (the preview among them, when the web engine
    // is not installed; the engine itself starts with the first preview).
    TDesktopProgram(TPlatform& platform, std::vector<std::string> arguments,
                    std::function<void()> endProgram);
    ~TDesktopProgram();
    TDesktopProgram(const TDesktopProgram&) = delete;
    TDesktopProgram& operator=(const TDesktopProgram&) = delete;

    TfrmMain& Main() { return *main_; }
    TPreview& Preview() { return *preview_; }
    TdlgVerInf& About() { return *about_; }
    TfrmText& TextBox() { return *textBox_; }
    TfrmOutPutText& OutputText() { return *outputText_; }
    TfrmOption& Options() { return *options_; }
    TfrmColorSelectHex& Hex() { return *hex_; }

  private:
    // In the order of creation; destroyed in the reverse order.
    std::unique_ptr<TfrmMain> main_;
    std::unique_ptr<TPreview> preview_;  // fills the main window's preview page
    std::unique_ptr<TdlgVerInf> about_;
    std::unique_ptr<TfrmText> textBox_;
    std::unique_ptr<TfrmOutPutText> outputText_;
    std::unique_ptr<TfrmOption> options_;
    std::unique_ptr<TfrmColorSelectHex> hex_;
};

// Creates the six windows, or shows the creation error and returns nullptr.
std::unique_ptr<TDesktopProgram> CreateDesktopProgram(TPlatform& platform,
                                                      std::vector<std::string> arguments,
                                                      std::function<void()> endProgram);

// Program start: the application, the six windows (or the creation error and the end), then the
// event loop; showing the main window runs its start-up sequence. Returns the exit code. When
// run is given, it takes the place of showing the main window and the event loop, and its result
// is the exit code (porukano-screenshots drives the windows so).
int RunDesktopProgram(int argc, char** argv, const std::function<int(TDesktopProgram&)>& run = {});
