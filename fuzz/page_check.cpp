#include "fuzz/page_check.h"

#include <map>
#include <vector>

#include "engine/base/identity.h"
#include "engine/text/encoding.h"
#include "engine/text/iconv_stream.h"
#include "engine/text/page_escape.h"
#include "engine/text/text_helpers.h"
#include "fuzz/scratch_folder.h"

namespace {

constexpr std::string_view kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;"};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The second byte of a double-byte character; a reader pairs a lead byte only with one of these.
bool IsTrailValue(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

bool AllDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

// Text between tags, or an attribute value: no raw '"', "<" or ">", and complete entities.
std::string CheckText(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"' || c == '<' || c == '>')
            return std::string("raw ") + c + " in text";
        if (c != '&')
            continue;
        bool entity = false;
        for (const std::string_view e : kEntities)
            entity = entity || StartsWith(text.substr(i), e);
        if (!entity)
            return "an & that begins no entity: " + std::string(text.substr(i, 8));
    }
    return {};
}

// The value of an attribute that the tag holds between prefix and the closing `">`.
bool AttributeValue(std::string_view tag, std::string_view prefix, std::string_view& value) {
    if (!StartsWith(tag, prefix) || tag.size() < prefix.size() + 2 ||
        tag.substr(tag.size() - 2) != "\">") {
        return false;
    }
    value = tag.substr(prefix.size(), tag.size() - prefix.size() - 2);
    return true;
}

// The element a tag opens or closes: its name, and whether it is a closing tag.
void ElementOf(std::string_view tag, std::string& element, bool& closing) {
    closing = tag.size() > 1 && tag[1] == '/';
    std::size_t end = closing ? 2 : 1;
    while (end < tag.size() && tag[end] != ' ' && tag[end] != '>')
        ++end;
    element = std::string(tag.substr(closing ? 2 : 1, end - (closing ? 2 : 1)));
}

// One tag of a body line: empty when it is one the program writes.
std::string CheckTag(std::string_view tag, const std::array<std::string, 5>& emphasisTags) {
    if (tag == "<br>" || tag == "<p>" || tag == "</p>" || tag == "<div>" || tag == "</div>" ||
        tag == "</span>" || tag == "</a>") {
        return {};
    }
    // Ruby, emphasis dots and upright digits.
    for (const std::string_view known :
         {"<ruby>", "</ruby>", "<rp>", "</rp>", "<rt>", "</rt>", "<em class=\"sesame\">", "</em>",
          "<span class=\"tcy\">"}) {
        if (tag == known)
            return {};
    }
    std::string_view value;
    if (AttributeValue(tag, "<hr class=\"hr", value))
        return value.size() == 1 && value[0] >= '1' && value[0] <= '5' ? "" : "bad rule line tag";
    if (StartsWith(tag, "<span style=\"position:relative;left:")) {
        const std::string_view rest = tag.substr(36);
        if (rest.size() > 5 && rest.substr(rest.size() - 5) == "ex;\">" &&
            AllDigits(rest.substr(0, rest.size() - 5))) {
            return {};
        }
        return "bad indent tag";
    }
    if (AttributeValue(tag, "<a href=\"", value)) {
        if (!StartsWith(value, "http://") && !StartsWith(value, "https://") &&
            !StartsWith(value, "mailto:"))
            return "a link to neither http://, https:// nor mailto:";
        return CheckText(value);
    }
    if (AttributeValue(tag, "<img src=\"", value)) {
        const std::size_t alt = value.find("\" alt=\"");
        if (alt == std::string_view::npos)
            return "an image without alt";
        const std::string src = CheckText(value.substr(0, alt));
        return src.empty() ? CheckText(value.substr(alt + 7)) : src;
    }
    for (const std::string& name : emphasisTags) {
        if (AttributeValue(tag, "<" + name + " class=\"", value))
            return CheckText(value);
        if (tag == "</" + name + ">")
            return {};
    }
    return "a tag the program does not write";
}

// A character of a CSS identifier or value at i, or a CSS escape "\" + hex + " "; the number of
// bytes it takes, 0 when it is not allowed.
std::size_t CssUnit(std::string_view text, std::size_t i, bool identifier) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
        std::size_t j = i + 1;
        while (j < text.size() && IsHexDigit(text[j]))
            ++j;
        return j > i + 1 && j < text.size() && text[j] == ' ' ? j + 1 - i : 0;
    }
    if (IsLeadByte(c))
        return i + 1 < text.size() && IsTrailValue(static_cast<unsigned char>(text[i + 1])) ? 2 : 0;
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    if (letter || IsDigit(static_cast<char>(c)) || c == '_' || c == '-' || c >= 0x80)
        return 1;
    if (!identifier && (c == ' ' || c == '.' || c == '+' || c == '%' || c == '#'))
        return 1;
    return 0;
}

std::string CheckCssText(std::string_view text, bool identifier) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CssUnit(text, i, identifier);
        if (n == 0)
            return "a character that may end the CSS around it: " + std::string(text.substr(i, 8));
        i += n;
    }
    return {};
}

// The path inside url("..."): no quote, "<", ">" or control character, a backslash only as an
// escape; double-byte characters whole.
std::string CheckCssString(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c)) {
            if (i + 1 >= text.size() || !IsTrailValue(static_cast<unsigned char>(text[i + 1])))
                return "a lead byte without its second byte in a CSS string";
            i += 2;
            continue;
        }
        if (c == '\\') {
            const std::size_t n = CssUnit(text, i, false);
            if (n == 0)
                return "a backslash that is no escape in a CSS string";
            i += n;
            continue;
        }
        if (c == '"' || c == '<' || c == '>' || c < 0x20 || c == 0x7F)
            return "a character that may end the CSS string";
        ++i;
    }
    return {};
}

std::vector<std::string_view> SplitCrLf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

bool IsColourText(std::string_view text) {
    if (text.size() != 6)
        return false;
    for (const char c : text) {
        if (!IsDigit(c) && !(c >= 'A' && c <= 'F'))
            return false;
    }
    return true;
}

std::string CheckSelectorLine(std::string_view line) {
    if (line == "body\t\t{" || (StartsWith(line, "hr.hr") && line.size() == 9 && line[5] >= '1' &&
                                line[5] <= '5' && line.substr(6) == "\t\t{")) {
        return {};
    }
    if (line.size() < 3 || line.substr(line.size() - 2) != "\t{")
        return "a selector line that does not open a block";
    const std::string_view selector = line.substr(0, line.size() - 2);
    const std::size_t dot = selector.find('.');
    if (dot == std::string_view::npos || !IsPlainElementName(selector.substr(0, dot)))
        return "an emphasis selector without a plain element name";
    return CheckCssText(selector.substr(dot + 1), true);
}

std::string CheckDeclaration(std::string_view line) {
    const std::string_view body = line.substr(3);
    const std::size_t colon = body.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return "a declaration without a property name";
    for (const char c : body.substr(0, colon)) {
        if (!(c >= 'a' && c <= 'z') && c != '-')
            return "a property name that is not one";
    }
    const std::string_view name = body.substr(0, colon);
    const std::string_view value = body.substr(colon + 1);
    if (name == "background-image") {
        const std::string_view prefix = "url(\"";
        const std::string suffix = "\");  /*" + Sjis("←背景画像のパスはここ") + "*/";
        if (!StartsWith(value, prefix) || value.size() < prefix.size() + suffix.size() ||
            value.substr(value.size() - suffix.size()) != suffix) {
            return "a background image line that is not one";
        }
        return CheckCssString(
            value.substr(prefix.size(), value.size() - prefix.size() - suffix.size()));
    }
    if (value.empty() || value.back() != ';')
        return "a declaration that does not end with its own ;";
    return CheckCssText(value.substr(0, value.size() - 1), false);
}

}  // namespace

std::string CheckBodyLine(std::string_view line, const std::array<std::string, 5>& emphasisTags) {
    std::map<std::string, int> open;
    std::size_t i = 0;
    while (i < line.size()) {
        const std::size_t lt = line.find('<', i);
        const std::string_view text = line.substr(i, lt == std::string_view::npos ? lt : lt - i);
        if (std::string problem = CheckText(text); !problem.empty())
            return problem;
        if (lt == std::string_view::npos)
            break;
        const std::size_t gt = line.find('>', lt);
        if (gt == std::string_view::npos)
            return "a tag that does not close";
        const std::string_view tag = line.substr(lt, gt + 1 - lt);
        if (std::string problem = CheckTag(tag, emphasisTags); !problem.empty())
            return problem + ": " + std::string(tag.substr(0, 60));
        std::string element;
        bool closing = false;
        ElementOf(tag, element, closing);
        // A paragraph may span lines; the void elements never close.
        if (element != "p" && element != "br" && element != "hr" && element != "img")
            open[element] += closing ? -1 : 1;
        i = gt + 1;
    }
    for (const auto& [element, count] : open) {
        if (count != 0)
            return "unbalanced <" + element + "> tags";
    }
    return {};
}

std::string CheckStyleSheet(std::string_view css) {
    if (css.empty())
        return {};
    if (css.size() < 2 || css.substr(css.size() - 2) != "\r\n")
        return "a stylesheet that does not end with CR LF";
    const std::vector<std::string_view> lines = SplitCrLf(css.substr(0, css.size() - 2));
    bool inBlock = false;
    for (const std::string_view line : lines) {
        std::string problem;
        if (line == "\t\t}") {
            if (!inBlock)
                problem = "a block closed that was not open";
            inBlock = false;
        } else if (StartsWith(line, "\t\t\t")) {
            problem = inBlock ? CheckDeclaration(line) : "a declaration outside a block";
        } else if (StartsWith(line, "a:link\t\t{\tcolor:#") ||
                   StartsWith(line, "a:visited\t{\tcolor:#") ||
                   StartsWith(line, "a:active\t{\tcolor:#")) {
            const std::size_t hash = line.find('#');
            if (inBlock || line.size() != hash + 9 || !IsColourText(line.substr(hash + 1, 6)) ||
                line.substr(hash + 7) != ";}") {
                problem = "a link colour line that is not one";
            }
        } else {
            problem = inBlock ? "a selector inside a block" : CheckSelectorLine(line);
            inBlock = true;
        }
        if (!problem.empty())
            return problem + ": " + std::string(line.substr(0, 60));
    }
    return inBlock ? "a block that is never closed" : "";
}

std::string CheckDocumentHead(std::string_view head) {
    const std::vector<std::string_view> lines = SplitCrLf(head);
    const std::string_view fixed[] = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">",
        "<html>", "<head>",
        "<meta http-equiv=\"Content-Script-Type\" content=\"text/html; charset=Shift_JIS\">"};
    if (lines.size() < 7)
        return "a head of too few lines";
    for (std::size_t n = 0; n < std::size(fixed); ++n) {
        if (lines[n] != fixed[n])
            return "head line " + std::to_string(n + 1) + " is not the program's";
    }
    const std::string_view title = lines[4];
    if (!StartsWith(title, "<title>") || title.size() < 15 ||
        title.substr(title.size() - 8) != "</title>") {
        return "a title line that is not one";
    }
    if (std::string problem = CheckText(title.substr(7, title.size() - 15)); !problem.empty())
        return "title: " + problem;
    if (lines[5] != "<meta name=\"GENERATOR\" content=\"" + Sjis(kIdentityUtf8) + "\">")
        return "a generator line that is not the program's";
    if (lines.back() != "</head>")
        return "a head that does not end with </head>";
    std::string_view link;
    if (lines.size() == 8 && AttributeValue(lines[6], "<link rel=stylesheet href=\"./", link))
        return CheckText(link);
    if (lines.size() < 12 || lines[6] != "<style type=\"text/css\">" || lines[7] != "<!--" ||
        lines[lines.size() - 4] != "-->" || lines[lines.size() - 3] != "</style>" ||
        !lines[lines.size() - 2].empty()) {
        return "a style element that is not the program's";
    }
    // The stylesheet is the lines between "<!--" and "-->", each with its CR LF.
    std::size_t start = 0;
    for (std::size_t n = 0; n < 8; ++n)
        start += lines[n].size() + 2;
    std::size_t length = 0;
    for (std::size_t n = 8; n + 4 < lines.size(); ++n)
        length += lines[n].size() + 2;
    return CheckStyleSheet(head.substr(start, length));
}

std::string LineText(std::string_view line) {
    std::string text;
    for (std::size_t i = 0; i < line.size();) {
        if (line[i] == '<') {
            const std::size_t gt = line.find('>', i);
            i = gt == std::string_view::npos ? line.size() : gt + 1;
            continue;
        }
        bool decoded = false;
        if (line[i] == '&') {
            constexpr std::string_view kDecoded[] = {"&", "<", ">", "\"", " "};
            for (std::size_t e = 0; e < std::size(kEntities); ++e) {
                if (StartsWith(line.substr(i), kEntities[e])) {
                    text += kDecoded[e];
                    i += kEntities[e].size();
                    decoded = true;
                    break;
                }
            }
        }
        if (!decoded)
            text += line[i++];
    }
    return text;
}

namespace {

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c != ' ' && c != '\t')
            out += c;
    }
    return out;
}

}  // namespace

std::string PageTextApartFromBlanks(std::string_view line) {
    return WithoutBlanks(LineText(line));
}

std::string WithControlCharactersAsGeta(std::string_view rawLine) {
    const auto isControl = [](unsigned char c) {
        return (c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7F;
    };
    std::string text;
    for (std::size_t i = 0; i < rawLine.size(); ++i) {
        const auto c = static_cast<unsigned char>(rawLine[i]);
        const auto next = static_cast<unsigned char>(i + 1 < rawLine.size() ? rawLine[i + 1] : 0);
        if (IsLeadByte(c) && next >= 0x40 && next <= 0xFC && next != 0x7F) {
            text.append(rawLine.substr(i++, 2));
        } else if (isControl(c) || (IsLeadByte(c) && i + 1 < rawLine.size() && isControl(next))) {
            text += "\x81\xAC";
        } else {
            text += rawLine[i];
        }
    }
    return text;
}

std::string InputTextApartFromBlanks(std::string_view rawLine) {
    std::string text(rawLine);
    for (std::size_t at = text.find("!and!;"); at != std::string::npos;
         at = text.find("!and!;", at + 1)) {
        text.replace(at, 6, "&");
    }
    return WithoutBlanks(text);
}

std::vector<std::string> PageLines(const std::string& page) {
    std::vector<std::string> lines;
    for (const std::string_view line : SplitCrLf(page))
        lines.emplace_back(line);
    if (!lines.back().empty())
        Fail("the page does not end with CR LF", lines.back());
    lines.pop_back();
    return lines;
}

std::size_t DocumentHeadEnd(const std::vector<std::string>& page) {
    std::size_t headEnd = 0;
    while (headEnd < page.size() && page[headEnd] != "</head>")
        ++headEnd;
    if (headEnd + 3 >= page.size() || page[headEnd + 1] != "<body>" ||
        page[page.size() - 2] != "</body>" || page.back() != "</html>") {
        Fail("a page without its frame", "");
    }
    return headEnd;
}

std::string PageAsShiftJis(const std::string& page, TPageEncoding encoding) {
    std::string text;
    if (encoding == TPageEncoding::ShiftJis) {
        text = page;
    } else {
        TDecodeStream decode(encoding == TPageEncoding::Utf8 ? "UTF-8" : "EUC-JP-MS", 1);
        TIconv toSjis("CP932", "UTF-32LE");
        std::string form;
        decode.Feed(
            page, true,
            [&](char32_t c) {
                const char utf32[4] = {static_cast<char>(c & 0xFF),
                                       static_cast<char>(c >> 8 & 0xFF),
                                       static_cast<char>(c >> 16 & 0xFF), 0};
                text += ConvertWhole(toSjis, std::string_view(utf32, 4), form) ? form : "\x81\xAC";
            },
            [&] { Fail("the page is not valid in the encoding it declares", ""); });
    }
    for (std::size_t at; (at = text.find("&#x")) != std::string::npos;) {
        const std::size_t end = text.find(';', at);
        if (end == std::string::npos || end - at < 4 || end - at > 9)
            Fail("a broken character reference", text.substr(at, 12));
        text.replace(at, end - at + 1, "\x81\xAC");
    }
    return text;
}
