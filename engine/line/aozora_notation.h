// Aozora Bunko's annotations ("［＃...］") on one line: layout (page breaks, indentation, text set
// to the line's end), headings, styles of referenced phrases and of ranges, ruby by annotation,
// characters named by number and the escaped marks 《 》 ｜. An annotation that is not read here
// stays on the page as written, in <span class="aozora-note">, and no text around an annotation
// is lost.
#pragma once

#include <string>
#include <vector>

#include "engine/encodings/sjis_bridge.h"
#include "engine/line/untClsHtmlCnv.h"

// The blocks of "ここから..." still open from earlier lines.
struct TAozoraState {
    struct TBlock {
        int Hang = 0;  // the first line's indentation beyond the others' (em), for each line
        bool Hanging = false;
    };
    std::vector<TBlock> Blocks;
    // The level the last heading was named (2 to 4) and the level it was given, 0 before the
    // first: a heading never goes more than one level below the one before it, as an outline
    // must not skip levels, and one named as the one before it gets its level.
    int LastNamedHeading = 0;
    int LastHeading = 0;
};

// What the annotations made of the line, for the paragraph logic.
struct TAozoraLine {
    bool BlockOnly = false;    // the line holds block tags and no text: no paragraph, no "<br>"
    bool EndsInBlock = false;  // the line ends with a block's end: no "<br>" after it
};

// Replaces every "※［＃...］" that names a character by JIS X 0213 plane-row-cell or by U+XXXX
// in the line's raw text by that character: its Shift_JIS form, or a stand-in of bridge for a
// character Shift_JIS lacks. Without a bridge (the text box, whose text is Shift_JIS) such a
// character's annotation stays as written.
// Runs before the line is escaped, so later stages see the character as any other.
void ReplaceNamedCharacters(THtmlCnv& line, TSjisBridge* bridge);

// Reads the line's annotations into tags; runs before every other stage, on the escaped plain
// text. The escaped marks ※［＃始め二重山括弧］, ※［＃終わり二重山括弧］ and ※［＃縦線］ become
// 《 》 ｜ in the tagged text alone, so that the ruby notation never reads them as its marks.
TAozoraLine ApplyAozoraAnnotations(THtmlCnv& line, TAozoraState& state);
