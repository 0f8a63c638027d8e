#include "engine/line/untClsHtmlCnv.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "engine/line/element_nesting.h"
#include "engine/text/escaper.h"
#include "engine/text/text_helpers.h"

namespace {

// Tag texts up to this length live inside their string object; longer ones own storage, which
// the object keeps for later tags.
const std::size_t kShortTag = std::string().capacity();

constexpr std::int32_t kNoTag = std::numeric_limits<std::int32_t>::min();  // as lastPos_ starts

constexpr std::string_view kSpan = "span";

// ElementName, with the span tags of indents and emphases told from their bytes alone: they are
// most of the tags of a page. The name of a span tag is kSpan itself.
std::string_view QuickElementName(std::string_view tag, bool& closing) {
    if (tag.size() == 7 && std::memcmp(tag.data(), "</span>", 7) == 0) {
        closing = true;
        return kSpan;
    }
    if (tag.size() > 6 && std::memcmp(tag.data(), "<span ", 6) == 0) {
        closing = false;
        return kSpan;
    }
    return ElementName(tag, closing);
}

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
    page_ = nullptr;
    DropTags();
}

void THtmlCnv::P_NestElements(TElementNesting& page) {
    page_ = &page;
    pageBeforePlain_ = page.IsPlain();
    if (pageBeforePlain_)
        paragraphBefore_ = page.ParagraphWritten();  // a plain page holds nothing else
    else
        pageBefore_ = page;
    pageAsBefore_ = true;
    incTagCurrent_ = false;
}

void THtmlCnv::RestorePage() const {
    if (pageAsBefore_)
        return;
    if (pageBeforePlain_)
        page_->SetPlain(paragraphBefore_);
    else
        *page_ = pageBefore_;
    pageAsBefore_ = true;
}

void THtmlCnv::P_CnvTextToHtmlDangerStr(int tabWidth, bool kanaWidening) {
    EscapeHtmlTextInto(strHtml, strOriginal, tabWidth, kanaWidening);
    DropTags();
}

void THtmlCnv::P_ReplacePlain(std::string_view text) {
    strHtml.assign(text);
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
    if (page_)
        AssembleNested();
    else
        AssembleAsPlaced();
    incTagCurrent_ = true;
}

void THtmlCnv::AssembleAsPlaced() const {
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
}

// The tags as placed, when they nest already and hold no block, starting from a plain page: then
// nesting would write them just so. False (tagged text unspecified) otherwise. One pass, which
// checks each tag as it places it.
bool THtmlCnv::AssemblePlain(bool& paragraphOpen) const {
    plainOpen_.clear();
    std::size_t done = 0;
    for (const std::uint32_t i : order_) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        const std::string_view tag = t.strTag;
        bool closing = false;
        const std::string_view name = QuickElementName(tag, closing);
        if (name.empty())
            return false;
        const TElementKind kind =
            name.data() == kSpan.data() ? TElementKind::Inline : ElementKindOf(name);
        if (closing) {
            if (kind == TElementKind::Paragraph) {
                if (!paragraphOpen || !plainOpen_.empty())
                    return false;
                paragraphOpen = false;
            } else if (plainOpen_.empty() || (plainOpen_.back().data() != name.data() &&
                                              !SameElementName(plainOpen_.back(), name))) {
                return false;
            } else {
                plainOpen_.pop_back();
            }
        } else if (kind == TElementKind::Inline) {
            plainOpen_.push_back(name);
        } else if (kind == TElementKind::Paragraph) {
            if (paragraphOpen || !plainOpen_.empty())
                return false;
            paragraphOpen = true;
        } else if (kind != TElementKind::InlineVoid) {
            return false;
        }
        const std::size_t at = t.iPos < 1 ? 0 : std::min<std::size_t>(t.iPos - 1, strHtml.size());
        if (at > done) {
            strIncTag.append(strHtml, done, at - done);
            done = at;
        }
        strIncTag.append(tag);
    }
    if (!plainOpen_.empty())
        return false;
    strIncTag.append(strHtml, done);
    return true;
}

void THtmlCnv::AssembleNested() const {
    RestorePage();
    if (pageBeforePlain_) {
        bool paragraphOpen = paragraphBefore_;
        if (AssemblePlain(paragraphOpen)) {
            if (paragraphOpen != paragraphBefore_) {
                page_->SetPlain(paragraphOpen);
                pageAsBefore_ = false;
            }
            return;
        }
        strIncTag.clear();
    }
    pageAsBefore_ = false;
    TElementNesting& page = *page_;
    const std::string_view plain = strHtml;
    std::size_t done = 0;
    for (const std::uint32_t i : order_) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        const std::size_t at = t.iPos < 1 ? 0 : std::min<std::size_t>(t.iPos - 1, strHtml.size());
        if (at > done) {
            page.Text(plain.substr(done, at - done), strIncTag);
            done = at;
        }
        page.Tag(t.strTag, strIncTag);
    }
    if (done < plain.size())
        page.Text(plain.substr(done), strIncTag);
    page.FinishLine(strIncTag);
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
        if (page_) {
            page_->Tag(tag, strIncTag);
            pageAsBefore_ = false;
        } else {
            strIncTag.append(tag);
        }
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

void THtmlCnv::P_AddTagBehind(std::string_view tag, int position,
                              std::span<const std::uint32_t> front) {
    P_AddTag(tag, position, false);
    if (front.empty())
        return;
    // The new tag took the lowest slot; the front tags take still lower ones, the last first.
    for (auto i = front.rbegin(); i != front.rend(); ++i) {
        TAddTagInfo& t = arrAddTagInfo[*i];
        if (t.iPos != -1)
            t.Slot = --slotsBefore_;
    }
    incTagCurrent_ = false;
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

// The run's tags stand in runTags_ in their order. Each closing tag pairs with the nearest
// opening tag of the same element name in front of it that is not paired yet, and both are
// deleted; so each element name keeps as many opening as closing tags as it had.
void THtmlCnv::DropEnclosedElements() {
    openTags_.clear();
    for (const std::uint32_t i : runTags_) {
        bool closing = false;
        const std::string_view name = ElementName(arrAddTagInfo[i].strTag, closing);
        if (name.empty())
            continue;
        if (!closing) {
            openTags_.push_back(i);
            continue;
        }
        for (std::size_t k = openTags_.size(); k-- > 0;) {
            TAddTagInfo& opening = arrAddTagInfo[openTags_[k]];
            bool unused = false;
            if (SameElementName(ElementName(opening.strTag, unused), name)) {
                opening.iPos = -1;
                arrAddTagInfo[i].iPos = -1;
                openTags_.erase(openTags_.begin() + static_cast<std::ptrdiff_t>(k));
                break;
            }
        }
    }
}

void THtmlCnv::P_DeleteWord(int position, int length) {
    P_ReplaceWord(position, length, {});
}

void THtmlCnv::P_ReplaceWord(int position, int length, std::string_view replacement) {
    runTags_.clear();
    if (length > 0 && position >= 1)
        RemoveRun(position, length);
    if (!replacement.empty())
        P_AddTag(replacement, position, false);
    // The tags of the run that stay go in front of everything at position, the replacement
    // included, in their order: each takes the next lower slot, the last one first. Their records
    // keep their places in the list, whose positions therefore stay in order when they were.
    for (auto i = runTags_.rbegin(); i != runTags_.rend(); ++i) {
        TAddTagInfo& t = arrAddTagInfo[*i];
        if (t.iPos != -1)
            t.Slot = --slotsBefore_;
    }
}

// Leaves the tags that were anchored on the run in runTags_, in their order, those that stay at
// position and the others deleted.
void THtmlCnv::RemoveRun(int position, int length) {
    const int last = position + length - 1;
    if (static_cast<std::size_t>(position - 1) < strHtml.size()) {
        strHtml.erase(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length));
    }
    incTagCurrent_ = false;
    // Stages that delete as they go left to right have their tags in front of the run.
    if (lastPos_ < position)
        return;
    const std::size_t first = FirstRecordFrom(position);
    for (std::size_t i = first; i < arrAddTagInfo.size(); ++i) {
        const TAddTagInfo& t = arrAddTagInfo[i];
        if (t.iPos != -1 && t.iPos >= position && t.iPos <= last)
            runTags_.push_back(static_cast<std::uint32_t>(i));
    }
    std::sort(runTags_.begin(), runTags_.end(), [this](std::uint32_t a, std::uint32_t b) {
        return StandsBefore(arrAddTagInfo[a], arrAddTagInfo[b]);
    });
    DropEnclosedElements();
    lastPos_ = kNoTag;
    for (std::size_t i = first; i < arrAddTagInfo.size(); ++i) {
        TAddTagInfo& t = arrAddTagInfo[i];
        if (t.iPos > last)
            t.iPos -= length;
        else if (t.iPos >= position)
            t.iPos = position;
        lastPos_ = std::max(lastPos_, t.iPos == -1 ? kNoTag : t.iPos);
    }
    // When none of those is left, the last tag is the last live record in front of them.
    for (std::size_t i = first; lastPos_ == kNoTag && i-- > 0;) {
        if (arrAddTagInfo[i].iPos != -1)
            lastPos_ = arrAddTagInfo[i].iPos;
    }
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
    if (p > 0)
        P_ReplaceWord(p, static_cast<int>(keyword.size()), imageTag);
    P_AddTagLine(opening, closing);
}

void THtmlCnv::P_AddTagReplaceImgPos(std::string_view opening, std::string_view closing,
                                     int position, int length, std::string_view imageTag) {
    P_ReplaceWord(position, length, imageTag);
    P_AddTagLine(opening, closing);
}
