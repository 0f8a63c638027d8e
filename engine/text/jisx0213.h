// The characters of JIS X 0213 by plane, row and cell (men-ku-ten), the numbers by which texts
// name a character that Shift_JIS lacks ("第3水準1-85-54").
#pragma once

#include <string_view>

// The code points of the character at plane 1 or 2, row and cell 1 to 94: one, or two for the
// few characters that Unicode writes with a combining mark; empty where the plane has no
// character or a number is out of range. The table is made once, on the first call, from the
// system's EUC-JISX0213 conversion.
// Example: JisX0213Character(1, 84, 80) == U"\u6365" (捥).
std::u32string_view JisX0213Character(int plane, int row, int cell);
