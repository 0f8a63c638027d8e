#include "ui/desktop_program.h"

int main(int argc, char** argv) {
    return RunDesktopProgram(argc, argv);
}
