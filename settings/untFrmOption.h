// The buttons of the options dialog TfrmOption, written against its TForm (the controls of
// option_dialog_controls.h) so that the Qt dialog and the tests run the same code.
#pragma once

#include <string>

#include "engine/base/form.h"
#include "engine/base/platform.h"
#include "settings/untIniOption.h"

// OK: ApplyOptionDialog, then WriteOptions to porukano.ini in optionsFolder. Returns true when the
// dialog closes: also after "設定の保存に失敗しました。" for a file that could not be read; false
// (dialog stays open, options already hold the new values) when the write was refused.
bool btnOKClick(TForm& dialog, TOption& options, const std::string& optionsFolder,
                TPlatform& platform);

// Cancel: ReadOptions from the options file puts its values back into the controls and
// options.Url; the other members of options stay. The dialog then closes.
void btnCancelClick(TForm& dialog, TOption& options, const std::string& optionsFolder,
                    TPlatform& platform);

// "参照" beside edtStartRknPath: ChooseSettingsOpenPath, opened in the folder of the edit's path
// when that folder exists; a chosen file goes into the edit, a cancel keeps it.
void btnRknRefClick(TForm& dialog, TPlatform& platform);

// "参照" beside edtBrowserPath: an open dialog listing every file ("ブラウザ(*)|*"), opened in
// the folder of the edit's path when that folder exists; a chosen file goes into the edit.
void btnBrowserRefClick(TForm& dialog, TPlatform& platform);
