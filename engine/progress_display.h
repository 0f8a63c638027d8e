// The percentage of a file conversion on the main window: the label lblProcess and the progress
// bar pbrProcess, shown while the conversion runs.
#pragma once

#include <string>

#include "form.h"
#include "platform.h"

class TProgressDisplay {
  public:
    // Shows both controls for a conversion of total lines (at least 1 when LineDone is called).
    TProgressDisplay(TForm& form, TPlatform& platform, long long total);

    // Counts one more line done. Whenever the percentage (lines done × 100 ÷ total, the remainder
    // dropped) changes, the label becomes "変換進捗率：" + percent + "%", the bar moves to it and
    // the window is repainted; between changes nothing is computed but a comparison.
    void LineDone();

    // Empties the label, puts the bar back to 0 and hides both.
    void Finish();

  private:
    TForm& form_;
    TPlatform& platform_;
    long long total_;
    long long processed_ = 0;
    long long nextChange_ = 0;  // the first line count that can show another percentage
    int shown_ = -1;
    std::string prefix_;
};
