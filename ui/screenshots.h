// Pictures of every window for checking the layout: with PORUKANO_SCREENSHOTS set to a folder,
// the program shows each window (the main window on each of its pages) in turn, saves what it
// draws as PNG files there, and ends.
#pragma once

#include <QString>

class TDesktopProgram;

// Returns the exit code: 0 when every picture was saved.
int SaveScreenshots(TDesktopProgram& program, const QString& folder);
