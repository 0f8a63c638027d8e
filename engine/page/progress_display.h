// The percentage of a file conversion on the main window: the label lblProcess and the progress
// bar pbrProcess, shown while the conversion runs.
#pragma once

#include <chrono>
#include <string>

#include "engine/base/form.h"
#include "engine/base/platform.h"

class TProgressDisplay {
  public:
    // Shows both controls for a conversion of total lines (at least 1 when LineDone is called).
    // minimumInterval is the least time between two changes shown: painting the window costs a
    // few milliseconds, and a fast conversion of 100 MB goes through the hundred percentages in
    // under a second, where painting every one cost 5 to 8 % of it. A conversion slow enough for
    // anyone to watch shows every percentage.
    TProgressDisplay(TForm& form, TPlatform& platform, long long total,
                     std::chrono::milliseconds minimumInterval);

    // Counts one more line done. When the percentage (lines done × 100 ÷ total, the remainder
    // dropped) changes, the first time and then once minimumInterval has passed since the last
    // change shown, the label becomes "変換進捗率：" + percent + "%", the bar moves to it and
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
    std::chrono::milliseconds minimumInterval_;
    std::chrono::steady_clock::time_point shownAt_{};
    std::string prefix_;
};
