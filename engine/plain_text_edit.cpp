#include "plain_text_edit.h"

#include <cstdint>
#include <string>
#include <vector>

#include "text_helpers.h"

namespace {

constexpr std::string_view kEntities[] = {"&amp;", "&lt;", "&gt;", "&quot;", "&nbsp;"};
constexpr int kLongestEntity = 6;

}  // namespace

bool InsideEntity(std::string_view plain, int position) {
    // Every "&" of the plain text begins an entity, so the nearest one in front decides.
    for (int back = 1; back < kLongestEntity && position - back >= 1; ++back) {
        const std::size_t amp = static_cast<std::size_t>(position - back - 1);
        if (amp >= plain.size())
            continue;
        if (plain[amp] != '&')
            continue;
        for (const std::string_view entity : kEntities) {
            if (plain.substr(amp, entity.size()) == entity)
                return back < static_cast<int>(entity.size());
        }
        return false;
    }
    return false;
}

int FindWholeInPlain(int start, std::string_view plain, std::string_view sought) {
    const int length = static_cast<int>(sought.size());
    for (int p = InStr(start, plain, sought); p != 0; p = InStr(p + 1, plain, sought)) {
        if (!InsideEntity(plain, p) && !InsideEntity(plain, p + length))
            return p;
    }
    return 0;
}

void DeleteKeepingTags(THtmlCnv& line, int position, int length, std::string_view replacement) {
    if (length <= 0 || position < 1)
        return;
    const int last = position + length - 1;
    std::int64_t before = 0;  // tag bytes anchored in front of the run
    std::int64_t inside = 0;  // tag bytes anchored on it
    for (const TAddTagInfo& tag : line.arrAddTagInfo) {
        if (tag.iPos == -1)
            continue;
        if (tag.iPos < position) {
            before += tag.iLen;
        } else if (tag.iPos <= last) {
            inside += tag.iLen;
        }
    }
    // The tags anchored on the run, as they stand in the tagged text between its bytes. Every
    // tag is "<" ... ">" with no ">" inside (attribute values are escaped) and no plain byte is
    // "<", so the text splits into the tags one by one.
    std::vector<std::string> kept;
    if (inside > 0) {
        const std::int64_t end =
            std::min<std::int64_t>(static_cast<std::int64_t>(last) + before + inside,
                                   static_cast<std::int64_t>(line.strIncTag.size()));
        std::string pending;
        for (std::int64_t at = position - 1 + before; at < end; ++at) {
            const char c = line.strIncTag[static_cast<std::size_t>(at)];
            if (pending.empty() && c != '<')
                continue;
            pending += c;
            if (c == '>') {
                kept.push_back(std::move(pending));
                pending.clear();
            }
        }
    }
    line.P_DeleteWord(position, length);
    if (!replacement.empty())
        line.P_AddTag(replacement, position, false);
    for (auto tag = kept.rbegin(); tag != kept.rend(); ++tag)
        line.P_AddTag(*tag, position, false);
}
