#include "text_helpers.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace {

// First match of sought in tail at or after byte index from (0-based) that starts on a character
// boundary of tail; npos when none. Candidates come from memchr/memcmp, and the character walk
// only ever moves forward, so one search is linear in the tail.
std::size_t FindOnBoundary(std::string_view tail, std::string_view sought) {
    if (tail.empty() || sought.empty() || sought.size() > tail.size())
        return std::string_view::npos;
    std::size_t walk = 0;  // start of the character the walk stands on
    std::size_t from = 0;
    const std::size_t last = tail.size() - sought.size();
    while (from <= last) {
        const void* hit = std::memchr(tail.data() + from, sought[0], last - from + 1);
        if (hit == nullptr)
            return std::string_view::npos;
        const std::size_t cand = static_cast<const char*>(hit) - tail.data();
        while (walk < cand)
            walk += IsLeadByte(static_cast<unsigned char>(tail[walk])) ? 2 : 1;
        if (walk == cand && std::memcmp(tail.data() + cand, sought.data(), sought.size()) == 0) {
            return cand;
        }
        from = cand + 1;
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
    // The line feed is never a trail byte, so the walk may restart behind the last one.
    const std::size_t lf = text.substr(0, position).rfind('\n');
    std::size_t walk = lf == std::string_view::npos ? 0 : lf + 1;
    const std::size_t target = position - 1;
    while (walk < target) {
        const std::size_t width = IsLeadByte(static_cast<unsigned char>(text[walk])) ? 2 : 1;
        if (walk + width > target)
            return true;
        walk += width;
    }
    return false;
}

std::string_view Trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
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
