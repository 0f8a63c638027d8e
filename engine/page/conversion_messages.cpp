#include "engine/page/conversion_messages.h"

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"

void ShowOpenFailure(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Warning,
           Sjis("以下のファイルのオープンに失敗しました。\r\n\t") + PathForMessage(path) +
               Sjis("\r\n現存するファイルか確認してください。"));
}

void ShowWriteFailure(TPlatform& platform) {
    ShowOk(platform, TMessageKind::Error,
           Sjis("変換したファイルの書き込みに失敗しました。終了します"));
}
