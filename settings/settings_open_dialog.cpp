// The open dialog for settings files, and the caption that names the settings file in use.
#include "engine/base/file_paths.h"
#include "engine/base/identity.h"
#include "engine/text/encoding.h"
#include "settings/settings_file.h"

std::string SettingsCaption(const std::string& nativePath) {
    return Sjis(kIdentityUtf8) + " - " + PathForMessage(FileNamePartOf(nativePath));
}

std::string ChooseSettingsOpenPath(TPlatform& platform, const std::string& initialFolder) {
    TFileDialogRequest request;
    request.Filter = Sjis("変換設定ファイル(*.prkn,*.rkn)|*.prkn;*.rkn");
    request.InitialFolder = initialFolder;
    std::optional<std::string> chosen = platform.OpenFileDialog(request);
    return chosen ? *std::move(chosen) : std::string();
}
