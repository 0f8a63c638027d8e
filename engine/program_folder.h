// The folder that holds the program, where porukano.ini and the preview's files live.
#pragma once

#include <string>

// PORUKANO_HOME when set (tests, read-only installs), otherwise the folder of the running
// executable; always with a trailing separator.
std::string FindProgramFolder();
