// The settings of one conversion: a snapshot of the main window's controls, taken by
// GatherSettings for one operation and owned by it. All text is Shift_JIS.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/form.h"
#include "engine/platform.h"

class TBRegExp;
class cJre;
struct TPreparedEmphasis;

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
    int KeywordKind =
        0;  // 0 line starts with, 1 line contains, 2 characters only, 3 enclosed, 4 regex
    bool IgnoreLeadingBlanks = false;
    int KeywordAction = 0;  // 0 keep, 1 delete, 2 replace by the image
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
    int AddTagMode = 1;  // 0 "<br>" only, 1 all tags, 2 all tags without "<br>"
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
};

// Six upper-case hexadecimal digits, red, green, blue. Example: ColorToHexText(0x0000FF) ==
// "FF0000".
std::string ColorToHexText(TColor color);

// Reads the main window's controls into settings, applying the defaults for empty tags, classes,
// separators, counts and heights. Fails only when a rule-line count is not an integer (possible
// only through a settings file): the conversion error is shown and false returned.
bool GatherSettings(const TForm& form, TPlatform& platform, TStrInfo& settings);

// The "\" to "/" replacement of image paths, double-byte aware.
std::string ToForwardSlashes(std::string_view path);
