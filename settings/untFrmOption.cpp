#include "settings/untFrmOption.h"

#include <filesystem>
#include <system_error>

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"
#include "settings/settings_messages.h"

namespace {

// The folder of the path an edit holds, when it exists; the file dialog opens there. (The
// process's current folder is left alone: other commands resolve paths against it.)
std::string ExistingFolderOf(std::string_view sjisPath) {
    const std::string folder = FolderPartOf(SjisPathToNative(sjisPath));
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec) ? folder : std::string();
}

// Puts a chosen native path into an edit, which holds Shift_JIS.
void SetPathText(TForm& dialog, const char* edit, const std::string& path, TPlatform& platform) {
    if (const std::optional<std::string> sjis = Utf8ToSjis(path)) {
        dialog.SetText(edit, *sjis);
    } else {
        ShowPathWithoutSjisForm(platform, path);
    }
}

}  // namespace

bool btnOKClick(TForm& dialog, TOption& options, const std::string& optionsFolder,
                TPlatform& platform) {
    ApplyOptionDialog(dialog, options);
    switch (WriteOptionsFile(OptionsFilePath(optionsFolder), options, platform)) {
        case TProfileWriteResult::Written:
            return true;
        case TProfileWriteResult::NotOpened:
            ShowOk(platform, TMessageKind::Warning, Sjis("設定の保存に失敗しました。"));
            return true;
        case TProfileWriteResult::Refused:
            return false;
    }
    return false;
}

void btnCancelClick(TForm& dialog, TOption& options, const std::string& optionsFolder,
                    TPlatform& platform) {
    ReadOptions(OptionsFilePath(optionsFolder), dialog, options, platform);
}

void btnRknRefClick(TForm& dialog, TPlatform& platform) {
    const std::string chosen =
        ChooseSettingsOpenPath(platform, ExistingFolderOf(dialog.Text("edtStartRknPath")));
    if (!chosen.empty())
        SetPathText(dialog, "edtStartRknPath", chosen, platform);
}

void btnBrowserRefClick(TForm& dialog, TPlatform& platform) {
    TFileDialogRequest request;
    // Programs on this system have no ".exe": every file is listed.
    request.Filter = Sjis("ブラウザ(*)|*");
    request.InitialFolder = ExistingFolderOf(dialog.Text("edtBrowserPath"));
    const std::optional<std::string> chosen = platform.OpenFileDialog(request);
    if (chosen && !chosen->empty())
        SetPathText(dialog, "edtBrowserPath", *chosen, platform);
}
