// Waits for the files of porukano-cli --watch to change: written in place, or replaced by an
// editor that writes a new file and renames it over the old one (so each file's folder is
// watched, not only the file). A burst of events, as one save may give, is one change.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class TInterruptSignals;

class TFileWatch {
  public:
    virtual ~TFileWatch() = default;
    // Blocks until some files changed and then settled, and returns their positions in the list
    // given to MakeFileWatch, in list order; std::nullopt once the run is interrupted.
    virtual std::optional<std::vector<std::size_t>> Wait() = 0;
};

// Starts watching files (native paths). interrupt ends a Wait; it must outlive the watch.
// nullptr when the system refuses, with the folder it refused in refused (empty when it refused
// watching at all) and the reason in errno.
std::unique_ptr<TFileWatch> MakeFileWatch(const std::vector<std::string>& files,
                                          const TInterruptSignals& interrupt, std::string& refused);
