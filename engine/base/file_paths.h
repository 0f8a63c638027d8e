// Native file-system paths: their parts, and their Shift_JIS forms for messages and settings.
// A native path is UTF-8 with "/" between folders.
#pragma once

#include <string>
#include <string_view>

// A native path for a message: CP932 where it has a form, "?" for a character without one.
std::string PathForMessage(std::string_view nativePath);

// The native path of a path held in Shift_JIS (a label's caption, a settings file value), or
// U+FFFD for a byte that is no CP932 character.
std::string SjisPathToNative(std::string_view sjisPath);

// The file-name part of a native path (after the last separator) and the folder part (up to and
// including it).
std::string FileNamePartOf(std::string_view nativePath);
std::string FolderPartOf(std::string_view nativePath);

// A native path made absolute against the current folder, with its "." steps left out; ".."
// stays, since a link before it would make the shortened path name another file. An absolute
// path comes back unchanged but for its "." steps; an empty one stays empty.
// Example: in /home/u, "./doc/a.txt" gives "/home/u/doc/a.txt".
std::string AbsolutePath(std::string_view nativePath);

// The extension of the file name of a native path, from its last "." on; empty without one.
// Example: "/d.ir/x.y.txt" gives ".txt", "/d.ir/readme" gives "".
std::string ExtensionOf(std::string_view nativePath);
