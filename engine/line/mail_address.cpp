#include "engine/line/mail_address.h"

#include "engine/text/text_helpers.h"

namespace {

constexpr std::string_view kAmp = "&amp;";

bool IsAsciiAlnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A character a local part holds besides "&" (which stands there as "&amp;").
bool IsLocalCharacter(char c) {
    return IsAsciiAlnum(c) ||
           (c != 0 && std::string_view(".!#$%'*+-/=?^_`{|}~").find(c) != std::string_view::npos);
}

}  // namespace

std::size_t MailLocalStart(std::string_view t, std::size_t from, std::size_t at) {
    // One walk forward from from, as a byte before the "@" may be the second byte of a
    // double-byte character; run is where the run of local-part characters that ends at i began.
    std::size_t run = from;
    for (std::size_t i = from; i < at;) {
        if (t.compare(i, kAmp.size(), kAmp) == 0 && i + kAmp.size() <= at) {
            i += kAmp.size();
        } else if (IsLocalCharacter(t[i])) {
            ++i;
        } else {
            i += IsLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
            run = i;
        }
    }
    if (run > at)
        return std::string_view::npos;
    // Dots in front are the text's, not the address's; a doubled or a last dot makes no address.
    while (run < at && t[run] == '.')
        ++run;
    if (run >= at || t[at - 1] == '.' ||
        t.substr(run, at - run).find("..") != std::string_view::npos)
        return std::string_view::npos;
    return run;
}

std::size_t MailDomainEnd(std::string_view t, std::size_t at) {
    std::size_t end = at + 1;
    while (end < t.size() && (IsAsciiAlnum(t[end]) || t[end] == '-' || t[end] == '.'))
        ++end;
    while (end > at + 1 && (t[end - 1] == '.' || t[end - 1] == '-'))
        --end;
    const std::string_view domain = t.substr(at + 1, end - at - 1);
    if (domain.empty() || domain[0] == '.' || domain.find('.') == std::string_view::npos ||
        domain.find("..") != std::string_view::npos)
        return 0;
    return end;
}
