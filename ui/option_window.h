// TfrmOption: the options dialog, "ポルカノＨＴＭＬ変換-オプション". Its controls are the working
// copy of the options (settings/untIniOption.h reads the file into them and applies them); the
// buttons run the handlers of settings/untFrmOption.h.
#pragma once

#include <QDialog>

#include "engine/base/engine_env.h"
#include "engine/base/platform.h"
#include "settings/untIniOption.h"
#include "ui/qt_form.h"

class TSjisInputGuard;

class TfrmOption : public QDialog {
  public:
    // options and state are the program's; they outlive the dialog.
    TfrmOption(TPlatform& platform, TOption& options, const TProgramState& state, QWidget* parent);

    TQtForm& Form() { return form_; }

    // Cancel, Escape and the window manager's close all put the file's values back.
    void reject() override;

  private:
    QWidget* BuildStartPage();
    QWidget* BuildSavePage();
    QWidget* BuildBrowserPage();
    void OkClick();

    TPlatform& platform_;
    TOption& options_;
    const TProgramState& state_;
    TQtForm form_;
    TSjisInputGuard* guard_;
};
