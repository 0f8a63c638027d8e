// Replacing a file so that a crash or a full disk in the middle never leaves it half-written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Writes all of bytes to the open file descriptor; false on any failure. The default writes
// with ::write; tests pass one that fails part way to see that the old file survives.
using TWriteChunk = std::function<bool(int fd, std::string_view bytes)>;

// Writes bytes to a temporary file beside path, flushes it to disk and renames it over path (a
// symbolic link is followed, so the file it names is replaced). The file keeps its permissions
// and, where allowed, its owner. Refused, with false and the old file untouched: an existing file
// that is read-only or not a regular file, a folder that does not exist or cannot be written,
// and any failed write, flush or rename.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const TWriteChunk& write = {});

// Deletes a file; on failure returns false and sets errorCode to the system's error number.
bool DeleteFileReporting(const std::string& path, int& errorCode);
