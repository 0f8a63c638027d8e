#include "engine/base/settings_model.h"

#include <cstdio>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"

std::string ColorToHexText(TColor color) {
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return text;
}

std::string ToForwardSlashes(std::string_view path) {
    return ReplaceAll(path, "\\", "/");
}

TAddTagMode AddTagModeOf(int number) {
    return number >= 0 && number <= 2 ? static_cast<TAddTagMode>(number) : TAddTagMode::Unselected;
}

TKeywordKind KeywordKindOf(int number) {
    return number >= 0 && number <= 4 ? static_cast<TKeywordKind>(number)
                                      : TKeywordKind::Unselected;
}

TKeywordAction KeywordActionOf(int number) {
    return number >= 0 && number <= 2 ? static_cast<TKeywordAction>(number)
                                      : TKeywordAction::Unselected;
}

TInputEncoding InputEncodingOf(int number) {
    return number >= 0 && number <= 4 ? static_cast<TInputEncoding>(number) : TInputEncoding::Auto;
}

TOutputEncoding OutputEncodingOf(int number) {
    return number >= 0 && number <= 3 ? static_cast<TOutputEncoding>(number)
                                      : TOutputEncoding::SameAsInput;
}

TLinkStyle LinkStyleOf(int number) {
    return number == 1 ? TLinkStyle::Modern : TLinkStyle::Classic;
}

TDocType DocTypeOf(int number) {
    return number == 1 ? TDocType::Html5 : TDocType::Html401Transitional;
}

TDocType PageDocType(const TStrInfo& settings) {
    return RubyNotationOn(settings) ? TDocType::Html5 : settings.DocType;
}

namespace {

std::string Num(const char* base, int n) {
    return base + std::to_string(n);
}

// A rule control that the window lacks leaves its field at zero, not at "no selection".
int IndexOrZero(const TForm& f, const std::string& name) {
    return f.HasControl(name) ? f.ItemIndex(name) : 0;
}

void GatherStrong(const TForm& f, int n, TStrong& s) {
    s.Number = n;
    s.Tag = Trim(f.Text(Num("edtTag", n)));
    s.Class = Trim(f.Text(Num("edtClass", n)));
    if (s.Class.empty())
        s.Class = Num("strong", n);
    s.FontColorOn = f.Checked(Num("chkFontColor", n));
    s.FontColor = ColorToHexText(f.FontColor(Num("lblStrong", n)));
    s.BackColorOn = f.Checked(Num("chkBackColor", n));
    s.BackColor = ColorToHexText(f.Color(Num("lblStrong", n)));
    s.Border.Style = IndexOrZero(f, Num("cmbBorderStyle", n));
    s.Border.Width = f.Text(Num("edtBorderSize", n));
    s.Border.WidthUnit = IndexOrZero(f, Num("cmbBorderSizeUnit", n));
    s.Border.Color = ColorToHexText(f.Color(Num("lblBorderColor", n)));
    s.FullWidth = f.Checked(Num("chkBack100p", n));
    s.Bold = f.Checked(Num("chkBold", n));
    s.Italic = f.Checked(Num("chkItalic", n));
    s.Underline = f.Checked(Num("chkUnderLine", n));
    s.FontSize = f.Text(Num("edtFontSize", n));
    s.FontSizeUnit = IndexOrZero(f, Num("cmbFontSizeUnit", n));
    s.FontFamily = IndexOrZero(f, Num("cmbFontStyle", n));
    s.Keywords = f.Text(Num("edtKeyword", n));
    s.Separator = f.Text(Num("edtKeyDiv", n));
    if (s.Separator.empty())
        s.Separator = ",";
    s.KeywordKind = KeywordKindOf(IndexOrZero(f, Num("cmbKeyKbn", n)));
    s.IgnoreLeadingBlanks = f.Checked(Num("chkSpaceDisenable", n));
    s.KeywordAction = KeywordActionOf(IndexOrZero(f, Num("cmbKeyWhat", n)));
    s.ImagePath = ToForwardSlashes(f.Text(Num("lblReplaceImagePath", n)));
    if (s.Tag.empty())
        s.Tag = s.BackColorOn && s.FullWidth ? "div" : "span";
}

bool GatherHolLine(const TForm& f, TPlatform& platform, int n, THolLine& h) {
    h.Mark = Trim(f.Text(Num("edtHolMark", n)));
    h.Count = Trim(f.Text(Num("edtHolMarkCnt", n)));
    if (h.Count.empty())
        h.Count = "0";
    h.Height = Trim(f.Text(Num("edtHolSize", n)));
    if (h.Height.empty())
        h.Height = "0";
    h.HeightUnit = IndexOrZero(f, Num("cmbHolSizeUnit", n));
    h.Color = ColorToHexText(f.Color(Num("lblHolColor", n)));
    h.ColorOn = f.Checked(Num("chkHolColor", n));
    h.FullWidth = f.Checked(Num("chkHol100p", n));
    if (!h.Mark.empty()) {
        std::int32_t count = 0;
        if (!ParseInteger(h.Count, count)) {
            ShowOk(platform, TMessageKind::Error,
                   "'" + h.Count + Sjis("' は有効な整数値ではありません"));
            return false;
        }
        h.Pattern = RepeatText(h.Mark, count);
    }
    return true;
}

std::vector<std::string> MemoLines(const TForm& f, std::string_view name) {
    std::vector<std::string> lines;
    SplitLines(f.Text(name), [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

}  // namespace

bool GatherSettings(const TForm& f, TPlatform& platform, TStrInfo& s) {
    s = TStrInfo{};
    s.NormalColor = ColorToHexText(f.FontColor("lblNormalStr"));
    s.LinkColor = ColorToHexText(f.FontColor("lblLinkstr"));
    s.VisitedColor = ColorToHexText(f.FontColor("lblVlink"));
    s.ActiveColor = ColorToHexText(f.FontColor("lblAlink"));
    s.BackgroundColor = ColorToHexText(f.Color("lblBg0"));

    s.FontSize = f.Text("edtNormalStrSize");
    s.FontSizeUnit = f.ItemIndex("cmbNormalStrSizeUnit");
    s.LineHeight = f.Text("edtLineHeight");
    s.LineHeightUnit = f.ItemIndex("cmbLineHeightUnit");
    s.TabWidth = f.ItemIndex("rdgTabSpace") == 0 ? 4 : 8;
    s.FontFamily = f.ItemIndex("cmbNormalFontStyle");
    s.AutoLink = f.Checked("chkbxLink");
    s.LinkStyle = LinkStyleOf(f.ItemIndex("cmbLinkStyle"));
    s.VerticalWriting = f.Checked("chkVerticalWriting");
    s.UprightThreeMarks = f.Checked("chkUprightThreeMarks");
    s.RubyNotation = f.Checked("chkRubyNotation");
    s.AozoraNotation = f.Checked("chkAozoraNotation");
    s.AddTagMode = AddTagModeOf(f.ItemIndex("rdgrpAddTag"));
    s.KanaWidening = f.Checked("chkKanaChange");
    s.LeadingSpacesAsStyle = f.Checked("chkSpcCss");
    s.Title = f.Text("edtPageTitle");

    s.MarginTop = f.Text("edtPagePaddingTop");
    s.MarginTopUnit = f.ItemIndex("cmbPagePaddingTopUnit");
    s.MarginLeft = f.Text("edtPagePaddingLeft");
    s.MarginLeftUnit = f.ItemIndex("cmbPagePaddingLeftUnit");
    s.MarginBottom = f.Text("edtPagePaddingBottom");
    s.MarginBottomUnit = f.ItemIndex("cmbPagePaddingBottomUnit");
    s.MarginRight = f.Text("edtPagePaddingRight");
    s.MarginRightUnit = f.ItemIndex("cmbPagePaddingRightUnit");
    s.BackgroundImageOn = f.Checked("chkBgImage");
    s.BackgroundImagePath = f.Text("lblBgImagePath");
    s.SeparateStyleSheet = f.Checked("chkOutputCSSDef");

    s.HeaderLines = MemoLines(f, "memHeader");
    s.FooterLines = MemoLines(f, "memFotter");

    s.OpenInBrowser = f.Checked("chkbxPreview");
    s.PreviewFromInput = f.Checked("chkPreviewFromCnvFile");
    s.InputEncoding = InputEncodingOf(f.ItemIndex("cmbInputEncoding"));
    s.OutputEncoding = OutputEncodingOf(f.ItemIndex("cmbOutputEncoding"));
    s.DocType = DocTypeOf(f.ItemIndex("cmbDocType"));

    for (int n = 1; n <= 5; ++n)
        GatherStrong(f, n, s.Strong[n - 1]);
    for (int n = 1; n <= 5; ++n) {
        if (!GatherHolLine(f, platform, n, s.HolLine[n - 1]))
            return false;
    }
    return true;
}
