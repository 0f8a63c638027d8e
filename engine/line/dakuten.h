// A dakuten written after any kana ("あ゛", "ア゛", "ヲ゛": the screams of web fiction) as the
// voiced kana itself.
#pragma once

#include "engine/line/untClsHtmlCnv.h"

class TSjisBridge;

// Joins each "゛" (or half-width "ﾞ") that follows a full-width kana to it: a kana with a voiced
// form of its own becomes that form ("か゛" gives "が", "ヲ゛" gives "ヺ"); any other becomes the
// kana followed by the combining mark U+3099. A character CP932 lacks goes in through bridge,
// which writes it into the page (a numeric reference where the page's encoding lacks it); without
// a bridge (a Shift_JIS text into a Shift_JIS page) it is the numeric reference itself. A kana
// that is voiced or semi-voiced already, and a mark after anything else, stay as written.
// Works on the plain text of a line that has no tags yet, right after escaping.
void ComposeDakuten(THtmlCnv& line, TSjisBridge* bridge);
