// The hex colour dialog's reading of its three two-digit edits. Plain C++: no Qt here.
#pragma once

#include <string>
#include <string_view>

#include "engine/text/text_helpers.h"

// The pair an edit stands for: empty gives "00", a single character gets "0" appended ("F" means
// "F0"); longer texts are taken as they are.
std::string CompleteHexPair(std::string_view text);

// 0 when the completed pair is two hexadecimal digits (0-9, A-F, a-f); otherwise the position (1
// or 2) of the first character that is not.
int FirstNonHexDigit(std::string_view text);

// The colour of three valid pairs, red in the lowest byte (0x00BBGGRR).
// Example: ColorFromHexPairs("F", "", "8") == RgbToColor(0xF0, 0x00, 0x80).
TColor ColorFromHexPairs(std::string_view red, std::string_view green, std::string_view blue);

struct THexPairs {
    std::string Red, Green, Blue;  // two upper-case digits each
};
THexPairs HexPairsOf(TColor color);
