// Folders the program makes: the folder of its own files on their first write, and a private
// folder of one run for files nobody else may see.
#pragma once

#include <string>
#include <string_view>

// Makes folder and every missing folder above it, each with mode 0700 (as the XDG Base
// Directory rules ask of a folder made on the first write). True when folder exists as a folder
// afterwards, also when it was there before.
bool MakeFolderPath(const std::string& folder);

// Makes a new folder that only this user can enter (mode 0700), with a name of its own that no
// other run shares: prefix followed by six random characters, in $XDG_RUNTIME_DIR when that is
// an absolute path where a folder can be made, otherwise in the temporary folder ($TMPDIR, else
// /tmp). Returns its native path with a trailing "/", or an empty string when no folder could be
// made. Example: MakePrivateFolder("porukano-preview-") may give
// "/run/user/1000/porukano-preview-Xa81Qz/".
std::string MakePrivateFolder(std::string_view prefix);
