#include "engine/page/stylesheet.h"

#include <cerrno>
#include <cstdio>
#include <initializer_list>
#include <mutex>
#include <utility>

#include "engine/base/file_paths.h"
#include "engine/base/folders.h"
#include "engine/base/identity.h"
#include "engine/encodings/sjis_bridge.h"
#include "engine/line/prepared_emphasis.h"
#include "engine/text/encoding.h"
#include "engine/text/escaper.h"
#include "engine/text/file_failure.h"
#include "engine/text/page_escape.h"
#include "engine/text/url_text.h"

namespace {

constexpr const char* kUnits[] = {"pt", "%", "px", "mm", "cm", "in", "em", "ex"};
constexpr const char* kFontFamilies[] = {"",        "serif",   "sans-serif",
                                         "cursive", "fantasy", "monospace"};
constexpr const char* kBorderStyles[] = {"",       " solid",  " double", " groove", " ridge",
                                         " inset", " outset", " dotted", " dashed"};

void AppendFontFamily(std::string& out, int family) {
    if (family >= 1 && family <= 5) {
        out += "\t\t\tfont-family:";
        out += kFontFamilies[family];
        out += ";\r\n";
    }
}

// A size typed as text, escaped so that it stays inside its declaration, with its unit.
std::string CssSize(std::string_view value, int unit) {
    return WithUnit(EscapeCssValue(value), unit);
}

void AppendProperty(std::string& out, std::string_view name, std::string_view value) {
    out += "\t\t\t";
    out += name;
    out += ':';
    out += value;
    out += ";\r\n";
}

std::string BodyBlock(const TStrInfo& s) {
    std::string out = "body\t\t{\r\n";
    AppendProperty(out, "color", "#" + s.NormalColor);
    AppendProperty(out, "background-color", "#" + s.BackgroundColor);
    if (!s.FontSize.empty())
        AppendProperty(out, "font-size", CssSize(s.FontSize, s.FontSizeUnit));
    if (!s.LineHeight.empty()) {
        AppendProperty(out, "line-height", CssSize(s.LineHeight, s.LineHeightUnit));
    }
    AppendFontFamily(out, s.FontFamily);
    if (s.VerticalWriting) {
        AppendProperty(out, "writing-mode", "vertical-rl");
        AppendProperty(out, "-webkit-writing-mode", "vertical-rl");
    }
    const struct {
        const char* name;
        const std::string& value;
        int unit;
    } margins[] = {{"margin-top", s.MarginTop, s.MarginTopUnit},
                   {"margin-left", s.MarginLeft, s.MarginLeftUnit},
                   {"margin-bottom", s.MarginBottom, s.MarginBottomUnit},
                   {"margin-right", s.MarginRight, s.MarginRightUnit}};
    for (const auto& m : margins) {
        if (!m.value.empty())
            AppendProperty(out, m.name, CssSize(m.value, m.unit));
    }
    // Without a path there is no image to show, and url("") would name the page itself.
    if (s.BackgroundImageOn && !s.BackgroundImagePath.empty()) {
        out += "\t\t\tbackground-image:url(\"" +
               EscapeCssString(ImagePathUrl(s.BackgroundImagePath)) + "\");  /*" +
               Sjis("←背景画像のパスはここ") + "*/\r\n";
    }
    out += "\t\t}\r\n";
    return out;
}

std::string LinkBlocks(const TStrInfo& s) {
    return "a:link\t\t{\tcolor:#" + s.LinkColor + ";}\r\n" + "a:visited\t{\tcolor:#" +
           s.VisitedColor + ";}\r\n" + "a:active\t{\tcolor:#" + s.ActiveColor + ";}\r\n";
}

// A file name as a relative URL in an attribute value: the characters that would end the value
// or the tag are entities, and "%", "#" and "?", which would change the URL, are percent-escaped.
std::string RelativeUrl(std::string_view fileName) {
    std::string url;
    for (std::size_t i = 0; i < fileName.size(); ++i) {
        const char c = fileName[i];
        if (IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < fileName.size()) {
            url.append(fileName, i, 2);
            ++i;
        } else if (c == '%') {
            url += "%25";
        } else if (c == '#') {
            url += "%23";
        } else if (c == '?') {
            url += "%3F";
        } else {
            url += c;
        }
    }
    return EscapeHtmlAttribute(url);
}

// Writes text as the whole content of a native path; throws TFileError when that fails. The
// conversions of a batch run at once and the pages of one folder share its stylesheet, so one
// write at a time: two truncating the same file together could leave it cut short.
void WriteWholeFile(const std::string& path, std::string_view text) {
    static std::mutex oneWriteAtATime;
    const std::lock_guard<std::mutex> hold(oneWriteAtATime);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file != nullptr;
    int error = ok ? 0 : errno;
    if (ok) {
        ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        error = ok ? 0 : errno;
        if (std::fclose(file) != 0) {
            error = ok ? errno : error;
            ok = false;
        }
    }
    if (ok)
        return;
    const std::string reason = FileFailureReason(error, TFileUse::Write, path);
    throw TFileError(PathForMessage(path) + Sjis(" に書き込めません") +
                     (reason.empty() ? std::string() : Sjis("\r\n理由: ") + reason));
}

// The document type line, the html start tag and the head's first line: the encoding's
// declaration, and in an HTML 4.01 page the Content-Script-Type meta that it has always had.
std::string HeadStart(TDocType type, TPageEncoding page) {
    const std::string charset = EncodingDisplayName(page);
    if (type == TDocType::Html5)
        return "<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head>\r\n<meta charset=\"" + charset +
               "\">\r\n";
    std::string head =
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
        "\"http://www.w3.org/TR/html4/loose.dtd\">\r\n"
        "<html>\r\n<head>\r\n";
    if (page != TPageEncoding::ShiftJis)
        head +=
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + charset + "\">\r\n";
    head += "<meta http-equiv=\"Content-Script-Type\" content=\"text/html; charset=" + charset +
            "\">\r\n";
    return head;
}

// The title element's text. HTML5 requires a title with text, so an HTML5 page whose title is
// left empty is called 無題.
// The elements of Aozora Bunko's annotations (ApplyAozoraAnnotations).
std::string AozoraStyleBlocks() {
    std::string out;
    const auto block =
        [&out](std::string_view selector,
               std::initializer_list<std::pair<std::string_view, std::string_view>> properties) {
            out += selector;
            out += "\t{\r\n";
            for (const auto& [name, value] : properties)
                AppendProperty(out, name, value);
            out += "\t\t}\r\n";
        };
    // Emphasis marks beside the characters, which stay upright.
    const std::pair<std::string_view, std::string_view> marks[] = {
        {"em.aozora-sesame", "filled sesame"},
        {"em.aozora-white-sesame", "open sesame"},
        {"em.aozora-black-circle", "filled circle"},
        {"em.aozora-white-circle", "open circle"},
        {"em.aozora-black-triangle", "filled triangle"},
        {"em.aozora-white-triangle", "open triangle"},
        {"em.aozora-double-circle", "filled double-circle"},
        {"em.aozora-fish-eye", "open double-circle"},
        {"em.aozora-cross", "\"\x81\x7E\""},  // ×
    };
    for (const auto& [selector, mark] : marks) {
        block(selector,
              {{"font-style", "normal"}, {"text-emphasis", mark}, {"-webkit-text-emphasis", mark}});
    }
    // Lines beside the characters: under them on a horizontal page, right of them on a
    // vertical one.
    const std::pair<std::string_view, std::string_view> lines[] = {
        {"em.aozora-solid-line", "underline solid"},  {"em.aozora-double-line", "underline double"},
        {"em.aozora-chain-line", "underline dotted"}, {"em.aozora-dashed-line", "underline dashed"},
        {"em.aozora-wavy-line", "underline wavy"},
    };
    for (const auto& [selector, line] : lines) {
        block(selector, {{"font-style", "normal"},
                         {"text-decoration", line},
                         {"text-underline-position", "under right"}});
    }
    // "左に": the other side, under a horizontal line and left of a vertical one.
    block("em.aozora-left", {{"text-emphasis-position", "under left"},
                             {"-webkit-text-emphasis-position", "under left"},
                             {"text-underline-position", "under left"}});
    block("div.aozora-align-end", {{"text-align", "end"}});
    // A heading keeps the size of its kind when the outline moves it to another level.
    block(".aozora-large-heading", {{"font-size", "1.5em"}});
    block(".aozora-medium-heading", {{"font-size", "1.17em"}});
    block(".aozora-small-heading", {{"font-size", "1em"}});
    block("div.aozora-bold", {{"font-weight", "bold"}});
    // 返り点 and 訓点送り仮名 of kanbun, small beside the characters.
    block("sub.aozora-return-mark", {{"font-size", "0.5em"}});
    block("sup.aozora-reading-mark", {{"font-size", "0.5em"}});
    block("div.aozora-italic", {{"font-style", "italic"}});
    block("hr.aozora-page-break", {{"break-after", "page"},
                                   {"page-break-after", "always"},
                                   {"border", "none"},
                                   {"margin", "0"}});
    // A note the program does not read stays on the page, small.
    block("span.aozora-note", {{"font-size", "smaller"}});
    return out;
}

std::string TitleText(const TStrInfo& s, TDocType type) {
    if (s.Title.empty() && type == TDocType::Html5)
        return Sjis("無題");
    return EscapeHtmlText(s.Title, s.TabWidth, s.KanaWidening);
}

}  // namespace

std::string WithUnit(std::string_view value, int unit) {
    std::string out(value);
    if (unit >= 0 && unit < 8)
        out += kUnits[unit];
    return out;
}

std::string EmphasisStyleBlock(const TStrong& r) {
    std::string out = UsableEmphasisTag(r) + "." + EscapeCssIdentifier(r.Class) + "\t{\r\n";
    if (r.FontColorOn)
        AppendProperty(out, "color", "#" + r.FontColor);
    if (!r.FontSize.empty())
        AppendProperty(out, "font-size", CssSize(r.FontSize, r.FontSizeUnit));
    if (r.BackColorOn)
        AppendProperty(out, "background-color", "#" + r.BackColor);
    if (r.Border.Style > 0) {
        out += "\t\t\tborder:";
        if (!r.Border.Width.empty())
            out += CssSize(r.Border.Width, r.Border.WidthUnit);
        if (r.Border.Style < 9)
            out += kBorderStyles[r.Border.Style];
        out += " #" + r.Border.Color + ";\r\n";
    }
    if (r.FullWidth && (r.BackColorOn || r.Border.Style > 0)) {
        out += "\t\t\twidth:100%;\r\n\t\t\tpadding:2pt 2pt 2pt 2pt;\r\n";
    }
    if (r.Bold)
        out += "\t\t\tfont-weight:bold;\r\n";
    if (r.Italic)
        out += "\t\t\tfont-style:italic;\r\n";
    if (r.Underline)
        out += "\t\t\ttext-decoration:underline;\r\n";
    AppendFontFamily(out, r.FontFamily);
    out += "\t\t}\r\n";
    return out;
}

std::string RuleStyleBlocks(const std::array<THolLine, 5>& rules) {
    std::string out;
    for (std::size_t n = 0; n < rules.size(); ++n) {
        const THolLine& h = rules[n];
        if (h.Mark.empty())
            continue;
        out += "hr.hr" + std::to_string(n + 1) + "\t\t{\r\n";
        AppendProperty(out, "height", CssSize(h.Height, h.HeightUnit));
        if (h.ColorOn) {
            AppendProperty(out, "color", "#" + h.Color);
            AppendProperty(out, "background-color", "#" + h.Color);
        }
        out += "\t\t}\r\n";
    }
    return out;
}

std::string BuildStyleSheet(const TStrInfo& s) {
    std::string out = BodyBlock(s);
    if (s.AutoLink)
        out += LinkBlocks(s);
    for (const TStrong& rule : s.Strong)
        out += EmphasisStyleBlock(rule);
    out += RuleStyleBlocks(s.HolLine);
    if (RubyNotationOn(s)) {
        // Emphasis dots beside the characters, which stay upright (em is italic otherwise).
        out += "em.sesame\t{\r\n";
        AppendProperty(out, "font-style", "normal");
        AppendProperty(out, "text-emphasis", "filled sesame");
        AppendProperty(out, "-webkit-text-emphasis", "filled sesame");
        out += "\t\t}\r\n";
    }
    if (s.AozoraNotation)
        out += AozoraStyleBlocks();
    if (s.VerticalWriting) {
        // Two-digit numbers stand upright in the vertical lines (see SetDigitsUpright).
        out += "span.tcy\t{\r\n";
        AppendProperty(out, "text-combine-upright", "all");
        AppendProperty(out, "-webkit-text-combine", "horizontal");
        out += "\t\t}\r\n";
    }
    return out;
}

std::string SeparateStyleSheetPath(const TEngineEnv& env, std::string_view pagePath) {
    std::string name = "default.css";
    if (!env.State.CurrentSettingsFile.empty()) {
        name = FileNamePartOf(env.State.CurrentSettingsFile);
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos)
            name.erase(dot);
        name += ".css";
    }
    const std::string input = SjisPathToNative(env.Form.Text("lblInputFilePath"));
    if (!input.empty())
        return FolderPartOf(input) + name;
    if (!pagePath.empty())
        return FolderPartOf(pagePath) + name;
    return env.State.OptionsFolder + name;
}

std::string BuildDocumentHead(const TStrInfo& s, const TEngineEnv& env, TPageEncoding page,
                              std::string_view pagePath) {
    const TDocType type = PageDocType(s);
    std::string head = HeadStart(type, page);
    head += "<title>" + TitleText(s, type) + "</title>\r\n";
    head += "<meta name=\"GENERATOR\" content=\"" + Sjis(kIdentityUtf8) + "\">\r\n";
    if (!s.SeparateStyleSheet) {
        // An HTML 4.01 page hides its stylesheet from browsers that predate the style element.
        if (type == TDocType::Html5)
            head += "<style type=\"text/css\">\r\n" + BuildStyleSheet(s) + "</style>\r\n";
        else
            head += "<style type=\"text/css\">\r\n<!--\r\n" + BuildStyleSheet(s) +
                    "-->\r\n</style>\r\n";
    } else {
        const std::string charset = EncodingDisplayName(page);
        const std::string path = SeparateStyleSheetPath(env, pagePath);
        // The folder of the program's files is made on its first write; an input's folder is
        // never made.
        if (FolderPartOf(path) == env.State.OptionsFolder)
            MakeFolderPath(env.State.OptionsFolder);
        if (page == TPageEncoding::ShiftJis) {
            WriteWholeFile(path, BuildStyleSheet(s));
        } else {
            WriteWholeFile(path, "@charset \"" + charset + "\";\r\n" +
                                     EncodeSjisText(BuildStyleSheet(s), page));
        }
        head += "<link rel=stylesheet href=\"./" +
                RelativeUrl(PathForMessage(FileNamePartOf(path))) + "\">";
    }
    head += "\r\n</head>";
    return head;
}
