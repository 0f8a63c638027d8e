// Where the program's own files live: porukano.ini with the options and the history of
// settings files, and last.prkn with the settings of the window's last close.
#pragma once

#include <string>

// What the choice of the folder looks at. Empty texts stand for unset variables.
struct TOptionsFolderClues {
    std::string PorukanoHome;      // $PORUKANO_HOME
    std::string ExecutableFolder;  // the folder of the running program
    std::string XdgConfigHome;     // $XDG_CONFIG_HOME
    std::string Home;              // $HOME, else the user's home in the password database
};

// The folder of the program's files, with a trailing "/", by the XDG Base Directory rules with
// two ways out before them:
// 1. PorukanoHome when set (tests, a copy carried on a stick);
// 2. ExecutableFolder when a porukano.ini stands there that the program can replace (an old
//    portable copy keeps its options; CanReplaceFile tells);
// 3. XdgConfigHome + "/porukano/" when XdgConfigHome is an absolute path (a relative one is
//    ignored, as the XDG rules say);
// 4. Home + "/.config/porukano/"; ExecutableFolder when there is no home either.
// The folder need not exist: the writers of its files make it (MakeFolderPath).
// Example: {"", "/usr/bin", "", "/home/u"} gives "/home/u/.config/porukano/".
std::string ChooseOptionsFolder(const TOptionsFolderClues& clues);

// The clues of this process (its environment, /proc/self/exe) and ChooseOptionsFolder's answer.
std::string FindOptionsFolder();
