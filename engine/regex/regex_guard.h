// Time checks inside a regular expression. The engine has retry limits but no clock: a search
// whose steps do not backtrack (a back-reference compared along a long capture, a look-ahead
// that runs to the end of the line at every start position) can run for minutes within them.
// So the expression is compiled with zero-width check points, the engine's callouts "(?{})", at
// every place a search passes again and again; the callout looks at the clock and ends the
// search once its time is up. A check point matches the empty text and always succeeds, so it
// changes nothing about what the expression matches.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The zero-width check point the rewritten expressions hold.
inline constexpr std::string_view kRegexCheckPoint = "(?{})";

// The expression with a check point at the start of every attempt and of every group and
// alternative, after every quantifier, and in front of every back-reference "\1" to "\9".
// Nothing is inserted inside a character class, a "\Q...\E" quotation, a comment, an escape or
// a quantifier, nor ever in front of a quantifier. Empty when the expression holds callouts of
// its own, "(?{...})" or "(*...)", or a "\Q" inside a class, which it does not rewrite.
// Example: AddRegexCheckPoints("(a)\\1*") == "(?{})(?:((?{})a)(?:(?{})\\1)*(?{}))".
std::string AddRegexCheckPoints(std::string_view expression);

// The forms to compile, best guarded first: the fully checked expression (when there is one),
// the expression with one check point per attempt, the same without the enclosing group (an
// unterminated "\Q" quotation would swallow its closing parenthesis), and last the expression
// itself, for anything the engine refuses to compile with check points.
std::vector<std::string> RegexCompileForms(std::string_view expression);
