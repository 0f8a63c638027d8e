#include "engine/text/escaper.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "engine/text/katakana.h"
#include "engine/text/text_helpers.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr std::string_view kLiteralAmp = "!and!;";

thread_local TControlCharacterStandIn* tCurrentStandIn = nullptr;

bool IsControlByte(unsigned char c) {
    return (c < 0x20 && c != '\t') || c == 0x7F;
}

// True when text[end - 1] is a lead byte without its second byte, reading characters from from
// (a character's first byte) up to end.
bool EndsInLoneLeadByte(std::string_view text, std::size_t from, std::size_t end) {
    std::size_t last = end;  // where the last character read begins
    for (std::size_t j = from; j < end; ++j) {
        last = j;
        const auto next = static_cast<unsigned char>(j + 1 < end ? text[j + 1] : 0);
        if (IsLeadByte(static_cast<unsigned char>(text[j])) && next >= 0x40 && next <= 0xFC &&
            next != 0x7F)
            ++j;
    }
    return last == end - 1 && IsLeadByte(static_cast<unsigned char>(text[last]));
}

}  // namespace

TControlCharacterStandIn::TControlCharacterStandIn(std::string_view engineBytes)
    : size_(std::min<std::size_t>(engineBytes.size(), sizeof bytes_)), outer_(tCurrentStandIn) {
    std::memcpy(bytes_, engineBytes.data(), size_);
    tCurrentStandIn = this;
}

TControlCharacterStandIn::~TControlCharacterStandIn() {
    tCurrentStandIn = outer_;
}

char* TControlCharacterStandIn::Put(char* o, bool count) {
    TControlCharacterStandIn* const current = tCurrentStandIn;
    if (!current) {
        *o++ = '\x81';
        *o++ = '\xAC';
        return o;
    }
    if (count) {
        ++current->replaced_;
        if (current->firstLine_ == 0)
            current->firstLine_ = current->line_;
    }
    std::memcpy(o, current->bytes_, current->size_);
    return o + current->size_;
}

bool FitsLinePositions(std::string_view rawLine, int tabWidth) {
    constexpr std::uint64_t kLimit = std::numeric_limits<std::int32_t>::max() - 1;
    const std::uint64_t width = tabWidth > 0 ? tabWidth : 1;
    // No byte grows by more than a tab does, so short lines need no count.
    if (rawLine.size() <= kLimit / (kNbsp.size() * width))
        return true;
    std::uint64_t bound = 0;
    for (const char c : rawLine) {
        switch (c) {
            case '&':
                bound += 5;
                break;
            case '<':
            case '>':
                bound += 4;
                break;
            case '"':
            case ' ':
                bound += 6;
                break;
            case '\t':
                bound += kNbsp.size() * width;
                break;
            default:
                bound += IsControlByte(static_cast<unsigned char>(c)) ? 2 : 1;
        }
    }
    return bound <= kLimit;
}

namespace {

// The bytes that escaping does something with; every other byte is copied as it is. None of them
// can be the second byte of a double-byte character (those are 0x40 and above, 0x7F excepted).
// The control characters are among them, line feed and carriage return too, which are kept.
constexpr std::array<bool, 256> kEscapedBytes = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'&', '!', '<', '>', '"', ' ', '\x7F'})
        table[c] = true;
    for (unsigned char c = 0; c < 0x20; ++c)
        table[c] = true;
    return table;
}();

constexpr std::size_t kChunk = 16;

// Bit n set when byte n of the kChunk bytes at p is one that escaping does something with.
unsigned EscapedByteMask(const char* p) {
#if defined(__SSE2__)
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    // The bytes up to the space (tab and the control characters among them) in one comparison.
    __m128i hits = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(' ')), bytes);
    for (const char c : {'&', '!', '<', '>', '"', '\x7F'})
        hits = _mm_or_si128(hits, _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)));
    return static_cast<unsigned>(_mm_movemask_epi8(hits));
#else
    unsigned mask = 0;
    for (std::size_t n = 0; n < kChunk; ++n)
        mask |= kEscapedBytes[static_cast<unsigned char>(p[n])] ? 1u << n : 0u;
    return mask;
#endif
}

// Copies n < kChunk bytes with a few moves of fixed size, which stay inside both ranges.
void CopyFewBytes(char* o, const char* from, std::size_t n) {
    if (n >= 8) {
        std::memcpy(o, from, 8);
        std::memcpy(o + n - 8, from + n - 8, 8);
    } else if (n >= 4) {
        std::memcpy(o, from, 4);
        std::memcpy(o + n - 4, from + n - 4, 4);
    } else if (n > 0) {
        o[0] = from[0];
        o[n / 2] = from[n / 2];
        o[n - 1] = from[n - 1];
    }
}

// Copies the plain bytes of text from i on (i < stop), up to the first byte to escape or stop, to
// o, which has room for kChunk bytes; returns how many. Sixteen bytes are looked at together;
// near stop they are the sixteen that end at stop (a short text goes byte by byte), so nothing
// past the text is read.
std::size_t CopyPlainBytes(std::string_view text, std::size_t i, std::size_t stop, char* o) {
    const std::size_t left = stop - i;
    if (left >= kChunk) {
        const unsigned mask = EscapedByteMask(text.data() + i);
        std::memcpy(o, text.data() + i, kChunk);
        return mask == 0 ? kChunk : static_cast<std::size_t>(__builtin_ctz(mask));
    }
    std::size_t plain = 0;
    if (stop >= kChunk) {
        const unsigned mask = EscapedByteMask(text.data() + stop - kChunk) >> (kChunk - left);
        plain = mask == 0 ? left : static_cast<std::size_t>(__builtin_ctz(mask));
    } else {
        while (plain < left && !kEscapedBytes[static_cast<unsigned char>(text[i + plain])])
            ++plain;
    }
    CopyFewBytes(o, text.data() + i, plain);
    return plain;
}

// True when a half-width katakana (a single byte 0xA1 to 0xDF on a character boundary) stands in
// text, the only thing katakana widening changes.
// The second byte is skipped in a branch rather than by adding 1 or 2: a predicted branch lets the
// next byte load without waiting for this one.
bool HasHalfWidthKana(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c))
            ++i;
        else if (c >= 0xA1 && c <= 0xDF)
            return true;
    }
    return false;
}

}  // namespace

// One pass does the work of the replace-all steps: none of the bytes involved can be the second
// byte of a double-byte character, and "!and!;" cannot overlap a replaced "&", so the order of the
// separate steps changes nothing. column counts bytes of the text as it stands before spaces
// become "&nbsp;", which is where the tab stops are measured. The text goes in blocks, each
// written through a pointer into a buffer with room for the most it can become and then appended
// to out, which keeps calls into the string class out of the loop.
void EscapeHtmlTextInto(std::string& out, std::string_view text, int tabWidth, bool kana) {
    constexpr std::size_t kBlock = 1024;
    thread_local std::vector<char> buffer;
    const std::size_t width = tabWidth > 0 ? tabWidth : 1;
    const auto put = [](char* o, std::string_view entity) {
        std::memcpy(o, entity.data(), entity.size());
        return o + entity.size();
    };
    out.clear();
    std::size_t column = 0;
    std::size_t i = 0;
    std::size_t boundary = 0;  // where a character begins: after the last control character
    while (i < text.size()) {
        const std::size_t stop = std::min(text.size(), i + kBlock);
        // No byte but a tab becomes more than 6 (a tab makes room for itself), and plain bytes
        // are copied sixteen at a time.
        const std::size_t room = (stop - i) * kNbsp.size() + kChunk;
        if (buffer.size() < room)
            buffer.resize(room);
        char* first = buffer.data();
        char* o = first;
        while (i < stop) {
            const std::size_t plain = CopyPlainBytes(text, i, stop, o);
            o += plain;
            i += plain;
            column += plain;
            if (plain == kChunk || i == stop)
                continue;
            switch (text[i]) {
                case '&':
                    o = put(o, "&amp;");
                    column += 5;
                    break;
                case '!':
                    if (text.substr(i, kLiteralAmp.size()) == kLiteralAmp) {
                        o = put(o, "&amp;");
                        column += 5;
                        i += kLiteralAmp.size() - 1;
                    } else {
                        *o++ = '!';
                        ++column;
                    }
                    break;
                case '<':
                    o = put(o, "&lt;");
                    column += 4;
                    break;
                case '>':
                    o = put(o, "&gt;");
                    column += 4;
                    break;
                case '"':
                    o = put(o, "&quot;");
                    column += 6;
                    break;
                case '\t': {
                    const std::size_t spaces = width - column % width;
                    const std::size_t done = o - first;
                    const std::size_t need = done + (spaces + stop - i - 1) * kNbsp.size() + kChunk;
                    if (buffer.size() < need) {
                        buffer.resize(need);
                        first = buffer.data();
                        o = first + done;
                    }
                    for (std::size_t n = 0; n < spaces; ++n)
                        o = put(o, kNbsp);
                    column += spaces;
                    break;
                }
                case ' ': {  // a run of spaces, as indented lines begin
                    std::size_t run = 1;
                    while (i + run < stop && text[i + run] == ' ')
                        ++run;
                    for (std::size_t n = 0; n < run; ++n)
                        o = put(o, kNbsp);
                    column += run;
                    i += run - 1;
                    break;
                }
                case '\n':
                case '\r':
                    *o++ = text[i];
                    ++column;
                    break;
                default:  // a control character
                    // A lead byte left alone before it would pair with the stand-in's first
                    // byte: it gets a stand-in too (uncounted), as a byte that is no character.
                    if (i > 0 && EndsInLoneLeadByte(text, boundary, i)) {
                        if (o > first)
                            --o;
                        else
                            out.pop_back();
                        o = TControlCharacterStandIn::Put(o, false);
                    }
                    o = TControlCharacterStandIn::Put(o, true);
                    ++column;
                    boundary = i + 1;
            }
            ++i;
        }
        out.append(first, o - first);
    }
    if (kana && HasHalfWidthKana(out))
        out = WidenKatakana(out);
}

std::string EscapeHtmlText(std::string_view text, int tabWidth, bool kana) {
    std::string out;
    EscapeHtmlTextInto(out, text, tabWidth, kana);
    return out;
}
