// The driver's two failure messages, which porukano-cli shows for the same failures outside the
// driver.
#pragma once

#include <string>

#include "engine/base/platform.h"

// The warning "以下のファイルのオープンに失敗しました。\r\n\t" + path + "\r\n現存するファイルか確認
// してください。" with OK, naming the file that failed (a native path): the input that cannot be
// opened or read, or the page that cannot be created (a folder that is missing or read-only).
void ShowOpenFailure(TPlatform& platform, const std::string& path);

// The error "変換したファイルの書き込みに失敗しました。終了します" with OK: the page cannot be
// written, or the emphasis rules cannot be prepared.
void ShowWriteFailure(TPlatform& platform);
