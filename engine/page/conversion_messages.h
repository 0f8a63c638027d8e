// The driver's two failure messages, which porukano-cli shows for the same failures outside the
// driver. Both are errors, and both end with the reason of the failure when it is known (see
// FileFailureReason).
#pragma once

#include <string>

#include "engine/base/platform.h"

// The error "以下のファイルのオープンに失敗しました。\r\n\t" + path + "\r\n現存するファイルか確認
// してください。" with OK, naming the file that failed (a native path): the input that cannot be
// opened or read, or the page that cannot be created (a folder that is missing or read-only).
// A reason that is not empty follows on a line of its own, "理由: " + reason.
void ShowOpenFailure(TPlatform& platform, const std::string& path, const std::string& reason);

// The error "変換したファイルの書き込みに失敗しました。終了します" with OK: the page cannot be
// written, or the emphasis rules cannot be prepared; the reason follows as above.
void ShowWriteFailure(TPlatform& platform, const std::string& reason = {});
