#include "engine/line/autolink.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

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
        std::string opening = "<a href=\"";
        if (InStr(1, address, "mailto:") == 0 && InStr(1, address, "@") != 0)
            opening += "mailto:";
        opening += address;
        opening += "\">";
        line.P_AddTag(opening, s, false);
        line.P_AddTag("</a>", e, true);
        // The next address starts after the whole stop delimiter, never inside it.
        a = e + std::max(stopLength, 1);
    }
}
