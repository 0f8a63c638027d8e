#include "commands/preview_files.h"

#include <filesystem>
#include <system_error>

#include "engine/base/folders.h"
#include "engine/page/converter.h"
#include "engine/page/preview_sample.h"

namespace fs = std::filesystem;

namespace {

bool IsExistingFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::exists(path, ec) && !fs::is_directory(path, ec);
}

// Takes the previous file out of the way before it is written again, so that neither a
// read-only mode nor a link left in its place decides where the new bytes go. A folder of that
// name stays, and the write then fails.
void RemoveOldFile(const std::string& path) {
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(path, ec)))
        fs::remove(path, ec);
}

}  // namespace

TPreviewFiles PreviewFilesIn(const std::string& folder) {
    return {folder + kPreviewSourceName, folder + kPreviewPageName};
}

bool WritePreviewFiles(TEngineEnv& env, const std::string& inputPath, const TPreviewFiles& files,
                       TConversionEncodings& encodings) {
    RemoveOldFile(files.Source);
    if (env.Form.Checked("chkPreviewFromCnvFile") && IsExistingFile(inputPath)) {
        std::error_code ec;
        if (!fs::copy_file(inputPath, files.Source, fs::copy_options::overwrite_existing, ec))
            return false;
    } else if (!BuildPreviewSample(env, files.Source)) {
        return false;
    }
    RemoveOldFile(files.Page);
    bool usesLocalImages = false;
    ConvertTextFile(env, files.Source, files.Page, usesLocalImages, encodings);
    return true;
}

TPreviewFolder::~TPreviewFolder() {
    Remove();
}

const std::string& TPreviewFolder::Path() {
    std::error_code ec;
    if (path_.empty() || !fs::is_directory(path_, ec))
        path_ = MakePrivateFolder("porukano-preview-");
    return path_;
}

void TPreviewFolder::Remove() {
    if (path_.empty())
        return;
    std::error_code ec;
    fs::remove_all(path_, ec);
    path_.clear();
}
