// Writing a settings snapshot: the key table in the order the file has always had.
#include <string>

#include "engine/text/text_helpers.h"
#include "settings/settings_file.h"
#include "settings/settings_messages.h"

namespace {

// Header and footer: every line followed by the four characters backslash, r, backslash, n. A
// lead byte at the very end of a line is no character (only a damaged file gives one); it would
// take the backslash for its second byte when the file is read, and the line break would be
// lost, so it is left out.
std::string MemoValue(const std::vector<std::string>& lines) {
    std::string value;
    for (const std::string& line : lines) {
        const std::size_t size = line.size();
        const bool loneLead = size > 0 && IsLeadByte(static_cast<unsigned char>(line.back())) &&
                              !IsTrailByte(line, static_cast<int>(size));
        value.append(line, 0, loneLead ? size - 1 : size).append("\\r\\n");
    }
    return value;
}

std::string KeywordValue(std::string_view text) {
    return ReplaceAll(text, "\"", "&quot;");
}

// A rule-line count or height of exactly "0" is stored as the empty value.
std::string_view ZeroAsEmpty(std::string_view text) {
    return text == "0" ? std::string_view() : text;
}

void WriteMain(TProfileFile& p, const TStrInfo& s) {
    const char* m = "main";
    p.WriteString(m, "SoftVer", "0.731");
    p.WriteString(m, "normalcolr", s.NormalColor);
    p.WriteString(m, "linkcolor", s.LinkColor);
    p.WriteString(m, "vlinkcolor", s.VisitedColor);
    p.WriteString(m, "alinkcolor", s.ActiveColor);
    p.WriteString(m, "backcolor", s.BackgroundColor);
    p.WriteString(m, "fontsize", s.FontSize);
    p.WriteInteger(m, "FontSizeUnit", s.FontSizeUnit);
    p.WriteInteger(m, "fontstyle", s.FontFamily);
    p.WriteString(m, "lineheight", s.LineHeight);
    p.WriteInteger(m, "LineHeightUnit", s.LineHeightUnit);
    p.WriteBool(m, "autolink", s.AutoLink);
    p.WriteInteger(m, "LinkStyle", static_cast<int>(s.LinkStyle));
    p.WriteBool(m, "VerticalWriting", s.VerticalWriting);
    p.WriteBool(m, "UprightThreeMarks", s.UprightThreeMarks);
    p.WriteBool(m, "RubyNotation", s.RubyNotation);
    p.WriteBool(m, "AozoraNotation", s.AozoraNotation);
    p.WriteInteger(m, "addtag", static_cast<int>(s.AddTagMode));
    p.WriteString(m, "title", s.Title);
    p.WriteInteger(m, "tabspace", s.TabWidth == 4 ? 4 : 8);
    p.WriteBool(m, "kanachange", s.KanaWidening);
    p.WriteBool(m, "SpcCss", s.LeadingSpacesAsStyle);
    p.WriteString(m, "pagepaddingtop", s.MarginTop);
    p.WriteInteger(m, "pagepaddingtopunit", s.MarginTopUnit);
    p.WriteString(m, "pagepaddingleft", s.MarginLeft);
    p.WriteInteger(m, "pagepaddingleftunit", s.MarginLeftUnit);
    p.WriteString(m, "pagepaddingbottom", s.MarginBottom);
    p.WriteInteger(m, "pagepaddingbottomunit", s.MarginBottomUnit);
    p.WriteString(m, "pagepaddingright", s.MarginRight);
    p.WriteInteger(m, "pagepaddingrightunit", s.MarginRightUnit);
    p.WriteBool(m, "BackGroundImage", s.BackgroundImageOn);
    p.WriteString(m, "BackGroundImagePath", s.BackgroundImagePath);
    p.WriteBool(m, "OutputCSSDef", s.SeparateStyleSheet);
    p.WriteInteger(m, "InputEncoding", static_cast<int>(s.InputEncoding));
    p.WriteInteger(m, "OutputEncoding", static_cast<int>(s.OutputEncoding));
    p.WriteInteger(m, "DocType", static_cast<int>(s.DocType));
}

void WriteStrong(TProfileFile& p, const TStrong& r, int n) {
    const std::string sec = "strong" + std::to_string(n);
    p.WriteString(sec, "Tag", r.Tag);
    p.WriteString(sec, "class", r.Class);
    p.WriteBool(sec, "FontColorChk", r.FontColorOn);
    p.WriteString(sec, "fontcolor", r.FontColor);
    p.WriteBool(sec, "backcolorchk", r.BackColorOn);
    p.WriteString(sec, "backcolor", r.BackColor);
    p.WriteInteger(sec, "BorderStyle", r.Border.Style);
    p.WriteString(sec, "BorderSize", r.Border.Width);
    p.WriteInteger(sec, "BorderSizeUnit", r.Border.WidthUnit);
    p.WriteString(sec, "BorderColor", r.Border.Color);
    p.WriteBool(sec, "Back100p", r.FullWidth);
    p.WriteBool(sec, "bold", r.Bold);
    p.WriteBool(sec, "Italic", r.Italic);
    p.WriteBool(sec, "UnderLine", r.Underline);
    p.WriteString(sec, "fontsize", r.FontSize);
    p.WriteInteger(sec, "FontSizeUnit", r.FontSizeUnit);
    p.WriteInteger(sec, "fontstyle", r.FontFamily);
    p.WriteString(sec, "keyword", KeywordValue(r.Keywords));
    p.WriteString(sec, "KeyDiv", KeywordValue(r.Separator));
    p.WriteInteger(sec, "keykbn", static_cast<int>(r.KeywordKind));
    p.WriteBool(sec, "trim", r.IgnoreLeadingBlanks);
    p.WriteInteger(sec, "keywhat", static_cast<int>(r.KeywordAction));
    p.WriteString(sec, "imagepath", r.ImagePath);
}

void WriteHolLine(TProfileFile& p, const THolLine& h, int n) {
    const std::string sec = "HolLine" + std::to_string(n);
    p.WriteString(sec, "Mark", h.Mark);
    p.WriteString(sec, "MarkCnt", ZeroAsEmpty(h.Count));
    p.WriteString(sec, "Size", ZeroAsEmpty(h.Height));
    p.WriteInteger(sec, "SizeUnit", h.HeightUnit);
    p.WriteString(sec, "LineColor", h.Color);
    p.WriteBool(sec, "chkLineColor", h.ColorOn);
    p.WriteBool(sec, "Hol100p", h.FullWidth);
}

}  // namespace

void WriteSettingsProfile(TProfileFile& p, const TStrInfo& s) {
    WriteMain(p, s);
    p.WriteString("HeadFot", "Header", MemoValue(s.HeaderLines));
    p.WriteString("HeadFot", "Fotter", MemoValue(s.FooterLines));
    p.WriteBool("Other", "BrowserView", s.OpenInBrowser);
    p.WriteBool("Preview", "FromCnvFile", s.PreviewFromInput);
    for (int n = 1; n <= 5; ++n)
        WriteStrong(p, s.Strong[n - 1], n);
    for (int n = 1; n <= 5; ++n)
        WriteHolLine(p, s.HolLine[n - 1], n);
}

bool WriteControlsProfile(TProfileFile& profile, const TForm& mainWindow, TPlatform& platform) {
    TStrInfo settings;
    if (!GatherSettings(mainWindow, platform, settings))
        return false;
    for (int n = 1; n <= 5; ++n) {
        TStrong& rule = settings.Strong[n - 1];
        const std::string d = std::to_string(n);
        if (Trim(mainWindow.Text("edtTag" + d)).empty())
            rule.Tag.clear();
        if (Trim(mainWindow.Text("edtClass" + d)).empty())
            rule.Class.clear();
        if (mainWindow.Text("edtKeyDiv" + d).empty())
            rule.Separator.clear();
    }
    WriteSettingsProfile(profile, settings);
    return true;
}

bool SaveSettingsFile(TSettingsEnv& env, const std::string& path, const TStrInfo& settings,
                      const TWriteChunk& write) {
    TProfileFile profile;
    if (profile.Load(path) == TProfileOpenResult::Unreadable) {
        ShowCannotOpenForSave(env.Platform, path);
        return false;
    }
    WriteSettingsProfile(profile, settings);
    if (!profile.Save(path, write)) {
        ShowCannotWrite(env.Platform, path);
        return false;
    }
    env.MainWindow.SetText("frmMain", SettingsCaption(path));
    return true;
}
