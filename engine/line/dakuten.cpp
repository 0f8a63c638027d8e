#include "engine/line/dakuten.h"

#include <string>
#include <string_view>

#include "engine/encodings/sjis_bridge.h"
#include "engine/text/text_helpers.h"

namespace {

constexpr std::string_view kDakuten = "\x81\x4A";  // ゛
constexpr char kHalfWidthDakuten = '\xDE';         // ﾞ
constexpr char32_t kCombiningDakuten = 0x3099;

// The CP932 code of a kana that has one, 0 for the others (ゔ ヷ ヸ ヹ ヺ).
unsigned CodeOf(char32_t c) {
    for (const TKanaBlock& block : kKanaBlocks) {
        if (c >= block.FirstChar && c - block.FirstChar < block.Count)
            return block.FirstCode + (c - block.FirstChar);
    }
    if (c == 0x309E)
        return 0x8155;  // ゞ
    if (c == 0x30FE)
        return 0x8153;  // ヾ
    return 0;
}

// The hiragana of a kana (katakana of the hiragana block's range moved down).
char32_t Hiragana(char32_t c) {
    return c >= 0x30A1 && c <= 0x30F6 ? c - 0x60 : c;
}

// The unvoiced kana that a voiced form follows directly: か..ぢ and つ..ど every second one,
// は..ほ every third.
bool HasVoicedNext(char32_t h) {
    return (h >= 0x304B && h <= 0x3061 && (h - 0x304B) % 2 == 0) ||
           (h >= 0x3064 && h <= 0x3068 && (h - 0x3064) % 2 == 0) ||
           (h >= 0x306F && h <= 0x307B && (h - 0x306F) % 3 == 0);
}

// The voiced form of a kana, 0 when it has none.
char32_t Voiced(char32_t c) {
    if (HasVoicedNext(Hiragana(c)) || c == 0x309D || c == 0x30FD)
        return c + 1;
    switch (c) {
        case 0x3046:  // う
            return 0x3094;
        case 0x30A6:  // ウ
            return 0x30F4;
        case 0x30EF:  // ワ ヰ ヱ ヲ
        case 0x30F0:
        case 0x30F1:
        case 0x30F2:
            return c + 8;
        default:
            return 0;
    }
}

// True for a kana that carries a dakuten or handakuten already.
bool IsMarked(char32_t c) {
    const char32_t h = Hiragana(c);
    return (h >= 0x304C && h <= 0x3062 && HasVoicedNext(h - 1)) ||
           (h >= 0x3065 && h <= 0x3069 && HasVoicedNext(h - 1)) ||
           (h >= 0x3070 && h <= 0x307D && (HasVoicedNext(h - 1) || HasVoicedNext(h - 2))) ||
           c == 0x3094 || c == 0x30F4;
}

void AppendCharacter(char32_t c, std::string& out) {
    if (const unsigned code = CodeOf(c)) {
        out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    } else {
        out += FixedCodeOf(c);
    }
}

}  // namespace

void ComposeDakuten(THtmlCnv& line) {
    const std::string_view t = line.strHtml;
    if (t.find(kDakuten) == std::string_view::npos &&
        t.find(kHalfWidthDakuten) == std::string_view::npos)
        return;
    std::string out;
    std::size_t copied = 0;  // t up to here is in out
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t next = NextCharStart(t, i);
        const bool pair = next == i + 2;
        const char32_t kana = pair ? KanaOfCode(static_cast<unsigned char>(t[i]) << 8 |
                                                static_cast<unsigned char>(t[i + 1]))
                                   : 0;
        std::size_t mark = 0;  // the length of a dakuten right after the kana
        if (kana && t.compare(next, kDakuten.size(), kDakuten) == 0)
            mark = kDakuten.size();
        else if (kana && next < t.size() && t[next] == kHalfWidthDakuten)
            mark = 1;
        if (mark == 0 || IsMarked(kana)) {
            i = next;
            continue;
        }
        out.append(t, copied, i - copied);
        if (const char32_t voiced = Voiced(kana)) {
            AppendCharacter(voiced, out);
        } else {
            out.append(t, i, next - i);
            AppendCharacter(kCombiningDakuten, out);
        }
        i = next + mark;
        copied = i;
    }
    if (copied == 0)
        return;
    out.append(t, copied);
    line.P_ReplacePlain(out);
}
