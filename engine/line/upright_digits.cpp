#include "engine/line/upright_digits.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

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

}  // namespace

void SetDigitsUpright(THtmlCnv& line) {
    const std::string& t = line.strHtml;
    // Digits are never the second byte of a double-byte character, so the bytes can be looked at
    // one by one.
    std::vector<int> pairs;  // 1-based positions of the first digit
    for (std::size_t i = 0; i + 1 < t.size(); ++i) {
        if (IsDigit(t[i]) && IsDigit(t[i + 1]) && (i == 0 || !IsDigit(t[i - 1])) &&
            (i + 2 == t.size() || !IsDigit(t[i + 2])))
            pairs.push_back(static_cast<int>(i) + 1);
    }
    if (pairs.empty())
        return;
    const std::vector<std::pair<int, int>> links = LinkedRanges(line);
    std::vector<int> tagged;  // the positions of the tags there were before
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos >= 0)
            tagged.push_back(tag.iPos);
    }
    std::sort(tagged.begin(), tagged.end());
    auto link = links.begin();
    for (const int q : pairs) {
        while (link != links.end() && link->second <= q)
            ++link;
        const bool linked = link != links.end() && q >= link->first;
        if (linked || std::binary_search(tagged.begin(), tagged.end(), q + 1))
            continue;
        line.P_AddTag("<span class=\"tcy\">", q, true);
        line.P_AddTag("</span>", q + 2, false);
    }
}
