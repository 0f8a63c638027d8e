#include <unistd.h>

#include <iostream>

#include "cli/cli.h"

int main(int argc, char** argv) {
    return RunCli({argv + 1, argv + argc}, std::cin, std::cout, std::cerr, isatty(2) == 1);
}
