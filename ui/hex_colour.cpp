#include "ui/hex_colour.h"

#include <cstdio>

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

int PairValue(std::string_view text) {
    const std::string pair = CompleteHexPair(text);
    return HexValue(pair[0]) * 16 + HexValue(pair[1]);
}

}  // namespace

std::string CompleteHexPair(std::string_view text) {
    if (text.empty())
        return "00";
    if (text.size() == 1)
        return std::string(text) + "0";
    return std::string(text);
}

int FirstNonHexDigit(std::string_view text) {
    const std::string pair = CompleteHexPair(text);
    for (int i = 0; i < 2; ++i) {
        if (HexValue(pair[i]) < 0)
            return i + 1;
    }
    return 0;
}

TColor ColorFromHexPairs(std::string_view red, std::string_view green, std::string_view blue) {
    return RgbToColor(PairValue(red), PairValue(green), PairValue(blue));
}

THexPairs HexPairsOf(TColor color) {
    char digits[3][3];
    std::snprintf(digits[0], sizeof digits[0], "%02X", static_cast<unsigned>(color & 0xFF));
    std::snprintf(digits[1], sizeof digits[1], "%02X", static_cast<unsigned>((color >> 8) & 0xFF));
    std::snprintf(digits[2], sizeof digits[2], "%02X", static_cast<unsigned>((color >> 16) & 0xFF));
    return {digits[0], digits[1], digits[2]};
}
