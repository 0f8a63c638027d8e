// One text file into its page, and showing a written page: the steps the convert command, the
// batch conversion and porukano-cli share.
#pragma once

#include <optional>
#include <string>

#include "engine/base/engine_env.h"
#include "settings/untIniOption.h"

struct TPageResult {
    bool Converted = false;        // the whole page was written
    std::string Page;              // the page's native path
    bool UsesLocalImages = false;  // the page may refer to local image files (when converted)
};

// Converts the text file at input (native) into output, or, without one, into the page
// MakeOutputPath names beside it (an existing page is overwritten). The driver reports its own
// failures. Example: "/doc/a.txt" with Extension 0 writes "/doc/a.htm".
TPageResult ConvertToPage(TEngineEnv& env, const std::string& input, const TOption& options,
                          std::optional<std::string> output = std::nullopt);

// Shows a written page: in the browser of the options (MakeBrowserCommand) when browserTicked
// (the main window's "変換後ブラウザで表示") and BrowserPath is set, otherwise with the program
// associated with the page. Failures are not reported.
void ShowPage(TPlatform& platform, const TOption& options, const std::string& page,
              bool browserTicked);
