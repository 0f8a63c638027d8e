// The platform of the fuzz targets: records every message and answers every question with the
// first button offered; dialogs are cancelled and nothing is opened or run.
#pragma once

#include <string>
#include <vector>

#include "engine/base/platform.h"

class TFuzzPlatform : public TPlatform {
  public:
    TMessageButton ShowMessage(TMessageKind, std::string_view text, unsigned buttons) override {
        Messages.emplace_back(text);
        for (unsigned b = 1; b <= mbCancel; b <<= 1) {
            if (buttons & b)
                return static_cast<TMessageButton>(b);
        }
        return mbOK;
    }
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest&) override { return {}; }
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest&) override { return {}; }
    std::optional<TColor> ColorDialog(TColor) override { return {}; }
    void OpenWithAssociatedProgram(const std::string&) override {}
    void RunCommandLine(const std::string&) override {}
    void SetBusyCursor(bool) override {}
    void Repaint() override {}

    std::vector<std::string> Messages;  // Shift_JIS
};
