// Ruby (furigana) and emphasis dots written as fiction is written for the web:
// "｜漢字《かんじ》", "漢字《かんじ》" and "《《傍点》》".
#pragma once

#include "engine/line/untClsHtmlCnv.h"

class TSjisBridge;

// Turns the notations of the line's plain text into markup, through the line object so that
// every tag added before stays on its characters:
// - "｜" or "|", a base, "《reading》": <ruby>BASE<rp>（</rp><rt>READING</rt><rp>）</rp></ruby>.
//   The reading leaves the plain text and goes into the tag after the base.
// - without a bar, the run of kanji (every CJK ideograph, and 々 〆 ヶ 〇) right before "《" is
//   the base; bridge (null for text that holds no stand-ins) tells the characters that arrived
//   as stand-ins;
// - "《《text》》": <em class="sesame">text</em>;
// - "｜《" and "|《" stand for a literal "《" (the bar is dropped).
// An unclosed "《", an empty reading or base, a base over 20 characters or a reading over 50, a
// reading holding "《", and a notation that an element added before would cross stay as
// written. An element inside the base or dotted text, or at its edge and within it (a number set
// upright, a link at the end of dotted text), stays inside the new element; one that coincides
// with the text stays around it.
// Example: "｜東京《とうきょう》へ" gives
// "<ruby>東京<rp>（</rp><rt>とうきょう</rt><rp>）</rp></ruby>へ".
void ApplyRubyNotation(THtmlCnv& line, const TSjisBridge* bridge = nullptr);
