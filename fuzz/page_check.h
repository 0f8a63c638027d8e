// What every converted page must be, whatever the input and the settings: the checks the fuzz
// targets and the property tests apply. Each check returns the empty text when the part is
// sound, otherwise what is wrong with it. All text is Shift_JIS.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/encodings/text_encoding.h"

// A body line: every "<" opens one of the tags the program writes (the five emphasis rules use
// the element names in emphasisTags), attribute values hold no '"', "<" or ">", the tags of
// each element name open and close as often within the line (a paragraph may span lines), and
// every "&" outside the tags begins "&amp;", "&lt;", "&gt;", "&quot;" or "&nbsp;", so no tag
// ever splits an entity.
std::string CheckBodyLine(std::string_view line, const std::array<std::string, 5>& emphasisTags);

// The document head from the DOCTYPE line to "</head>", HTML 4.01 or HTML5: only the lines the
// program writes, a title without markup (never empty in HTML5), and a stylesheet that passes
// CheckStyleSheet.
std::string CheckDocumentHead(std::string_view head);

// A stylesheet (embedded or its own file): rule blocks with plain selectors, declarations whose
// values cannot end the declaration, the rule or the style element, nothing that closes an
// element ("</") or a comment ("-->").
std::string CheckStyleSheet(std::string_view css);

// The text a reader sees of a body line: the tags removed and the five entities decoded, with
// "&nbsp;" as a space.
std::string LineText(std::string_view line);

// The text of a body line (LineText) apart from blanks, which tab expansion, indentation and
// "&nbsp;" move about: what must equal InputTextApartFromBlanks of its input line.
std::string PageTextApartFromBlanks(std::string_view line);

// An input line with each control character (tab and line ends aside) as "〓", and a lead byte
// left alone before one as "〓" too: the engine text escaping makes of it, before kana widening.
std::string WithControlCharactersAsGeta(std::string_view rawLine);

// An input line as its page line shows it, apart from blanks: a literal "!and!;" shows as "&",
// as the escaping has always written it.
std::string InputTextApartFromBlanks(std::string_view rawLine);

// The lines of a page, each of which ends with CR LF; a page whose last line does not is a
// finding (Fail).
std::vector<std::string> PageLines(const std::string& page);

// The index of "</head>" among a document's lines; a page without its frame ("</head>", then
// "<body>", ..., "</body>", "</html>") is a finding (Fail).
std::size_t DocumentHeadEnd(const std::vector<std::string>& page);

// The page read as Shift_JIS: characters without a CP932 form and character references become
// "〓", so that the markup checks see the page's markup and nothing else. A page not valid in its
// encoding, or a broken reference, is a finding (Fail).
std::string PageAsShiftJis(const std::string& page, TPageEncoding encoding);
