#include "settings/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

bool WriteAllBytes(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a write to path lands in: the target of a symbolic link, else path itself.
std::filesystem::path WriteTarget(const std::string& path) {
    std::error_code ec;
    std::filesystem::path target(path);
    if (std::filesystem::is_symlink(target, ec)) {
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(target, ec);
        if (!ec)
            return canonical;
    }
    return target;
}

// Makes a file that replaces an existing one look like it: mode and, where allowed, owner.
void CopyFileAttributes(int fd, const struct stat* existing) {
    if (existing == nullptr) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
        return;
    }
    // Only a privileged writer can keep another user's ownership; otherwise the file becomes the
    // writer's own, as a newly created file would.
    const int kept = ::fchown(fd, existing->st_uid, existing->st_gid);
    static_cast<void>(kept);
    ::fchmod(fd, existing->st_mode & 07777);
}

// A read-only file is refused as the read-only attribute refuses it, also for root.
bool RefusesExistingFile(const std::filesystem::path& target, const struct stat& existing) {
    return !S_ISREG(existing.st_mode) || (existing.st_mode & 0222) == 0 ||
           ::access(target.c_str(), W_OK) != 0;
}

// Makes the temporary file that will replace target, beside it; its descriptor, or -1. name
// receives its path.
int MakeTemporaryBeside(const std::filesystem::path& target, std::vector<char>& name) {
    const std::string pattern =
        (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    name.assign(pattern.begin(), pattern.end());
    name.push_back('\0');
    return ::mkstemp(name.data());
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const TWriteChunk& write) {
    const std::filesystem::path target = WriteTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && RefusesExistingFile(target, existing))
        return false;
    const std::filesystem::path folder = target.parent_path();
    std::vector<char> name;
    const int fd = MakeTemporaryBeside(target, name);
    if (fd < 0)
        return false;
    const bool written = write ? write(fd, bytes) : WriteAllBytes(fd, bytes);
    bool ok = written && ::fsync(fd) == 0;
    if (ok)
        CopyFileAttributes(fd, exists ? &existing : nullptr);
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = ::rename(name.data(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(name.data());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool CanReplaceFile(const std::string& path) {
    const std::filesystem::path target = WriteTarget(path);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && RefusesExistingFile(target, existing))
        return false;
    std::vector<char> name;
    const int fd = MakeTemporaryBeside(target, name);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(name.data());
    return true;
}

bool DeleteFileReporting(const std::string& path, int& errorCode) {
    if (::unlink(path.c_str()) == 0)
        return true;
    errorCode = errno;
    return false;
}
