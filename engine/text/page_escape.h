// Values of the settings on their way into the page, escaped for the place they go, so that a
// settings file cannot add markup or script, close the style element or break out of a rule.
// Ordinary values (names of letters and digits, sizes, paths) come out unchanged. All text is
// Shift_JIS; a double-byte character is always kept whole, whatever its second byte.
#pragma once

#include <string>
#include <string_view>

// For a value between double quotes in an HTML attribute: "&", "<", ">" and '"' as entities.
// Example: EscapeHtmlAttribute("a\"b") == "a&quot;b".
std::string EscapeHtmlAttribute(std::string_view value);

// For a name in a CSS selector (an emphasis rule's class): every character that may not stand in
// a CSS identifier, and a digit at its start, as a CSS escape "\" + hex + " ".
// Example: EscapeCssIdentifier("a{b") == "a\\7b b".
std::string EscapeCssIdentifier(std::string_view name);

// For text inside a double-quoted CSS string (the background image's url("...")): the quote,
// the backslash, "<", ">" and control characters as CSS escapes.
std::string EscapeCssString(std::string_view text);

// For a CSS property value typed as text (sizes, heights, margins): everything but letters,
// digits, blanks and ". + - % # _" as CSS escapes, so that the value cannot end its declaration,
// its rule, a comment or the style element.
std::string EscapeCssValue(std::string_view value);

// True for a plain element name: an ASCII letter, then ASCII letters or digits.
bool IsPlainElementName(std::string_view tag);

// True for a plain element name whose content a browser shows as text, so that it can hold an
// emphasis: not one whose content is script, style or raw text ("script", "style", "textarea",
// "xmp" ...), embedded or hidden ("iframe", "object", "svg", "select" ...), nor one that holds
// nothing ("br", "img" ...) or belongs to the document's frame ("head", "base", "meta" ...).
// Letter case does not count.
bool IsTextElementName(std::string_view tag);
