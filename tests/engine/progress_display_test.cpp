#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/main_window_controls.h"
#include "engine/page/progress_display.h"
#include "engine/text/encoding.h"
#include "tests/support/scripted_platform.h"

// For line totals that 100 divides and that it does not, every repaint comes at the line where
// lines × 100 ÷ total (remainder dropped) first reaches a new value, and shows that value.
TEST(ProgressDisplay, RepaintsExactlyWhereThePercentageChanges) {
    for (const long long total : {1LL, 3LL, 7LL, 99LL, 100LL, 101LL, 250LL, 1003LL, 20000LL}) {
        const auto form = MakeHeadlessMainWindow();
        TScriptedPlatform platform;
        long long line = 0;
        std::vector<std::pair<long long, std::string>> repaints;
        platform.OnRepaint = [&] {
            repaints.emplace_back(line, SjisToUtf8(form->Text("lblProcess")));
            EXPECT_EQ(form->Position("pbrProcess"), static_cast<int>(line * 100 / total));
        };
        TProgressDisplay progress(*form, platform, total, std::chrono::milliseconds(0));
        EXPECT_TRUE(form->Visible("lblProcess"));
        EXPECT_TRUE(form->Visible("pbrProcess"));
        for (line = 1; line <= total; ++line)
            progress.LineDone();

        std::vector<std::pair<long long, std::string>> expected;
        for (long long n = 1, last = -1; n <= total; ++n) {
            const long long percent = n * 100 / total;
            if (percent != last)
                expected.emplace_back(n, "変換進捗率：" + std::to_string(percent) + "%");
            last = percent;
        }
        EXPECT_EQ(repaints, expected) << "total " << total;

        progress.Finish();
        EXPECT_EQ(form->Text("lblProcess"), "");
        EXPECT_EQ(form->Position("pbrProcess"), 0);
        EXPECT_FALSE(form->Visible("lblProcess"));
        EXPECT_FALSE(form->Visible("pbrProcess"));
    }
}

// Within the interval after a change shown, further changes wait: with an hour, a conversion
// shows its first percentage and nothing more until it finishes.
TEST(ProgressDisplay, ChangesWithinTheIntervalAreNotShown) {
    const auto form = MakeHeadlessMainWindow();
    TScriptedPlatform platform;
    std::vector<std::string> shown;
    platform.OnRepaint = [&] { shown.push_back(SjisToUtf8(form->Text("lblProcess"))); };
    TProgressDisplay progress(*form, platform, 1000, std::chrono::hours(1));
    for (int line = 1; line <= 1000; ++line)
        progress.LineDone();
    EXPECT_EQ(shown, std::vector<std::string>{"変換進捗率：0%"});
    EXPECT_EQ(form->Position("pbrProcess"), 0);
    progress.Finish();
    EXPECT_FALSE(form->Visible("lblProcess"));
}
