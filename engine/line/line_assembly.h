// One input line to one line of HTML: escaping, rule lines, the emphasis rules, links,
// indentation, and the paragraph and line-break logic carried from line to line.
#pragma once

#include <string>
#include <string_view>

#include "engine/base/settings_model.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/line/aozora_notation.h"
#include "engine/line/element_nesting.h"
#include "engine/line/untClsHtmlCnv.h"

class TSjisBridge;

// Paragraph state of one conversion, carried across header, input and footer lines.
struct TParaState {
    std::int32_t ParagraphOpen = 0;  // a paragraph has begun and not ended
    bool PreviousLineHadText = false;
    bool ClosedHere = false;  // this line ended the paragraph
    // The elements open on the page after the last line (a paragraph that a block interrupted is
    // open here only once text follows the block); the page's end closes them.
    TElementNesting Nesting;
    // Aozora Bunko's blocks still open, and the bridge that carries the characters its
    // annotations name (null where the conversion has none).
    TAozoraState Aozora;
    TSjisBridge* Bridge = nullptr;
};

// Runs the stages on line (created from rawLine) in their fixed order; on return the line's
// tagged text is the output line without its terminator. platform shows the emphasis stage's
// one message.
// bridge carried the text's characters that CP932 lacks into the engine (null for a Shift_JIS
// text): the ruby notation asks it what its stand-ins are.
void AssembleLine(THtmlCnv& line, std::string_view rawLine, const TStrInfo& settings,
                  TParaState& state, TPlatform& platform, const TSjisBridge* bridge = nullptr);

// The two halves of AssembleLine without the Aozora notation. StageLine runs the stages that see
// this line alone (escaping, rule lines, emphasis, links, upright characters, ruby, indentation),
// so lines may be staged on any thread and in any order; true when the line then goes to
// FinishLine (a document's lines), which adds the paragraph and line-break tags in the order of the
// lines. blank is IsBlankLine of the raw line. Used on a line made afresh for the raw line, the
// two give what AssembleLine gives.
bool StageLine(THtmlCnv& line, const TStrInfo& settings, TPlatform& platform,
               const TSjisBridge* bridge);
void FinishLine(THtmlCnv& line, bool blank, const TStrInfo& settings, TParaState& state);

// Turns a line that starts (after trimming) with a rule's pattern into that rule's "<hr>".
void ApplyRuleLines(THtmlCnv& line, const std::array<THolLine, 5>& rules);

// Replaces the leading "&nbsp;" run by a relative offset of as many ex; blanks that carry a tag
// stay as they are.
void IndentLeadingSpaces(THtmlCnv& line);

// True when the raw line holds nothing but bytes at or below the space character.
bool IsBlankLine(std::string_view rawLine);
