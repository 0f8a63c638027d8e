// Reading a settings file into the main window's controls. Each control is set through TForm, so
// edits and check boxes run their change behaviour as user input would (the rule-line count check
// runs on a loaded MarkCnt); drop-downs run none, so the reader itself sets the controls that
// follow cmbBorderStyle<N> and cmbKeyWhat<N>.
#include <charconv>
#include <string>

#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"
#include "settings/emphasis_samples.h"
#include "settings/settings_file.h"
#include "settings/settings_messages.h"

namespace {

constexpr double kFirstCurrentVersion = 0.31;

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

class TSettingsReader {
  public:
    TSettingsReader(TSettingsEnv& env, const TProfileFile& profile)
        : env_(env), p_(profile), f_(env.MainWindow) {}

    // False when a colour stopped the load (the message is shown).
    bool Run() {
        oldFile_ = SoftVer() < kFirstCurrentVersion;
        if (!ReadMain())
            return false;
        f_.SetText("memHeader", MemoText(p_.ReadString("HeadFot", "Header", "")));
        f_.SetText("memFotter", MemoText(p_.ReadString("HeadFot", "Fotter", "")));
        f_.SetChecked("chkbxPreview", p_.ReadBool("Other", "BrowserView", false));
        f_.SetChecked("chkPreviewFromCnvFile", p_.ReadBool("Preview", "FromCnvFile", true));
        for (int n = 1; n <= 5; ++n) {
            if (!ReadStrong(n))
                return false;
        }
        for (int n = 1; n <= 5; ++n) {
            if (!ReadHolLine(n))
                return false;
        }
        RefreshEmphasisSamples(f_);
        return true;
    }

  private:
    double SoftVer() const {
        const std::string text = p_.ReadString("main", "SoftVer", "");
        double version = 0.3;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), version);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            return 0.3;
        return version;
    }

    static std::string MemoText(std::string_view value) {
        return ReplaceAll(value, "\\r\\n", "\r\n");
    }

    // Reads a colour key into a label's font colour (font) or own colour; a label the window
    // lacks skips the key. False when the value is not hexadecimal.
    bool Colour(const std::string& section, const char* key, const char* fallback,
                const std::string& label, bool font) {
        if (!f_.HasControl(label))
            return true;
        const std::string text = p_.ReadString(section, key, fallback);
        const std::optional<TColor> color = HexTextToColor(text);
        if (!color) {
            ShowOk(env_.Platform, TMessageKind::Error,
                   "'" + HexColorNumberText(text) + Sjis("' は整数ではありません"));
            return false;
        }
        if (font) {
            f_.SetFontColor(label, *color);
        } else {
            f_.SetColor(label, *color);
        }
        return true;
    }

    void Text(const std::string& section, const char* key, const std::string& control) {
        f_.SetText(control, p_.ReadString(section, key, ""));
    }
    void Index(const std::string& section, const char* key, const std::string& control,
               int fallback = 0) {
        f_.SetItemIndex(control, p_.ReadInteger(section, key, fallback));
    }
    void Check(const std::string& section, const char* key, const std::string& control,
               bool fallback) {
        f_.SetChecked(control, p_.ReadBool(section, key, fallback));
    }
    // A size text: an integer shown as decimal text in old files, the text itself otherwise.
    void Size(const std::string& section, const std::string& control, int fallback) {
        f_.SetText(control, oldFile_
                                ? std::to_string(p_.ReadInteger(section, "fontsize", fallback))
                                : p_.ReadString(section, "fontsize", std::to_string(fallback)));
    }

    bool ReadMain() {
        const std::string m = "main";
        if (!Colour(m, "normalcolr", "000000", "lblNormalStr", true) ||
            !Colour(m, "linkcolor", "0000FF", "lblLinkstr", true) ||
            !Colour(m, "vlinkcolor", "800080", "lblVlink", true) ||
            !Colour(m, "alinkcolor", "FF0000", "lblAlink", true) ||
            !Colour(m, "backcolor", "FFFFFF", "lblBg0", false)) {
            return false;
        }
        // Every sample stands on the page background.
        const TColor background = f_.Color("lblBg0");
        for (int n = 1; n <= 5; ++n)
            f_.SetColor("lblBackColor" + std::to_string(n), background);
        f_.SetColor("lblHolBackColor", background);

        Size(m, "edtNormalStrSize", 10);
        Index(m, "FontSizeUnit", "cmbNormalStrSizeUnit");
        if (oldFile_) {
            f_.SetItemIndex("cmbNormalFontStyle", p_.ReadBool(m, "fixstr", false) ? 5 : 0);
        } else {
            Index(m, "fontstyle", "cmbNormalFontStyle");
        }
        Text(m, "lineheight", "edtLineHeight");
        Index(m, "LineHeightUnit", "cmbLineHeightUnit");
        Check(m, "autolink", "chkbxLink", true);
        f_.SetItemIndex("cmbLinkStyle",
                        static_cast<int>(LinkStyleOf(p_.ReadInteger(m, "LinkStyle", 0))));
        Check(m, "VerticalWriting", "chkVerticalWriting", false);
        Check(m, "UprightThreeMarks", "chkUprightThreeMarks", false);
        Check(m, "RubyNotation", "chkRubyNotation", false);
        Check(m, "AozoraNotation", "chkAozoraNotation", false);
        if (oldFile_) {
            f_.SetItemIndex("rdgrpAddTag", static_cast<int>(p_.ReadBool(m, "br", false)
                                                                ? TAddTagMode::LineBreaksOnly
                                                                : TAddTagMode::AllTags));
        } else {
            Index(m, "addtag", "rdgrpAddTag", static_cast<int>(TAddTagMode::AllTags));
        }
        Text(m, "title", "edtPageTitle");
        f_.SetItemIndex("rdgTabSpace", p_.ReadInteger(m, "tabspace", 4) == 4 ? 0 : 1);
        Check(m, "kanachange", "chkKanaChange", false);
        Check(m, "SpcCss", "chkSpcCss", true);
        Text(m, "pagepaddingtop", "edtPagePaddingTop");
        Index(m, "pagepaddingtopunit", "cmbPagePaddingTopUnit");
        Text(m, "pagepaddingleft", "edtPagePaddingLeft");
        Index(m, "pagepaddingleftunit", "cmbPagePaddingLeftUnit");
        Text(m, "pagepaddingbottom", "edtPagePaddingBottom");
        Index(m, "pagepaddingbottomunit", "cmbPagePaddingBottomUnit");
        Text(m, "pagepaddingright", "edtPagePaddingRight");
        Index(m, "pagepaddingrightunit", "cmbPagePaddingRightUnit");
        Check(m, "BackGroundImage", "chkBgImage", false);
        Text(m, "BackGroundImagePath", "lblBgImagePath");
        Check(m, "OutputCSSDef", "chkOutputCSSDef", false);
        // Files of older versions hold neither key: they read as the automatic choices.
        f_.SetItemIndex("cmbInputEncoding",
                        static_cast<int>(InputEncodingOf(p_.ReadInteger(m, "InputEncoding", 0))));
        f_.SetItemIndex("cmbOutputEncoding",
                        static_cast<int>(OutputEncodingOf(p_.ReadInteger(m, "OutputEncoding", 0))));
        // Files without the key were written when every page was HTML 4.01.
        f_.SetItemIndex("cmbDocType", static_cast<int>(DocTypeOf(p_.ReadInteger(m, "DocType", 0))));
        return true;
    }

    bool ReadStrong(int n) {
        const std::string sec = "strong" + std::to_string(n);
        const std::string d = std::to_string(n);
        Text(sec, "Tag", "edtTag" + d);
        Text(sec, "class", "edtClass" + d);
        Check(sec, "FontColorChk", "chkFontColor" + d, true);
        if (!Colour(sec, "fontcolor", "FF0000", "lblStrong" + d, true) ||
            !Colour(sec, "fontcolor", "FF0000", "shpUnderLine" + d, true)) {
            return false;
        }
        Check(sec, "backcolorchk", "chkBackColor" + d, false);
        if (!Colour(sec, "backcolor", "FFFF00", "lblStrong" + d, false))
            return false;

        Index(sec, "BorderStyle", "cmbBorderStyle" + d);
        const bool bordered = f_.ItemIndex("cmbBorderStyle" + d) > 0;
        f_.SetEnabled("edtBorderSize" + d, bordered);
        f_.SetEnabled("cmbBorderSizeUnit" + d, bordered);
        f_.SetVisible("lblBorderColor" + d, bordered);
        Text(sec, "BorderSize", "edtBorderSize" + d);
        Index(sec, "BorderSizeUnit", "cmbBorderSizeUnit" + d);
        if (!Colour(sec, "BorderColor", "FFFFFF", "lblBorderColor" + d, false))
            return false;

        Check(sec, "Back100p", "chkBack100p" + d, false);
        Check(sec, "bold", "chkBold" + d, true);
        Check(sec, "Italic", "chkItalic" + d, false);
        Check(sec, "UnderLine", "chkUnderLine" + d, false);
        Size(sec, "edtFontSize" + d, 14);
        Index(sec, "FontSizeUnit", "cmbFontSizeUnit" + d);
        Index(sec, "fontstyle", "cmbFontStyle" + d);
        f_.SetText("edtKeyword" + d, ReplaceAll(p_.ReadString(sec, "keyword", ""), "&quot;", "\""));
        f_.SetText("edtKeyDiv" + d, ReplaceAll(p_.ReadString(sec, "KeyDiv", ""), "&quot;", "\""));
        Index(sec, "keykbn", "cmbKeyKbn" + d);
        Check(sec, "trim", "chkSpaceDisenable" + d, true);

        Index(sec, "keywhat", "cmbKeyWhat" + d);
        const bool byImage =
            KeywordActionOf(f_.ItemIndex("cmbKeyWhat" + d)) == TKeywordAction::ReplaceByImage;
        // The file holds "/" between folders, which is also this system's separator: the path is
        // shown as stored.
        Text(sec, "imagepath", "lblReplaceImagePath" + d);
        f_.SetEnabled("lblReplaceImagePath" + d, byImage);
        f_.SetEnabled("lblImagePathAnnai" + d, byImage);
        f_.SetEnabled("btnImagePath" + d, byImage);
        return true;
    }

    bool ReadHolLine(int n) {
        const std::string sec = "HolLine" + std::to_string(n);
        const std::string d = std::to_string(n);
        Text(sec, "Mark", "edtHolMark" + d);
        Text(sec, "MarkCnt", "edtHolMarkCnt" + d);
        Text(sec, "Size", "edtHolSize" + d);
        Index(sec, "SizeUnit", "cmbHolSizeUnit" + d);
        if (!Colour(sec, "LineColor", "FFFFFF", "lblHolColor" + d, false))
            return false;
        Check(sec, "chkLineColor", "chkHolColor" + d, false);
        Check(sec, "Hol100p", "chkHol100p" + d, false);
        return true;
    }

    TSettingsEnv& env_;
    const TProfileFile& p_;
    TForm& f_;
    bool oldFile_ = false;
};

std::string_view Pair(std::string_view text, std::size_t at) {
    return at < text.size() ? text.substr(at, 2) : std::string_view();
}

}  // namespace

std::string HexColorNumberText(std::string_view text) {
    return "$00" + std::string(Pair(text, 4)) + std::string(Pair(text, 2)) +
           std::string(Pair(text, 0));
}

std::optional<TColor> HexTextToColor(std::string_view text) {
    const std::string number = HexColorNumberText(text);
    TColor color = 0;
    for (std::size_t i = 1; i < number.size(); ++i) {
        const char c = number[i];
        if (!IsHexDigit(c))
            return std::nullopt;
        const int digit = c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
        color = (color << 4) | static_cast<TColor>(digit);
    }
    return color;
}

TLoadResult LoadSettingsProfile(TSettingsEnv& env, const TProfileFile& profile,
                                const std::string& path) {
    if (!TSettingsReader(env, profile).Run())
        return TLoadResult::Stopped;
    env.MainWindow.SetText("frmMain", SettingsCaption(path));
    if (env.MainWindow.Text("PageControl1") == Sjis("プレビュー") && env.BuildPreview &&
        !env.BuildPreview()) {
        ShowOk(env.Platform, TMessageKind::Warning, Sjis("プレビューが作成できません"));
    }
    return TLoadResult::Loaded;
}

TLoadResult LoadSettingsFile(TSettingsEnv& env, const std::string& path) {
    TProfileFile profile;
    if (profile.Load(path) != TProfileOpenResult::Opened) {
        ShowCannotOpenSettings(env.Platform, path);
        return TLoadResult::NotOpened;
    }
    return LoadSettingsProfile(env, profile, path);
}
