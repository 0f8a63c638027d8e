#include "settings/settings_keys.h"

#include <array>
#include <cstring>

namespace {

constexpr TSettingsKeyInfo kKeys[] = {
    {"main", false, "SoftVer", "number (written 0.731; below 0.31 the old reading)", false},
    {"main", false, "normalcolr", "colour RRGGBB", false},
    {"main", false, "linkcolor", "colour RRGGBB", false},
    {"main", false, "vlinkcolor", "colour RRGGBB", false},
    {"main", false, "alinkcolor", "colour RRGGBB", false},
    {"main", false, "backcolor", "colour RRGGBB", false},
    {"main", false, "fontsize", "text", false},
    {"main", false, "FontSizeUnit", "unit 0-7 (pt % px mm cm in em ex)", false},
    {"main", false, "fontstyle", "font family 0-5", false},
    {"main", false, "lineheight", "text", false},
    {"main", false, "LineHeightUnit", "unit 0-7", false},
    {"main", false, "autolink", "boolean 1/0", false},
    {"main", false, "LinkStyle",
     "0 links as before, 1 http:// and https:// without trailing punctuation, mail with a domain",
     false},
    {"main", false, "VerticalWriting",
     "boolean: a vertical page, two-digit numbers and two marks !? upright", false},
    {"main", false, "UprightThreeMarks",
     "boolean: on a vertical page three marks !? upright as well", false},
    {"main", false, "RubyNotation", "boolean: ruby and emphasis-dot notation", false},
    {"main", false, "AozoraNotation",
     "boolean: Aozora Bunko annotations (implies RubyNotation and HTML5)", false},
    {"main", false, "addtag", "0 <br> only, 1 all tags, 2 all tags without <br>", false},
    {"main", false, "title", "text", false},
    {"main", false, "tabspace", "4 or 8", false},
    {"main", false, "kanachange", "boolean", false},
    {"main", false, "SpcCss", "boolean", false},
    {"main", false, "pagepaddingtop", "text", false},
    {"main", false, "pagepaddingtopunit", "unit 0-7", false},
    {"main", false, "pagepaddingleft", "text", false},
    {"main", false, "pagepaddingleftunit", "unit 0-7", false},
    {"main", false, "pagepaddingbottom", "text", false},
    {"main", false, "pagepaddingbottomunit", "unit 0-7", false},
    {"main", false, "pagepaddingright", "text", false},
    {"main", false, "pagepaddingrightunit", "unit 0-7", false},
    {"main", false, "BackGroundImage", "boolean", false},
    {"main", false, "BackGroundImagePath", "path", false},
    {"main", false, "OutputCSSDef", "boolean", false},
    {"main", false, "InputEncoding", "0 auto, 1 Shift_JIS, 2 UTF-8, 3 EUC-JP, 4 ISO-2022-JP",
     false},
    {"main", false, "OutputEncoding", "0 same as the input, 1 Shift_JIS, 2 UTF-8, 3 EUC-JP", false},
    {"main", false, "DocType",
     "0 HTML 4.01 Transitional, 1 HTML5 (a page with RubyNotation=1 is always HTML5)", false},
    {"main", false, "fixstr", "boolean (old files only)", true},
    {"main", false, "br", "boolean (old files only)", true},
    {"HeadFot", false, "Header", "lines, each ended by the four characters \\r\\n", false},
    {"HeadFot", false, "Fotter", "lines, each ended by the four characters \\r\\n", false},
    {"Other", false, "BrowserView", "boolean", false},
    {"Preview", false, "FromCnvFile", "boolean", false},
    {"strong", true, "Tag", "text", false},
    {"strong", true, "class", "text", false},
    {"strong", true, "FontColorChk", "boolean", false},
    {"strong", true, "fontcolor", "colour RRGGBB", false},
    {"strong", true, "backcolorchk", "boolean", false},
    {"strong", true, "backcolor", "colour RRGGBB", false},
    {"strong", true, "BorderStyle",
     "0-8 (none solid double groove ridge inset outset dotted dashed)", false},
    {"strong", true, "BorderSize", "text", false},
    {"strong", true, "BorderSizeUnit", "unit 0-7", false},
    {"strong", true, "BorderColor", "colour RRGGBB", false},
    {"strong", true, "Back100p", "boolean", false},
    {"strong", true, "bold", "boolean", false},
    {"strong", true, "Italic", "boolean", false},
    {"strong", true, "UnderLine", "boolean", false},
    {"strong", true, "fontsize", "text", false},
    {"strong", true, "FontSizeUnit", "unit 0-7", false},
    {"strong", true, "fontstyle", "font family 0-5", false},
    {"strong", true, "keyword", "keywords (\" written as &quot;)", false},
    {"strong", true, "KeyDiv", "separator (\" written as &quot;)", false},
    {"strong", true, "keykbn", "0 starts, 1 contains, 2 only, 3 enclosed, 4 regex", false},
    {"strong", true, "trim", "boolean", false},
    {"strong", true, "keywhat", "0 keep, 1 delete, 2 replace by the image", false},
    {"strong", true, "imagepath", "path with /", false},
    {"HolLine", true, "Mark", "text", false},
    {"HolLine", true, "MarkCnt", "text (0 written empty)", false},
    {"HolLine", true, "Size", "text (0 written empty)", false},
    {"HolLine", true, "SizeUnit", "unit 0-7", false},
    {"HolLine", true, "LineColor", "colour RRGGBB", false},
    {"HolLine", true, "chkLineColor", "boolean", false},
    {"HolLine", true, "Hol100p", "boolean", false},
};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace

std::span<const TSettingsKeyInfo> SettingsFileKeys() {
    return kKeys;
}

const TSettingsKeyInfo* FindSettingsKey(std::string_view section, std::string_view key,
                                        std::string& canonicalSection, std::string& canonicalKey) {
    for (const TSettingsKeyInfo& info : kKeys) {
        const std::size_t baseLength = std::strlen(info.Section);
        std::string_view base = section;
        std::string number;
        if (info.Numbered) {
            if (section.size() != baseLength + 1 || section.back() < '1' || section.back() > '5')
                continue;
            base = section.substr(0, baseLength);
            number = section.substr(baseLength);
        }
        if (EqualNoCase(base, info.Section) && EqualNoCase(key, info.Key)) {
            canonicalSection = info.Section + number;
            canonicalKey = info.Key;
            return &info;
        }
    }
    return nullptr;
}
