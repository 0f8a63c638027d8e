// TfrmText: the text box input window. The text typed or pasted here is converted with the main
// window's current settings, and the HTML goes to the output window.
#pragma once

#include <QDialog>

#include "engine/base/engine_env.h"

class QPlainTextEdit;
class TfrmOutPutText;

class TfrmText : public QDialog {
  public:
    // env is the main window's (its controls hold the settings).
    TfrmText(TEngineEnv& env, QWidget* parent);
    // The window that shows the result, created after this one.
    void SetOutputWindow(TfrmOutPutText& output) { output_ = &output; }

    // Shows the window modally over the main window until it is closed.
    void ShowModal();
    void ConvertClick();

    QPlainTextEdit* Memo() const { return memo_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TEngineEnv& env_;
    TfrmOutPutText* output_ = nullptr;
    QPlainTextEdit* memo_;
};
