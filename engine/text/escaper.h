// The plain text of a line: the raw line with the characters that mean something in HTML turned
// into entities, tabs expanded and spaces kept. Positions in the line object refer to this text.
#pragma once

#include <string>
#include <string_view>

// An escaped space; a run of them at the start of a line is its indentation.
inline constexpr std::string_view kNbsp = "&nbsp;";

// "&" (and a literal "!and!;") to "&amp;", "<", ">", '"' to entities, tabs expanded to the given
// width, every space to "&nbsp;", then, when kana is on, half-width katakana widened.
// Example: EscapeHtmlText("a & b", 4, false) == "a&nbsp;&amp;&nbsp;b".
std::string EscapeHtmlText(std::string_view text, int tabWidth, bool kana);
// The same into out (replacing what it held), reusing its storage.
void EscapeHtmlTextInto(std::string& out, std::string_view text, int tabWidth, bool kana);

// False when the escaped form of rawLine might not fit the line object's 32-bit positions; such a
// line is refused rather than converted with positions that wrap round.
bool FitsLinePositions(std::string_view rawLine, int tabWidth);
