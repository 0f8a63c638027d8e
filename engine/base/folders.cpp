#include "engine/base/folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

namespace {

// mkdtemp in parent; the folder with a trailing "/", or empty.
std::string MakeUniqueFolderIn(const fs::path& parent, std::string_view prefix) {
    std::string pattern = (parent / (std::string(prefix) + "XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        return {};
    return std::string(name.data()) + "/";
}

}  // namespace

bool MakeFolderPath(const std::string& folder) {
    std::error_code ec;
    const fs::path path = fs::path(folder).lexically_normal();
    if (fs::is_directory(path, ec))
        return true;
    fs::path made;
    for (const fs::path& part : path) {
        made /= part;
        if (part.empty() || part == made.root_path())
            continue;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return fs::is_directory(path, ec);
}

std::string MakePrivateFolder(std::string_view prefix) {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && fs::path(runtime).is_absolute()) {
        if (std::string folder = MakeUniqueFolderIn(runtime, prefix); !folder.empty())
            return folder;
    }
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    return MakeUniqueFolderIn(ec ? fs::path("/tmp") : temp, prefix);
}
