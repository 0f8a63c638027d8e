// Counting the lines of the rest of a text file, over two threads where it is long: the count
// comes before the conversion (for its progress display), so that no other core works meanwhile.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// The line feeds of a stretch of a text file, up to the byte 0x1A that ends its text.
struct TLineFeedCount {
    long long LineFeeds = 0;
    bool Any = false;      // some bytes were counted
    bool Partial = false;  // the last byte counted is no LF
    bool Ended = false;    // a byte 0x1A was found: the text ends there
    int Error = 0;         // the errno of a failed read, else 0

    // Counts the next size bytes of the file, up to a byte 0x1A; returns how many it counted.
    std::size_t Add(const char* bytes, std::size_t size);
    // Adds the count of the stretch that follows this one, which has not ended the text.
    void Append(const TLineFeedCount& next);
    // The lines the line reader will split the bytes counted into.
    long long Lines() const { return LineFeeds + (Partial ? 1 : 0); }
};

// Counts the file open as file (at the native path path) from where it stands to its end, or to
// its first byte 0x1A. When at least splitFrom bytes are left, the second half is counted on a
// thread of its own, through a second handle.
TLineFeedCount CountRestOfFile(std::FILE* file, const std::string& path, std::uintmax_t splitFrom);
