#include "tests/settings/settings_compare.h"

#include <sstream>
#include <string>
#include <type_traits>

namespace {

class TDiff {
  public:
    template <typename T>
    void Field(const std::string& name, const T& a, const T& b) {
        if (!(a == b))
            out_ << "  " << name << ": [" << Show(a) << "] vs [" << Show(b) << "]\n";
    }
    std::string Text() const { return out_.str(); }

  private:
    template <typename T>
    static std::string Show(const T& v) {
        std::ostringstream s;
        if constexpr (std::is_enum_v<T>) {
            s << static_cast<int>(v);
        } else {
            s << v;
        }
        return s.str();
    }
    static std::string Show(const std::vector<std::string>& v) {
        std::string joined;
        for (const std::string& line : v)
            joined += line + "|";
        return joined;
    }
    std::ostringstream out_;
};

void CompareStrong(TDiff& d, const std::string& p, const TStrong& a, const TStrong& b) {
    d.Field(p + "Tag", a.Tag, b.Tag);
    d.Field(p + "Class", a.Class, b.Class);
    d.Field(p + "FontSize", a.FontSize, b.FontSize);
    d.Field(p + "FontSizeUnit", a.FontSizeUnit, b.FontSizeUnit);
    d.Field(p + "FontFamily", a.FontFamily, b.FontFamily);
    d.Field(p + "FontColorOn", a.FontColorOn, b.FontColorOn);
    d.Field(p + "FontColor", a.FontColor, b.FontColor);
    d.Field(p + "BackColor", a.BackColor, b.BackColor);
    d.Field(p + "BackColorOn", a.BackColorOn, b.BackColorOn);
    d.Field(p + "FullWidth", a.FullWidth, b.FullWidth);
    d.Field(p + "Bold", a.Bold, b.Bold);
    d.Field(p + "Italic", a.Italic, b.Italic);
    d.Field(p + "Underline", a.Underline, b.Underline);
    d.Field(p + "Keywords", a.Keywords, b.Keywords);
    d.Field(p + "Separator", a.Separator, b.Separator);
    d.Field(p + "KeywordKind", a.KeywordKind, b.KeywordKind);
    d.Field(p + "IgnoreLeadingBlanks", a.IgnoreLeadingBlanks, b.IgnoreLeadingBlanks);
    d.Field(p + "KeywordAction", a.KeywordAction, b.KeywordAction);
    d.Field(p + "ImagePath", a.ImagePath, b.ImagePath);
    d.Field(p + "Border.Style", a.Border.Style, b.Border.Style);
    d.Field(p + "Border.Width", a.Border.Width, b.Border.Width);
    d.Field(p + "Border.WidthUnit", a.Border.WidthUnit, b.Border.WidthUnit);
    d.Field(p + "Border.Color", a.Border.Color, b.Border.Color);
}

void CompareHolLine(TDiff& d, const std::string& p, const THolLine& a, const THolLine& b) {
    d.Field(p + "Mark", a.Mark, b.Mark);
    d.Field(p + "Count", a.Count, b.Count);
    d.Field(p + "Height", a.Height, b.Height);
    d.Field(p + "HeightUnit", a.HeightUnit, b.HeightUnit);
    d.Field(p + "FullWidth", a.FullWidth, b.FullWidth);
    d.Field(p + "Color", a.Color, b.Color);
    d.Field(p + "ColorOn", a.ColorOn, b.ColorOn);
    d.Field(p + "Pattern", a.Pattern, b.Pattern);
}

}  // namespace

::testing::AssertionResult SameSettings(const TStrInfo& a, const TStrInfo& b) {
    TDiff d;
    d.Field("NormalColor", a.NormalColor, b.NormalColor);
    d.Field("LinkColor", a.LinkColor, b.LinkColor);
    d.Field("VisitedColor", a.VisitedColor, b.VisitedColor);
    d.Field("ActiveColor", a.ActiveColor, b.ActiveColor);
    d.Field("BackgroundColor", a.BackgroundColor, b.BackgroundColor);
    d.Field("FontSize", a.FontSize, b.FontSize);
    d.Field("FontSizeUnit", a.FontSizeUnit, b.FontSizeUnit);
    d.Field("LineHeight", a.LineHeight, b.LineHeight);
    d.Field("LineHeightUnit", a.LineHeightUnit, b.LineHeightUnit);
    d.Field("TabWidth", a.TabWidth, b.TabWidth);
    d.Field("FontFamily", a.FontFamily, b.FontFamily);
    d.Field("AutoLink", a.AutoLink, b.AutoLink);
    d.Field("LinkStyle", a.LinkStyle, b.LinkStyle);
    d.Field("VerticalWriting", a.VerticalWriting, b.VerticalWriting);
    d.Field("UprightThreeMarks", a.UprightThreeMarks, b.UprightThreeMarks);
    d.Field("RubyNotation", a.RubyNotation, b.RubyNotation);
    d.Field("AozoraNotation", a.AozoraNotation, b.AozoraNotation);
    d.Field("AddTagMode", a.AddTagMode, b.AddTagMode);
    d.Field("KanaWidening", a.KanaWidening, b.KanaWidening);
    d.Field("LeadingSpacesAsStyle", a.LeadingSpacesAsStyle, b.LeadingSpacesAsStyle);
    d.Field("Title", a.Title, b.Title);
    for (int n = 0; n < 5; ++n)
        CompareStrong(d, "Strong[" + std::to_string(n) + "].", a.Strong[n], b.Strong[n]);
    d.Field("MarginTop", a.MarginTop, b.MarginTop);
    d.Field("MarginTopUnit", a.MarginTopUnit, b.MarginTopUnit);
    d.Field("MarginLeft", a.MarginLeft, b.MarginLeft);
    d.Field("MarginLeftUnit", a.MarginLeftUnit, b.MarginLeftUnit);
    d.Field("MarginBottom", a.MarginBottom, b.MarginBottom);
    d.Field("MarginBottomUnit", a.MarginBottomUnit, b.MarginBottomUnit);
    d.Field("MarginRight", a.MarginRight, b.MarginRight);
    d.Field("MarginRightUnit", a.MarginRightUnit, b.MarginRightUnit);
    d.Field("BackgroundImageOn", a.BackgroundImageOn, b.BackgroundImageOn);
    d.Field("BackgroundImagePath", a.BackgroundImagePath, b.BackgroundImagePath);
    d.Field("SeparateStyleSheet", a.SeparateStyleSheet, b.SeparateStyleSheet);
    d.Field("OpenInBrowser", a.OpenInBrowser, b.OpenInBrowser);
    d.Field("HeaderLines", a.HeaderLines, b.HeaderLines);
    d.Field("FooterLines", a.FooterLines, b.FooterLines);
    for (int n = 0; n < 5; ++n)
        CompareHolLine(d, "HolLine[" + std::to_string(n) + "].", a.HolLine[n], b.HolLine[n]);
    d.Field("PreviewFromInput", a.PreviewFromInput, b.PreviewFromInput);
    d.Field("InputEncoding", a.InputEncoding, b.InputEncoding);
    d.Field("OutputEncoding", a.OutputEncoding, b.OutputEncoding);
    d.Field("DocType", a.DocType, b.DocType);
    const std::string diff = d.Text();
    if (diff.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "settings differ:\n" << diff;
}
