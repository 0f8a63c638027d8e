// A dakuten written after any kana ("あ゛", "ア゛", "ヲ゛": the screams of web fiction) as the
// voiced kana itself.
#pragma once

#include "engine/line/untClsHtmlCnv.h"

// Joins each "゛" (or half-width "ﾞ") that follows a full-width kana to it: a kana with a voiced
// form of its own becomes that form ("か゛" gives "が", "ヲ゛" gives "ヺ"); any other becomes the
// kana followed by the combining mark U+3099. The characters CP932 lacks are written as their
// fixed engine codes (FixedCodeOf), which the page gets as the characters. A kana that is voiced
// or semi-voiced already, and a mark after anything else, stay as written.
// Works on the plain text of a line that has no tags yet, right after escaping.
void ComposeDakuten(THtmlCnv& line);
