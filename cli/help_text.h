// The --help of porukano-cli in the user's language: Japanese when the locale says so, English
// otherwise. Both list the same options on lines of the same shape, which the bash completion
// and the manual page checks read.
#pragma once

#include <string>

// True when the language of messages is Japanese: LC_ALL, else LC_MESSAGES, else LANG (the
// first of them set and not empty) begins with "ja".
bool IsJapaneseLocale();

// The whole help, ending with the list of settings-file keys.
std::string HelpText(bool japanese);
