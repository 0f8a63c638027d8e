#include "engine/untClsHtmlCnv.h"

#include <algorithm>
#include <limits>

#include "engine/escaper.h"
#include "engine/text_helpers.h"

namespace {

// Tag texts up to this length live inside their string object; longer ones own storage, which
// the object keeps for later tags.
const std::size_t kShortTag = std::string().capacity();

constexpr std::int32_t kNoTag = std::numeric_limits<std::int32_t>::min();  // as lastPos_ starts

bool StandsBefore(const TAddTagInfo& a, const TAddTagInfo& b) {
    return a.iPos != b.iPos ? a.iPos < b.iPos : a.Slot < b.Slot;
}

}  // namespace

void THtmlCnv::DropTags() {
    incTagCurrent_ = false;
    if (arrAddTagInfo.empty())
        return;  // nothing was added since the last drop, which left the rest as it is now
    for (TAddTagInfo& t : arrAddTagInfo) {
        if (t.strTag.capacity() > kShortTag)
            spareTagTexts_.push_back(std::move(t.strTag));
    }
    arrAddTagInfo.clear();
    lastPos_ = kNoTag;
    slotsBefore_ = 0;
    slotsAfter_ = 0;
    ascending_ = true;
}

void THtmlCnv::P_Renew(std::string_view rawLine) {
    strOriginal.assign(rawLine);
    strHtml.assign(rawLine);
    DropTags();
}

void THtmlCnv::P_CnvTextToHtmlDangerStr(int tabWidth, bool kanaWidening) {
    EscapeHtmlTextInto(strHtml, strOriginal, tabWidth, kanaWidening);
    DropTags();
}

void THtmlCnv::P_Clear() {
    strHtml.clear();
    DropTags();
}

// The live tags in the order they stand, merged into the plain text. Stages mostly add tags
// left to right, so the order is usually there already and the sort is skipped.
void THtmlCnv::Assemble() const {
    order_.clear();
    std::size_t tagBytes = 0;
    bool inOrder = true;
    for (std::uint32_t i = 0; i < arrAddTagInfo.size(); ++i) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        if (t.iPos == -1)
            continue;
        if (!order_.empty() && StandsBefore(t, arrAddTagInfo[order_.back()]))
            inOrder = false;
        order_.push_back(i);
        tagBytes += t.strTag.size();
    }
    if (!inOrder) {
        std::sort(order_.begin(), order_.end(), [this](std::uint32_t a, std::uint32_t b) {
            return StandsBefore(arrAddTagInfo[a], arrAddTagInfo[b]);
        });
    }
    strIncTag.clear();
    strIncTag.reserve(strHtml.size() + tagBytes);
    std::size_t done = 0;
    for (const std::uint32_t i : order_) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        const std::size_t at = t.iPos < 1 ? 0 : std::min<std::size_t>(t.iPos - 1, strHtml.size());
        if (at > done) {
            strIncTag.append(strHtml, done, at - done);
            done = at;
        }
        strIncTag.append(t.strTag);
    }
    strIncTag.append(strHtml, done);
    incTagCurrent_ = true;
}

const std::string& THtmlCnv::F_strGetIncTag() const {
    if (!incTagCurrent_)
        Assemble();
    return strIncTag;
}

void THtmlCnv::P_AddTag(std::string_view tag, int position, bool after) {
    const std::int32_t slot = after ? ++slotsAfter_ : --slotsBefore_;
    if (position < lastPos_)
        ascending_ = false;
    // At the position of the last tag, a tag put behind the others there is the last one.
    const bool last = position > lastPos_ || (position == lastPos_ && after);
    if (incTagCurrent_ && last && static_cast<std::size_t>(position) > strHtml.size()) {
        strIncTag.append(tag);
    } else {
        incTagCurrent_ = false;
    }
    if (last)
        lastPos_ = position;
    TAddTagInfo& record = arrAddTagInfo.emplace_back();
    record.iPos = position;
    record.iLen = static_cast<std::int32_t>(tag.size());
    record.Slot = slot;
    if (tag.size() > kShortTag && !spareTagTexts_.empty()) {
        record.strTag = std::move(spareTagTexts_.back());
        spareTagTexts_.pop_back();
    }
    record.strTag.assign(tag);
}

// With the records in position order, only those behind the last live one in front of position
// can stand at position or behind it; otherwise any can.
std::size_t THtmlCnv::FirstRecordFrom(int position) const {
    if (!ascending_)
        return 0;
    std::size_t i = arrAddTagInfo.size();
    while (i > 0 && (arrAddTagInfo[i - 1].iPos == -1 || arrAddTagInfo[i - 1].iPos >= position))
        --i;
    return i;
}

void THtmlCnv::P_DeleteWord(int position, int length) {
    if (length <= 0 || position < 1)
        return;
    const int last = position + length - 1;
    if (static_cast<std::size_t>(position - 1) < strHtml.size()) {
        strHtml.erase(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length));
    }
    incTagCurrent_ = false;
    // Stages that delete as they go left to right have their tags in front of the run.
    if (lastPos_ < position)
        return;
    const std::size_t first = FirstRecordFrom(position);
    lastPos_ = kNoTag;
    for (std::size_t i = first; i < arrAddTagInfo.size(); ++i) {
        TAddTagInfo& t = arrAddTagInfo[i];
        if (t.iPos >= position && t.iPos <= last)
            t.iPos = -1;
        if (t.iPos >= position)
            t.iPos -= length;
        lastPos_ = std::max(lastPos_, t.iPos == -1 ? kNoTag : t.iPos);
    }
    // When none of those is left, the last tag is the last live record in front of them.
    for (std::size_t i = first; lastPos_ == kNoTag && i-- > 0;) {
        if (arrAddTagInfo[i].iPos != -1)
            lastPos_ = arrAddTagInfo[i].iPos;
    }
}

std::vector<std::string> THtmlCnv::TagsAnchoredIn(int position, int last) const {
    if (lastPos_ < position)
        return {};
    std::vector<const TAddTagInfo*> inside;
    for (std::size_t i = FirstRecordFrom(position); i < arrAddTagInfo.size(); ++i) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        if (t.iPos != -1 && t.iPos >= position && t.iPos <= last)
            inside.push_back(&t);
    }
    std::sort(inside.begin(), inside.end(),
              [](const TAddTagInfo* a, const TAddTagInfo* b) { return StandsBefore(*a, *b); });
    std::vector<std::string> tags;
    tags.reserve(inside.size());
    for (const TAddTagInfo* t : inside)
        tags.push_back(t->strTag);
    return tags;
}

void THtmlCnv::P_AddTagLine(std::string_view opening, std::string_view closing) {
    std::size_t a = 0;
    while (std::string_view(strHtml).substr(a, kNbsp.size()) == kNbsp)
        a += kNbsp.size();
    P_AddTag(opening, static_cast<int>(a) + 1, false);
    P_AddTag(closing, static_cast<int>(strHtml.size()) + 1, true);
}

void THtmlCnv::P_AddTagDeleteKeyword(std::string_view opening, std::string_view closing,
                                     std::string_view keyword) {
    const int p = InStr(1, strHtml, keyword);
    if (p > 0)
        P_DeleteWord(p, static_cast<int>(keyword.size()));
    P_AddTagLine(opening, closing);
}

void THtmlCnv::P_AddTagDeleteKeywordPos(std::string_view opening, std::string_view closing,
                                        int position, int length) {
    P_DeleteWord(position, length);
    P_AddTagLine(opening, closing);
}

void THtmlCnv::P_AddTagReplaceImg(std::string_view opening, std::string_view closing,
                                  std::string_view keyword, std::string_view imageTag) {
    const int p = InStr(1, strHtml, keyword);
    if (p > 0) {
        P_DeleteWord(p, static_cast<int>(keyword.size()));
        P_AddTag(imageTag, p, false);
    }
    P_AddTagLine(opening, closing);
}

void THtmlCnv::P_AddTagReplaceImgPos(std::string_view opening, std::string_view closing,
                                     int position, int length, std::string_view imageTag) {
    P_DeleteWord(position, length);
    P_AddTag(imageTag, position, false);
    P_AddTagLine(opening, closing);
}
