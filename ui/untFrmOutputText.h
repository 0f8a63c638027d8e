// TfrmOutPutText: the text box output window. It shows the HTML lines of the last text box
// conversion for copying elsewhere, and stays open on its own beside the other windows.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

#include "qt_form.h"

class QPlainTextEdit;

class TfrmOutPutText : public QWidget {
  public:
    TfrmOutPutText();

    // Shows the window (or brings it to the front) with lines (Shift_JIS) as its whole text.
    void ShowOutput(const std::vector<std::string>& lines);

    QPlainTextEdit* Memo() const { return memo_; }
    TQtForm& Form() { return form_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CopyAll();

    TQtForm form_;
    QPlainTextEdit* memo_;
};
