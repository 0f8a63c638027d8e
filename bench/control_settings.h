// Main-window control settings read from a small text file, so that a benchmark can turn stages
// on without the settings layer. One setting a line, in the form the examples of tests/examples
// use: "name=value" (an edit, memo or label gets the text; a check box 1 or 0; a drop-down or
// radio group the item index) or "name.FontColor=RRGGBB" / "name.Color=RRGGBB"; "\n" inside a
// value separates memo lines. Lines starting with "#" and empty lines are ignored. UTF-8.
#pragma once

#include <string>

#include "headless_form.h"

// Applies every setting of the file at path to form. False, with a reason in error, when the file
// cannot be read or names a control the window does not have.
bool ApplyControlSettingsFile(THeadlessForm& form, const std::string& path, std::string& error);

// Applies one "name=value" line; false when it names no control of the window.
bool ApplyControlSetting(THeadlessForm& form, const std::string& line);
