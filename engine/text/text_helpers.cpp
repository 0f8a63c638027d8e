#include "engine/text/text_helpers.h"

#include <charconv>
#include <cstring>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Start of the run of lead-range bytes that ends right in front of index i, going back no further
// than floor. That start is always a character boundary: either floor, which the caller knows to
// be one, or the byte after one outside the lead range, which ends a character whatever it is (a
// single byte or a second byte). The run pairs up from its start, so i itself begins a character
// exactly when the run has even length.
std::size_t LeadRunStart(std::string_view text, std::size_t i, std::size_t floor) {
    while (i > floor && IsLeadByte(static_cast<unsigned char>(text[i - 1])))
        --i;
    return i;
}

// True when sought stands in text at index i (which leaves room for it): its first and last bytes
// are known to match, so only the bytes between are compared.
bool MiddleMatches(const char* text, std::size_t i, std::string_view sought) {
    for (std::size_t k = 1; k + 1 < sought.size(); ++k) {
        if (text[i + k] != sought[k])
            return false;
    }
    return true;
}

// First index at or after from where the bytes of sought (not empty, not longer than text) stand
// in text, npos when there is none. Sixteen candidates at a time are kept only where both the first
// and the last byte of sought match, which is exact for the two-byte keywords of Japanese text and
// leaves few candidates for longer ones; lines and keywords are short, where this beats memmem's
// preparation and a memchr call for every common lead byte. A single byte is memchr's.
std::size_t FindBytes(std::string_view text, std::string_view sought, std::size_t from) {
    const std::size_t m = sought.size();
    const std::size_t candidates = text.size() - m + 1;  // indexes 0 .. candidates - 1
    const char* t = text.data();
    if (m == 1) {
        const void* hit =
            from < candidates ? std::memchr(t + from, sought[0], candidates - from) : nullptr;
        return hit ? static_cast<const char*>(hit) - t : std::string_view::npos;
    }
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(sought[0]);
    const __m128i last = _mm_set1_epi8(sought[m - 1]);
    // The candidates at .. at + 15, less the first skip of them, which are already done.
    const auto block = [&](std::size_t at, unsigned skip) -> std::size_t {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at + m - 1));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
        for (mask &= ~0u << skip; mask != 0; mask &= mask - 1) {
            const std::size_t hit = at + static_cast<std::size_t>(__builtin_ctz(mask));
            if (MiddleMatches(t, hit, sought))
                return hit;
        }
        return std::string_view::npos;
    };
    if (candidates >= 16) {
        for (; i + 16 <= candidates; i += 16) {
            if (const std::size_t hit = block(i, 0); hit != std::string_view::npos)
                return hit;
        }
        // The last candidates in one block that ends with them, overlapping the ones done.
        return i < candidates ? block(candidates - 16, static_cast<unsigned>(i - (candidates - 16)))
                              : std::string_view::npos;
    }
#endif
    for (; i < candidates; ++i) {
        if (t[i] == sought[0] && t[i + m - 1] == sought[m - 1] && MiddleMatches(t, i, sought))
            return i;
    }
    return std::string_view::npos;
}

// First match of sought in tail that starts on a character boundary of tail (the walk starting at
// its first byte); npos when none. A byte match is checked by the lead run in front of it, never
// further back than the last known boundary, so the checks of one search together read the tail
// at most once however many matches fall on second bytes.
std::size_t FindOnBoundary(std::string_view tail, std::string_view sought) {
    if (tail.empty() || sought.empty() || sought.size() > tail.size())
        return std::string_view::npos;
    std::size_t known = 0;  // a character starts here
    for (std::size_t cand = FindBytes(tail, sought, 0); cand != std::string_view::npos;
         cand = FindBytes(tail, sought, cand + 1)) {
        if ((cand - LeadRunStart(tail, cand, known)) % 2 == 0)
            return cand;
        // cand is the second byte of a character, so the next one starts right after it.
        known = cand + 1;
    }
    return std::string_view::npos;
}

}  // namespace

int InStrRel(int start, std::string_view text, std::string_view sought) {
    if (start < 1)
        start = 1;
    if (static_cast<std::size_t>(start) > text.size())
        return 0;
    const std::size_t at = FindOnBoundary(text.substr(start - 1), sought);
    return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
}

int InStr(int start, std::string_view text, std::string_view sought) {
    const int rel = InStrRel(start, text, sought);
    return rel == 0 ? 0 : rel + (start < 1 ? 1 : start) - 1;
}

bool ParseInteger(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return false;
    std::uint64_t magnitude = 0;
    const char* first = text.data() + i;
    const char* end = text.data() + text.size();
    if (*first == '+' || *first == '-')
        return false;
    const auto [ptr, ec] = std::from_chars(first, end, magnitude, base);
    if (ec != std::errc() || ptr != end)
        return false;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (magnitude > limit)
        return false;
    value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                     : static_cast<std::int32_t>(magnitude);
    return true;
}

bool IsNumeric(std::string_view text) {
    std::int32_t unused = 0;
    return ParseInteger(text, unused);
}

bool IsInRange(std::string_view text, bool allowEmpty, int minimum, int maximum) {
    if (!IsNumeric(text))
        return allowEmpty && text.empty();
    // Only the decimal form converts as a number; a hexadecimal text is out of range.
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    for (std::size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9')
            return false;
    }
    std::int32_t value = 0;
    ParseInteger(text, value);
    if (value == 0)
        return true;
    return minimum <= value && value <= maximum;
}

TColor RgbToColor(int red, int green, int blue) {
    return (static_cast<TColor>(blue & 0xFF) << 16) | (static_cast<TColor>(green & 0xFF) << 8) |
           static_cast<TColor>(red & 0xFF);
}

std::string RepeatText(std::string_view text, int n) {
    std::string result(text);
    for (int i = 0; i < n; ++i)
        result.append(text);
    return result;
}

int LastPosBefore(std::string_view text, std::string_view sought, int limit) {
    int p = 0;
    for (;;) {
        const int hit = InStr(p + 1, text, sought);
        if (hit == 0 || hit > limit)
            return p;
        p = hit;
    }
}

bool IsTrailByte(std::string_view text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size())
        return false;
    const std::size_t target = static_cast<std::size_t>(position) - 1;
    // The walk restarts behind the last line feed at or before position; a line feed is outside
    // the lead range, so the lead run in front of position never reaches back past one.
    if (text[target] == '\n')
        return false;
    return (target - LeadRunStart(text, target, 0)) % 2 == 1;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t done = 0;
    while (done < text.size()) {
        const std::size_t at = FindOnBoundary(text.substr(done), from);
        if (at == std::string_view::npos)
            break;
        result.append(text.substr(done, at));
        result.append(to);
        done += at + from.size();
    }
    if (done == 0)
        return std::string(text);
    result.append(text.substr(done));
    return result;
}
