#include "engine/line/web_links.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "engine/line/mail_address.h"
#include "engine/text/text_helpers.h"
#include "engine/text/url_text.h"

namespace {

constexpr std::string_view kAmp = "&amp;";

std::array<bool, 256> CharacterSet(std::string_view punctuation) {
    std::array<bool, 256> set{};
    for (int c = '0'; c <= '9'; ++c)
        set[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        set[c] = set[c + 'a' - 'A'] = true;
    for (const char c : punctuation)
        set[static_cast<unsigned char>(c)] = true;
    return set;
}

// What an address may hold ("&" only as "&amp;", looked at separately).
const std::array<bool, 256> kAddress = CharacterSet("-._~:/?#[]@!$'()*+,;=%");
// What the local part of a bare mail address may hold: the address characters that a mail
// address allows before its "@".
const std::array<bool, 256> kLocalPart = CharacterSet("-._~/?#!$'*+=%");

bool In(const std::array<bool, 256>& set, char c) {
    return set[static_cast<unsigned char>(c)];
}

// The length of the scheme that begins at i ("http://", "https://", "mailto:"), or 0.
std::size_t SchemeAt(std::string_view t, std::size_t i) {
    for (const std::string_view scheme : {"http://", "https://", "mailto:"}) {
        if (t.compare(i, scheme.size(), scheme) == 0)
            return scheme.size();
    }
    return 0;
}

// The end of the address that begins at start: past the characters an address may hold, then
// back over the punctuation that closes a sentence rather than the address.
std::size_t AddressEnd(std::string_view t, std::size_t start) {
    std::size_t end = start;
    while (end < t.size()) {
        if (t[end] == '&') {
            if (t.compare(end, kAmp.size(), kAmp) != 0)
                break;
            end += kAmp.size();
        } else if (In(kAddress, t[end])) {
            ++end;
        } else {
            break;
        }
    }
    const std::string_view whole = t.substr(start, end - start);
    auto unmatched =
        std::count(whole.begin(), whole.end(), ')') - std::count(whole.begin(), whole.end(), '(');
    while (end > start) {
        if (t.substr(start, end - start).ends_with(kAmp))
            break;
        const char last = t[end - 1];
        if (last == ')' && unmatched > 0)
            --unmatched;
        else if (std::strchr(".,:;!?'", last) == nullptr)
            break;
        --end;
    }
    return end;
}

// The end of the web address from start to end whose scheme is scheme bytes long: end when its
// host is valid and followed by "/", "?", "#" or nothing, the end of the host when something
// else follows it; 0 when it has no valid host or holds a user name ("@" before its path).
std::size_t WebAddressEnd(std::string_view t, std::size_t start, std::size_t scheme,
                          std::size_t end) {
    const std::string_view rest = t.substr(start + scheme, end - start - scheme);
    if (t.compare(start, scheme, "mailto:") == 0)
        return end;
    const std::size_t host = ValidHostLength(rest);
    if (host == 0 || rest.substr(0, rest.find_first_of("/?#")).find('@') != std::string_view::npos)
        return 0;
    if (host < rest.size() && std::string_view("/?#").find(rest[host]) == std::string_view::npos)
        return start + scheme + host;
    return end;
}

}  // namespace

void FindWebAddresses(std::string_view t, std::vector<TAddressSpan>& spans) {
    spans.clear();
    // Every address holds a ":" or an "@"; most lines hold neither.
    if (t.find_first_of(":@") == std::string_view::npos)
        return;
    // One walk over the characters; local is where the run of local-part characters that ends
    // at i began.
    std::size_t local = 0;
    for (std::size_t i = 0; i < t.size();) {
        if (const std::size_t scheme = SchemeAt(t, i)) {
            const std::size_t end = AddressEnd(t, i);
            if (end > i + scheme) {
                // An address without a valid host is passed over whole, so that no part of it
                // is taken for a mail address.
                if (const std::size_t linked = WebAddressEnd(t, i, scheme, end))
                    spans.push_back({i, linked, false});
                i = local = end;
                continue;
            }
        }
        const char c = t[i];
        if (c == '@' && local < i) {
            const std::size_t start = MailLocalStart(t, local, i);
            const std::size_t end = start == std::string_view::npos ? 0 : MailDomainEnd(t, i);
            if (end != 0) {
                spans.push_back({start, end, true});
                // The local part of the next address starts one character later at the
                // earliest, so that two links never meet.
                i = end;
                local = end + 1;
                continue;
            }
        }
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < t.size()) {
            i += 2;
            local = i;
        } else {
            ++i;
            if (!In(kLocalPart, c))
                local = i;
        }
    }
}

void LinkWebAddresses(THtmlCnv& line) {
    static thread_local std::vector<TAddressSpan> spans;
    FindWebAddresses(line.strHtml, spans);
    std::string opening;
    for (const TAddressSpan& span : spans) {
        opening = span.Mail ? "<a href=\"mailto:" : "<a href=\"";
        opening += HrefOfPlainText(
            std::string_view(line.strHtml).substr(span.Start, span.End - span.Start));
        opening += "\">";
        line.P_AddTag(opening, static_cast<int>(span.Start) + 1, false);
        line.P_AddTag("</a>", static_cast<int>(span.End) + 1, true);
    }
}
