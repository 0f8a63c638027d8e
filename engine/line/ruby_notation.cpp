#include "engine/line/ruby_notation.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text/text_helpers.h"

namespace {

// The Shift_JIS forms of the marks.
constexpr std::string_view kOpen = "\x81\x73";        // 《
constexpr std::string_view kClose = "\x81\x74";       // 》
constexpr std::string_view kWideBar = "\x81\x62";     // ｜
constexpr std::string_view kOpenParen = "\x81\x69";   // （
constexpr std::string_view kCloseParen = "\x81\x6A";  // ）

// Kanji of both JIS levels and the NEC and IBM extensions, with 々 〆 〇 and ヶ.
bool IsKanji(unsigned code) {
    return (code >= 0x889F && code <= 0x9872) || (code >= 0x989F && code <= 0xEAA4) ||
           (code >= 0xED40 && code <= 0xEEFC) || (code >= 0xFA40 && code <= 0xFC4B) ||
           code == 0x8158 || code == 0x8159 || code == 0x815A || code == 0x8396;
}

// One notation found in the plain text; 0-based byte offsets.
struct TNotation {
    enum class TKind { Ruby, Sesame, LiteralOpen } Kind;
    std::size_t Start;      // the bar, the first "《" of "《《", or the start of a bare base
    std::size_t TextStart;  // the base, or the dotted text
    std::size_t TextEnd;
    std::size_t End;  // past the closing mark
};

// Where the character at i ends.
std::size_t NextChar(std::string_view t, std::size_t i) {
    return i + (IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() ? 2 : 1);
}

bool IsBar(std::string_view t, std::size_t i) {
    return t[i] == '|' || t.compare(i, kWideBar.size(), kWideBar) == 0;
}

std::size_t BarLength(std::string_view t, std::size_t i) {
    return t[i] == '|' ? 1 : kWideBar.size();
}

// The marks "《" and "》" of a plain text that stand on character boundaries, and the "》》"
// among them, each in order: the first one at or after an offset is found by a binary search,
// so a line of many unclosed marks takes no longer than one pass.
struct TMarks {
    std::vector<std::size_t> Opens;
    std::vector<std::size_t> Closes;
    std::vector<std::size_t> DoubleCloses;

    explicit TMarks(std::string_view t) {
        for (std::size_t i = 0; i < t.size(); i = NextChar(t, i)) {
            if (t.compare(i, kOpen.size(), kOpen) == 0)
                Opens.push_back(i);
            else if (t.compare(i, kClose.size(), kClose) == 0)
                Closes.push_back(i);
        }
        for (std::size_t n = 0; n + 1 < Closes.size(); ++n) {
            if (Closes[n + 1] == Closes[n] + kClose.size())
                DoubleCloses.push_back(Closes[n]);
        }
    }

    static std::size_t FirstFrom(const std::vector<std::size_t>& marks, std::size_t from) {
        const auto it = std::lower_bound(marks.begin(), marks.end(), from);
        return it == marks.end() ? std::string_view::npos : *it;
    }
};

// The notations of a plain text, left to right, none inside another.
std::vector<TNotation> FindNotations(std::string_view t) {
    const TMarks marks(t);
    std::vector<TNotation> found;
    if (marks.Opens.empty())
        return found;
    constexpr std::size_t kNone = std::string_view::npos;
    std::size_t bar = kNone;   // the last bar since the last notation
    std::size_t kanjiRun = 0;  // where the run of kanji that ends at i began
    const auto take = [&](const TNotation& notation) {
        found.push_back(notation);
        bar = kNone;
        kanjiRun = notation.End;
        return notation.End;
    };
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t next = NextChar(t, i);
        if (IsBar(t, i) && t.compare(next, kOpen.size(), kOpen) == 0) {
            i = take({TNotation::TKind::LiteralOpen, i, next, next, next + kOpen.size()});
            continue;
        }
        if (IsBar(t, i)) {
            bar = i;
        } else if (t.compare(i, kOpen.size(), kOpen) == 0) {
            if (t.compare(next, kOpen.size(), kOpen) == 0) {
                const std::size_t textStart = next + kOpen.size();
                const std::size_t close = TMarks::FirstFrom(marks.DoubleCloses, textStart);
                if (close != kNone && close > textStart) {
                    i = take(
                        {TNotation::TKind::Sesame, i, textStart, close, close + 2 * kClose.size()});
                    continue;
                }
            } else {
                const std::size_t close = TMarks::FirstFrom(marks.Closes, next);
                const bool closed =
                    close != kNone && close > next && TMarks::FirstFrom(marks.Opens, next) > close;
                const std::size_t baseStart = bar != kNone ? bar + BarLength(t, bar) : kanjiRun;
                if (closed && baseStart < i) {
                    i = take({TNotation::TKind::Ruby, bar != kNone ? bar : baseStart, baseStart, i,
                              close + kClose.size()});
                    continue;
                }
            }
            bar = kNone;  // a bar's base never holds a "《" that stays as written
        }
        const bool kanji = next == i + 2 && IsKanji(static_cast<unsigned char>(t[i]) << 8 |
                                                    static_cast<unsigned char>(t[i + 1]));
        i = next;
        if (!kanji)
            kanjiRun = i;
    }
    return found;
}

// The live tags in the order they stand, each with the index (in that order) of its partner:
// a closing tag pairs with the nearest open element of its name in front of it; -1 for none.
struct TTagOrder {
    std::vector<const TAddTagInfo*> Tags;
    std::vector<int> Partner;
};

std::string_view ElementName(std::string_view tag) {
    const std::size_t from = tag.starts_with("</") ? 2 : 1;
    const std::size_t end = tag.find_first_of(" \t>", from);
    return tag.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
}

TTagOrder OrderTags(const THtmlCnv& line) {
    TTagOrder order;
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos >= 0)
            order.Tags.push_back(&tag);
    }
    std::sort(order.Tags.begin(), order.Tags.end(), [](const TAddTagInfo* a, const TAddTagInfo* b) {
        return a->iPos != b->iPos ? a->iPos < b->iPos : a->Slot < b->Slot;
    });
    order.Partner.assign(order.Tags.size(), -1);
    std::vector<int> open;
    for (int k = 0; k < static_cast<int>(order.Tags.size()); ++k) {
        const std::string_view tag = order.Tags[k]->strTag;
        if (!tag.starts_with("</")) {
            open.push_back(k);
            continue;
        }
        const std::string_view name = ElementName(tag);
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            if (ElementName(order.Tags[*it]->strTag) == name) {
                order.Partner[k] = *it;
                order.Partner[*it] = k;
                open.erase(std::next(it).base());
                break;
            }
        }
    }
    return order;
}

// True when an element has one tag strictly inside the plain positions (from, to) (1-based) and
// its partner elsewhere: wrapping from .. to in a new element would cross it. Only the tags inside
// are looked at, so the notations of a line together look at each tag once.
bool CrossesRange(const TTagOrder& order, int from, int to) {
    const auto first =
        std::upper_bound(order.Tags.begin(), order.Tags.end(), from,
                         [](int p, const TAddTagInfo* tag) { return p < tag->iPos; });
    for (auto it = first; it != order.Tags.end() && (*it)->iPos < to; ++it) {
        const int partner = order.Partner[it - order.Tags.begin()];
        if (partner >= 0 && (order.Tags[partner]->iPos <= from || order.Tags[partner]->iPos >= to))
            return true;
    }
    return false;
}

int Pos(std::size_t offset) {
    return static_cast<int>(offset) + 1;
}

}  // namespace

void ApplyRubyNotation(THtmlCnv& line) {
    // Every notation holds "《" or a bar, and "《" begins with 0x81, which most lines of prose
    // hold anyway; a line without the first byte of the marks is left at once.
    if (line.strHtml.find(kOpen) == std::string::npos)
        return;
    const std::vector<TNotation> found = FindNotations(line.strHtml);
    if (found.empty())
        return;
    const TTagOrder order = OrderTags(line);
    std::vector<bool> usable(found.size());
    for (std::size_t n = 0; n < found.size(); ++n) {
        const TNotation& k = found[n];
        usable[n] = k.Kind == TNotation::TKind::LiteralOpen ||
                    !CrossesRange(order, Pos(k.TextStart), Pos(k.TextEnd));
    }
    // From the right, so that the offsets of the notations still to do stay true.
    std::string tag;
    for (std::size_t n = found.size(); n-- > 0;) {
        if (!usable[n])
            continue;
        const TNotation& k = found[n];
        const std::string_view t = line.strHtml;
        switch (k.Kind) {
            case TNotation::TKind::LiteralOpen:
                line.P_DeleteWord(Pos(k.Start), static_cast<int>(k.TextStart - k.Start));
                break;
            case TNotation::TKind::Sesame: {
                const int length = static_cast<int>(k.TextEnd - k.TextStart);
                line.P_DeleteWord(Pos(k.TextEnd), static_cast<int>(k.End - k.TextEnd));
                line.P_DeleteWord(Pos(k.Start), static_cast<int>(k.TextStart - k.Start));
                line.P_AddTag("<em class=\"sesame\">", Pos(k.Start), true);
                line.P_AddTag("</em>", Pos(k.Start) + length, false);
                break;
            }
            case TNotation::TKind::Ruby: {
                const std::size_t readingStart = k.TextEnd + kOpen.size();
                const std::size_t readingEnd = k.End - kClose.size();
                tag = "<rp>";
                tag += kOpenParen;
                tag += "</rp><rt>";
                tag += t.substr(readingStart, readingEnd - readingStart);
                tag += "</rt><rp>";
                tag += kCloseParen;
                tag += "</rp></ruby>";
                const int length = static_cast<int>(k.TextEnd - k.TextStart);
                line.P_DeleteWord(Pos(k.TextEnd), static_cast<int>(k.End - k.TextEnd));
                if (k.Start < k.TextStart)
                    line.P_DeleteWord(Pos(k.Start), static_cast<int>(k.TextStart - k.Start));
                line.P_AddTag("<ruby>", Pos(k.Start), true);
                line.P_AddTag(tag, Pos(k.Start) + length, false);
                break;
            }
        }
    }
}
