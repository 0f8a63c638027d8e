// The file watch on Linux: inotify on the folder of each file, which sees a file written in place
// (closed after writing) and a file renamed or created in its place, and the self-pipe of the
// interrupt signals in the same poll().
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <filesystem>

#include "cli/file_watch.h"
#include "cli/terminal_platform.h"

namespace {

// An event that may be a file's new content.
constexpr std::uint32_t kChangeEvents = IN_CLOSE_WRITE | IN_MOVED_TO | IN_CREATE;
// Quiet this long after an event, the burst it began is over (an editor's save is a few events
// within milliseconds); a file written without pause is still converted this often.
constexpr auto kSettle = std::chrono::milliseconds(150);
constexpr auto kLongestBurst = std::chrono::seconds(2);

struct TWatchedFile {
    int Folder;  // the folder's watch descriptor; the kernel gives one per folder
    std::string Name;
};

class TInotifyWatch : public TFileWatch {
  public:
    TInotifyWatch(int fd, std::vector<TWatchedFile> files, const TInterruptSignals& interrupt)
        : fd_(fd), files_(std::move(files)), interrupt_(interrupt) {}
    ~TInotifyWatch() override { close(fd_); }

    std::optional<std::vector<std::size_t>> Wait() override {
        std::vector<bool> changed(files_.size(), false);
        std::optional<std::chrono::steady_clock::time_point> burstStart;
        while (!interrupt_.Interrupted()) {
            int timeout = -1;
            if (burstStart) {
                if (std::chrono::steady_clock::now() - *burstStart > kLongestBurst)
                    return Positions(changed);
                timeout = static_cast<int>(kSettle.count());
            }
            std::array<pollfd, 2> fds = {pollfd{fd_, POLLIN, 0},
                                         pollfd{interrupt_.ReadableWhenInterrupted(), POLLIN, 0}};
            const int ready = poll(fds.data(), fds[1].fd >= 0 ? 2 : 1, timeout);
            if (ready < 0 && errno != EINTR)
                return std::nullopt;
            if (ready == 0)
                return Positions(changed);
            if (ready > 0 && (fds[0].revents & POLLIN) && ReadEvents(changed) && !burstStart)
                burstStart = std::chrono::steady_clock::now();
        }
        return std::nullopt;
    }

  private:
    static std::vector<std::size_t> Positions(const std::vector<bool>& changed) {
        std::vector<std::size_t> positions;
        for (std::size_t i = 0; i < changed.size(); ++i) {
            if (changed[i])
                positions.push_back(i);
        }
        return positions;
    }

    // Reads the waiting events and marks the files they name; true when any was marked.
    bool ReadEvents(std::vector<bool>& changed) {
        alignas(inotify_event) char buffer[16 * (sizeof(inotify_event) + NAME_MAX + 1)];
        const ssize_t length = read(fd_, buffer, sizeof buffer);
        bool any = false;
        for (ssize_t at = 0; length > 0 && at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            for (std::size_t i = 0; i < files_.size(); ++i) {
                // Events were lost: any file may have changed.
                const bool overflow = (event->mask & IN_Q_OVERFLOW) != 0;
                if (overflow || ((event->mask & kChangeEvents) && event->wd == files_[i].Folder &&
                                 event->len > 0 && files_[i].Name == event->name)) {
                    changed[i] = true;
                    any = true;
                }
            }
        }
        return any;
    }

    int fd_;
    std::vector<TWatchedFile> files_;
    const TInterruptSignals& interrupt_;
};

}  // namespace

std::unique_ptr<TFileWatch> MakeFileWatch(const std::vector<std::string>& files,
                                          const TInterruptSignals& interrupt,
                                          std::string& refused) {
    const int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    std::vector<TWatchedFile> watched;
    for (const std::string& file : files) {
        const std::filesystem::path path(file);
        std::filesystem::path folder = path.parent_path();
        if (folder.empty())
            folder = ".";
        const int wd = inotify_add_watch(fd, folder.c_str(), kChangeEvents | IN_ONLYDIR);
        if (wd < 0) {
            const int error = errno;
            refused = folder.string();
            close(fd);
            errno = error;
            return nullptr;
        }
        watched.push_back({wd, path.filename().string()});
    }
    return std::make_unique<TInotifyWatch>(fd, std::move(watched), interrupt);
}
