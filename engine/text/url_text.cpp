#include "engine/text/url_text.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "engine/text/encoding.h"
#include "engine/text/page_escape.h"
#include "engine/text/text_helpers.h"

namespace {

bool IsAsciiAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsHexDigit(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The ASCII characters a URL holds as they are ("#" and "%" are looked at separately).
bool IsUrlAscii(unsigned char c) {
    return IsAsciiAlnum(c) ||
           (c != 0 && std::string_view("!$&'()*+,-./:;=?@_~").find(static_cast<char>(c)) !=
                          std::string_view::npos);
}

void AppendPercent(std::string& out, unsigned char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 0x0F];
}

// A double-byte character whole at i, or a single byte that is a character (half-width
// katakana): kept as it is in a URL. Returns the number of bytes kept, 0 for none.
std::size_t KeptNonAscii(std::string_view t, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (IsLeadByte(c)) {
        if (i + 1 < t.size()) {
            const unsigned char trail = static_cast<unsigned char>(t[i + 1]);
            if ((trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC))
                return 2;
        }
        return 0;
    }
    return c >= 0xA1 && c <= 0xDF ? 1 : 0;
}

// Percent-encodes t into out. A path of a file holds "%", "#" and "?" as themselves, so
// literalPath encodes every one of them; otherwise a "%" before two hex digits stays an escape
// and the first "#" starts the fragment.
void AppendEncoded(std::string& out, std::string_view t, bool literalPath) {
    bool fragment = false;
    std::size_t i = 0;
    // The brackets of an IPv6 host belong to the URL.
    if (const std::size_t host = t.find("://");
        !literalPath && host != std::string_view::npos && t.substr(host + 3).starts_with('[')) {
        const std::size_t close = t.find(']', host + 3);
        if (close != std::string_view::npos) {
            i = close + 1;
            out.append(t, 0, i);
        }
    }
    for (; i < t.size();) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (const std::size_t kept = KeptNonAscii(t, i)) {
            out.append(t, i, kept);
            i += kept;
            continue;
        }
        bool plain = IsUrlAscii(c);
        if (c == '?')
            plain = !literalPath;
        else if (c == '#')
            plain = !literalPath && !fragment;
        else if (c == '%')
            plain = !literalPath && i + 2 < t.size() &&
                    IsHexDigit(static_cast<unsigned char>(t[i + 1])) &&
                    IsHexDigit(static_cast<unsigned char>(t[i + 2]));
        if (c == '#')
            fragment = true;
        if (plain)
            out += static_cast<char>(c);
        else
            AppendPercent(out, c);
        ++i;
    }
}

// The full-width forms of the characters a host may not hold: a host maps them to their ASCII
// forms and is no host then.
bool IsForbiddenWideHostCharacter(std::string_view character) {
    static const std::array<std::string, 14> forbidden = {
        Sjis("％"), Sjis("＠"), Sjis("／"), Sjis("？"), Sjis("＃"), Sjis("＼"), Sjis("＾"),
        Sjis("｜"), Sjis("［"), Sjis("］"), Sjis("＜"), Sjis("＞"), Sjis("："), Sjis("　")};
    return std::find(forbidden.begin(), forbidden.end(), character) != forbidden.end();
}

// The length of the dotted labels of a domain or IPv4 address at the start of text, 0 when they
// do not make a valid one.
std::size_t DomainLength(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[end]);
        if (IsAsciiAlnum(c) || c == '-' || c == '_' || c == '.') {
            ++end;
        } else if (IsLeadByte(c) && KeptNonAscii(text, end) == 2 &&
                   !IsForbiddenWideHostCharacter(text.substr(end, 2))) {
            end += 2;
        } else {
            break;
        }
    }
    const std::string_view domain = text.substr(0, end);
    if (domain.empty() || domain[0] == '.' || domain.find("..") != std::string_view::npos)
        return 0;
    // A numeric last label makes the whole host an IPv4 address: up to four numbers, each but
    // the last below 256, the last filling the bytes left.
    std::string_view labels = domain.ends_with('.') ? domain.substr(0, domain.size() - 1) : domain;
    const std::size_t lastDot = labels.rfind('.');
    const std::string_view last =
        lastDot == std::string_view::npos ? labels : labels.substr(lastDot + 1);
    if (last.find_first_not_of("0123456789") != std::string_view::npos)
        return end;
    int parts = 0;
    for (std::size_t from = 0; from <= labels.size(); ++parts) {
        std::size_t dot = labels.find('.', from);
        if (dot == std::string_view::npos)
            dot = labels.size();
        const std::string_view part = labels.substr(from, dot - from);
        if (part.empty() || part.size() > 10 ||
            part.find_first_not_of("0123456789") != std::string_view::npos)
            return 0;
        const unsigned long long value = std::strtoull(std::string(part).c_str(), nullptr, 10);
        const bool isLast = dot == labels.size();
        if (!isLast && value > 255)
            return 0;
        if (isLast && value >= (1ULL << (8 * (4 - parts))))
            return 0;
        from = dot + 1;
    }
    return parts <= 4 ? end : 0;
}

// The length of an IPv6 address in brackets at the start of text, 0 when there is none: hex
// groups split by colons, eight of them, or fewer with one "::" in their place.
std::size_t Ipv6Length(std::string_view text) {
    const std::size_t close = text.find(']');
    if (close == std::string_view::npos)
        return 0;
    const std::string_view inside = text.substr(1, close - 1);
    if (inside.find_first_not_of("0123456789abcdefABCDEF:.") != std::string_view::npos)
        return 0;
    const auto colons = std::count(inside.begin(), inside.end(), ':');
    const std::size_t shortened = inside.find("::");
    const bool valid =
        shortened == std::string_view::npos
            ? colons == 7
            : colons <= 8 && inside.find("::", shortened + 1) == std::string_view::npos;
    return valid ? close + 1 : 0;
}

}  // namespace

std::string UnescapePlainText(std::string_view escaped) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
    std::string raw;
    raw.reserve(escaped.size());
    for (std::size_t i = 0; i < escaped.size();) {
        if (const std::size_t kept = KeptNonAscii(escaped, i)) {
            raw.append(escaped, i, kept);
            i += kept;
            continue;
        }
        bool replaced = false;
        if (escaped[i] == '&') {
            for (const auto& [entity, character] : kEntities) {
                if (escaped.substr(i).starts_with(entity)) {
                    raw += character;
                    i += entity.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            raw += escaped[i++];
    }
    return raw;
}

std::string PercentEncodeUrl(std::string_view url) {
    std::string out;
    out.reserve(url.size());
    AppendEncoded(out, url, false);
    return out;
}

std::string HrefOfPlainText(std::string_view escaped) {
    return EscapeHtmlAttribute(PercentEncodeUrl(UnescapePlainText(escaped)));
}

std::size_t ValidHostLength(std::string_view text) {
    const std::size_t host = text.starts_with('[') ? Ipv6Length(text) : DomainLength(text);
    if (host == 0 || host >= text.size() || text[host] != ':')
        return host;
    std::size_t port = host + 1;
    while (port < text.size() && text[port] >= '0' && text[port] <= '9')
        ++port;
    const std::string_view digits = text.substr(host + 1, port - host - 1);
    if (digits.size() > 5 || (!digits.empty() && std::atol(std::string(digits).c_str()) > 65535))
        return host;
    return port;
}

std::string ImagePathUrl(std::string_view path) {
    std::string slashes;
    slashes.reserve(path.size());
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (KeptNonAscii(path, i) == 2) {
            slashes.append(path, i, 2);
            ++i;
        } else {
            slashes += path[i] == '\\' ? '/' : path[i];
        }
    }
    const bool drive = slashes.size() >= 2 && slashes[1] == ':' &&
                       IsAsciiAlnum(static_cast<unsigned char>(slashes[0])) &&
                       !(slashes[0] >= '0' && slashes[0] <= '9') &&
                       (slashes.size() == 2 || slashes[2] == '/');
    std::string out;
    if (drive) {
        out = "file:///";
    } else if (slashes.starts_with("//")) {
        out = "file:";  // a network path: its server is the host
    } else if (slashes.starts_with('/')) {
        out = "file://";
    } else if (slashes.substr(0, slashes.find('/')).find(':') != std::string::npos) {
        out = "./";  // a ":" in the first segment would make it a scheme
    }
    AppendEncoded(out, slashes, true);
    return out;
}
