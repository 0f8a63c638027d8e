#include "fuzz/aozora_check.h"

#include "engine/text/text_helpers.h"

namespace {

constexpr std::string_view kOpen = "\x81\x6D\x81\x94";  // ［＃
constexpr std::string_view kBracket = "\x81\x6D";       // ［
constexpr std::string_view kClose = "\x81\x6E";         // ］
constexpr std::string_view kMark = "\x81\xA6";          // ※

bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// A lead byte before no trail byte (a tab, say) stands alone, as the escaping leaves it.
std::size_t CharLength(std::string_view t, std::size_t i) {
    return IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() &&
                   IsTrailByte(static_cast<unsigned char>(t[i + 1]))
               ? 2
               : 1;
}

}  // namespace

std::string TextOutsideAozoraAnnotations(std::string_view raw) {
    std::string out;
    std::size_t lastMark = std::string::npos;  // where out holds a "※" as its last character
    for (std::size_t i = 0; i < raw.size();) {
        if (raw.compare(i, kOpen.size(), kOpen) == 0) {
            int depth = 1;
            std::size_t j = i + kOpen.size();
            while (j < raw.size() && depth > 0) {
                if (raw.compare(j, kBracket.size(), kBracket) == 0)
                    ++depth;
                else if (raw.compare(j, kClose.size(), kClose) == 0)
                    --depth;
                j += CharLength(raw, j);
            }
            if (depth == 0) {
                if (lastMark != std::string::npos && lastMark + kMark.size() == out.size())
                    out.resize(lastMark);
                lastMark = std::string::npos;
                i = j;
                continue;
            }
        }
        const std::size_t n = CharLength(raw, i);
        lastMark = raw.compare(i, kMark.size(), kMark) == 0 ? out.size() : std::string::npos;
        out.append(raw, i, n);
        i += n;
    }
    return out;
}

std::string ApartFromRubyMarksAndBlanks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharLength(text, i);
        const std::string_view c = text.substr(i, n);
        // A lone lead byte counts as blank: the page may show it as itself or as "〓".
        const auto byte = static_cast<unsigned char>(c[0]);
        const bool blank = n == 1 && (byte <= ' ' || IsLeadByte(byte));
        if (!blank && c != "|" && c != "\x81\x62" && c != "\x81\x73" &&
            c != "\x81\x74")  // ｜ 《 》
            out += c;
        i += n;
    }
    return out;
}

bool KeepsInOrder(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (std::size_t i = 0; i < part.size();) {
        const std::size_t n = CharLength(part, i);
        const std::size_t found = whole.find(part.substr(i, n), at);
        if (found == std::string_view::npos)
            return false;
        at = found + n;
        i += n;
    }
    return true;
}
