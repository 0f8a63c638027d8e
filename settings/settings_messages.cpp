#include "settings/settings_messages.h"

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"

void ShowCannotOpenSettings(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Warning,
           Sjis("設定ファイル：\r\n\t") + PathForMessage(path) + Sjis("\r\nが開けません。"));
}

void ShowCannotOpenForSave(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Warning,
           Sjis("変換設定ファイル：\r\n\t") + PathForMessage(path) + Sjis("\r\nが開けません。"));
}

void ShowCannotWrite(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Error, PathForMessage(path) + Sjis(" に書き込めません"));
}

void ShowIoError(TPlatform& platform, int errorCode) {
    ShowOk(platform, TMessageKind::Error, Sjis("I/O エラー (") + std::to_string(errorCode) + ")");
}

void ShowPathWithoutSjisForm(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Error,
           Sjis("Shift_JIS で表せない文字を含むパスは使えません：\r\n\t") + PathForMessage(path));
}
