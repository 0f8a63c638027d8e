// Reader of the example files of tests/examples (see its README).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/base/headless_form.h"

struct TExample {
    std::string Where;  // file:line
    int Line = 0;
    std::vector<std::pair<std::string, std::string>> Controls;  // UTF-8 values
    std::vector<std::string> Input;                             // UTF-8, tabs and spaces restored
    std::vector<std::string> Expected;
};

std::vector<TExample> ReadExampleFile(const std::string& path);

// Sets one control as an example line names it; false when the window has no such control.
bool ApplyExampleControl(THeadlessForm& form, const std::string& name, const std::string& value);

// The output lines of a page between "<body>" and "</body>", or all lines of a fragment.
std::vector<std::string> BodyLines(const std::string& page);
