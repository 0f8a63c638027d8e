// Why a file could not be opened, read or written, told in the words the failure messages add
// after their own text. The cause is the errno value met where the failure happened; the file
// system is looked at only to tell a page's missing folder from a refused one.
#pragma once

#include <string>

enum class TFileUse {
    Read,   // an input text read
    Write,  // a page (or another output file) created and written
};

// The reason in Shift_JIS, one sentence such as "ファイルが存在しません。", for error met on path
// used as use; the system's own description for a cause without words of its own; empty when
// error is 0 (nothing known).
std::string FileFailureReason(int error, TFileUse use, const std::string& path);

// The reason for a page that would overwrite the text it is made from.
std::string SameFileReason();
