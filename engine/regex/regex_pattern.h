// Pattern texts of the regular-expression rules: how a keyword becomes a pattern, and how a
// pattern text splits into the expression and its flags.
#pragma once

#include <string>
#include <string_view>

// The pattern text of a keyword: the keyword itself when it already has a pattern form ("/"
// first; "m" and a delimiter that also ends it, optionally followed by "g"; or "\" or "m"
// followed by "/"), otherwise "m/" + keyword + "/".
// Example: BuildMatchPattern("abc") == "m/abc/"; BuildMatchPattern("m#abc#g") == "m#abc#g".
std::string BuildMatchPattern(std::string_view keyword);

// Puts an escaped character ("&lt;", "&nbsp;" ...) that a quantifier follows into a group, so
// that the quantifier applies to the whole entity, as it applied to the character typed.
// Example: WrapEntityQuantifiers("m/&lt;+/") == "m/(&lt;)+/".
std::string WrapEntityQuantifiers(std::string_view pattern);

// A pattern text taken apart. Flags i, m, s and x have Perl's meanings; g (every match) is the
// rules' business and changes nothing here.
struct TPatternForm {
    std::string Expression;
    bool IgnoreCase = false;
    bool Extended = false;   // x: blanks and # comments in the expression are ignored
    bool DotAll = false;     // s: "." also matches a line feed
    bool MultiLine = false;  // m: "^" and "$" also match at line feeds
    std::string Error;       // why the text is no valid pattern; empty when it is
};

// Reads "m" + delimiter + expression + delimiter + flags, or "/" + expression + "/" + flags; the
// expression runs to the last occurrence of the delimiter. Any other text is an expression
// without flags.
TPatternForm ParsePatternForm(std::string_view pattern);
