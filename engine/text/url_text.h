// Web addresses and image paths as valid URLs for the page: the characters a URL may not hold
// are percent-encoded, and a host is checked before anything links to it. All text is Shift_JIS;
// a double-byte character (and a half-width katakana) is a character a URL may hold and is kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The raw text behind a part of a line's plain text: "&amp;", "&lt;", "&gt;", "&quot;" and
// "&nbsp;" back to the characters they stand for.
// Example: UnescapePlainText("a&nbsp;&lt;b") == "a <b".
std::string UnescapePlainText(std::string_view escaped);

// url with every character a URL may not hold percent-encoded (its Shift_JIS byte): blanks,
// control bytes, '"', "<", ">", "\", "[" and "]" (but those of an IPv6 host right after "://"),
// "^", "`", "{", "|", "}", a "#" after the first one,
// a single byte above ASCII that is no character, and a "%" not followed by two hex digits. A
// valid URL comes out unchanged. The result still needs escaping for the place it goes.
// Example: PercentEncodeUrl("http://p/%<") == "http://p/%25%3C".
std::string PercentEncodeUrl(std::string_view url);

// The href value of an address as it stands in a line's plain text: unescaped, percent-encoded
// and escaped for an attribute, so that "http://a/?x=1&amp;y=2" comes out as it went in.
std::string HrefOfPlainText(std::string_view escaped);

// The length of the valid host, with an optional ":port", at the start of text (what follows
// "http://"): a domain of ASCII letters, digits, "-", "_" and double-byte characters in labels
// split by dots (only the last may be empty, a numeric last label makes it an IPv4 address), or
// an IPv6 address in brackets; the port at most 65535. 0 when no valid host starts there.
// Example: ValidHostLength("a.jp:80/x") == 7; ValidHostLength("a..b") == 0.
std::size_t ValidHostLength(std::string_view text);

// An image path as the src of an element or the url() of a stylesheet: "\" becomes "/"; a path
// with a drive letter ("C:\", "C:/") or a leading "/" gets "file:///" in front ("file://" before
// a leading "/"), any other path stays relative; then PercentEncodeUrl. Not escaped for the
// place it goes.
// Example: ImagePathUrl("C:\\img\\a b.png") == "file:///C:/img/a%20b.png".
std::string ImagePathUrl(std::string_view path);
