// The messages the settings layer shows about its files (Shift_JIS texts, native paths).
#pragma once

#include <string>

#include "engine/base/platform.h"

// "設定ファイル：\r\n\t<path>\r\nが開けません。" (warning): a settings or options file that cannot
// be read.
void ShowCannotOpenSettings(TPlatform& platform, const std::string& path);

// "変換設定ファイル：\r\n\t<path>\r\nが開けません。" (warning): a settings file to save into that
// cannot be read.
void ShowCannotOpenForSave(TPlatform& platform, const std::string& path);

// "<path> に書き込めません" (error): the profile layer refused the write.
void ShowCannotWrite(TPlatform& platform, const std::string& path);

// "I/O エラー (<code>)" (error): a file operation failed with the system's error number.
void ShowIoError(TPlatform& platform, int errorCode);

// A native path that has no Shift_JIS form cannot go into a control or a file (error).
void ShowPathWithoutSjisForm(TPlatform& platform, const std::string& path);
