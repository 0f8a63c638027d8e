#include "untClsHtmlCnv.h"

#include "line_assembly.h"
#include "text_helpers.h"

namespace {

// Tag texts up to this length live inside their string object; longer ones own storage, which
// the object keeps for later tags.
const std::size_t kShortTag = std::string().capacity();

}  // namespace

std::int64_t THtmlCnv::TagBytesBefore(int position, bool inclusive) const {
    std::int64_t sum = 0;
    for (const TAddTagInfo& t : arrAddTagInfo) {
        if (t.iPos != -1 && (t.iPos < position || (inclusive && t.iPos == position)))
            sum += t.iLen;
    }
    return sum;
}

void THtmlCnv::P_Renew(std::string_view rawLine) {
    strOriginal.assign(rawLine);
    strHtml.assign(rawLine);
    strIncTag.assign(rawLine);
    for (TAddTagInfo& t : arrAddTagInfo) {
        if (t.strTag.capacity() > kShortTag)
            spareTagTexts_.push_back(std::move(t.strTag));
    }
    arrAddTagInfo.clear();
}

void THtmlCnv::P_CnvTextToHtmlDangerStr(int tabWidth, bool kanaWidening) {
    EscapeHtmlTextInto(strHtml, strOriginal, tabWidth, kanaWidening);
    strIncTag.assign(strHtml);
}

void THtmlCnv::P_AddTag(std::string_view tag, int position, bool after) {
    const std::int64_t index = position - 1 + TagBytesBefore(position, after);
    if (index >= static_cast<std::int64_t>(strIncTag.size())) {
        strIncTag.append(tag);
    } else {
        strIncTag.insert(static_cast<std::size_t>(index < 0 ? 0 : index), tag);
    }
    TAddTagInfo& record = arrAddTagInfo.emplace_back();
    record.iPos = position;
    record.iLen = static_cast<std::int32_t>(tag.size());
    if (tag.size() > kShortTag && !spareTagTexts_.empty()) {
        record.strTag = std::move(spareTagTexts_.back());
        spareTagTexts_.pop_back();
    }
    record.strTag.assign(tag);
}

void THtmlCnv::P_DeleteWord(int position, int length) {
    if (length <= 0 || position < 1)
        return;
    const int last = position + length - 1;
    const std::int64_t from = position - 1 + TagBytesBefore(position, false);  // 0-based
    const std::int64_t through = last - 1 + TagBytesBefore(last, true);        // 0-based, inclusive
    if (from < static_cast<std::int64_t>(strIncTag.size()) && through >= from) {
        strIncTag.erase(static_cast<std::size_t>(from),
                        static_cast<std::size_t>(through - from + 1));
    }
    if (static_cast<std::size_t>(position - 1) < strHtml.size()) {
        strHtml.erase(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(length));
    }
    for (TAddTagInfo& t : arrAddTagInfo) {
        if (t.iPos >= position && t.iPos <= last)
            t.iPos = -1;
        if (t.iPos >= position)
            t.iPos -= length;
    }
}

void THtmlCnv::P_AddTagLine(std::string_view opening, std::string_view closing) {
    static constexpr std::string_view kNbsp = "&nbsp;";
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
