#include "engine/base/main_window_controls.h"

#include <string>

#include "engine/text/encoding.h"

namespace {

using K = TControlKind;

void AddLabelColor(THeadlessForm& f, const std::string& name, TColor font, TColor own) {
    THeadlessControl& c = f.Add(name, K::Label);
    c.FontColor = font;
    c.Color = own;
}

void AddEdit(THeadlessForm& f, const std::string& name, std::string text = {}) {
    f.Add(name, K::Edit).Text = std::move(text);
}

void AddCheck(THeadlessForm& f, const std::string& name, bool checked) {
    f.Add(name, K::CheckBox).Checked = checked;
}

void AddChoice(THeadlessForm& f, const std::string& name, K kind, int count, int index = 0) {
    THeadlessControl& c = f.Add(name, kind);
    c.ItemCount = count;
    c.ItemIndex = index;
}

void AddCombo(THeadlessForm& f, const std::string& name, int count) {
    AddChoice(f, name, K::ComboBox, count);
}

void AddEmphasisRule(THeadlessForm& f, int n) {
    const std::string d = std::to_string(n);
    static const TColor fontColors[] = {RgbToColor(0xFF, 0, 0), RgbToColor(0, 0x80, 0),
                                        kWindowTextColor, kWindowTextColor, kWindowTextColor};
    AddEdit(f, "edtTag" + d);
    AddEdit(f, "edtClass" + d);
    AddEdit(f, "edtFontSize" + d, n == 2 ? "12" : "14");
    AddCombo(f, "cmbFontSizeUnit" + d, kUnitCount);
    AddCombo(f, "cmbFontStyle" + d, kFontFamilyCount);
    AddCheck(f, "chkFontColor" + d, true);
    AddLabelColor(f, "lblStrong" + d, fontColors[n - 1], RgbToColor(0xFF, 0xFF, 0));
    AddCheck(f, "chkBackColor" + d, false);
    AddCheck(f, "chkBack100p" + d, false);
    AddCheck(f, "chkBold" + d, true);
    AddCheck(f, "chkItalic" + d, false);
    AddCheck(f, "chkUnderLine" + d, false);
    AddEdit(f, "edtKeyword" + d, n == 1 ? Sjis("○,◎") : n == 2 ? Sjis("・") : std::string());
    AddEdit(f, "edtKeyDiv" + d);
    AddCombo(f, "cmbKeyKbn" + d, kKeywordKindCount);
    AddCheck(f, "chkSpaceDisenable" + d, true);
    AddCombo(f, "cmbKeyWhat" + d, kKeywordActionCount);
    f.Add("lblReplaceImagePath" + d, K::Label);
    f.Add("lblImagePathAnnai" + d, K::Label).Enabled = false;
    f.Add("btnImagePath" + d, K::Button).Enabled = false;
    AddCombo(f, "cmbBorderStyle" + d, kBorderStyleCount);
    AddEdit(f, "edtBorderSize" + d);
    f.Find("edtBorderSize" + d)->Enabled = false;
    AddCombo(f, "cmbBorderSizeUnit" + d, kUnitCount);
    AddLabelColor(f, "lblBorderColor" + d, kWindowTextColor, kWindowFaceColor);
    f.Find("lblBorderColor" + d)->Visible = false;
    // The underline sample: its pen colour is held as the font colour.
    THeadlessControl& underline = f.Add("shpUnderLine" + d, K::Label);
    underline.FontColor = fontColors[n - 1];
    underline.Visible = false;
    f.Add("lblFontColorInfo" + d, K::Label);
    AddLabelColor(f, "lblBackColor" + d, kWindowTextColor, RgbToColor(0xFF, 0xFF, 0xFF));
}

void AddRuleLineRow(THeadlessForm& f, int n) {
    const std::string d = std::to_string(n);
    AddEdit(f, "edtHolMark" + d);
    AddEdit(f, "edtHolMarkCnt" + d);
    AddEdit(f, "edtHolSize" + d);
    AddCombo(f, "cmbHolSizeUnit" + d, kUnitCount);
    AddCheck(f, "chkHol100p" + d, false);
    AddLabelColor(f, "lblHolColor" + d, kWindowTextColor, kWindowFaceColor);
    f.Find("lblHolColor" + d)->Visible = false;
    AddCheck(f, "chkHolColor" + d, false);
}

}  // namespace

void AddMainWindowControls(THeadlessForm& f) {
    // Pseudo controls: "frmMain" holds the window caption, "PageControl1" the caption of the
    // active page.
    f.Add("frmMain", K::Label).Text = Sjis("ポルカノＨＴＭＬ変換");
    f.Add("PageControl1", K::Label).Text = Sjis("共通設定１");
    AddLabelColor(f, "lblNormalStr", kWindowTextColor, kWindowFaceColor);
    AddLabelColor(f, "lblLinkstr", RgbToColor(0, 0, 0xFF), kWindowFaceColor);
    AddLabelColor(f, "lblVlink", RgbToColor(0x80, 0, 0x80), kWindowFaceColor);
    AddLabelColor(f, "lblAlink", RgbToColor(0xFF, 0, 0), kWindowFaceColor);
    AddLabelColor(f, "lblBg0", kWindowTextColor, RgbToColor(0xFF, 0xFF, 0xFF));
    AddEdit(f, "edtNormalStrSize", "10");
    AddCombo(f, "cmbNormalStrSizeUnit", kUnitCount);
    AddEdit(f, "edtLineHeight");
    AddCombo(f, "cmbLineHeightUnit", kUnitCount);
    AddChoice(f, "rdgTabSpace", K::RadioGroup, 2, 0);
    AddCombo(f, "cmbNormalFontStyle", kFontFamilyCount);
    AddCheck(f, "chkbxLink", true);
    AddChoice(f, "cmbLinkStyle", K::ComboBox, kLinkStyleCount, 0);
    AddCheck(f, "chkVerticalWriting", false);
    AddCheck(f, "chkUprightThreeMarks", false);
    AddCheck(f, "chkRubyNotation", false);
    AddCheck(f, "chkAozoraNotation", false);
    AddChoice(f, "rdgrpAddTag", K::RadioGroup, 3, 1);
    AddCheck(f, "chkKanaChange", false);
    AddCheck(f, "chkSpcCss", true);
    AddEdit(f, "edtPageTitle");
    for (const char* side : {"Top", "Left", "Bottom", "Right"}) {
        AddEdit(f, std::string("edtPagePadding") + side);
        AddCombo(f, std::string("cmbPagePadding") + side + "Unit", kUnitCount);
    }
    AddCheck(f, "chkBgImage", false);
    f.Add("lblBgImagePath", K::Label).Enabled = false;
    f.Add("btnChangeBgImagePath", K::Button).Enabled = false;
    AddCheck(f, "chkOutputCSSDef", false);
    AddCheck(f, "chkbxPreview", false);
    f.Add("memHeader", K::Memo);
    f.Add("memFotter", K::Memo);
    AddCheck(f, "chkPreviewFromCnvFile", true);
    AddChoice(f, "cmbInputEncoding", K::ComboBox, kInputEncodingCount, 0);
    AddChoice(f, "cmbOutputEncoding", K::ComboBox, kOutputEncodingCount, 0);
    AddChoice(f, "cmbDocType", K::ComboBox, kDocTypeCount, 0);
    // Shown, with cmbDocType disabled, while the ruby notation makes every page HTML5.
    f.Add("lblDocTypeNote", K::Label).Visible = false;
    for (int n = 1; n <= 5; ++n)
        AddEmphasisRule(f, n);
    for (int n = 1; n <= 5; ++n)
        AddRuleLineRow(f, n);
    AddLabelColor(f, "lblHolBackColor", kWindowTextColor, RgbToColor(0xFF, 0xFF, 0xFF));

    f.Add("lblInputFilePath", K::Label);
    f.Add("lblInputEncoding", K::Label);
    THeadlessControl& process = f.Add("lblProcess", K::Label);
    process.Text = "0%";
    process.Visible = false;
    f.Add("pbrProcess", K::ProgressBar).Visible = false;
    for (int n = 1; n <= kHistoryMenuItems; ++n) {
        f.Add("mitmPrknHis" + std::to_string(n), K::MenuItem).Visible = false;
    }
}

std::unique_ptr<THeadlessForm> MakeHeadlessMainWindow() {
    auto form = std::make_unique<THeadlessForm>();
    AddMainWindowControls(*form);
    return form;
}
