// Splitting a command line into the program and its arguments the way a POSIX shell reads its
// words: blanks separate words; double quotes group, and inside them a backslash keeps the
// next ", \, $ or ` as it is; single quotes keep everything up to the next single quote; a
// backslash outside quotes keeps the next character. Nothing is expanded. This is the quoting
// that MakeBrowserCommand writes. Plain C++: no Qt here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Example: SplitCommandLine(R"("/opt/my browser/b" "/doc/a \"1\".htm")") gives
// {"/opt/my browser/b", "/doc/a \"1\".htm"}.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
