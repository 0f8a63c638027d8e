// The window program run by a window test as a child process: it shows the preview, prints the
// preview's folder once the page has loaded, and runs until it is ended.
#pragma once

inline constexpr const char* kPreviewChildArgument = "--run-preview-until-signalled";

// argc and argv as the program's own, without the argument that chose this role.
int RunPreviewUntilSignalled(int argc, char** argv);
