// Two-digit numbers set upright in vertical text ("tate-chu-yoko"): the way a vertical page shows
// "12" as one square rather than two digits lying on their side.
#pragma once

#include "engine/line/untClsHtmlCnv.h"

// Wraps every run of exactly two half-width digits that stands between non-digits (or the ends
// of the plain text) in <span class="tcy"> ... </span>, inside any element that starts or ends
// with it. Left alone: digits inside a link's text (its target is an address, not prose) and a
// pair with a tag between its two digits, which the span would cross.
// Example: "第12話、2026年" gives "第<span class="tcy">12</span>話、2026年".
void SetDigitsUpright(THtmlCnv& line);
