// The controls of the main window TfrmMain that hold settings or show progress, with the state a
// freshly opened window gives them. The Qt window uses the same names for its widgets.
#pragma once

#include <memory>

#include "engine/base/headless_form.h"

// Stand-ins for the system colours that seed several initial colours.
inline constexpr TColor kWindowTextColor = 0x000000;  // black
inline constexpr TColor kWindowFaceColor = 0xF0F0F0;

// Number of items of the eight-unit drop-downs, the font-family drop-downs and so on.
inline constexpr int kUnitCount = 8;
inline constexpr int kFontFamilyCount = 6;
inline constexpr int kKeywordKindCount = 5;
inline constexpr int kKeywordActionCount = 3;
inline constexpr int kBorderStyleCount = 9;
inline constexpr int kInputEncodingCount = 5;  // 自動判別, Shift_JIS, UTF-8, EUC-JP, ISO-2022-JP
inline constexpr int kLinkStyleCount = 2;      // これまでどおり, https・句読点に対応
inline constexpr int kOutputEncodingCount = 4;  // 入力と同じ, Shift_JIS, UTF-8, EUC-JP
inline constexpr int kDocTypeCount = 2;         // HTML 4.01 Transitional, HTML5
inline constexpr int kHistoryMenuItems = 10;

// Adds every main-window control with its initial state to form.
void AddMainWindowControls(THeadlessForm& form);

// A headless main window as it opens.
std::unique_ptr<THeadlessForm> MakeHeadlessMainWindow();
