// The preview's two temporary files, the source text and the page converted from it, and the
// folder they live in: one made for the run that only its user can enter, so that no other
// window or user ever reads or overwrites them. The folder goes at the end of the run.
#pragma once

#include <string>

#include "engine/base/engine_env.h"
#include "engine/page/converter.h"

inline constexpr const char* kPreviewSourceName = "pretmp.txt";
inline constexpr const char* kPreviewPageName = "pretmp.htm";

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

// The private folder of one run's preview files (MakePrivateFolder, "porukano-preview-...").
// It is made when first asked for and removed with everything in it by Remove() (the close
// steps) or by the destructor, so the files go at every normal end of the program, "終了"
// included.
class TPreviewFolder {
  public:
    TPreviewFolder() = default;
    ~TPreviewFolder();
    TPreviewFolder(const TPreviewFolder&) = delete;
    TPreviewFolder& operator=(const TPreviewFolder&) = delete;

    // The folder (native, with a trailing "/"), made on the first call, and again when it has
    // been removed since; empty when no folder could be made.
    const std::string& Path();
    // Deletes the folder and its files; nothing when there is none.
    void Remove();

  private:
    std::string path_;
};
