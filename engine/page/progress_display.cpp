#include "engine/page/progress_display.h"

#include <algorithm>

#include "engine/text/encoding.h"

TProgressDisplay::TProgressDisplay(TForm& form, TPlatform& platform, long long total,
                                   std::chrono::milliseconds minimumInterval)
    : form_(form),
      platform_(platform),
      total_(total),
      minimumInterval_(minimumInterval),
      prefix_(Sjis("変換進捗率：")) {
    form_.SetVisible("lblProcess", true);
    form_.SetVisible("pbrProcess", true);
}

void TProgressDisplay::LineDone() {
    if (++processed_ < nextChange_)
        return;
    // The first pass's count is the total; should the lines read ever outnumber it, the display
    // stays at 100 % rather than going past it.
    const long long total = std::max(total_, processed_);
    const int percent = static_cast<int>(processed_ * 100 / total);
    // The smallest count whose percentage is above this one: ceil((percent + 1) × total ÷ 100).
    nextChange_ = ((percent + 1) * total + 99) / 100;
    if (percent == shown_)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (shown_ >= 0 && now - shownAt_ < minimumInterval_)
        return;
    shown_ = percent;
    shownAt_ = now;
    form_.SetText("lblProcess", prefix_ + std::to_string(percent) + "%");
    form_.SetPosition("pbrProcess", percent);
    platform_.Repaint();
}

void TProgressDisplay::Finish() {
    form_.SetText("lblProcess", "");
    form_.SetPosition("pbrProcess", 0);
    form_.SetVisible("lblProcess", false);
    form_.SetVisible("pbrProcess", false);
}
