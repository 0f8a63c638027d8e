#include "engine/text/page_escape.h"

#include <cstdio>

#include "engine/text/text_helpers.h"

namespace {

bool IsAsciiLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// The second byte of a double-byte character: 0x40 to 0x7E and 0x80 to 0xFC. A lead byte
// followed by anything else stands alone, and a reader takes the next byte for itself.
bool IsTrailValue(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// A single byte above ASCII that is a character of its own (half-width katakana and the like).
bool IsNonAscii(unsigned char c) {
    return c >= 0x80 && !IsLeadByte(c);
}

void AppendCssEscape(std::string& out, unsigned char c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\%x ", c);
    out += hex;
}

// Copies text with every double-byte character whole, and hands each other byte (with its index)
// to single, which appends it escaped or as it is. A lead byte without its second byte comes to
// single too: left as it is in CSS, it would take the backslash of the next escape for its
// second byte.
template <typename Single>
std::string EscapeEach(std::string_view text, Single&& single) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size() &&
            IsTrailValue(static_cast<unsigned char>(text[i + 1]))) {
            out.append(text, i, 2);
            ++i;
        } else {
            single(out, c, i);
        }
    }
    return out;
}

}  // namespace

std::string EscapeHtmlAttribute(std::string_view value) {
    return EscapeEach(value, [](std::string& out, unsigned char c, std::size_t) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += static_cast<char>(c);
        }
    });
}

std::string EscapeCssIdentifier(std::string_view name) {
    return EscapeEach(name, [name](std::string& out, unsigned char c, std::size_t i) {
        // An identifier may not begin with a digit, nor with "-" and a digit.
        const bool leading = i == 0 || (i == 1 && name[0] == '-');
        const bool allowed = IsAsciiLetter(c) || c == '_' || c == '-' || IsNonAscii(c) ||
                             (IsAsciiDigit(c) && !leading);
        if (allowed) {
            out += static_cast<char>(c);
        } else {
            AppendCssEscape(out, c);
        }
    });
}

std::string EscapeCssString(std::string_view text) {
    return EscapeEach(text, [](std::string& out, unsigned char c, std::size_t) {
        if (c == '"' || c == '\\' || c == '<' || c == '>' || c < 0x20 || c == 0x7F ||
            IsLeadByte(c)) {
            AppendCssEscape(out, c);
        } else {
            out += static_cast<char>(c);
        }
    });
}

std::string EscapeCssValue(std::string_view value) {
    return EscapeEach(value, [](std::string& out, unsigned char c, std::size_t) {
        const bool allowed = IsAsciiLetter(c) || IsAsciiDigit(c) || c == ' ' || c == '.' ||
                             c == '+' || c == '-' || c == '%' || c == '#' || c == '_' ||
                             IsNonAscii(c);
        if (allowed) {
            out += static_cast<char>(c);
        } else {
            AppendCssEscape(out, c);
        }
    });
}

bool IsPlainElementName(std::string_view tag) {
    if (tag.empty() || !IsAsciiLetter(static_cast<unsigned char>(tag[0])))
        return false;
    for (const char c : tag) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!IsAsciiLetter(u) && !IsAsciiDigit(u))
            return false;
    }
    return true;
}

bool IsTextElementName(std::string_view tag) {
    if (!IsPlainElementName(tag))
        return false;
    static constexpr std::string_view kNotText[] = {
        "applet",   "area",   "audio",    "base",     "basefont", "bgsound",   "body",
        "br",       "canvas", "col",      "datalist", "embed",    "frame",     "frameset",
        "head",     "hr",     "html",     "iframe",   "image",    "img",       "input",
        "isindex",  "keygen", "link",     "math",     "meta",     "noembed",   "noframes",
        "noscript", "object", "optgroup", "option",   "param",    "plaintext", "script",
        "select",   "source", "style",    "svg",      "template", "textarea",  "title",
        "track",    "video",  "wbr",      "xmp"};
    std::string lower(tag);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    for (const std::string_view name : kNotText) {
        if (lower == name)
            return false;
    }
    return true;
}
