// The preview's two temporary files in the program's folder: the source text and the page
// converted from it. Their names begin with a dot: that is how a Linux desktop hides a file, so
// they stay out of sight in the folder as long as they exist. The close box deletes them.
#pragma once

#include <string>

#include "engine/converter.h"
#include "engine/engine_env.h"

inline constexpr const char* kPreviewSourceName = ".pretmp.txt";
inline constexpr const char* kPreviewPageName = ".pretmp.htm";

struct TPreviewFiles {
    std::string Source;  // native paths
    std::string Page;
};

// The two files in a folder given with its trailing separator.
TPreviewFiles PreviewFilesIn(const std::string& folder);

// Writes both files afresh. The source is a copy of the file at inputPath (native) when the
// main window's chkPreviewFromCnvFile is ticked and inputPath names an existing file, and the
// sample text otherwise. The page is converted from it with the window's settings by the
// ordinary driver, which reports its own failures; its result does not matter here. False, with
// the page untouched, when the source could not be written.
// encodings tells what the page was converted from and into, for serving it with its charset.
bool WritePreviewFiles(TEngineEnv& env, const std::string& inputPath, const TPreviewFiles& files,
                       TConversionEncodings& encodings);

// Deletes both files in folder where they exist.
void RemovePreviewFiles(const std::string& folder);
