// porukano-screenshots FOLDER: the desktop program's windows drawn one after another and saved as
// PNG files in FOLDER, then the end (scripts/screenshots runs it on a virtual display).
#include <QString>

#include <cstdio>

#include "ui/desktop_program.h"
#include "ui/screenshots.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: porukano-screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    // The folder is no file for the batch conversion: the program sees only its own name.
    return RunDesktopProgram(
        1, argv, [&folder](TDesktopProgram& program) { return SaveScreenshots(program, folder); });
}
