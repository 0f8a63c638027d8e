// Shift_JIS (code page 932) aware text helpers. Every position and length is counted in bytes and
// is 1-based; a search never reports a match that begins on the second byte of a double-byte
// character.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// True for the lead bytes of a double-byte character: 0x81 to 0x9F and 0xE0 to 0xFC.
constexpr bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Whether c can be the second byte of a two-byte character (0x40..0x7E, 0x80..0xFC); a lead byte
// before any other byte stands alone.
constexpr bool CanFollowLeadByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// The blocks of full-width kana in CP932: Count codes from FirstCode on are the characters from
// FirstChar on, in the same order.
struct TKanaBlock {
    unsigned FirstCode;
    char32_t FirstChar;
    unsigned Count;
};
inline constexpr TKanaBlock kKanaBlocks[] = {
    {0x829F, 0x3041, 83},  // ぁ..ん
    {0x8340, 0x30A1, 63},  // ァ..ミ
    {0x8380, 0x30E0, 23},  // ム..ヶ
};

// The character of a full-width kana's CP932 code (the iteration marks ゝ and ヽ included), 0 for
// any other code.
constexpr char32_t KanaOfCode(unsigned code) {
    for (const TKanaBlock& block : kKanaBlocks) {
        if (code >= block.FirstCode && code - block.FirstCode < block.Count)
            return block.FirstChar + (code - block.FirstCode);
    }
    if (code == 0x8154)
        return 0x309D;  // ゝ
    if (code == 0x8152)
        return 0x30FD;  // ヽ
    return 0;
}

// The 0-based start of the character after the one at i. A lead byte without a second byte
// (before "&lt;" in escaped text, or at the end) is a character of its own, so that no position
// falls inside an escaped character.
constexpr std::size_t NextCharStart(std::string_view t, std::size_t i) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() &&
                      CanFollowLeadByte(static_cast<unsigned char>(t[i + 1]));
    return i + (pair ? 2 : 1);
}

// Position in text of the first occurrence of sought that begins at or after start (>= 1), counted
// from the start of text; 0 when there is none or when text or sought is empty.
// Example: InStr(3, "abcabc", "abc") == 4.
int InStr(int start, std::string_view text, std::string_view sought);

// The same search, but the result counts from start: an occurrence at start yields 1.
// Example: InStrRel(3, "abcabc", "abc") == 2.
int InStrRel(int start, std::string_view text, std::string_view sought);

// True when the whole text reads as a 32-bit signed integer: leading spaces, an optional sign,
// then decimal digits or a hexadecimal prefix ("$", "x", "X", "0x", "0X") with hex digits.
bool IsNumeric(std::string_view text);

// Parses what IsNumeric accepts; false (value untouched) for anything else.
bool ParseInteger(std::string_view text, std::int32_t& value);

// Range check of the rule-line count fields: a numeric text equal to 0 always passes, otherwise
// minimum <= value <= maximum; a non-numeric text passes only when it is empty and empty is
// allowed. Hexadecimal forms count as out of range.
bool IsInRange(std::string_view text, bool allowEmpty, int minimum, int maximum);

// A colour value in the platform layout: red in the lowest byte, then green, then blue.
using TColor = std::uint32_t;
TColor RgbToColor(int red, int green, int blue);

// text followed by n further copies of it (n + 1 in all); text once for n <= 0.
std::string RepeatText(std::string_view text, int n);

// Position of the last occurrence of sought (overlaps allowed) that begins at or before limit;
// 0 when there is none.
int LastPosBefore(std::string_view text, std::string_view sought, int limit);

// True when position is the second byte of a double-byte character. The walk starts after the
// last line feed at or before position; positions past the end give false.
bool IsTrailByte(std::string_view text, int position);

// Removes leading and trailing bytes at or below the space character; the full-width space stays.
// Inline: several stages trim every line.
inline std::string_view Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

// Replaces every occurrence of from by to, scanning left to right without overlap; occurrences
// that begin on a second byte are skipped.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// Splits a multi-line text at CR LF, LF or CR; a final line break does not add an empty line.
template <typename Out>
void SplitLines(std::string_view text, Out&& add) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            add(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < text.size())
        add(text.substr(start));
}
