#include "engine/encodings/reading_plausibility.h"

#include <cstdint>
#include <vector>

#include "engine/encodings/latin_letter_pairs.h"

namespace {

bool IsAsciiLetter(char32_t c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsAsciiUpper(char32_t c) {
    return c >= 'A' && c <= 'Z';
}

// The ASCII marks a Shift_JIS trail byte can be (0x40..0x7E) that no word runs into.
bool IsAsciiSymbol(char32_t c) {
    return c == '@' || (c >= '[' && c <= '`') || (c >= '{' && c <= '~');
}

bool IsLatinLetter(char32_t c) {
    return c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7;
}

bool IsGreekOrCyrillic(char32_t c) {
    return c >= 0x370 && c <= 0x52F;
}

bool IsCombiningMark(char32_t c) {
    return c >= 0x300 && c <= 0x36F;
}

// Lower-case letters of Latin-1 and Latin Extended-A, whose cases alternate in runs.
bool IsLatinLower(char32_t c) {
    if (c >= 0xDF && c <= 0xFF)
        return true;
    if (c < 0x100 || c > 0x17F)
        return false;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return c % 2 == 0;
    return c % 2 == 1 || c == 0x138 || c == 0x149 || c == 0x17F;
}

// Blocks a Japanese or a European text does not mix with its own letters.
bool IsForeign(char32_t c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0x250 && c <= 0x2FF) || (c >= 0x530 && c <= 0x1DFF) ||
           (c >= 0x2C00 && c <= 0x2E7F) || (c >= 0x2F00 && c <= 0x2FFF) ||
           (c >= 0xA000 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xF8FF) ||
           (c >= 0xFFF0 && c <= 0xFFFF) ||
           (c >= 0x10000 && !(c >= 0x1F000 && c <= 0x1FAFF) && !(c >= 0x20000 && c <= 0x3FFFF));
}

// Latin Extended-B holds African, Pinyin and phonetic letters; only Romanian's comma letters
// (U+0218..U+021B) are written in a European language.
bool IsRareLatin(char32_t c) {
    return c >= 0x180 && c <= 0x24F && !(c >= 0x218 && c <= 0x21B);
}

std::vector<char32_t> DecodeUtf8(std::string_view bytes) {
    std::vector<char32_t> text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (i + length > bytes.size())
            break;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            c = (c << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        text.push_back(c);
        i += length;
    }
    return text;
}

// Whether a European word has the Latin letter c, at its start or after a letter, followed by
// the ASCII letter after.
bool IsEuropeanPair(char32_t before, char32_t c, char32_t after) {
    const bool initial =
        !(IsAsciiLetter(before) || IsLatinLetter(before) || IsGreekOrCyrillic(before));
    const std::uint32_t follows = kLatinLetterPairs[initial ? 0 : 1][c - kFirstPairedLetter];
    return (follows >> ((after | 0x20) - 'a') & 1) != 0;
}

bool IsSuspect(char32_t before, char32_t c, char32_t after) {
    if (IsForeign(c) || IsRareLatin(c))
        return true;
    if (IsCombiningMark(c))
        return !(IsAsciiLetter(before) || IsLatinLetter(before) || IsGreekOrCyrillic(before));
    if (IsGreekOrCyrillic(c) && (IsAsciiLetter(before) || IsAsciiLetter(after)))
        return true;
    if (IsLatinLetter(c) || IsGreekOrCyrillic(c))
        return IsAsciiSymbol(after) || (IsLatinLower(c) && IsAsciiUpper(after));
    return false;
}

}  // namespace

bool Utf8ReadingImplausible(std::string_view bytes) {
    const std::vector<char32_t> text = DecodeUtf8(bytes);
    // Latin letters before an ASCII letter, and those of them no European word has: one such
    // pair is how a Shift_JIS text's half-width katakana and kanji read, but a long European
    // text may hold a name or two that no word list has.
    int pairs = 0;
    int unknownPairs = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] < 0x80)
            continue;
        const char32_t before = i > 0 ? text[i - 1] : U' ';
        const char32_t after = i + 1 < text.size() ? text[i + 1] : U' ';
        if (IsSuspect(before, text[i], after))
            return true;
        if (IsLatinLetter(text[i]) && IsAsciiLetter(after)) {
            ++pairs;
            unknownPairs += IsEuropeanPair(before, text[i], after) ? 0 : 1;
        }
    }
    return unknownPairs * 2 > pairs;
}

bool ShiftJisReadingPlausible(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead >= 0xF0 && lead <= 0xF9)
            return false;
        if ((lead >= 0x81 && lead <= 0x9F) || lead >= 0xE0)
            ++i;
    }
    return true;
}
