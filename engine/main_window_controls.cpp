#include "main_window_controls.h"

#include <string>

#include "encoding.h"

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
    AddCombo(f, "cmbBorderStyle" + d, kBorderStyleCount);
    AddEdit(f, "edtBorderSize" + d);
    AddCombo(f, "cmbBorderSizeUnit" + d, kUnitCount);
    AddLabelColor(f, "lblBorderColor" + d, kWindowTextColor, kWindowFaceColor);
}

void AddRuleLineRow(THeadlessForm& f, int n) {
    const std::string d = std::to_string(n);
    AddEdit(f, "edtHolMark" + d);
    AddEdit(f, "edtHolMarkCnt" + d);
    AddEdit(f, "edtHolSize" + d);
    AddCombo(f, "cmbHolSizeUnit" + d, kUnitCount);
    AddCheck(f, "chkHol100p" + d, false);
    AddLabelColor(f, "lblHolColor" + d, kWindowTextColor, kWindowFaceColor);
    AddCheck(f, "chkHolColor" + d, false);
}

}  // namespace

void AddMainWindowControls(THeadlessForm& f) {
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
    AddChoice(f, "rdgrpAddTag", K::RadioGroup, 3, 1);
    AddCheck(f, "chkKanaChange", false);
    AddCheck(f, "chkSpcCss", true);
    AddEdit(f, "edtPageTitle");
    for (const char* side : {"Top", "Left", "Bottom", "Right"}) {
        AddEdit(f, std::string("edtPagePadding") + side);
        AddCombo(f, std::string("cmbPagePadding") + side + "Unit", kUnitCount);
    }
    AddCheck(f, "chkBgImage", false);
    f.Add("lblBgImagePath", K::Label);
    AddCheck(f, "chkOutputCSSDef", false);
    AddCheck(f, "chkbxPreview", false);
    f.Add("memHeader", K::Memo);
    f.Add("memFotter", K::Memo);
    AddCheck(f, "chkPreviewFromCnvFile", true);
    for (int n = 1; n <= 5; ++n)
        AddEmphasisRule(f, n);
    for (int n = 1; n <= 5; ++n)
        AddRuleLineRow(f, n);

    f.Add("lblInputFilePath", K::Label);
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
