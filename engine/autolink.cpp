#include "autolink.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "encoding.h"
#include "text_helpers.h"

namespace {

// Delimiters of an address, in the order they are tried.
struct TDelimiters {
    std::array<std::string, 14> Start;
    std::array<std::string, 14> Stop;
};

const TDelimiters& Delimiters() {
    static const TDelimiters delimiters = {
        {"&nbsp;", "(", Sjis("（"), "&lt;", Sjis("＜"), Sjis("「"), "{", Sjis("｛"), ",",
         Sjis("、"), Sjis("；"), Sjis("："), "[", Sjis("　")},
        {"&nbsp;", ")", Sjis("）"), "&gt;", Sjis("＞"), Sjis("」"), "}", Sjis("｝"), ",",
         Sjis("、"), Sjis("；"), Sjis("："), "]", Sjis("　")}};
    return delimiters;
}

// The end of the address at start and the length of the stop delimiter there (0 at the end of
// the text). One walk over the characters: the first one where any stop delimiter begins.
std::pair<int, int> LinkEnd(std::string_view t, int start) {
    const std::array<std::string, 14>& stops = Delimiters().Stop;
    std::size_t i = static_cast<std::size_t>(start < 1 ? 1 : start) - 1;
    while (i < t.size()) {
        for (const std::string& stop : stops) {
            if (t.substr(i, stop.size()) == stop)
                return {static_cast<int>(i) + 1, static_cast<int>(stop.size())};
        }
        i += IsLeadByte(static_cast<unsigned char>(t[i])) ? 2 : 1;
    }
    return {static_cast<int>(t.size()) + 1, 0};
}

// The position right after the last occurrence of delimiter that lies wholly in front of at
// and starts at or after from; 0 when there is none. from is a character boundary, and no
// delimiter can overlap another occurrence of itself, so each search goes on behind the last.
int EndOfLastBefore(std::string_view t, int from, int at, std::string_view delimiter) {
    const std::string_view head = t.substr(0, static_cast<std::size_t>(at - 1));
    const int size = static_cast<int>(delimiter.size());
    int last = 0;
    for (int p = InStr(from, head, delimiter); p != 0; p = InStr(p + size, head, delimiter))
        last = p;
    return last == 0 ? 0 : last + static_cast<int>(delimiter.size());
}

}  // namespace

int FindMailStart(std::string_view t, int from) {
    if (from < 1)
        from = 1;
    const int at = InStr(from, t, "@");
    if (at == 0)
        return 0;
    // An address holds no stop delimiter either, so it also begins after the last one.
    int start = from;
    for (const auto* delimiters : {&Delimiters().Start, &Delimiters().Stop}) {
        for (const std::string& delimiter : *delimiters) {
            const int q = EndOfLastBefore(t, from, at, delimiter);
            if (q > start)
                start = q;
        }
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
