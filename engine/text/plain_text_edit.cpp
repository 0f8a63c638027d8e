#include "engine/text/plain_text_edit.h"

#include "engine/text/text_helpers.h"

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
