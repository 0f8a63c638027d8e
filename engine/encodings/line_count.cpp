#include "engine/encodings/line_count.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "engine/encodings/line_feeds.h"

namespace {

constexpr std::size_t kChunk = 1 << 16;

// Counts up to length bytes of file from where it stands (all of the rest when length is
// std::nullopt).
TLineFeedCount CountStretch(std::FILE* file, std::optional<std::uintmax_t> length) {
    TLineFeedCount count;
    std::vector<char> buffer(kChunk);
    while (!length || *length > 0) {
        const std::size_t want =
            length ? static_cast<std::size_t>(std::min<std::uintmax_t>(*length, kChunk)) : kChunk;
        const std::size_t n = std::fread(buffer.data(), 1, want, file);
        if (n < want && std::ferror(file)) {
            count.Error = errno;
            return count;
        }
        count.Add(buffer.data(), n);
        if (count.Ended || n < want)
            break;
        if (length)
            *length -= n;
    }
    return count;
}

// The second half: from offset to the end, through a handle of its own; std::nullopt when the
// file cannot be opened again there (then the first handle counts it).
std::optional<TLineFeedCount> CountFrom(const std::string& path, long offset) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file || std::fseek(file.get(), offset, SEEK_SET) != 0)
        return std::nullopt;
    return CountStretch(file.get(), std::nullopt);
}

}  // namespace

std::size_t TLineFeedCount::Add(const char* bytes, std::size_t size) {
    if (const void* sub = std::memchr(bytes, 0x1A, size)) {
        size = static_cast<const char*>(sub) - bytes;
        Ended = true;
    }
    if (size > 0) {
        LineFeeds += CountLineFeeds(bytes, bytes + size);
        Any = true;
        Partial = bytes[size - 1] != '\n';
    }
    return size;
}

void TLineFeedCount::Append(const TLineFeedCount& next) {
    LineFeeds += next.LineFeeds;
    if (next.Any)
        Partial = next.Partial;
    Any = Any || next.Any;
    Ended = next.Ended;
    Error = next.Error;
}

TLineFeedCount CountRestOfFile(std::FILE* file, const std::string& path, std::uintmax_t splitFrom) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    const long at = std::ftell(file);
    // std::fseek takes a long: a file too big for one is counted on one thread.
    if (ec || at < 0 || size < static_cast<std::uintmax_t>(at) ||
        size - static_cast<std::uintmax_t>(at) < splitFrom ||
        size > static_cast<std::uintmax_t>(std::numeric_limits<long>::max()))
        return CountStretch(file, std::nullopt);
    const std::uintmax_t firstHalf = (size - at) / 2;
    std::future<std::optional<TLineFeedCount>> second;
    try {
        second = std::async(std::launch::async, CountFrom, path, static_cast<long>(at + firstHalf));
    } catch (const std::system_error&) {
        return CountStretch(file, std::nullopt);
    }
    TLineFeedCount count = CountStretch(file, firstHalf);
    const std::optional<TLineFeedCount> counted = second.get();
    if (count.Error == 0 && !count.Ended)
        count.Append(counted ? *counted : CountStretch(file, std::nullopt));
    return count;
}
