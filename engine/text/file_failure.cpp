#include "engine/text/file_failure.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "engine/text/encoding.h"

namespace {

bool IsFolder(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ec));
}

// The system's description (UTF-8, or the locale's text) kept readable in a Shift_JIS message.
std::string SystemReason(int error) {
    const std::string text = std::generic_category().message(error);
    return Sjis("システムの理由: ") + Utf8ToSjis(text).value_or("errno " + std::to_string(error)) +
           Sjis("。");
}

std::string ReadReason(int error, const std::string& path) {
    if (error == EISDIR || IsFolder(path))
        return Sjis("ファイルではなくフォルダーです。");
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return Sjis("ファイルが存在しません。");
        case EACCES:
        case EPERM:
            return Sjis("ファイルを読み込む権限がありません。");
        default:
            return SystemReason(error);
    }
}

std::string WriteReason(int error, const std::string& path) {
    if (error == EISDIR || IsFolder(path))
        return Sjis("同じ名前のフォルダーがあります。");
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return Sjis("書き込み先のフォルダーが存在しません。");
        case EACCES:
        case EPERM:
        case EROFS:
            // A file that is there refuses itself; otherwise its folder refuses a new file.
            return Exists(path) ? Sjis("ファイルに書き込む権限がありません。")
                                : Sjis("書き込み先のフォルダーに書き込む権限がありません。");
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return Sjis("ディスクの空き容量が足りません。");
        default:
            return SystemReason(error);
    }
}

}  // namespace

std::string FileFailureReason(int error, TFileUse use, const std::string& path) {
    if (error == 0)
        return {};
    return use == TFileUse::Read ? ReadReason(error, path) : WriteReason(error, path);
}

std::string SameFileReason() {
    return Sjis("書き込み先が変換するファイルそのものです。");
}
