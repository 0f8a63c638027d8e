#include "engine/base/file_paths.h"

#include <filesystem>
#include <system_error>

#include "engine/text/encoding.h"

std::string PathForMessage(std::string_view nativePath) {
    if (auto sjis = Utf8ToSjis(nativePath))
        return *std::move(sjis);
    std::string out;
    for (const char c : nativePath) {
        // Keep ASCII; a multi-byte UTF-8 character becomes one "?" at its lead byte.
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else if (b >= 0xC0) {
            out.push_back('?');
        }
    }
    return out;
}

std::string SjisPathToNative(std::string_view sjisPath) {
    return SjisToUtf8(sjisPath);
}

std::string AbsolutePath(std::string_view nativePath) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(nativePath, ec);
    if (nativePath.empty() || ec)
        return std::string(nativePath);
    std::filesystem::path path;
    for (const std::filesystem::path& step : absolute) {
        if (step != ".")
            path /= step;
    }
    return path.string();
}

std::string FileNamePartOf(std::string_view nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    return std::string(slash == std::string_view::npos ? nativePath : nativePath.substr(slash + 1));
}

std::string FolderPartOf(std::string_view nativePath) {
    const std::size_t slash = nativePath.rfind('/');
    return slash == std::string_view::npos ? std::string()
                                           : std::string(nativePath.substr(0, slash + 1));
}

std::string ExtensionOf(std::string_view nativePath) {
    const std::size_t nameStart = nativePath.rfind('/') + 1;  // npos + 1 is 0
    const std::size_t dot = nativePath.rfind('.');
    return dot == std::string_view::npos || dot < nameStart ? std::string()
                                                            : std::string(nativePath.substr(dot));
}
