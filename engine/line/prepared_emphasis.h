// The prepared form of an emphasis rule: what applying it to a line needs and what depends only
// on the rule (its tags and its keywords as its kind uses them), built once for a conversion.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/base/settings_model.h"

// The tags one rule adds: `<tag class="class">`, `</tag>`, and for the image action the src of
// the image (ImagePathUrl, escaped for an attribute; empty when the rule names no image, and then
// the keyword stays as it is); the tag is UsableEmphasisTag, the class is escaped for an
// attribute value.
struct TEmphasisTags {
    std::string Opening;
    std::string Closing;
    std::string ImageSrc;
};
TEmphasisTags EmphasisTagsOf(const TStrong& rule);

// The image element that replaces the text replaced (as it stands in the plain text), which
// becomes its alt text. Example: `<img src="img/a.png" alt="重要">`.
std::string ImageTag(const TEmphasisTags& tags, std::string_view replaced);

// One keyword of a rule as the rule's kind uses it. Text, Opening and Closing point into the
// keyword list of the TPreparedEmphasis that holds the keyword.
struct TPreparedKeyword {
    std::string_view Text;
    std::string_view Opening;  // enclosing rules: SplitEnclosingPair(Text)
    std::string_view Closing;
    std::string Pattern;      // regular-expression rules: the pattern text handed to the engine
    bool EveryMatch = false;  // the pattern ends with "g"
};

// What one rule needs on every line and what depends only on the rule: its tags, its escaped
// keyword list and the keywords in list order up to the first empty one. PrepareEmphasisRules
// builds one per rule for the whole conversion (TStrong::Prepared); a rule applied without one
// is prepared for that call. Neither copied nor moved, as the keywords point into the list.
struct TPreparedEmphasis {
    explicit TPreparedEmphasis(const TStrong& rule);
    TPreparedEmphasis(const TPreparedEmphasis&) = delete;
    TPreparedEmphasis& operator=(const TPreparedEmphasis&) = delete;

    TEmphasisTags Tags;
    std::string List;  // the keywords escaped as a line is (tab width 4, no kana widening)
    std::vector<TPreparedKeyword> Keywords;
};

// Gives every rule its prepared form, replacing one built before. The driver calls it before
// PrepareRegexRules, which compiles the patterns of the prepared regular-expression keywords.
void PrepareEmphasisRules(std::array<TStrong, 5>& rules);
// Drops the prepared forms again, once the conversion is over.
void ReleaseEmphasisRules(std::array<TStrong, 5>& rules);

// The element name the rule's tags and style block use: its tag when that is a plain element
// name (a letter, then letters or digits) of an element that shows its content as text
// (IsTextElementName), otherwise the default a blank tag gets: "div" with background colour and
// full width on, else "span". A tag such as `span onclick="..."` or "script" is never written
// into the page.
std::string UsableEmphasisTag(const TStrong& rule);

// The n-th item (from 1) of list split at separator (double-byte aware), or the empty text when
// there is none; an empty item (two separators in a row) is returned as it is, and ends the list
// for the rules. The result points into list.
// Example: KeywordAt("a,b,", ",", 2) == "b"; KeywordAt("a,b,", ",", 3) == "".
std::string_view KeywordAt(std::string_view list, std::string_view separator, int n);

// The opening and closing marks of an enclosing keyword: the parts in front of and behind its
// first "*" (either may be empty), or the keyword twice when it has no "*".
// Example: SplitEnclosingPair("「*」") gives "「" and "」".
std::pair<std::string_view, std::string_view> SplitEnclosingPair(std::string_view keyword);
