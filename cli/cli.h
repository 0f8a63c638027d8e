// porukano-cli as a function, so that tests can run it and read what it printed.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs the command line args (without the program name). Pages go to files or to out, messages
// and the progress bar (when progressAllowed, normally "standard error is a terminal") to err.
// Returns 0 when every file converted, 1 when any failed, 2 for bad usage.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool progressAllowed);
