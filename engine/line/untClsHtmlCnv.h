// One line while it becomes HTML: the raw line, the plain (escaped, tag-free) text and the tagged
// text. Stages add tags at 1-based byte positions of the plain text and never edit the tagged text
// themselves; the object keeps every tag anchored to its character when text is deleted.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/line/element_nesting.h"

// One added tag. iPos is the plain position in front of which it stands; -1 once deleted.
// Tags at one position stand in the order of Slot: a tag put in front of the others there gets a
// lower slot than any before it, one put behind them a higher one.
struct TAddTagInfo {
    std::int32_t iPos;
    std::int32_t iLen;
    std::string strTag;
    std::int32_t Slot;
};

class THtmlCnv {
  public:
    explicit THtmlCnv(std::string_view rawLine) { P_Renew(rawLine); }

    // Makes the object what the constructor makes of rawLine, keeping the storage it already has,
    // so that one object can serve every line of a conversion without allocating for each.
    void P_Renew(std::string_view rawLine);

    const std::string& F_strGetOriginal() const { return strOriginal; }
    void P_SetOriginal(std::string_view text) { strOriginal = text; }

    // The plain text with every live tag in its place. It is put together when it is asked for
    // after a change, once, rather than on every tag: a line with thousands of links would
    // otherwise move its tail for each of them.
    const std::string& F_strGetIncTag() const;

    // From now until the next P_Renew the tagged text keeps its elements nested
    // (TElementNesting). page is the page's state before this line (the paragraph, and any
    // element, still open from the lines before); whenever the tagged text is put together, page
    // becomes the state after it. page must outlive the line's use of this object.
    void P_NestElements(TElementNesting& page);

    // Plain and tagged text become the escaped raw line, with no tags.
    void P_CnvTextToHtmlDangerStr(int tabWidth, bool kanaWidening);

    // Inserts tag in front of plain byte position: before every tag already anchored there
    // (after = false) or behind them (after = true). Positions past the end of the plain text
    // stand at its end, in their order.
    // Example: on "abc", P_AddTag("<b>", 1, false) and P_AddTag("</b>", 4, true) give "<b>abc</b>".
    void P_AddTag(std::string_view tag, int position, bool after);
    // Inserts tag at position right behind the records front (indexes into arrAddTagInfo of
    // live tags that stand first at position, in their order) and in front of every other tag
    // there: a stage that wraps text in an element puts its tag between the tags at the edge
    // that belong outside and those that belong inside. With front empty, P_AddTag(.., false).
    void P_AddTagBehind(std::string_view tag, int position, std::span<const std::uint32_t> front);

    // Removes plain bytes position .. position + length - 1. An element that lies wholly on them
    // goes with them: an opening tag anchored on the run together with its closing tag anchored
    // on it too (a closing tag pairs with the nearest opening tag of its element name in front of
    // it there). Every other tag anchored on the run stays: one whose partner lies outside the
    // run, so that elements stay balanced, and one without a partner, such as an image. Those
    // stand at position, in their order, in front of the tags that stood right after the run;
    // later tags move with their characters.
    // Example: on "<i>a</i><b>bc</b>" (plain "abc"), P_DeleteWord(1, 2) gives "<b>c</b>".
    void P_DeleteWord(int position, int length);
    // P_DeleteWord, then replacement (when not empty) in the run's place: behind the tags that
    // stayed there, in front of those that stood right after the run.
    void P_ReplaceWord(int position, int length, std::string_view replacement);

    // Makes text the plain text of a line that holds no tag yet.
    void P_ReplacePlain(std::string_view text);

    // Empties the plain text and drops every tag, for a line that something else replaces.
    void P_Clear();

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
    std::string strHtml;  // change it only through the methods, which keep the tags in place
    std::vector<TAddTagInfo> arrAddTagInfo;

  private:
    friend class TStagedLines;

    void DropTags();
    void Assemble() const;
    void AssembleAsPlaced() const;
    void AssembleNested() const;
    bool AssemblePlain(bool& paragraphOpen) const;
    void RestorePage() const;
    std::size_t FirstRecordFrom(int position) const;
    void RemoveRun(int position, int length);
    void DropEnclosedElements();

    mutable std::string strIncTag;
    mutable bool incTagCurrent_ = false;  // strIncTag shows every tag added so far
    // The page's state of P_NestElements, null without; its state before this line is kept as
    // two flags when it is plain (TElementNesting::IsPlain), as a copy otherwise.
    TElementNesting* page_ = nullptr;
    bool pageBeforePlain_ = true;
    bool paragraphBefore_ = false;
    TElementNesting pageBefore_;
    mutable bool pageAsBefore_ = true;  // page_ has not been changed by this line yet
    mutable std::vector<std::string_view> plainOpen_;  // AssemblePlain's open elements
    // The highest position of a live tag; a tag that comes behind every tag at the end of the
    // plain text is appended to a current strIncTag as it is.
    std::int32_t lastPos_ = std::numeric_limits<std::int32_t>::min();  // no tag
    std::int32_t slotsBefore_ = 0;                                     // the lowest slot given out
    std::int32_t slotsAfter_ = 0;                                      // the highest
    bool ascending_ = true;  // the live records stand in the order of their positions
    // Long tag texts of earlier lines, kept for their storage: P_AddTag fills one of them rather
    // than allocating a new text for every tag.
    std::vector<std::string> spareTagTexts_;
    mutable std::vector<std::uint32_t> order_;  // Assemble's sort of the live tags
    std::vector<std::uint32_t> runTags_;        // a deletion's tags, in their order
    std::vector<std::uint32_t> openTags_;       // the opening tags among them not yet closed
};
