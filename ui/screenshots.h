// Pictures of every window for checking the layout, for porukano-screenshots (not part of the
// installed program): shows each window (the main window on each of its pages) in turn and saves
// what it draws as PNG files in a folder.
#pragma once

#include <QString>

class TDesktopProgram;

// Returns the exit code: 0 when every picture was saved.
int SaveScreenshots(TDesktopProgram& program, const QString& folder);
