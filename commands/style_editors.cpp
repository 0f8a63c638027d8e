#include "commands/style_editors.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "engine/base/engine_env.h"
#include "engine/base/file_paths.h"
#include "engine/base/settings_model.h"
#include "engine/text/encoding.h"
#include "engine/text/text_helpers.h"
#include "settings/emphasis_samples.h"
#include "settings/rule_line_count_check.h"

namespace {

std::string Num(const char* base, int n) {
    return base + std::to_string(n);
}

constexpr int kRules = 5;

const char* const kImageFilter =
    "画像ファイル(*.bmp;*.jpg;*jpeg;*.gif;*.png)|*.bmp;*.jpg;*jpeg;*.gif;*.png";

const char* const kEnclosingHint =
    "囲む文字を\"*\"(アスタリスク１文字)で区切ってください。\r\n"
    "複数定義したい場合は\",\"(カンマ)で区切ってください。\r\n"
    "例：  \"*\",「*」　　（ダブルクォート、または括弧で囲まれたものを強調）";

}  // namespace

void PickFontColor(TStyleEditors& e, std::string_view label, bool enabled, std::string_view shape) {
    if (!enabled)
        return;
    const std::optional<TColor> color =
        e.View.PickColor(e.Form.Text(label), e.Form.FontColor(label));
    if (!color)
        return;
    e.Form.SetFontColor(label, *color);
    if (!shape.empty())
        e.Form.SetFontColor(shape, *color);
}

void PickBackColor(TStyleEditors& e, std::string_view label) {
    const std::string caption = ReplaceAll(e.Form.Text(label), Sjis("の色"), Sjis("の背景色"));
    if (const std::optional<TColor> color = e.View.PickColor(caption, e.Form.Color(label)))
        e.Form.SetColor(label, *color);
}

void PickPageBackground(TStyleEditors& e) {
    const std::optional<TColor> color = e.View.PickColor(Sjis("背景色"), e.Form.Color("lblBg0"));
    if (!color)
        return;
    e.Form.SetColor("lblBg0", *color);
    for (int n = 1; n <= kRules; ++n)
        e.Form.SetColor(Num("lblBackColor", n), *color);
    e.Form.SetColor("lblHolBackColor", *color);
}

void PickEmphasisFontColor(TStyleEditors& e, int n) {
    PickFontColor(e, Num("lblStrong", n), e.Form.Checked(Num("chkFontColor", n)),
                  Num("shpUnderLine", n));
}

void PickNormalFontColor(TStyleEditors& e) {
    PickFontColor(e, "lblNormalStr", true, {});
    RefreshEmphasisSamples(e.Form);
}

void ApplyBackColorSwitch(TStyleEditors& e, int n) {
    const bool on = e.Form.Checked(Num("chkBackColor", n));
    e.View.SetTransparent(Num("lblStrong", n), !on);
    e.Form.SetEnabled(Num("btnBGColorChange", n), on);
}

TFontStyle EmphasisFontStyle(const TForm& form, int n) {
    return {form.Checked(Num("chkBold", n)), form.Checked(Num("chkItalic", n))};
}

void ApplyKeywordAction(TForm& form, int n) {
    const bool image =
        KeywordActionOf(form.ItemIndex(Num("cmbKeyWhat", n))) == TKeywordAction::ReplaceByImage;
    form.SetEnabled(Num("lblImagePathAnnai", n), image);
    form.SetEnabled(Num("btnImagePath", n), image);
    form.SetEnabled(Num("lblReplaceImagePath", n), image);
}

void ApplyBorderStyle(TForm& form, int n) {
    const bool border = form.ItemIndex(Num("cmbBorderStyle", n)) != 0;
    form.SetVisible(Num("lblBorderColor", n), border);
    form.SetEnabled(Num("edtBorderSize", n), border);
    form.SetEnabled(Num("cmbBorderSizeUnit", n), border);
}

void ApplyRuleColorSwitch(TForm& form, int n) {
    form.SetVisible(Num("lblHolColor", n), form.Checked(Num("chkHolColor", n)));
}

void ApplyRubyDocType(TForm& form) {
    const bool ruby = form.Checked("chkRubyNotation") || form.Checked("chkAozoraNotation");
    form.SetEnabled("cmbDocType", !ruby);
    form.SetVisible("lblDocTypeNote", ruby);
}

void ApplyVerticalWritingSwitch(TForm& form) {
    form.SetEnabled("chkUprightThreeMarks", form.Checked("chkVerticalWriting"));
}

void ApplyBackgroundImageSwitch(TForm& form) {
    const bool on = form.Checked("chkBgImage");
    form.SetEnabled("lblBgImagePath", on);
    form.SetEnabled("btnChangeBgImagePath", on);
}

bool PrepareDialogFolder(TPlatform& platform, const std::string& nativePath, std::string& folder) {
    folder = FolderPartOf(nativePath);
    if (folder.empty())
        return true;
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec))
        return true;
    const int code = ec ? ec.value() : ENOTDIR;
    ShowOk(platform, TMessageKind::Error, Sjis("I/O エラー (") + std::to_string(code) + ")");
    return false;
}

void PickImageIntoLabel(TStyleEditors& e, std::string_view label) {
    TFileDialogRequest request;
    request.InitialFileName = SjisPathToNative(e.Form.Text(label));
    if (!PrepareDialogFolder(e.Platform, request.InitialFileName, request.InitialFolder))
        return;
    request.Filter = Sjis(kImageFilter);
    const std::optional<std::string> chosen = e.Platform.OpenFileDialog(request);
    if (!chosen)
        return;
    const std::optional<std::string> sjis = Utf8ToSjis(*chosen);
    if (!sjis) {
        // The label holds the path in the settings' Shift_JIS; a name without that form would
        // be stored damaged.
        ShowOk(e.Platform, TMessageKind::Warning,
               Sjis("ファイル名にShift_JISで表せない文字が含まれています。\r\n\t") +
                   PathForMessage(*chosen));
        return;
    }
    e.Form.SetText(label, *sjis);
}

void CheckRuleLineCountAndFocus(TStyleEditors& e, int n) {
    const std::string edit = Num("edtHolMarkCnt", n);
    const std::string before = e.Form.Text(edit);
    CheckRuleLineCount(e.Form, e.Platform, n);
    // The check empties a refused count (running itself again on the empty text).
    if (!before.empty() && e.Form.Text(edit).empty())
        e.View.SetFocus(edit);
}

void ShowEnclosingHint(TStyleEditors& e, int n) {
    const std::string edit = Num("edtKeyword", n);
    if (KeywordKindOf(e.Form.ItemIndex(Num("cmbKeyKbn", n))) == TKeywordKind::Enclosed) {
        e.View.SetHint(edit, Sjis(kEnclosingHint), true);
    } else {
        e.View.SetHint(edit, {}, false);
    }
}

void ApplyAllStyleRules(TStyleEditors& e) {
    for (int n = 1; n <= kRules; ++n) {
        ApplyBackColorSwitch(e, n);
        const TFontStyle style = EmphasisFontStyle(e.Form, n);
        e.View.SetFontStyle(Num("lblStrong", n), style.Bold, style.Italic);
        e.Form.SetVisible(Num("shpUnderLine", n), e.Form.Checked(Num("chkUnderLine", n)));
        ApplyKeywordAction(e.Form, n);
        ApplyBorderStyle(e.Form, n);
        ApplyRuleColorSwitch(e.Form, n);
    }
    RefreshEmphasisSamples(e.Form);
    ApplyBackgroundImageSwitch(e.Form);
    ApplyRubyDocType(e.Form);
    ApplyVerticalWritingSwitch(e.Form);
}

void ConnectStyleEditors(TStyleEditors& e) {
    TForm& f = e.Form;
    for (int n = 1; n <= kRules; ++n) {
        f.SetChangeHandler(Num("chkFontColor", n), [&f, n] { ApplyOwnFontColor(f, n); });
        f.SetChangeHandler(Num("chkBackColor", n), [&e, n] { ApplyBackColorSwitch(e, n); });
        const auto applyStyle = [&e, n] {
            const TFontStyle style = EmphasisFontStyle(e.Form, n);
            e.View.SetFontStyle(Num("lblStrong", n), style.Bold, style.Italic);
        };
        f.SetChangeHandler(Num("chkBold", n), applyStyle);
        f.SetChangeHandler(Num("chkItalic", n), applyStyle);
        f.SetChangeHandler(Num("chkUnderLine", n), [&f, n] {
            f.SetVisible(Num("shpUnderLine", n), f.Checked(Num("chkUnderLine", n)));
        });
        f.SetChangeHandler(Num("cmbKeyWhat", n), [&f, n] { ApplyKeywordAction(f, n); });
        f.SetChangeHandler(Num("cmbBorderStyle", n), [&f, n] { ApplyBorderStyle(f, n); });
        f.SetChangeHandler(Num("edtHolMarkCnt", n), [&e, n] { CheckRuleLineCountAndFocus(e, n); });
        f.SetChangeHandler(Num("chkHolColor", n), [&f, n] { ApplyRuleColorSwitch(f, n); });
    }
    f.SetChangeHandler("chkBgImage", [&f] { ApplyBackgroundImageSwitch(f); });
    f.SetChangeHandler("chkRubyNotation", [&f] { ApplyRubyDocType(f); });
    f.SetChangeHandler("chkAozoraNotation", [&f] { ApplyRubyDocType(f); });
    f.SetChangeHandler("chkVerticalWriting", [&f] { ApplyVerticalWritingSwitch(f); });
}
