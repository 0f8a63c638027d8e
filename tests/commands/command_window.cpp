#include "tests/commands/command_window.h"

#include "engine/base/main_window_controls.h"
#include "engine/text/encoding.h"
#include "settings/option_dialog_controls.h"

TCommandWindow::TCommandWindow()
    : Form(MakeHeadlessMainWindow()),
      OptionDialog(MakeHeadlessOptionDialog()),
      Env{Engine,
          Settings,
          Options,
          OptionsPath,
          OptionDialog.get(),
          {},
          [this] { ++EndRequests; },
          [this] { return Input; },
          [this](const std::string& path) { Input = path; },
          {}} {
    State.OptionsFolder = Folder.Path();
    OptionsPath = Folder.File("porukano.ini");
}

void TCommandWindow::WriteOptionsFile(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    WriteFileBytes(OptionsPath, bytes);
}

std::vector<std::string> TCommandWindow::MessageTexts() const {
    return Platform.MessageTexts();
}
