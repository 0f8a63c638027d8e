// Shared inputs of the micro benchmarks: sample lines in Shift_JIS and the settings of a headless
// main window with chosen controls set, regular-expression rules prepared.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/terminal_platform.h"
#include "engine/base/headless_form.h"
#include "engine/base/settings_model.h"
#include "engine/line/line_assembly.h"

// A typical line of Japanese prose (about 90 bytes) with blanks, an ASCII word and punctuation.
const std::string& ProseLine();
// A line of about 4 KB made of prose lines, to show how a stage grows with the line.
const std::string& LongLine();
// A line with a tab, half-width katakana, web and mail addresses and characters to escape.
const std::string& MixedLine();

// The settings of a main window as it opens with settings-file keys set as porukano-cli --set
// sets them ("section.key=value", UTF-8 values), first those of the file keysFile (one a line,
// "#" comments, as bench/all-stages.set), then keys; gathered and, for regular-expression rules,
// compiled. The compiled rules are released when the object goes.
class TBenchSettings {
  public:
    explicit TBenchSettings(const std::vector<std::string>& keys = {},
                            const std::string& keysFile = {});
    ~TBenchSettings();
    TBenchSettings(const TBenchSettings&) = delete;
    TBenchSettings& operator=(const TBenchSettings&) = delete;

    const TStrInfo& Settings() const { return settings_; }
    TPlatform& Platform() { return *platform_; }

  private:
    std::unique_ptr<THeadlessForm> form_;
    std::unique_ptr<TTerminalPlatform> platform_;
    TStrInfo settings_;
};

// bench/all-stages.set: every stage of the line pipeline on.
std::string AllStagesFile();
