#include "engine/text/katakana.h"

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

namespace {

constexpr unsigned char kVoicedMark = 0xDE;
constexpr unsigned char kSemiVoicedMark = 0xDF;

// The JIS X 0201 katakana and their JIS X 0208 counterparts, in replacement order.
const char* const kPairsUtf8[81][2] = {
    {"ｶﾞ", "ガ"}, {"ｷﾞ", "ギ"}, {"ｸﾞ", "グ"}, {"ｹﾞ", "ゲ"}, {"ｺﾞ", "ゴ"}, {"ｻﾞ", "ザ"},
    {"ｼﾞ", "ジ"}, {"ｽﾞ", "ズ"}, {"ｾﾞ", "ゼ"}, {"ｿﾞ", "ゾ"}, {"ﾀﾞ", "ダ"}, {"ﾁﾞ", "ヂ"},
    {"ﾂﾞ", "ヅ"}, {"ﾃﾞ", "デ"}, {"ﾄﾞ", "ド"},                              //
    {"ﾊﾟ", "パ"}, {"ﾋﾟ", "ピ"}, {"ﾌﾟ", "プ"}, {"ﾍﾟ", "ペ"}, {"ﾎﾟ", "ポ"},  //
    {"ﾊﾞ", "バ"}, {"ﾋﾞ", "ビ"}, {"ﾌﾞ", "ブ"}, {"ﾍﾞ", "ベ"}, {"ﾎﾞ", "ボ"},  //
    {"ｳﾞ", "ヴ"},                                                          //
    {"ｧ", "ァ"},  {"ｨ", "ィ"},  {"ｩ", "ゥ"},  {"ｪ", "ェ"},  {"ｫ", "ォ"},  {"ｬ", "ャ"},
    {"ｭ", "ュ"},  {"ｮ", "ョ"},  {"ｯ", "ッ"},  //
    {"ｱ", "ア"},  {"ｲ", "イ"},  {"ｳ", "ウ"},  {"ｴ", "エ"},  {"ｵ", "オ"},  {"ｶ", "カ"},
    {"ｷ", "キ"},  {"ｸ", "ク"},  {"ｹ", "ケ"},  {"ｺ", "コ"},  {"ｻ", "サ"},  {"ｼ", "シ"},
    {"ｽ", "ス"},  {"ｾ", "セ"},  {"ｿ", "ソ"},  {"ﾀ", "タ"},  {"ﾁ", "チ"},  {"ﾂ", "ツ"},
    {"ﾃ", "テ"},  {"ﾄ", "ト"},  {"ﾅ", "ナ"},  {"ﾆ", "ニ"},  {"ﾇ", "ヌ"},  {"ﾈ", "ネ"},
    {"ﾉ", "ノ"},  {"ﾊ", "ハ"},  {"ﾋ", "ヒ"},  {"ﾌ", "フ"},  {"ﾍ", "ヘ"},  {"ﾎ", "ホ"},
    {"ﾏ", "マ"},  {"ﾐ", "ミ"},  {"ﾑ", "ム"},  {"ﾒ", "メ"},  {"ﾓ", "モ"},  {"ﾔ", "ヤ"},
    {"ﾕ", "ユ"},  {"ﾖ", "ヨ"},  {"ﾗ", "ラ"},  {"ﾘ", "リ"},  {"ﾙ", "ル"},  {"ﾚ", "レ"},
    {"ﾛ", "ロ"},  {"ﾜ", "ワ"},  //
    {"ｦ", "ヲ"},  {"ﾝ", "ン"},
};

// The table as lookups by the kana byte: the plain form, and the forms with each mark (empty
// where the kana has no such form).
struct TKanaLookup {
    std::array<std::string, 256> Plain;
    std::array<std::string, 256> Voiced;
    std::array<std::string, 256> SemiVoiced;
};

const TKanaLookup& Lookup() {
    static const TKanaLookup lookup = [] {
        TKanaLookup l;
        for (const TKanaPair& pair : KatakanaPairs()) {
            const auto kana = static_cast<unsigned char>(pair.HalfWidth[0]);
            if (pair.HalfWidth.size() == 1) {
                l.Plain[kana] = pair.FullWidth;
            } else if (static_cast<unsigned char>(pair.HalfWidth[1]) == kVoicedMark) {
                l.Voiced[kana] = pair.FullWidth;
            } else {
                l.SemiVoiced[kana] = pair.FullWidth;
            }
        }
        return l;
    }();
    return lookup;
}

}  // namespace

const std::array<TKanaPair, 81>& KatakanaPairs() {
    static const std::array<TKanaPair, 81> pairs = [] {
        std::array<TKanaPair, 81> p;
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = {Sjis(kPairsUtf8[i][0]), Sjis(kPairsUtf8[i][1])};
        return p;
    }();
    return pairs;
}

// One left-to-right pass over the characters. It gives what the 81 replace-all passes give:
// every two-byte sequence starts with a kana and ends with a mark, a mark never starts one, and
// each kana has at most one form per mark, so no two sequences compete for a byte; the
// two-byte forms come first in the table, so a kana before its mark is always taken with it; and
// a replacement neither moves a character boundary nor creates a half-width kana.
std::string WidenKatakana(std::string_view text) {
    const TKanaLookup& lookup = Lookup();
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            out.append(text.substr(i, 2));
            i += 2;
            continue;
        }
        if (i + 1 < text.size()) {
            const auto mark = static_cast<unsigned char>(text[i + 1]);
            const std::string* combined = mark == kVoicedMark       ? &lookup.Voiced[c]
                                          : mark == kSemiVoicedMark ? &lookup.SemiVoiced[c]
                                                                    : nullptr;
            if (combined != nullptr && !combined->empty()) {
                out.append(*combined);
                i += 2;
                continue;
            }
        }
        if (!lookup.Plain[c].empty()) {
            out.append(lookup.Plain[c]);
        } else {
            out.push_back(static_cast<char>(c));
        }
        ++i;
    }
    return out;
}
