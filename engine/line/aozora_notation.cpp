#include "engine/line/aozora_notation.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/line/aozora_syntax.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "engine/text/text_helpers.h"

namespace {

constexpr std::string_view kNoteOpen = "\x81\x6D\x81\x94";  // ［＃
constexpr std::string_view kBracketOpen = "\x81\x6D";       // ［
constexpr std::string_view kBracketClose = "\x81\x6E";      // ］
constexpr std::string_view kMark = "\x81\xA6";              // ※
constexpr std::size_t kNone = std::string_view::npos;

int Pos(std::size_t offset) {
    return static_cast<int>(offset) + 1;
}

// One "［＃...］" in a text: 0-based offsets of "［", of its text, of "］" and past it.
struct TFound {
    std::size_t Start = 0;
    std::size_t ContentStart = 0;
    std::size_t ContentEnd = 0;
    std::size_t End = 0;
    std::string_view Content(std::string_view t) const {
        return t.substr(ContentStart, ContentEnd - ContentStart);
    }
};

// The "］" that closes the "［" before from, counting the brackets opened inside; kNone when the
// text ends first.
std::size_t MatchingClose(std::string_view t, std::size_t from) {
    int depth = 1;
    for (std::size_t i = from; i < t.size(); i = NextCharStart(t, i)) {
        if (t.compare(i, kBracketOpen.size(), kBracketOpen) == 0) {
            ++depth;
        } else if (t.compare(i, kBracketClose.size(), kBracketClose) == 0 && --depth == 0) {
            return i;
        }
    }
    return kNone;
}

// The first complete annotation that begins at or after from (a character boundary), and the
// start of the character before it (kNone for none) in before. An annotation left open stops
// the search: the rest of the line stays as written.
bool NextAnnotation(std::string_view t, std::size_t from, TFound& found, std::size_t& before) {
    std::size_t previous = kNone;
    for (std::size_t i = from; i < t.size(); i = NextCharStart(t, i)) {
        if (t.compare(i, kNoteOpen.size(), kNoteOpen) == 0) {
            const std::size_t close = MatchingClose(t, i + kNoteOpen.size());
            if (close == kNone)
                return false;
            found = {i, i + kNoteOpen.size(), close, close + kBracketClose.size()};
            before = previous;
            return true;
        }
        previous = i;
    }
    return false;
}

constexpr std::string_view kRubyOpen = "\x81\x73";   // 《
constexpr std::string_view kRubyClose = "\x81\x74";  // 》
constexpr std::string_view kWideBar = "\x81\x62";    // ｜

std::size_t BarAt(std::string_view t, std::size_t i) {
    if (i < t.size() && t[i] == '|')
        return 1;
    return t.compare(i, kWideBar.size(), kWideBar) == 0 ? kWideBar.size() : 0;
}

// The end of a reading "《...》" (not "《《") that begins at i and closes before limit; i when
// there is none.
std::size_t ReadingEnd(std::string_view t, std::size_t i, std::size_t limit) {
    if (t.compare(i, kRubyOpen.size(), kRubyOpen) != 0 ||
        t.compare(i + kRubyOpen.size(), kRubyOpen.size(), kRubyOpen) == 0)
        return i;
    for (std::size_t j = i + kRubyOpen.size(); j < limit; j = NextCharStart(t, j)) {
        if (t.compare(j, kRubyOpen.size(), kRubyOpen) == 0)
            return i;
        if (t.compare(j, kRubyClose.size(), kRubyClose) == 0)
            return j + kRubyClose.size() <= limit ? j + kRubyClose.size() : i;
    }
    return i;
}

// The end of sought matched at i, before limit; kNone when it does not match there. With
// overRuby, the text's ruby marks and readings may stand between its characters (a reference
// names the words without their ruby), and a reading right after the match and a bar right
// before it belong to it.
std::size_t MatchAt(std::string_view t, std::size_t i, std::string_view sought, std::size_t limit,
                    bool overRuby) {
    std::size_t j = i;
    for (std::size_t k = 0; k < sought.size();) {
        if (j >= limit)
            return kNone;
        const std::size_t length = NextCharStart(sought, k) - k;
        if (j + length <= limit && t.compare(j, length, sought, k, length) == 0 &&
            NextCharStart(t, j) == j + length) {
            j += length;
            k += length;
            continue;
        }
        if (!overRuby || j == i)
            return kNone;
        if (const std::size_t bar = BarAt(t, j); bar > 0) {
            j += bar;
            continue;
        }
        const std::size_t reading = ReadingEnd(t, j, limit);
        if (reading == j)
            return kNone;
        j = reading;
    }
    return overRuby ? ReadingEnd(t, j, limit) : j;
}

// The last occurrence of sought, on a character boundary, that ends at or before limit: its
// start and end (MatchAt); false when there is none.
bool LastBefore(std::string_view t, std::string_view sought, std::size_t limit, bool overRuby,
                std::size_t& start, std::size_t& end) {
    if (sought.empty())
        return false;
    bool found = false;
    std::size_t previous = kNone;
    for (std::size_t i = 0; i < limit; i = NextCharStart(t, i)) {
        const std::size_t matched = MatchAt(t, i, sought, limit, overRuby);
        if (matched != kNone) {
            found = true;
            start =
                overRuby && previous != kNone && BarAt(t, previous) == i - previous ? previous : i;
            end = matched;
        }
        previous = i;
    }
    return found;
}

void Wrap(THtmlCnv& line, std::size_t from, std::size_t to, std::string_view open,
          std::string_view close) {
    line.P_AddTag(open, Pos(from), true);
    line.P_AddTag(close, Pos(to), false);
}

void Note(THtmlCnv& line, const TFound& a) {
    Wrap(line, a.Start, a.End, "<span class=\"aozora-note\">", "</span>");
}

std::string Em(const char* property, int amount) {
    return std::string(property) + ":" + std::to_string(amount) + "em";
}

// The plain text holds nothing but blanks.
bool HoldsNoText(std::string_view t) {
    while (!t.empty()) {
        if (t.starts_with(kNbsp))
            t.remove_prefix(kNbsp.size());
        else if (static_cast<unsigned char>(t[0]) <= ' ')
            t.remove_prefix(1);
        else
            return false;
    }
    return true;
}

// The opening tag of a style, with the class that puts dots or a line on the other side when
// left; built in room when it needs to be.
std::string_view OpenTag(const TAozoraTags& tags, bool left, std::string& room) {
    if (!left)
        return tags.Open;
    room.assign(tags.Open);
    room.insert(room.find("\">"), " aozora-left");
    return room;
}

// The opening tag of a block of bold or italic text, or of text some steps smaller or larger
// (each step a sixth smaller or a fifth larger, as CSS's "smaller" and "larger" go), built in
// room.
std::string_view BlockStyleTag(const TAozoraAnnotation& n, std::string& room) {
    if (n.Kind == TAozoraKind::StyleFrom) {
        room = n.Style == TAozoraStyle::Bold ? "<div class=\"aozora-bold\">"
                                             : "<div class=\"aozora-italic\">";
        return room;
    }
    double scale = 1;
    for (int step = 0; step < (n.Amount < 0 ? -n.Amount : n.Amount); ++step)
        scale *= n.Amount < 0 ? 5.0 / 6 : 1.2;
    room = std::string("<div class=\"") + (n.Amount < 0 ? "aozora-smaller" : "aozora-larger") +
           "\" style=\"font-size:" + std::to_string(static_cast<int>(scale * 100 + 0.5)) + "%\">";
    return room;
}

// A heading's tags at the level the outline allows after the headings before it (a 小見出し
// right after a 大見出し is an h3), built in open and close when they differ from tags; other
// tags as they are.
TAozoraTags OutlineTags(const TAozoraTags& tags, TAozoraState& state, std::string& open,
                        std::string& close) {
    if (!tags.Block)
        return tags;
    const int named = tags.Open[2] - '0';
    const int level = state.LastHeading == 0            ? named
                      : named == state.LastNamedHeading ? state.LastHeading
                                                        : std::min(named, state.LastHeading + 1);
    state.LastNamedHeading = named;
    state.LastHeading = level;
    if (level == named)
        return tags;
    open.assign(tags.Open);
    open[2] = static_cast<char>('0' + level);
    close = "</h" + std::to_string(level) + ">";
    return {open, close, true};
}

// A range annotation ("［＃傍点］") still waiting for its end on this line; it stays in the text
// until then.
struct TOpenRange {
    TAozoraStyle Style;
    bool Left;
    std::size_t Start;
    std::size_t Length;
};

// The engine bytes of characters: through the bridge, or without one their Shift_JIS forms;
// false when a character has none.
bool EngineBytes(const std::u32string& characters, TSjisBridge* bridge, std::string& out) {
    out.clear();
    if (bridge != nullptr) {
        for (const char32_t c : characters) {
            char bytes[2];
            out.append(bytes, bridge->Put(c, bytes));
        }
        return true;
    }
    std::string utf8;
    for (const char32_t c : characters) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | c >> 6);
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char>(0xE0 | c >> 12);
            utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | c >> 18);
            utf8 += static_cast<char>(0x80 | (c >> 12 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    const std::optional<std::string> sjis = Utf8ToSjis(utf8);
    if (!sjis)
        return false;
    out = *sjis;
    return true;
}

}  // namespace

void ReplaceNamedCharacters(THtmlCnv& line, TSjisBridge* bridge) {
    const std::string_view raw = line.strOriginal;
    if (raw.find(kNoteOpen) == std::string_view::npos)
        return;
    std::string out;
    std::string bytes;
    std::size_t copied = 0;  // raw up to here is in out
    std::size_t previous = kNone;
    TFound a;
    std::size_t before = kNone;
    for (std::size_t i = 0; NextAnnotation(raw, i, a, before);) {
        if (before == kNone && i > 0)
            before = previous;  // the annotation stood right at i
        const bool marked = before != kNone && raw.compare(before, kMark.size(), kMark) == 0 &&
                            before + kMark.size() == a.Start;
        const TAozoraAnnotation n =
            marked ? ParseAozoraAnnotation(a.Content(raw), true) : TAozoraAnnotation();
        if (n.Kind == TAozoraKind::Character && EngineBytes(n.Characters, bridge, bytes)) {
            out.append(raw.substr(copied, before - copied));
            out += bytes;
            copied = a.End;
        }
        previous = a.End - kBracketClose.size();
        i = a.End;
    }
    if (copied == 0)
        return;
    out.append(raw.substr(copied));
    line.P_SetOriginal(out);
}

TAozoraLine ApplyAozoraAnnotations(THtmlCnv& line, TAozoraState& state) {
    TAozoraLine result;
    const bool hanging = !state.Blocks.empty() && state.Blocks.back().Hanging;
    const int hang = hanging ? state.Blocks.back().Hang : 0;
    if (line.strHtml.find(kNoteOpen) == std::string::npos && !hanging)
        return result;
    std::vector<TOpenRange> ranges;
    int lineIndent = -1;
    bool aligned = false;  // an end alignment runs from its annotation to the line's end
    bool block = false;
    std::size_t blockEnd = kNone;  // where the last block added ends
    TFound a;
    std::size_t before = kNone;
    std::size_t previous = kNone;  // the start of the character before i, kNone when unknown
    std::string target;
    std::string tag;
    std::string headingOpen;
    std::string headingClose;
    for (std::size_t i = 0; NextAnnotation(line.strHtml, i, a, before);) {
        if (before == kNone)
            before = a.Start == i ? previous : kNone;
        const std::string_view t = line.strHtml;
        const TAozoraAnnotation n = ParseAozoraAnnotation(a.Content(t), false);
        const int length = static_cast<int>(a.End - a.Start);
        // Most annotations leave the text; the others stay, shown or waiting for their end.
        const auto remove = [&] {
            line.P_DeleteWord(Pos(a.Start), length);
            i = a.Start;
            previous = before;
        };
        const auto keep = [&] {
            i = a.End;
            previous = a.End - kBracketClose.size();
        };
        const auto note = [&] {
            Note(line, a);
            keep();
        };
        switch (n.Kind) {
            case TAozoraKind::Escape: {
                // The mark goes into the tagged text only, where the ruby notation never reads
                // it as one of its own.
                const bool marked = before != kNone &&
                                    t.compare(before, kMark.size(), kMark) == 0 &&
                                    before + kMark.size() == a.Start;
                const std::size_t start = marked ? before : a.Start;
                line.P_ReplaceWord(Pos(start), static_cast<int>(a.End - start), n.Literal);
                i = start;
                previous = kNone;
                break;
            }
            case TAozoraKind::ReturnMark:
            case TAozoraKind::ReadingMark:
                // Small, below or above the line; the marks go into the tagged text alone.
                tag = n.Kind == TAozoraKind::ReturnMark ? "<sub class=\"aozora-return-mark\">"
                                                        : "<sup class=\"aozora-reading-mark\">";
                tag += n.Literal;
                tag += n.Kind == TAozoraKind::ReturnMark ? "</sub>" : "</sup>";
                line.P_ReplaceWord(Pos(a.Start), length, tag);
                i = a.Start;
                previous = kNone;
                break;
            case TAozoraKind::Unknown:
            case TAozoraKind::Character:  // one ReplaceNamedCharacters could not give
                note();
                break;
            case TAozoraKind::PageBreak:
                remove();
                line.P_AddTag("<hr class=\"aozora-page-break\">", Pos(a.Start), true);
                block = true;
                blockEnd = a.Start;
                break;
            case TAozoraKind::Indent:
                remove();
                lineIndent = n.Amount;
                break;
            case TAozoraKind::IndentFrom:
            case TAozoraKind::AlignEndFrom: {
                remove();
                TAozoraState::TBlock opened;
                if (n.Kind == TAozoraKind::AlignEndFrom) {
                    tag = "<div class=\"aozora-align-end\" style=\"" +
                          Em("margin-inline-end", n.Amount) + "\">";
                } else {
                    const int margin = n.Wrap >= 0 ? n.Wrap : n.Amount;
                    opened.Hanging = n.Wrap >= 0;
                    opened.Hang = n.Amount - margin;
                    tag = "<div class=\"aozora-indent\" style=\"" +
                          Em("margin-inline-start", margin) + "\">";
                }
                line.P_AddTag(tag, Pos(a.Start), true);
                state.Blocks.push_back(opened);
                block = true;
                break;
            }
            case TAozoraKind::StyleFrom:
            case TAozoraKind::SizeFrom:
                remove();
                line.P_AddTag(BlockStyleTag(n, tag), Pos(a.Start), true);
                state.Blocks.emplace_back();
                block = true;
                break;
            case TAozoraKind::BlockEnd:
                if (state.Blocks.empty()) {
                    note();
                    break;
                }
                remove();
                line.P_AddTag("</div>", Pos(a.Start), true);
                state.Blocks.pop_back();
                block = true;
                blockEnd = a.Start;
                break;
            case TAozoraKind::AlignEnd:
                if (aligned) {
                    note();
                    break;
                }
                remove();
                // Opened here, before the annotations further on add their tags at this place:
                // a heading or style range around the annotation then closes inside the block.
                line.P_AddTag("<div class=\"aozora-align-end\" style=\"" +
                                  Em("margin-inline-end", n.Amount) + "\">",
                              Pos(a.Start), true);
                aligned = true;
                break;
            case TAozoraKind::Reference:
            case TAozoraKind::RubyReference: {
                target.assign(n.Target);
                std::size_t at = 0;
                std::size_t atEnd = 0;
                if (!LastBefore(t, target, a.Start, n.Kind == TAozoraKind::Reference, at, atEnd)) {
                    note();
                    break;
                }
                if (n.Kind == TAozoraKind::RubyReference) {
                    tag = "<rp>\x81\x69</rp><rt>";  // （
                    tag += n.Ruby;
                    tag += "</rt><rp>\x81\x6A</rp></ruby>";  // ）
                }
                remove();
                if (n.Kind == TAozoraKind::RubyReference) {
                    Wrap(line, at, atEnd, "<ruby>", tag);
                    break;
                }
                const TAozoraTags tags =
                    OutlineTags(StyleTags(n.Style), state, headingOpen, headingClose);
                Wrap(line, at, atEnd, OpenTag(tags, n.Left, tag), tags.Close);
                if (tags.Block) {
                    block = true;
                    blockEnd = atEnd;
                }
                break;
            }
            case TAozoraKind::RangeStart:
                ranges.push_back({n.Style, n.Left, a.Start, a.End - a.Start});
                keep();
                break;
            case TAozoraKind::RangeEnd: {
                auto open = ranges.end();
                for (auto it = ranges.begin(); it != ranges.end(); ++it) {
                    if (it->Style == n.Style && it->Left == n.Left)
                        open = it;
                }
                if (open == ranges.end()) {
                    note();
                    break;
                }
                const TOpenRange r = *open;
                ranges.erase(open);
                line.P_DeleteWord(Pos(a.Start), length);
                line.P_DeleteWord(Pos(r.Start), static_cast<int>(r.Length));
                for (TOpenRange& later : ranges) {
                    if (later.Start > r.Start)
                        later.Start -= r.Length;
                }
                const std::size_t end = a.Start - r.Length;
                const TAozoraTags tags =
                    OutlineTags(StyleTags(n.Style), state, headingOpen, headingClose);
                Wrap(line, r.Start, end, OpenTag(tags, n.Left, tag), tags.Close);
                if (tags.Block) {
                    block = true;
                    blockEnd = end;
                }
                i = end;
                previous = kNone;
                break;
            }
        }
    }
    // A range without its end on this line is shown as written.
    for (const TOpenRange& r : ranges)
        Note(line, {r.Start, 0, 0, r.Start + r.Length});

    const std::size_t size = line.strHtml.size();
    if (aligned) {
        line.P_AddTag("</div>", Pos(size), true);
        block = true;
        blockEnd = size;
    }
    const bool text = !HoldsNoText(line.strHtml);
    if (hanging && text) {
        line.P_AddTag("<div class=\"aozora-hanging\" style=\"" + Em("text-indent", hang) + "\">", 1,
                      false);
        line.P_AddTag("</div>", Pos(size), true);
        block = true;
        blockEnd = size;
    }
    if (lineIndent >= 0) {
        line.P_AddTag(
            "<div class=\"aozora-indent\" style=\"" + Em("margin-inline-start", lineIndent) + "\">",
            1, false);
        line.P_AddTag("</div>", Pos(size), true);
        block = true;
        blockEnd = size;
    }
    result.BlockOnly = block && !text;
    result.EndsInBlock = block && blockEnd == size;
    return result;
}
