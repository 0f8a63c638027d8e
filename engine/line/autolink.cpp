#include "engine/line/autolink.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/line/mail_address.h"
#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"
#include "engine/text/url_text.h"

namespace {

// Delimiters of an address, with the bytes they begin with: most characters of a text begin
// none of them and need no compare.
class TDelimiterList {
  public:
    TDelimiterList(std::initializer_list<std::string> items) : items_(items) {
        for (const std::string& item : items_)
            firstBytes_[static_cast<unsigned char>(item[0])] = true;
    }

    // The length of the delimiter that stands at index i of t (0-based), or 0.
    std::size_t At(std::string_view t, std::size_t i) const {
        if (!firstBytes_[static_cast<unsigned char>(t[i])])
            return 0;
        for (const std::string& item : items_) {
            if (t.substr(i, item.size()) == item)
                return item.size();
        }
        return 0;
    }

  private:
    std::vector<std::string> items_;
    std::array<bool, 256> firstBytes_{};
};

const TDelimiterList& StopDelimiters() {
    static const TDelimiterList stops = {"&nbsp;",   ")",        Sjis("）"), "&gt;",    Sjis("＞"),
                                         Sjis("」"), "}",        Sjis("｝"), ",",       Sjis("、"),
                                         Sjis("；"), Sjis("："), "]",        Sjis("　")};
    return stops;
}

// The delimiters an address begins after: the start delimiters and, since an address holds no
// stop delimiter either, the stop delimiters.
const TDelimiterList& AllDelimiters() {
    static const TDelimiterList all = {
        "&nbsp;", "(",        Sjis("（"), "&lt;",     Sjis("＜"), Sjis("「"), "{", Sjis("｛"),
        ",",      Sjis("、"), Sjis("；"), Sjis("："), "[",        Sjis("　"), ")", Sjis("）"),
        "&gt;",   Sjis("＞"), Sjis("」"), "}",        Sjis("｝"), "]"};
    return all;
}

std::size_t NextCharacter(std::string_view t, std::size_t i) {
    return i + (IsLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1);
}

// The end of the address at start and the length of the stop delimiter there (0 at the end of
// the text). One walk over the characters: the first one where any stop delimiter begins.
std::pair<int, int> LinkEnd(std::string_view t, int start) {
    const TDelimiterList& stops = StopDelimiters();
    for (std::size_t i = static_cast<std::size_t>(start < 1 ? 1 : start) - 1; i < t.size();
         i = NextCharacter(t, i)) {
        if (const std::size_t length = stops.At(t, i))
            return {static_cast<int>(i) + 1, static_cast<int>(length)};
    }
    return {static_cast<int>(t.size()) + 1, 0};
}

}  // namespace

// One walk over the characters from from to the "@": the start is right after the delimiter
// that ends last wholly in front of it. No delimiter holds another one after its first byte, so
// the walk finds each one that a search for it alone would find.
int FindMailStart(std::string_view t, int from) {
    if (from < 1)
        from = 1;
    const int at = InStr(from, t, "@");
    if (at == 0)
        return 0;
    const TDelimiterList& delimiters = AllDelimiters();
    const std::size_t head = static_cast<std::size_t>(at) - 1;
    int start = from;
    for (std::size_t i = static_cast<std::size_t>(from) - 1; i < head; i = NextCharacter(t, i)) {
        const std::size_t length = delimiters.At(t, i);
        if (length != 0 && i + length <= head)
            start = std::max(start, static_cast<int>(i + length) + 1);
    }
    return start;
}

namespace {

// FindLinkStart for one text searched at positions that only grow, as AutoLinkLine does: the
// next "http://" and "mailto:" are found again only once the position passes them. A line of
// thousands of bare mail addresses would otherwise be searched to its end for each of them. The
// positions are character boundaries, so a search from a later one finds what an earlier one
// found behind it.
class TLinkStartFinder {
  public:
    explicit TLinkStartFinder(std::string_view t) : t_(t) {}

    int Find(int from) {
        const int none = static_cast<int>(t_.size()) + 1;
        int h = Next(http_, from, "http://");
        int m = Next(mailto_, from, "mailto:");
        if (h == 0)
            h = none;
        if (m == 0)
            m = none;
        if (m > h)
            return h;
        if (m < h)
            return m;
        return FindMailStart(t_, from);
    }

  private:
    struct TNext {
        bool Searched = false;
        int At = 0;
    };

    int Next(TNext& next, int from, std::string_view sought) {
        if (!next.Searched || (next.At != 0 && next.At < from)) {
            next.At = InStr(from, t_, sought);
            next.Searched = true;
        }
        return next.At;
    }

    std::string_view t_;
    TNext http_;
    TNext mailto_;
};

}  // namespace

int FindLinkStart(std::string_view t, int from) {
    return TLinkStartFinder(t).Find(from);
}

int FindLinkEnd(std::string_view t, int start) {
    return LinkEnd(t, start).first;
}

namespace {

// Where one address found by the delimiters is linked: bytes [Start, End) of the plain text,
// 1-based, with its link target; Start is 0 when it gets no link.
struct TLinkedAddress {
    int Start = 0;
    int End = 0;
    std::string Href;
};

// A web address links up to the end of its host when something other than "/", "?" or "#"
// follows the host, and not at all without a valid host or with a user name in front of it.
TLinkedAddress WebLink(std::string_view t, int s, int e) {
    constexpr std::size_t kScheme = 7;  // "http://"
    const std::string_view rest =
        std::string_view(t).substr(static_cast<std::size_t>(s) - 1 + kScheme, e - s - kScheme);
    const std::size_t host = ValidHostLength(rest);
    if (host == 0 || rest.substr(0, rest.find_first_of("/?#")).find('@') != std::string_view::npos)
        return {};
    if (host < rest.size() && std::string_view("/?#").find(rest[host]) == std::string_view::npos)
        e = s + static_cast<int>(kScheme + host);
    return {s, e, HrefOfPlainText(t.substr(static_cast<std::size_t>(s) - 1, e - s))};
}

// A bare mail address: the local part right before the first "@" of [s, e) and the domain after
// it; no link when either is not one a mail address may have.
TLinkedAddress MailLink(std::string_view t, int s, int e) {
    const std::size_t at = t.find('@', static_cast<std::size_t>(s) - 1);
    if (at == std::string_view::npos || at >= static_cast<std::size_t>(e) - 1)
        return {};
    const std::size_t local = MailLocalStart(t, static_cast<std::size_t>(s) - 1, at);
    const std::size_t domain = local == std::string_view::npos ? 0 : MailDomainEnd(t, at);
    if (domain == 0)
        return {};
    return {static_cast<int>(local) + 1, static_cast<int>(domain) + 1,
            "mailto:" + HrefOfPlainText(t.substr(local, domain - local))};
}

}  // namespace

void AutoLinkLine(THtmlCnv& line) {
    const std::string& t = line.strHtml;
    // Every address holds a ":" ("http://", "mailto:") or an "@"; most lines hold neither.
    if (!std::memchr(t.data(), ':', t.size()) && !std::memchr(t.data(), '@', t.size()))
        return;
    TLinkStartFinder starts(t);
    for (int a = 1;;) {
        const int s = starts.Find(a);
        if (s == 0)
            return;
        const auto [e, stopLength] = LinkEnd(t, s);
        const std::string_view address = std::string_view(t).substr(s - 1, e - s);
        // The next address starts after the whole stop delimiter, never inside it.
        a = e + std::max(stopLength, 1);
        TLinkedAddress link;
        if (address.starts_with("http://")) {
            link = WebLink(t, s, e);
        } else if (address.starts_with("mailto:")) {
            link = {s, e, HrefOfPlainText(address)};
        } else {
            link = MailLink(t, s, e);
            // The text after a bare address that ends before the delimiter may hold another
            // one, which starts one character later at the earliest, so that two links never
            // meet; the one without a link is passed over up to its "@".
            if (link.Start == 0) {
                const std::size_t at = address.find('@');
                if (at != std::string_view::npos)
                    a = s + static_cast<int>(at) + 1;
            } else if (link.End < e) {
                a = static_cast<int>(NextCharacter(t, static_cast<std::size_t>(link.End) - 1)) + 1;
            }
        }
        if (link.Start == 0)
            continue;
        line.P_AddTag("<a href=\"" + link.Href + "\">", link.Start, false);
        line.P_AddTag("</a>", link.End, true);
    }
}
