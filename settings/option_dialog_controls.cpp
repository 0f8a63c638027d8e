#include "settings/option_dialog_controls.h"

#include "engine/text/encoding.h"

void AddOptionDialogControls(THeadlessForm& f) {
    using K = TControlKind;
    f.Add("frmOption", K::Label).Text = Sjis("ポルカノＨＴＭＬ変換-オプション");
    // Page "起動時".
    f.Add("edtStartRknPath", K::Edit);
    f.Add("btnRknRef", K::Button).Text = Sjis("参照");
    f.Add("chkSCnvDialogUnvisible", K::CheckBox).Text =
        Sjis("EXEアイコンにテキストファイルをＤ＆Ｄ時、ダイアログを表示しない。");
    THeadlessControl& remember = f.Add("chkRememberSettings", K::CheckBox);
    remember.Text = Sjis("終了時の設定を次回の起動時に使う");
    remember.Checked = true;
    // Page "保存".
    THeadlessControl& extension = f.Add("cmbExtension", K::ComboBox);
    extension.ItemCount = kExtensionCount;
    extension.ItemIndex = 0;
    extension.Text = "htm";
    f.Add("chkOverWrite", K::CheckBox).Text = Sjis("上書き確認しない(強制上書き)");
    f.Add("chkNoDialog", K::CheckBox).Text = Sjis("変換終了後、ダイアログを表示しない。");
    // Page "ブラウザ".
    f.Add("edtBrowserPath", K::Edit);
    f.Add("btnBrowserRef", K::Button).Text = Sjis("参照");
    f.Add("btnOK", K::Button).Text = "OK";
    f.Add("btnCancel", K::Button).Text = Sjis("キャンセル");
}

std::unique_ptr<THeadlessForm> MakeHeadlessOptionDialog() {
    auto form = std::make_unique<THeadlessForm>();
    AddOptionDialogControls(*form);
    return form;
}
