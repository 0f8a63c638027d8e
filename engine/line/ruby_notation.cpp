#include "engine/line/ruby_notation.h"

#include <algorithm>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/encodings/sjis_bridge.h"
#include "engine/text/text_helpers.h"

namespace {

// The Shift_JIS forms of the marks.
constexpr std::string_view kOpen = "\x81\x73";        // 《
constexpr std::string_view kClose = "\x81\x74";       // 》
constexpr std::string_view kWideBar = "\x81\x62";     // ｜
constexpr std::string_view kOpenParen = "\x81\x69";   // （
constexpr std::string_view kCloseParen = "\x81\x6A";  // ）

// The longest base and reading the notation takes (in characters, an entity counting as one):
// a longer one is no notation the writer meant, and the line stays as typed.
constexpr std::size_t kMostBaseCharacters = 20;
constexpr std::size_t kMostReadingCharacters = 50;

// The ideographs of CP932 (both JIS levels, the NEC-selected and IBM extensions, 仝) with 々 〆 〇
// and ヶ: the codes whose character is a CJK ideograph or one of those four.
bool IsKanjiCode(unsigned code) {
    return (code >= 0x8157 && code <= 0x815A) || code == 0x8396 ||
           (code >= 0x889F && code <= 0x9872) || (code >= 0x989F && code <= 0xEAA4) ||
           (code >= 0xED40 && code <= 0xEEEC) || (code >= 0xFA5C && code <= 0xFC4B);
}

// Every CJK unified ideograph (the extensions A to I included) and compatibility ideograph.
bool IsIdeograph(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FA1F) ||
           (c >= 0x30000 && c <= 0x323AF);
}

// A kanji of the automatic base, given its code: a character CP932 lacks arrives as a stand-in
// of the user-defined area, which the bridge tells the character of.
bool IsKanji(unsigned code, const TSjisBridge* bridge) {
    if (code >= 0xF040 && code <= 0xF9FC)
        return bridge && IsIdeograph(bridge->StandsFor(static_cast<std::uint16_t>(code)));
    return IsKanjiCode(code);
}

// One notation found in the plain text; 0-based byte offsets.
struct TNotation {
    enum class TKind { Ruby, Sesame, LiteralOpen } Kind;
    std::size_t Start;      // the bar, the first "《" of "《《", or the start of a bare base
    std::size_t TextStart;  // the base, or the dotted text
    std::size_t TextEnd;
    std::size_t End;  // past the closing mark
};

// True when escaped text holds more than most characters; an entity is one character.
bool LongerThan(std::string_view t, std::size_t most) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < t.size(); ++count) {
        if (count == most)
            return true;
        const std::size_t semicolon = t[i] == '&' ? t.find(';', i) : std::string_view::npos;
        i = semicolon != std::string_view::npos ? semicolon + 1 : NextCharStart(t, i);
    }
    return false;
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
        for (std::size_t i = 0; i < t.size(); i = NextCharStart(t, i)) {
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
std::vector<TNotation> FindNotations(std::string_view t, const TSjisBridge* bridge) {
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
        const std::size_t next = NextCharStart(t, i);
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
                const std::size_t readingEnd = closed ? close : next;
                if (closed && baseStart < i &&
                    !LongerThan(t.substr(baseStart, i - baseStart), kMostBaseCharacters) &&
                    !LongerThan(t.substr(next, readingEnd - next), kMostReadingCharacters)) {
                    i = take({TNotation::TKind::Ruby, bar != kNone ? bar : baseStart, baseStart, i,
                              close + kClose.size()});
                    continue;
                }
            }
            bar = kNone;  // a bar's base never holds a "《" that stays as written
        }
        const bool kanji = next == i + 2 && IsKanji(static_cast<unsigned char>(t[i]) << 8 |
                                                        static_cast<unsigned char>(t[i + 1]),
                                                    bridge);
        i = next;
        if (!kanji)
            kanjiRun = i;
    }
    return found;
}

// The live tags in the order they stand (indexes into the line's tags), each with the index (in
// that order) of its partner: a closing tag pairs with the nearest open element of its name in
// front of it; -1 for none.
struct TTagOrder {
    std::vector<std::uint32_t> Tags;
    std::vector<int> Partner;
};

std::string_view ElementName(std::string_view tag) {
    const std::size_t from = tag.starts_with("</") ? 2 : 1;
    const std::size_t end = tag.find_first_of(" \t>", from);
    return tag.substr(from, end == std::string_view::npos ? std::string_view::npos : end - from);
}

TTagOrder OrderTags(const THtmlCnv& line) {
    const std::vector<TAddTagInfo>& tags = line.arrAddTagInfo;
    TTagOrder order;
    for (std::uint32_t i = 0; i < tags.size(); ++i) {
        if (tags[i].iPos >= 0)
            order.Tags.push_back(i);
    }
    std::sort(order.Tags.begin(), order.Tags.end(), [&](std::uint32_t a, std::uint32_t b) {
        return tags[a].iPos != tags[b].iPos ? tags[a].iPos < tags[b].iPos
                                            : tags[a].Slot < tags[b].Slot;
    });
    order.Partner.assign(order.Tags.size(), -1);
    std::vector<int> open;
    for (int k = 0; k < static_cast<int>(order.Tags.size()); ++k) {
        const std::string_view tag = tags[order.Tags[k]].strTag;
        if (!tag.starts_with("</")) {
            open.push_back(k);
            continue;
        }
        const std::string_view name = ElementName(tag);
        for (auto it = open.rbegin(); it != open.rend(); ++it) {
            if (ElementName(tags[order.Tags[*it]].strTag) == name) {
                order.Partner[k] = *it;
                order.Partner[*it] = k;
                open.erase(std::next(it).base());
                break;
            }
        }
    }
    return order;
}

// Where a notation's element goes among the tags at the edges of its text: behind the first
// FromFront tags at its start (those of elements around it or before it) and behind the first
// ToFront tags at its end (those of elements inside it), as ranges of the tag order. Without
// inner tags at an edge the element's tag goes behind every tag at the start, in front of every
// tag at the end.
struct TEdges {
    bool InnerAtFrom = false;
    bool InnerAtTo = false;
    std::size_t FromBegin = 0, FromEnd = 0;
    std::size_t ToBegin = 0, ToEnd = 0;
};

// Plans an element around the plain positions from .. to (1-based, to exclusive). False when
// an element added before would cross it: one with a tag inside and its partner outside, or one
// at an edge that stands among those of the other side. An element that starts or ends at an
// edge and lies within the text goes inside (a number set upright at the start of a base, a link
// at the end of dotted text); one that coincides with the text goes around it.
bool PlanEdges(const THtmlCnv& line, const TTagOrder& order, int from, int to, TEdges& edges) {
    const std::vector<TAddTagInfo>& tags = line.arrAddTagInfo;
    const auto pos = [&](std::size_t k) { return tags[order.Tags[k]].iPos; };
    const auto closing = [&](std::size_t k) {
        return std::string_view(tags[order.Tags[k]].strTag).starts_with("</");
    };
    const auto firstAt = [&](int p) {
        return static_cast<std::size_t>(
            std::lower_bound(order.Tags.begin(), order.Tags.end(), p,
                             [&](std::uint32_t tag, int q) { return tags[tag].iPos < q; }) -
            order.Tags.begin());
    };
    const std::size_t n = order.Tags.size();
    std::size_t k = firstAt(from);
    // The start edge: the outside tags, then the inner ones.
    edges.FromBegin = k;
    bool inner = false;
    for (; k < n && pos(k) == from; ++k) {
        const int partner = order.Partner[k];
        if (partner < 0)
            continue;
        const bool in = closing(k) ? pos(partner) == from : pos(partner) < to;
        if (in && !inner) {
            inner = true;
            edges.FromEnd = k;
        } else if (!in && inner) {
            return false;
        }
    }
    edges.InnerAtFrom = inner;
    // Inside: every element wholly within from .. to.
    for (; k < n && pos(k) < to; ++k) {
        const int partner = order.Partner[k];
        if (partner >= 0 && (pos(partner) < from || pos(partner) > to))
            return false;
    }
    // The end edge: the inner tags, then the outside ones.
    edges.ToBegin = k;
    bool outside = false;
    inner = false;
    for (; k < n && pos(k) == to; ++k) {
        const int partner = order.Partner[k];
        if (partner < 0)
            continue;
        const bool in = closing(k) && pos(partner) > from && pos(partner) < to;
        if (in && outside)
            return false;
        if (in) {
            inner = true;
            edges.ToEnd = k + 1;
        } else {
            outside = true;
        }
    }
    edges.InnerAtTo = inner;
    return true;
}

int Pos(std::size_t offset) {
    return static_cast<int>(offset) + 1;
}

// Wraps plain from .. to (1-based, to exclusive) in opening and closing as edges plans, and
// deletes the marks around: the run from markStart up to from and the run from to up to
// markEnd. The tags at the edges are those of the plan still: the line was not changed in front
// of markEnd since it was planned.
void Wrap(THtmlCnv& line, const TTagOrder& order, const TEdges& edges, std::string_view opening,
          std::string_view closing, int markStart, int from, int to, int markEnd) {
    const std::span<const std::uint32_t> tags = order.Tags;
    if (edges.InnerAtFrom)
        line.P_AddTagBehind(opening, from,
                            tags.subspan(edges.FromBegin, edges.FromEnd - edges.FromBegin));
    else
        line.P_AddTag(opening, from, true);
    // The tags of the closing marks (and the reading) stay at to, behind those that stood there.
    line.P_DeleteWord(to, markEnd - to);
    if (edges.InnerAtTo)
        line.P_AddTagBehind(closing, to, tags.subspan(edges.ToBegin, edges.ToEnd - edges.ToBegin));
    else
        line.P_AddTag(closing, to, false);
    if (markStart < from)
        line.P_DeleteWord(markStart, from - markStart);
}

}  // namespace

void ApplyRubyNotation(THtmlCnv& line, const TSjisBridge* bridge) {
    // Every notation holds "《" or a bar, and "《" begins with 0x81, which most lines of prose
    // hold anyway; a line without the first byte of the marks is left at once.
    if (line.strHtml.find(kOpen) == std::string::npos)
        return;
    const std::vector<TNotation> found = FindNotations(line.strHtml, bridge);
    if (found.empty())
        return;
    const TTagOrder order = OrderTags(line);
    std::vector<TEdges> edges(found.size());
    std::vector<bool> usable(found.size());
    for (std::size_t n = 0; n < found.size(); ++n) {
        const TNotation& k = found[n];
        usable[n] = k.Kind == TNotation::TKind::LiteralOpen ||
                    PlanEdges(line, order, Pos(k.TextStart), Pos(k.TextEnd), edges[n]);
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
            case TNotation::TKind::Sesame:
                Wrap(line, order, edges[n], "<em class=\"sesame\">", "</em>", Pos(k.Start),
                     Pos(k.TextStart), Pos(k.TextEnd), Pos(k.End));
                break;
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
                Wrap(line, order, edges[n], "<ruby>", tag, Pos(k.Start), Pos(k.TextStart),
                     Pos(k.TextEnd), Pos(k.End));
                break;
            }
        }
    }
}
