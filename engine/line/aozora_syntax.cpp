#include "engine/line/aozora_syntax.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <vector>

#include "engine/text/encoding.h"
#include "engine/text/jisx0213.h"
#include "engine/text/text_helpers.h"

namespace {

// The words of the annotations in Shift_JIS, made once on first use (only lines that hold an
// annotation get here).
struct TStyleWord {
    std::string Word;
    TAozoraStyle Style;
};

struct TWords {
    std::vector<TStyleWord> Styles;
    std::string OpenQuote = Sjis("「");
    std::string CloseQuote = Sjis("」");
    std::string RubyMiddle = Sjis("」に「");
    std::string RubyEnd = Sjis("」のルビ");
    std::string NoteEnd = Sjis("」の注記");
    std::string To = Sjis("に");
    std::string LeftOf = Sjis("の左に");
    std::string Left = Sjis("左に");
    std::string Topic = Sjis("は");
    std::string Finished = Sjis("終わり");
    std::string From = Sjis("ここから");
    std::string Indent = Sjis("字下げ");
    std::string Wrapped = Sjis("、折り返して");
    std::string FlushStart = Sjis("改行天付き");
    std::string Ground = Sjis("地付き");
    std::string GroundFrom = Sjis("地から");
    std::string Raise = Sjis("字上げ");
    std::string Kanji = Sjis("〇一二三四五六七八九");
    std::string Ten = Sjis("十");
    std::array<std::string, 4> PageBreaks = {Sjis("改ページ"), Sjis("改丁"), Sjis("改段"),
                                             Sjis("改見開き")};
    std::array<std::string, 7> BlockEnds = {
        Sjis("ここで字下げ終わり"),    Sjis("ここで地付き終わり"), Sjis("ここで字上げ終わり"),
        Sjis("ここで太字終わり"),      Sjis("ここで斜体終わり"),   Sjis("ここで小さな文字終わり"),
        Sjis("ここで大きな文字終わり")};
    // 返り点, each alone or before レ; 訓点送り仮名 are written in parentheses.
    std::string ReturnMarks = Sjis("一二三四上中下甲乙丙丁天地人");
    std::string Re = Sjis("レ");
    std::string OpenParen = Sjis("（");
    std::string CloseParen = Sjis("）");
    std::string Bold = Sjis("太字");
    std::string Italic = Sjis("斜体");
    std::string Steps = Sjis("段階");
    std::string Smaller = Sjis("小さな文字");
    std::string Larger = Sjis("大きな文字");
    std::array<std::string, 3> Escapes = {Sjis("始め二重山括弧"), Sjis("終わり二重山括弧"),
                                          Sjis("縦線")};
    std::array<std::string, 3> EscapedMarks = {Sjis("《"), Sjis("》"), Sjis("｜")};
    std::string Level = Sjis("水準");

    TWords() {
        const std::pair<const char*, TAozoraStyle> styles[] = {
            {"傍点", TAozoraStyle::Sesame},
            {"白ゴマ傍点", TAozoraStyle::WhiteSesame},
            {"丸傍点", TAozoraStyle::BlackCircle},
            {"白丸傍点", TAozoraStyle::WhiteCircle},
            {"黒三角傍点", TAozoraStyle::BlackTriangle},
            {"白三角傍点", TAozoraStyle::WhiteTriangle},
            {"二重丸傍点", TAozoraStyle::DoubleCircle},
            {"蛇の目傍点", TAozoraStyle::FishEye},
            {"ばつ傍点", TAozoraStyle::Cross},
            {"傍線", TAozoraStyle::SolidLine},
            {"二重傍線", TAozoraStyle::DoubleLine},
            {"鎖線", TAozoraStyle::ChainLine},
            {"破線", TAozoraStyle::DashedLine},
            {"波線", TAozoraStyle::WavyLine},
            {"太字", TAozoraStyle::Bold},
            {"斜体", TAozoraStyle::Italic},
            {"縦中横", TAozoraStyle::Upright},
            {"大見出し", TAozoraStyle::LargeHeading},
            {"中見出し", TAozoraStyle::MediumHeading},
            {"小見出し", TAozoraStyle::SmallHeading},
            {"同行大見出し", TAozoraStyle::LargeHeadingSameLine},
            {"同行中見出し", TAozoraStyle::MediumHeadingSameLine},
            {"同行小見出し", TAozoraStyle::SmallHeadingSameLine},
            {"窓大見出し", TAozoraStyle::LargeHeadingWindow},
            {"窓中見出し", TAozoraStyle::MediumHeadingWindow},
            {"窓小見出し", TAozoraStyle::SmallHeadingWindow},
        };
        for (const auto& [word, style] : styles)
            Styles.push_back({Sjis(word), style});
    }
};

const TWords& Words() {
    static const TWords words;
    return words;
}

// The first occurrence of sought in t at or after from that begins on a character; npos if none.
std::size_t FindChar(std::string_view t, std::string_view sought, std::size_t from = 0) {
    for (std::size_t i = from; i < t.size(); i = NextCharStart(t, i)) {
        if (t.compare(i, sought.size(), sought) == 0)
            return i;
    }
    return std::string_view::npos;
}

bool StartsWith(std::string_view t, std::string_view head) {
    return t.substr(0, head.size()) == head;
}

bool EndsWith(std::string_view t, std::string_view tail) {
    return t.size() >= tail.size() && t.substr(t.size() - tail.size()) == tail;
}

bool StyleNamed(std::string_view word, TAozoraStyle& style) {
    for (const TStyleWord& known : Words().Styles) {
        if (known.Word == word) {
            style = known.Style;
            return true;
        }
    }
    return false;
}

// The digit a character stands for: half- or full-width digits, and the kanji numerals
// 〇 to 九; -1 for any other.
int DigitAt(std::string_view t, std::size_t i, std::size_t next) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (next == i + 1)
        return c >= '0' && c <= '9' ? c - '0' : -1;
    const unsigned code = c << 8 | static_cast<unsigned char>(t[i + 1]);
    if (code >= 0x824F && code <= 0x8258)  // ０ to ９
        return static_cast<int>(code - 0x824F);
    const std::string& kanji = Words().Kanji;
    for (std::size_t k = 0; k + 1 < kanji.size(); k += 2) {
        if (t.compare(i, 2, kanji, k, 2) == 0)
            return static_cast<int>(k / 2);
    }
    return -1;
}

// A number at the start of t in digits or kanji numerals ("3", "１２", "十二", "二十"), up to
// 999; its length goes to length, 0 when there is none.
int LeadingNumber(std::string_view t, std::size_t& length) {
    int total = 0;
    int current = 0;
    std::size_t i = 0;
    while (i < t.size()) {
        const std::size_t next = NextCharStart(t, i);
        const int digit = DigitAt(t, i, next);
        if (digit >= 0) {
            current = current * 10 + digit;
        } else if (t.compare(i, Words().Ten.size(), Words().Ten) == 0) {
            total += (current == 0 ? 1 : current) * 10;
            current = 0;
        } else {
            break;
        }
        if (total + current > 999)
            break;
        i = next;
    }
    length = i;
    return total + current;
}

// "N" + unit exactly: the number, or -1.
int NumberThen(std::string_view t, std::string_view unit) {
    std::size_t length = 0;
    const int n = LeadingNumber(t, length);
    return length > 0 && t.substr(length) == unit ? n : -1;
}

// The annotation's text reduced to one byte a character: digits, "-", "U", "+" and the hex
// letters kept (full-width ones made half-width), every other character a space.
std::string NumberSkeleton(std::string_view t) {
    std::string out;
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t next = NextCharStart(t, i);
        const int digit = DigitAt(t, i, next);
        char c = ' ';
        if (digit >= 0 && (next == i + 1 || static_cast<unsigned char>(t[i]) == 0x82)) {
            c = static_cast<char>('0' + digit);
        } else if (next == i + 1) {
            const char b = t[i];
            if (b == '-' || b == '+' || (b >= 'A' && b <= 'F') || (b >= 'a' && b <= 'f') ||
                b == 'U' || b == 'u')
                c = b;
        } else {
            const unsigned code =
                static_cast<unsigned char>(t[i]) << 8 | static_cast<unsigned char>(t[i + 1]);
            if (code == 0x817C || code == 0x815D)  // －, ‐
                c = '-';
            else if (code == 0x817B)  // ＋
                c = '+';
            else if (code == 0x8274)  // Ｕ
                c = 'U';
        }
        out += c;
        i = next;
    }
    return out;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// "U+" and four to six hex digits: the code point, or 0.
char32_t UnicodeNumber(std::string_view s) {
    for (std::size_t at = s.find("U+"); at != std::string_view::npos; at = s.find("U+", at + 1)) {
        const char* first = s.data() + at + 2;
        std::uint32_t value = 0;
        const auto [end, error] = std::from_chars(first, s.data() + s.size(), value, 16);
        const std::ptrdiff_t digits = end - first;
        if (error == std::errc() && digits >= 4 && digits <= 6 && value >= 0x20 &&
            value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF))
            return value;
    }
    return 0;
}

// A run of one or two digits from at: its value and end, -1 for none.
int SmallNumber(std::string_view s, std::size_t& at) {
    std::size_t n = at;
    int value = 0;
    while (n < s.size() && IsDigit(s[n]) && n - at < 3)
        value = value * 10 + (s[n++] - '0');
    if (n == at || n - at > 2 || (n < s.size() && IsDigit(s[n])))
        return -1;
    at = n;
    return value;
}

// "P-RR-CC" with P 1 or 2, standing alone among the numbers: the character there, or empty.
std::u32string_view PlaneRowCell(std::string_view s) {
    for (std::size_t at = 0; at < s.size(); ++at) {
        if ((s[at] != '1' && s[at] != '2') || (at > 0 && (IsDigit(s[at - 1]) || s[at - 1] == '-')))
            continue;
        std::size_t n = at + 1;
        if (n >= s.size() || s[n] != '-')
            continue;
        ++n;
        const int row = SmallNumber(s, n);
        if (row < 0 || n >= s.size() || s[n] != '-')
            continue;
        ++n;
        const int cell = SmallNumber(s, n);
        if (cell < 0 || (n < s.size() && s[n] == '-'))
            continue;
        return JisX0213Character(s[at] - '0', row, cell);
    }
    return {};
}

// The "「X」..." forms; false when content is no reference.
bool ParseReference(std::string_view content, TAozoraAnnotation& a) {
    const TWords& w = Words();
    if (!StartsWith(content, w.OpenQuote))
        return false;
    if (EndsWith(content, w.RubyEnd) || EndsWith(content, w.NoteEnd)) {
        const std::size_t middle = FindChar(content, w.RubyMiddle, w.OpenQuote.size());
        const std::size_t rubyEnd = content.size() - w.RubyEnd.size();
        if (middle == std::string_view::npos || middle == w.OpenQuote.size())
            return false;
        const std::size_t rubyStart = middle + w.RubyMiddle.size();
        if (rubyStart >= rubyEnd)
            return false;
        a.Kind = TAozoraKind::RubyReference;
        a.Target = content.substr(w.OpenQuote.size(), middle - w.OpenQuote.size());
        a.Ruby = content.substr(rubyStart, rubyEnd - rubyStart);
        return true;
    }
    // The phrase ends at the last "」" that the style's particle follows.
    std::size_t close = std::string_view::npos;
    for (std::size_t at = FindChar(content, w.CloseQuote, w.OpenQuote.size());
         at != std::string_view::npos; at = FindChar(content, w.CloseQuote, at + 2))
        close = at;
    if (close == std::string_view::npos || close == w.OpenQuote.size())
        return false;
    std::string_view rest = content.substr(close + w.CloseQuote.size());
    a.Left = StartsWith(rest, w.LeftOf);
    if (a.Left)
        rest.remove_prefix(w.LeftOf.size());
    else if (StartsWith(rest, w.To))
        rest.remove_prefix(w.To.size());
    else if (StartsWith(rest, w.Topic))
        rest.remove_prefix(w.Topic.size());
    else
        return false;
    if (!StyleNamed(rest, a.Style) || (a.Left && !IsSideStyle(a.Style)))
        return false;
    a.Kind = TAozoraKind::Reference;
    a.Target = content.substr(w.OpenQuote.size(), close - w.OpenQuote.size());
    return true;
}

// 返り点: レ, or one of the order marks (一, 上, 甲, 天 ...) alone or before レ.
bool IsReturnMark(std::string_view content) {
    const TWords& w = Words();
    if (content == w.Re)
        return true;
    if (content.size() != 2 && !(content.size() == 4 && EndsWith(content, w.Re)))
        return false;
    for (std::size_t k = 0; k < w.ReturnMarks.size(); k += 2) {
        if (content.compare(0, 2, w.ReturnMarks, k, 2) == 0)
            return true;
    }
    return false;
}

// True when t is one or more full-width kana (the reading of a 訓点送り仮名).
bool IsKana(std::string_view t) {
    if (t.empty() || t.size() % 2 != 0)
        return false;
    for (std::size_t i = 0; i < t.size(); i += 2) {
        const unsigned code =
            static_cast<unsigned char>(t[i]) << 8 | static_cast<unsigned char>(t[i + 1]);
        if (KanaOfCode(code) == 0)
            return false;
    }
    return true;
}

// The indentation and alignment forms; false for others.
bool ParseLayout(std::string_view content, TAozoraAnnotation& a) {
    const TWords& w = Words();
    for (const std::string& end : w.BlockEnds) {
        if (content == end) {
            a.Kind = TAozoraKind::BlockEnd;
            return true;
        }
    }
    const bool from = StartsWith(content, w.From);
    std::string_view rest = from ? content.substr(w.From.size()) : content;
    if (rest == w.Ground) {
        a.Kind = from ? TAozoraKind::AlignEndFrom : TAozoraKind::AlignEnd;
        return true;
    }
    if (StartsWith(rest, w.GroundFrom)) {
        a.Amount = NumberThen(rest.substr(w.GroundFrom.size()), w.Raise);
        a.Kind = from ? TAozoraKind::AlignEndFrom : TAozoraKind::AlignEnd;
        return a.Amount >= 0;
    }
    if (from && (rest == w.Bold || rest == w.Italic)) {
        a.Kind = TAozoraKind::StyleFrom;
        a.Style = rest == w.Bold ? TAozoraStyle::Bold : TAozoraStyle::Italic;
        return true;
    }
    if (from && (EndsWith(rest, w.Smaller) || EndsWith(rest, w.Larger))) {
        const bool smaller = EndsWith(rest, w.Smaller);
        const std::string_view size = smaller ? w.Smaller : w.Larger;
        const int steps = NumberThen(rest.substr(0, rest.size() - size.size()), w.Steps);
        if (steps < 1 || steps > 9)
            return false;
        a.Kind = TAozoraKind::SizeFrom;
        a.Amount = smaller ? -steps : steps;
        return true;
    }
    if (!from) {
        a.Amount = NumberThen(rest, w.Indent);
        a.Kind = TAozoraKind::Indent;
        return a.Amount >= 0;
    }
    const std::size_t comma = FindChar(rest, w.Wrapped);
    const std::string_view first = rest.substr(0, comma);
    a.Amount = first == w.FlushStart ? 0 : NumberThen(first, w.Indent);
    if (a.Amount < 0)
        return false;
    if (comma != std::string_view::npos) {
        a.Wrap = NumberThen(rest.substr(comma + w.Wrapped.size()), w.Indent);
        if (a.Wrap < 0)
            return false;
    }
    a.Kind = TAozoraKind::IndentFrom;
    return true;
}

}  // namespace

TAozoraAnnotation ParseAozoraAnnotation(std::string_view content, bool marked) {
    const TWords& w = Words();
    TAozoraAnnotation a;
    for (std::size_t n = 0; n < w.Escapes.size(); ++n) {
        if (content == w.Escapes[n]) {
            a.Kind = TAozoraKind::Escape;
            a.Literal = w.EscapedMarks[n];
            return a;
        }
    }
    if (marked) {
        // A character named by number: "「description」、第3水準1-85-54", "二の字点、1-2-22",
        // "「description」、U+20B9F、page-line". Unicode wins, as the more exact name.
        const std::string skeleton = NumberSkeleton(content);
        if (const char32_t code = UnicodeNumber(skeleton)) {
            a.Kind = TAozoraKind::Character;
            a.Characters = std::u32string(1, code);
            return a;
        }
        const std::u32string_view found = PlaneRowCell(skeleton);
        if (!found.empty()) {
            a.Kind = TAozoraKind::Character;
            a.Characters = found;
            return a;
        }
        return a;
    }
    if (IsReturnMark(content)) {
        a.Kind = TAozoraKind::ReturnMark;
        a.Literal = content;
        return a;
    }
    if (StartsWith(content, w.OpenParen) && EndsWith(content, w.CloseParen) &&
        content.size() > w.OpenParen.size() + w.CloseParen.size()) {
        const std::string_view reading = content.substr(
            w.OpenParen.size(), content.size() - w.OpenParen.size() - w.CloseParen.size());
        if (IsKana(reading)) {
            a.Kind = TAozoraKind::ReadingMark;
            a.Literal = reading;
            return a;
        }
    }
    for (const std::string& pageBreak : w.PageBreaks) {
        if (content == pageBreak) {
            a.Kind = TAozoraKind::PageBreak;
            return a;
        }
    }
    if (ParseReference(content, a) || ParseLayout(content, a))
        return a;
    a = TAozoraAnnotation();
    a.Left = StartsWith(content, w.Left);
    if (a.Left)
        content.remove_prefix(w.Left.size());
    if (EndsWith(content, w.Finished) &&
        StyleNamed(content.substr(0, content.size() - w.Finished.size()), a.Style)) {
        a.Kind = TAozoraKind::RangeEnd;
    } else if (StyleNamed(content, a.Style)) {
        a.Kind = TAozoraKind::RangeStart;
    }
    if (a.Left && !IsSideStyle(a.Style))
        a = TAozoraAnnotation();
    return a;
}

bool IsSideStyle(TAozoraStyle style) {
    return style >= TAozoraStyle::Sesame && style <= TAozoraStyle::WavyLine;
}

TAozoraTags StyleTags(TAozoraStyle style) {
    switch (style) {
        case TAozoraStyle::Sesame:
            return {"<em class=\"aozora-sesame\">", "</em>"};
        case TAozoraStyle::WhiteSesame:
            return {"<em class=\"aozora-white-sesame\">", "</em>"};
        case TAozoraStyle::BlackCircle:
            return {"<em class=\"aozora-black-circle\">", "</em>"};
        case TAozoraStyle::WhiteCircle:
            return {"<em class=\"aozora-white-circle\">", "</em>"};
        case TAozoraStyle::BlackTriangle:
            return {"<em class=\"aozora-black-triangle\">", "</em>"};
        case TAozoraStyle::WhiteTriangle:
            return {"<em class=\"aozora-white-triangle\">", "</em>"};
        case TAozoraStyle::DoubleCircle:
            return {"<em class=\"aozora-double-circle\">", "</em>"};
        case TAozoraStyle::FishEye:
            return {"<em class=\"aozora-fish-eye\">", "</em>"};
        case TAozoraStyle::Cross:
            return {"<em class=\"aozora-cross\">", "</em>"};
        case TAozoraStyle::SolidLine:
            return {"<em class=\"aozora-solid-line\">", "</em>"};
        case TAozoraStyle::DoubleLine:
            return {"<em class=\"aozora-double-line\">", "</em>"};
        case TAozoraStyle::ChainLine:
            return {"<em class=\"aozora-chain-line\">", "</em>"};
        case TAozoraStyle::DashedLine:
            return {"<em class=\"aozora-dashed-line\">", "</em>"};
        case TAozoraStyle::WavyLine:
            return {"<em class=\"aozora-wavy-line\">", "</em>"};
        case TAozoraStyle::Bold:
            return {"<b class=\"aozora-bold\">", "</b>"};
        case TAozoraStyle::Italic:
            return {"<i class=\"aozora-italic\">", "</i>"};
        case TAozoraStyle::Upright:
            return {"<span class=\"tcy\">", "</span>"};
        case TAozoraStyle::LargeHeading:
            return {"<h2 class=\"aozora-large-heading\">", "</h2>", true};
        case TAozoraStyle::MediumHeading:
            return {"<h3 class=\"aozora-medium-heading\">", "</h3>", true};
        case TAozoraStyle::SmallHeading:
            return {"<h4 class=\"aozora-small-heading\">", "</h4>", true};
        case TAozoraStyle::LargeHeadingSameLine:
            return {"<h2 class=\"aozora-large-heading aozora-same-line\">", "</h2>", true};
        case TAozoraStyle::MediumHeadingSameLine:
            return {"<h3 class=\"aozora-medium-heading aozora-same-line\">", "</h3>", true};
        case TAozoraStyle::SmallHeadingSameLine:
            return {"<h4 class=\"aozora-small-heading aozora-same-line\">", "</h4>", true};
        case TAozoraStyle::LargeHeadingWindow:
            return {"<h2 class=\"aozora-large-heading aozora-window\">", "</h2>", true};
        case TAozoraStyle::MediumHeadingWindow:
            return {"<h3 class=\"aozora-medium-heading aozora-window\">", "</h3>", true};
        case TAozoraStyle::SmallHeadingWindow:
            return {"<h4 class=\"aozora-small-heading aozora-window\">", "</h4>", true};
    }
    return {"<span>", "</span>"};
}
