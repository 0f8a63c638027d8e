// TfrmOutPutText: the text box output window. It shows the HTML lines of the last text box
// conversion for copying elsewhere, and stays open on its own beside the other windows.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QPlainTextEdit;

class TfrmOutPutText : public QWidget {
  public:
    TfrmOutPutText();

    // Shows the window (or brings it to the front) with lines (UTF-8) as its whole text.
    void ShowOutput(const std::vector<std::string>& lines);

    QPlainTextEdit* Memo() const { return memo_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CopyAll();

    QPlainTextEdit* memo_;
};
