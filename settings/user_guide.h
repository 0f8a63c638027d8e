// The user guide installed with the program, and the help address that opens it.
//
// The guide is a page on the disk, so help works without a network: installed, it lies beside
// the program in <prefix>/share/doc/porukano/index.html; run from the build folder, the program
// opens the copy in its source folder.
#pragma once

#include <string>

// The address the help command opens while the options file names none of its own: the user
// guide of the running program, found from the folder of its executable (UserGuideUrl).
std::string DefaultHelpUrl();

// The user guide of a program whose executable lies in executableFolder:
// - the installed copy, executableFolder/../share/doc/porukano/index.html, when it exists;
// - otherwise sourceGuide when it is not empty and exists (a program run from its build folder);
// - otherwise the installed copy's address all the same, so the browser names what is missing.
// Example: UserGuideUrl("/usr/bin/", "") gives "file:///usr/share/doc/porukano/index.html".
std::string UserGuideUrl(const std::string& executableFolder, const std::string& sourceGuide);

// The file:// address of an absolute native path; every byte but A-Z a-z 0-9 - . _ ~ / is
// percent-encoded, so the address is plain ASCII (and the same in Shift_JIS).
std::string FileUrl(const std::string& path);

// True for a help address that only this program writes as its default: the web address earlier
// versions used, or the address of a user guide of this program wherever it was installed or
// built. The close steps store the help address every time, so a stored default goes stale when
// the program moves; such an address is read as "the default" and resolved afresh.
bool IsProgramDefaultHelpUrl(const std::string& url);

// The help address an options file's [Help] Url stands for: DefaultHelpUrl() for a program's
// default (IsProgramDefaultHelpUrl), the stored text itself for any other, the empty text
// included (the help command then opens nothing).
std::string HelpUrlFromOptionsFile(const std::string& stored);
