// The file watch where the system offers no change notification porukano-cli uses: each file's
// type, size and time of last writing are compared every few tenths of a second. A change is
// reported once a look finds nothing further changed, so that a save in progress is not taken.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <thread>

#include "cli/file_watch.h"
#include "cli/terminal_platform.h"

namespace {

constexpr auto kLookEvery = std::chrono::milliseconds(300);
// Sleeps are cut into steps this long so that an interrupt ends a wait soon.
constexpr auto kStep = std::chrono::milliseconds(50);

struct TFileLook {
    std::filesystem::file_type Type = std::filesystem::file_type::none;
    std::uintmax_t Size = 0;
    std::filesystem::file_time_type Written{};
    bool operator==(const TFileLook&) const = default;
};

TFileLook Look(const std::string& path) {
    std::error_code ec;
    TFileLook look;
    look.Type = std::filesystem::status(path, ec).type();
    if (look.Type == std::filesystem::file_type::regular) {
        look.Size = std::filesystem::file_size(path, ec);
        look.Written = std::filesystem::last_write_time(path, ec);
    }
    return look;
}

class TPollingWatch : public TFileWatch {
  public:
    TPollingWatch(const std::vector<std::string>& files, const TInterruptSignals& interrupt)
        : files_(files), interrupt_(interrupt) {
        for (const std::string& file : files_)
            looks_.push_back(Look(file));
    }

    std::optional<std::vector<std::size_t>> Wait() override {
        std::vector<std::size_t> changed;
        while (true) {
            for (auto slept = std::chrono::milliseconds(0); slept < kLookEvery; slept += kStep) {
                if (interrupt_.Interrupted())
                    return std::nullopt;
                std::this_thread::sleep_for(kStep);
            }
            bool settled = true;
            for (std::size_t i = 0; i < files_.size(); ++i) {
                TFileLook now = Look(files_[i]);
                if (now == looks_[i])
                    continue;
                looks_[i] = now;
                settled = false;
                if (std::find(changed.begin(), changed.end(), i) == changed.end())
                    changed.push_back(i);
            }
            if (settled && !changed.empty()) {
                std::sort(changed.begin(), changed.end());
                return changed;
            }
        }
    }

  private:
    std::vector<std::string> files_;
    const TInterruptSignals& interrupt_;
    std::vector<TFileLook> looks_;
};

}  // namespace

std::unique_ptr<TFileWatch> MakeFileWatch(const std::vector<std::string>& files,
                                          const TInterruptSignals& interrupt,
                                          std::string& refused) {
    // As inotify does, a file whose folder is missing is refused: nothing could appear in it.
    for (const std::string& file : files) {
        std::filesystem::path folder = std::filesystem::path(file).parent_path();
        if (folder.empty())
            folder = ".";
        std::error_code ec;
        if (!std::filesystem::is_directory(folder, ec)) {
            refused = folder.string();
            errno = ENOENT;
            return nullptr;
        }
    }
    return std::make_unique<TPollingWatch>(files, interrupt);
}
