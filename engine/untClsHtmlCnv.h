// One line while it becomes HTML: the raw line, the plain (escaped, tag-free) text and the tagged
// text. Stages add tags at 1-based byte positions of the plain text and never edit the tagged text
// themselves; the object keeps every tag anchored to its character when text is deleted.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One added tag. iPos is the plain position in front of which it stands; -1 once deleted.
struct TAddTagInfo {
    std::int32_t iPos;
    std::int32_t iLen;
    std::string strTag;
};

class THtmlCnv {
  public:
    explicit THtmlCnv(std::string_view rawLine)
        : strOriginal(rawLine), strHtml(rawLine), strIncTag(rawLine) {}

    // Makes the object what the constructor makes of rawLine, keeping the storage it already has,
    // so that one object can serve every line of a conversion without allocating for each.
    void P_Renew(std::string_view rawLine);

    const std::string& F_strGetOriginal() const { return strOriginal; }
    void P_SetOriginal(std::string_view text) { strOriginal = text; }
    const std::string& F_strGetIncTag() const { return strIncTag; }
    void P_SetIncTag(std::string_view text) { strIncTag = text; }

    // Plain and tagged text become the escaped raw line, with no tags.
    void P_CnvTextToHtmlDangerStr(int tabWidth, bool kanaWidening);

    // Inserts tag in front of plain byte position: before every tag already anchored there
    // (after = false) or behind them (after = true).
    // Example: on "abc", P_AddTag("<b>", 1, false) and P_AddTag("</b>", 4, true) give "<b>abc</b>".
    void P_AddTag(std::string_view tag, int position, bool after);

    // Removes plain bytes position .. position + length - 1 with the tags anchored on them; later
    // tags move with their characters.
    void P_DeleteWord(int position, int length);

    // Wraps the line, leaving leading "&nbsp;" outside the opening tag.
    void P_AddTagLine(std::string_view opening, std::string_view closing);

    // Deletes (or replaces by imageTag) the first occurrence of keyword, then wraps the line.
    void P_AddTagDeleteKeyword(std::string_view opening, std::string_view closing,
                               std::string_view keyword);
    void P_AddTagDeleteKeywordPos(std::string_view opening, std::string_view closing, int position,
                                  int length);
    void P_AddTagReplaceImg(std::string_view opening, std::string_view closing,
                            std::string_view keyword, std::string_view imageTag);
    void P_AddTagReplaceImgPos(std::string_view opening, std::string_view closing, int position,
                               int length, std::string_view imageTag);

    std::string strOriginal;
    std::string strHtml;
    std::string strIncTag;
    std::vector<TAddTagInfo> arrAddTagInfo;

  private:
    // Sum of the lengths of the live tags anchored before position (or at it, when inclusive).
    std::int64_t TagBytesBefore(int position, bool inclusive) const;

    // Long tag texts of earlier lines, kept for their storage: P_AddTag fills one of them rather
    // than allocating a new text for every tag.
    std::vector<std::string> spareTagTexts_;
};
