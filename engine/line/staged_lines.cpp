#include "engine/line/staged_lines.h"

#include "engine/line/untClsHtmlCnv.h"

void TStagedLines::Clear() {
    plain_.clear();
    tagText_.clear();
    tags_.clear();
    lines_.clear();
}

void TStagedLines::Append(const THtmlCnv& line) {
    plain_.append(line.strHtml);
    for (const TAddTagInfo& t : line.arrAddTagInfo) {
        tags_.push_back({t.iPos, t.Slot, static_cast<std::uint32_t>(t.strTag.size())});
        tagText_.append(t.strTag);
    }
    lines_.push_back({plain_.size(), tags_.size(), tagText_.size(), line.lastPos_,
                      line.slotsBefore_, line.slotsAfter_, line.ascending_});
}

void TStagedLines::LoadInto(std::size_t k, THtmlCnv& line) const {
    const TLine& at = lines_[k];
    const TLine* before = k == 0 ? nullptr : &lines_[k - 1];
    const std::size_t plainStart = before ? before->PlainEnd : 0;
    std::size_t tagStart = before ? before->TagsEnd : 0;
    std::size_t textStart = before ? before->TagTextEnd : 0;
    line.strOriginal.clear();
    line.strHtml.assign(plain_, plainStart, at.PlainEnd - plainStart);
    line.page_ = nullptr;
    line.DropTags();
    for (; tagStart < at.TagsEnd; ++tagStart) {
        const TTag& t = tags_[tagStart];
        TAddTagInfo& record = line.arrAddTagInfo.emplace_back();
        record.iPos = t.Pos;
        record.iLen = static_cast<std::int32_t>(t.TextSize);
        record.Slot = t.Slot;
        if (t.TextSize > record.strTag.capacity() && !line.spareTagTexts_.empty()) {
            record.strTag = std::move(line.spareTagTexts_.back());
            line.spareTagTexts_.pop_back();
        }
        record.strTag.assign(tagText_, textStart, t.TextSize);
        textStart += t.TextSize;
    }
    line.lastPos_ = at.LastPos;
    line.slotsBefore_ = at.SlotsBefore;
    line.slotsAfter_ = at.SlotsAfter;
    line.ascending_ = at.Ascending;
}
