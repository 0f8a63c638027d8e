// The two conversions: a text file into an HTML file, and lines held in memory into lines for
// pasting. Both take a fresh settings snapshot from the main window and report their failures in
// message boxes before returning false.
#pragma once

#include <string>
#include <vector>

#include "engine/engine_env.h"

// Converts the file at inputPath into outputPath (native paths). True when the whole document was
// written; then usesLocalImages tells whether the page may refer to local image files.
bool ConvertTextFile(TEngineEnv& env, const std::string& inputPath, const std::string& outputPath,
                     bool& usesLocalImages);

// Converts header, input and footer lines into out (cleared first); in modes 1 and 2 a marker
// block with the stylesheet comes first. False only when the settings cannot be used.
bool ConvertTextBoxText(TEngineEnv& env, std::vector<std::string>& out,
                        const std::vector<std::string>& inputLines);
