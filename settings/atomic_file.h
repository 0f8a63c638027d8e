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

// True when ReplaceFileAtomically would not refuse path for want of permission: path is missing
// or a regular file that is not read-only, and a file can be made in its folder. The folder is
// tried by making its temporary file there and removing it again, so the answer is true for
// root as well: a folder of mode 0555 is writable to root, a read-only mount or /proc to nobody.
bool CanReplaceFile(const std::string& path);

// Deletes a file; on failure returns false and sets errorCode to the system's error number.
bool DeleteFileReporting(const std::string& path, int& errorCode);
