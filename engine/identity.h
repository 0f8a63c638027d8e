// The program's identity, as the window captions and the page's generator tag show it (UTF-8;
// Sjis() gives the page's form).
#pragma once

inline constexpr const char* kIdentityUtf8 = "ポルカノＨＴＭＬ変換 ver0.732";
inline constexpr const char* kApplicationTitleUtf8 = "ポルカノＨＴＭＬ変換Ver0.732";

// Where questions, bug reports and comments go (the preview sample names it).
inline constexpr const char* kSupportSiteUrl = "https://porukano.example.org/";
