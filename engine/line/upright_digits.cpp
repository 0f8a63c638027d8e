#include "engine/line/upright_digits.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "engine/text/text_helpers.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr std::string_view kUprightOpen = "<span class=\"tcy\">";

// One run to set upright: its 1-based plain position and byte length.
struct TRun {
    int Position;
    int Length;
};

// The plain ranges [start, end) (1-based) that links wrap, from their tags.
std::vector<std::pair<int, int>> LinkedRanges(const THtmlCnv& line) {
    std::vector<std::pair<int, int>> ranges;
    int open = 0;
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos < 0)
            continue;
        if (tag.strTag.starts_with("<a "))
            open = tag.iPos;
        else if (tag.strTag == "</a>" && open > 0)
            ranges.emplace_back(std::exchange(open, 0), tag.iPos);
    }
    return ranges;
}

// Wraps each run (in position order) in the upright span, but for runs inside a link's text,
// runs with a tag between their characters and runs an upright span of an earlier stage (an
// annotation's) wraps already.
void WrapRuns(THtmlCnv& line, const std::vector<TRun>& runs) {
    const std::vector<std::pair<int, int>> links = LinkedRanges(line);
    std::vector<int> tagged;   // the positions of the tags there were before
    std::vector<int> upright;  // where upright spans open
    std::vector<int> spanEnds;
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos < 0)
            continue;
        tagged.push_back(tag.iPos);
        if (tag.strTag == kUprightOpen)
            upright.push_back(tag.iPos);
        else if (tag.strTag == "</span>")
            spanEnds.push_back(tag.iPos);
    }
    const auto has = [](const std::vector<int>& positions, int q) {
        return std::find(positions.begin(), positions.end(), q) != positions.end();
    };
    std::sort(tagged.begin(), tagged.end());
    // The run is upright already when the nearest tags around it are an upright span's opening
    // and a span's end, which in nested tags can only be that span's own.
    const auto uprightAlready = [&](int q, int end) {
        const auto after = std::lower_bound(tagged.begin(), tagged.end(), end);
        const auto atOrBefore = std::upper_bound(tagged.begin(), tagged.end(), q);
        return after != tagged.end() && atOrBefore != tagged.begin() &&
               has(upright, *std::prev(atOrBefore)) && has(spanEnds, *after);
    };
    auto link = links.begin();
    for (const TRun& run : runs) {
        const int q = run.Position;
        while (link != links.end() && link->second <= q)
            ++link;
        const bool linked = link != links.end() && q >= link->first;
        const auto inside = std::upper_bound(tagged.begin(), tagged.end(), q);
        if (linked || (inside != tagged.end() && *inside < q + run.Length) ||
            uprightAlready(q, q + run.Length))
            continue;
        line.P_AddTag(kUprightOpen, q, true);
        line.P_AddTag("</span>", q + run.Length, false);
    }
}

// "!" and "?", half- or full-width.
bool IsMark(std::string_view t, std::size_t i, std::size_t next) {
    if (next == i + 1)
        return t[i] == '!' || t[i] == '?';
    return t[i] == '\x81' && (t[i + 1] == '\x48' || t[i + 1] == '\x49');
}

}  // namespace

void SetDigitsUpright(THtmlCnv& line) {
    const std::string& t = line.strHtml;
    // Digits are never the second byte of a double-byte character, so the bytes can be looked at
    // one by one.
    std::vector<TRun> pairs;
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (IsDigit(t[i]) && IsDigit(t[i + 1]) && (i == 0 || !IsDigit(t[i - 1])) &&
            (i + 2 == t.size() || !IsDigit(t[i + 2])))
            pairs.push_back({static_cast<int>(i) + 1, 2});
    }
    if (!pairs.empty())
        WrapRuns(line, pairs);
}

void SetMarksUpright(THtmlCnv& line, bool threeMarks) {
    const std::string_view t = line.strHtml;
    // Most lines hold none of the marks; the full-width ones are looked for as bytes first, which
    // may find a pair that is no character.
    if (t.find_first_of("!?") == std::string_view::npos &&
        t.find("\x81\x48") == std::string_view::npos &&
        t.find("\x81\x49") == std::string_view::npos)
        return;
    std::vector<TRun> runs;
    std::size_t runStart = 0;
    int marks = 0;
    const auto endRun = [&](std::size_t end) {
        if (marks == 2 || (marks == 3 && threeMarks))
            runs.push_back({static_cast<int>(runStart) + 1, static_cast<int>(end - runStart)});
        marks = 0;
    };
    for (std::size_t i = 0; i < t.size();) {
        const std::size_t next = NextCharStart(t, i);
        if (IsMark(t, i, next)) {
            if (marks++ == 0)
                runStart = i;
        } else if (marks > 0) {
            endRun(i);
        }
        i = next;
    }
    if (marks > 0)
        endRun(t.size());
    if (!runs.empty())
        WrapRuns(line, runs);
}
