// The settings of one conversion: a snapshot of the main window's controls, taken by
// GatherSettings for one operation and owned by it. All text is Shift_JIS.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/form.h"
#include "engine/base/platform.h"

class TBRegExp;
class cJre;
struct TPreparedEmphasis;

// The numbered choices below carry the numbers the settings files store and the item indexes of
// their controls. Unselected stands for a control that shows no item, which is what a settings
// file with a number outside the list leaves behind; GatherSettings turns every number outside
// the list into it, so that the rest of the program meets only the named values.

// How much HTML a conversion adds (the items of rdgrpAddTag).
enum class TAddTagMode : int {
    Unselected = -1,           // nothing but the escaped lines, and no document around them
    LineBreaksOnly = 0,        // a fragment: each escaped line followed by "<br>", no other stage
    AllTags = 1,               // a document with every stage, paragraphs and "<br>"
    AllTagsWithoutBreaks = 2,  // the same without "<br>"; a line holding a span becomes a div
};

// True for the modes that write a whole document (head, body, paragraphs) and run every stage.
constexpr bool IsDocumentMode(TAddTagMode mode) {
    switch (mode) {
        case TAddTagMode::AllTags:
        case TAddTagMode::AllTagsWithoutBreaks:
            return true;
        case TAddTagMode::Unselected:
        case TAddTagMode::LineBreaksOnly:
            return false;
    }
    return false;
}

// Where an emphasis rule looks for its keywords (the items of cmbKeyKbnN).
enum class TKeywordKind : int {
    Unselected = -1,        // the rule does nothing
    LineStartsWith = 0,     // a line that starts with a keyword is wrapped
    LineContains = 1,       // a line that contains a keyword is wrapped
    CharactersOnly = 2,     // every occurrence of a keyword is wrapped
    Enclosed = 3,           // text between the marks of a keyword ("「*」") is wrapped
    RegularExpression = 4,  // every keyword is a pattern; its matches are wrapped
};

// What becomes of the keyword an emphasis rule found (the items of cmbKeyWhatN).
enum class TKeywordAction : int {
    Unselected = -1,     // no wrapping (a line kind still stops at its first hit), except by
                         // the characters kind, which wraps its keywords whatever the action
    Keep = 0,            // the keyword stays
    Delete = 1,          // the keyword is deleted
    ReplaceByImage = 2,  // the keyword is replaced by the rule's image
};

// The encoding a text file is read in (the items of cmbInputEncoding). A file that holds no
// number here, or another one, reads as Auto.
enum class TInputEncoding : int {
    Auto = 0,       // a byte order mark decides, then UTF-8, then a detector; Shift_JIS in doubt
    ShiftJis = 1,   // CP932, read byte for byte into the engine
    Utf8 = 2,       // with or without a byte order mark
    EucJp = 3,      // with the CP932 extensions (NEC and IBM characters)
    Iso2022Jp = 4,  // seven-bit mail text
};

// The encoding a page is written in (the items of cmbOutputEncoding); any other number reads as
// SameAsInput.
enum class TOutputEncoding : int {
    SameAsInput = 0,  // Shift_JIS and EUC-JP text keep theirs; any other text gives UTF-8
    ShiftJis = 1,
    Utf8 = 2,
    EucJp = 3,
};

// How the automatic links find addresses (the items of cmbLinkStyle); any other number reads as
// Classic.
enum class TLinkStyle : int {
    Classic = 0,  // "http://" up to a delimiter, "mailto:", anything around an "@"
    Modern = 1,   // "http://" and "https://" over address characters, mail addresses with a domain
};

// The document type a page declares (the items of cmbDocType); any other number reads as
// Html401Transitional.
enum class TDocType : int {
    Html401Transitional = 0,  // the page as it has always been written
    Html5 = 1,                // "<!DOCTYPE html>", a charset meta, no comment around the style
};

// A number as a settings file or an item index holds it, as the named choice; any other number
// is Unselected (Auto and SameAsInput for the encodings). Example: KeywordKindOf(4) ==
// TKeywordKind::RegularExpression.
TAddTagMode AddTagModeOf(int number);
TKeywordKind KeywordKindOf(int number);
TKeywordAction KeywordActionOf(int number);
TInputEncoding InputEncodingOf(int number);
TOutputEncoding OutputEncodingOf(int number);
TLinkStyle LinkStyleOf(int number);
TDocType DocTypeOf(int number);

// Frame around an emphasis.
struct TSBorder {
    int Style =
        0;  // 0 none, 1 solid, 2 double, 3 groove, 4 ridge, 5 inset, 6 outset, 7 dotted, 8 dashed
    std::string Width;
    int WidthUnit = 0;
    std::string Color;  // colour text
};

// One emphasis rule.
struct TStrong {
    int Number = 0;  // 1 to 5, the page it comes from; names the rule in messages
    std::string Tag;
    std::string Class;
    std::string FontSize;
    int FontSizeUnit = 0;
    int FontFamily = 0;
    bool FontColorOn = false;
    std::string FontColor;
    std::string BackColor;
    bool BackColorOn = false;
    bool FullWidth = false;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    std::string Keywords;  // not trimmed
    std::string Separator;
    TKeywordKind KeywordKind = TKeywordKind::LineStartsWith;
    bool IgnoreLeadingBlanks = false;
    TKeywordAction KeywordAction = TKeywordAction::Keep;
    std::string ImagePath;  // "\" already turned into "/"
    TSBorder Border;
    std::vector<std::shared_ptr<cJre>> CompiledPatterns;  // never filled
    std::vector<std::shared_ptr<TBRegExp>>
        CompiledEngines;  // one per keyword while a conversion runs
    // The rule's tags and keywords as every line uses them, while a conversion runs.
    std::shared_ptr<const TPreparedEmphasis> Prepared;
};

// One horizontal-rule rule.
struct THolLine {
    std::string Mark;
    std::string Count;
    std::string Height;
    int HeightUnit = 0;
    bool FullWidth = false;  // stored and saved; nothing reads it
    std::string Color;
    bool ColorOn = false;
    std::string Pattern;  // the mark written count + 1 times; empty without a mark
};

struct TStrInfo {
    std::string NormalColor;
    std::string LinkColor;
    std::string VisitedColor;
    std::string ActiveColor;
    std::string BackgroundColor;
    std::string FontSize;
    int FontSizeUnit = 0;
    std::string LineHeight;
    int LineHeightUnit = 0;
    int TabWidth = 4;
    int FontFamily = 0;
    bool AutoLink = false;
    TLinkStyle LinkStyle = TLinkStyle::Classic;
    bool VerticalWriting = false;    // a vertical page, two-digit numbers and "!?" upright
    bool UprightThreeMarks = false;  // on a vertical page "!!!" and "!?!" upright too
    bool RubyNotation = false;       // ruby and emphasis dots as fiction sites write them
    bool AozoraNotation = false;     // Aozora Bunko's annotations; implies the ruby notation
    TAddTagMode AddTagMode = TAddTagMode::AllTags;
    bool KanaWidening = false;
    bool LeadingSpacesAsStyle = false;
    std::string Title;
    std::array<TStrong, 5> Strong;
    std::string MarginTop;
    int MarginTopUnit = 0;
    std::string MarginLeft;
    int MarginLeftUnit = 0;
    std::string MarginBottom;
    int MarginBottomUnit = 0;
    std::string MarginRight;
    int MarginRightUnit = 0;
    bool BackgroundImageOn = false;
    std::string BackgroundImagePath;  // with the platform's "\" separators as the label shows it
    bool SeparateStyleSheet = false;
    bool OpenInBrowser = false;
    std::vector<std::string> HeaderLines;
    std::vector<std::string> FooterLines;
    std::array<THolLine, 5> HolLine;
    bool PreviewFromInput = false;
    TInputEncoding InputEncoding = TInputEncoding::Auto;
    TOutputEncoding OutputEncoding = TOutputEncoding::SameAsInput;
    TDocType DocType = TDocType::Html401Transitional;  // as chosen; see PageDocType
};

// True when ruby and emphasis dots are read: the ruby notation's own setting, or Aozora Bunko's
// annotations, whose texts write ruby the same way.
constexpr bool RubyNotationOn(const TStrInfo& settings) {
    return settings.RubyNotation || settings.AozoraNotation;
}

// The document type a page is written as: HTML5 whenever the ruby notation is on, because
// HTML 4.01 has no ruby elements; otherwise the one chosen.
TDocType PageDocType(const TStrInfo& settings);

// Six upper-case hexadecimal digits, red, green, blue. Example: ColorToHexText(0x0000FF) ==
// "FF0000".
std::string ColorToHexText(TColor color);

// Reads the main window's controls into settings, applying the defaults for empty tags, classes,
// separators, counts and heights. Fails only when a rule-line count is not an integer (possible
// only through a settings file): the conversion error is shown and false returned.
bool GatherSettings(const TForm& form, TPlatform& platform, TStrInfo& settings);

// The "\" to "/" replacement of image paths, double-byte aware.
std::string ToForwardSlashes(std::string_view path);
