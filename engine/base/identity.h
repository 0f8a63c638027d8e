// The program's identity, as the window captions and the page's generator tag show it (UTF-8;
// Sjis() gives the page's form).
#pragma once

inline constexpr const char* kIdentityUtf8 = "ポルカノＨＴＭＬ変換 ver0.732";
inline constexpr const char* kApplicationTitleUtf8 = "ポルカノＨＴＭＬ変換Ver0.732";

// Where the preview sample sends questions, bug reports and comments: the user guide installed
// with the program, which the help menu opens (it says where reports go).
inline constexpr const char* kSupportLineUtf8 =
    "サポート：同梱のユーザーガイド（ヘルプ→オンラインヘルプ）";
