#include "settings/user_guide.h"

#include <filesystem>
#include <string_view>
#include <system_error>

// Set by settings/CMakeLists.txt: where the guide is installed, relative to the folder of the
// installed executable, and the guide in the source folder.
#ifndef PORUKANO_GUIDE_FROM_BINDIR
#error "PORUKANO_GUIDE_FROM_BINDIR names the installed guide relative to the executable's folder"
#endif
#ifndef PORUKANO_SOURCE_GUIDE
#error "PORUKANO_SOURCE_GUIDE names the guide in the source folder"
#endif

namespace {

// The address earlier versions stored as their default. It never named a real page.
constexpr std::string_view kFormerDefaultHelpUrl = "https://porukano.example.org/help/";

// The guide in the source folder; with the installed guide's path, only this program's defaults
// end with it.
constexpr std::string_view kSourceGuideTail = "/doc/guide/index.html";

// "/share/doc/porukano/index.html": the installed guide's path without the steps up from the
// executable's folder.
std::string InstalledGuideTail() {
    std::string_view tail = PORUKANO_GUIDE_FROM_BINDIR;
    while (tail.starts_with("../"))
        tail.remove_prefix(3);
    return "/" + std::string(tail);
}

std::string ExecutableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path(ec).string() : exe.parent_path().string();
}

bool IsFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

}  // namespace

std::string DefaultHelpUrl() {
    return UserGuideUrl(ExecutableFolder(), PORUKANO_SOURCE_GUIDE);
}

std::string UserGuideUrl(const std::string& executableFolder, const std::string& sourceGuide) {
    const std::filesystem::path installed =
        (std::filesystem::path(executableFolder) / PORUKANO_GUIDE_FROM_BINDIR).lexically_normal();
    if (!IsFile(installed) && !sourceGuide.empty() && IsFile(sourceGuide))
        return FileUrl(std::filesystem::path(sourceGuide).lexically_normal().string());
    return FileUrl(installed.string());
}

std::string FileUrl(const std::string& path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                           byte == '_' || byte == '~' || byte == '/';
        if (plain) {
            url.push_back(c);
        } else {
            url.push_back('%');
            url.push_back(kHex[byte >> 4]);
            url.push_back(kHex[byte & 0x0F]);
        }
    }
    return url;
}

bool IsProgramDefaultHelpUrl(const std::string& url) {
    if (url == kFormerDefaultHelpUrl)
        return true;
    if (!url.starts_with("file:///"))
        return false;
    return url.ends_with(kSourceGuideTail) || url.ends_with(InstalledGuideTail());
}

std::string HelpUrlFromOptionsFile(const std::string& stored) {
    return IsProgramDefaultHelpUrl(stored) ? DefaultHelpUrl() : stored;
}
