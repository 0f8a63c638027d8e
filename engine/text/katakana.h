// Half-width katakana to full-width katakana.
#pragma once

#include <array>
#include <string>
#include <string_view>

// One replacement: a half-width sequence (a kana, or a kana and its voiced or semi-voiced mark)
// and the full-width katakana it becomes. Both sides are Shift_JIS.
struct TKanaPair {
    std::string HalfWidth;
    std::string FullWidth;
};

// The 81 replacements in the order they apply: the voiced forms (ｶﾞ .. ﾄﾞ), the semi-voiced and
// voiced forms of ﾊ .. ﾎ, ｳﾞ, the small kana, the plain kana ｱ .. ﾜ, then ｦ and ﾝ.
const std::array<TKanaPair, 81>& KatakanaPairs();

// Widens every half-width katakana of text; a kana followed by its voiced or semi-voiced mark
// becomes the one combined character. The result is what replacing every pair of KatakanaPairs
// in turn would give: the prolonged sound mark, the punctuation and a loose mark stay
// half-width, and the second byte of a double-byte character is never taken for a kana.
// Example: WidenKatakana(Sjis("ｶﾞｷﾞｰ")) == Sjis("ガギｰ").
std::string WidenKatakana(std::string_view text);
