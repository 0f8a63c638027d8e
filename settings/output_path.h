// The output page of an input file and the command line that shows it in the chosen browser.
#pragma once

#include <string>
#include <string_view>

#include "settings/untIniOption.h"

// The input path (native) with the extension of its file name (from its last ".") replaced by
// ".htm" when options.Extension is 0 and by ".html" otherwise; a name without "." gets the
// extension appended. Example: "/doc/x.y.txt" gives "/doc/x.y.htm".
std::string MakeOutputPath(std::string_view path, const TOption& options);

// The path itself when options.BrowserPath is empty; otherwise the browser (native) and the path,
// each in double quotes, separated by one space. Inside the quotes ", \, $ and ` are escaped, so
// a shell reads both exactly as they are.
std::string MakeBrowserCommand(std::string_view path, const TOption& options);
