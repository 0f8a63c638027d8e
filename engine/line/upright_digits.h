// Two-digit numbers and paired exclamation and question marks set upright in vertical text
// ("tate-chu-yoko"): the way a vertical page shows "12" or "!?" as one square rather than two
// characters lying on their side or standing one above the other.
#pragma once

#include "engine/line/untClsHtmlCnv.h"

// Wraps every run of exactly two half-width digits that stands between non-digits (or the ends
// of the plain text) in <span class="tcy"> ... </span>, inside any element that starts or ends
// with it. Left alone: digits inside a link's text (its target is an address, not prose) and a
// pair with a tag between its two digits, which the span would cross.
// Example: "第12話、2026年" gives "第<span class="tcy">12</span>話、2026年".
void SetDigitsUpright(THtmlCnv& line);

// Wraps every run of exactly two marks "!" and "?" (half- or full-width, in any order: "!?",
// "!!", "??", "?!") in the same span, and with threeMarks a run of exactly three too; longer runs
// and the runs left alone above stay as they are.
// Example: "本当に!?" gives "本当に<span class="tcy">!?</span>".
void SetMarksUpright(THtmlCnv& line, bool threeMarks);
