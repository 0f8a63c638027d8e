#include "engine/page/conversion_messages.h"

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"

namespace {

std::string WithReason(std::string message, const std::string& reason) {
    if (!reason.empty())
        message += Sjis("\r\n理由: ") + reason;
    return message;
}

}  // namespace

void ShowOpenFailure(TPlatform& platform, const std::string& path, const std::string& reason) {
    ShowOk(platform, TMessageKind::Error,
           WithReason(Sjis("以下のファイルのオープンに失敗しました。\r\n\t") +
                          PathForMessage(path) + Sjis("\r\n現存するファイルか確認してください。"),
                      reason));
}

void ShowWriteFailure(TPlatform& platform, const std::string& reason) {
    ShowOk(platform, TMessageKind::Error,
           WithReason(Sjis("変換したファイルの書き込みに失敗しました。終了します"), reason));
}
