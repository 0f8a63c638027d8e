// What Aozora Bunko's annotations must leave of a line, for the fuzz target and the property
// test: the text outside annotations, in its order. All text is Shift_JIS.
#pragma once

#include <string>
#include <string_view>

// A raw line without its complete annotations: each "［＃...］" (the brackets inside it counted)
// and a "※" right before one left out.
std::string TextOutsideAozoraAnnotations(std::string_view raw);

// The text without the ruby notation's marks 《 》 ｜ |, which that notation takes away, and
// without blanks, which tab expansion and "&nbsp;" move about.
std::string ApartFromRubyMarksAndBlanks(std::string_view text);

// True when every character of part stands in whole, in part's order.
bool KeepsInOrder(std::string_view part, std::string_view whole);
