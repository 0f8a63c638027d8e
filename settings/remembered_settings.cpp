#include "settings/remembered_settings.h"

#include "engine/base/file_paths.h"
#include "engine/base/folders.h"
#include "engine/text/encoding.h"
#include "settings/profile_file.h"
#include "settings/settings_file.h"
#include "settings/settings_messages.h"

namespace {

// Passes everything on but the messages, which it drops: the reader's own message about a bad
// value would be the first of two, and the user is told once, by LoadRememberedSettings.
class TMutedPlatform : public TPlatform {
  public:
    explicit TMutedPlatform(TPlatform& inner) : inner_(inner) {}

    TMessageButton ShowMessage(TMessageKind, std::string_view, unsigned) override { return mbOK; }
    std::optional<std::string> OpenFileDialog(const TFileDialogRequest& request) override {
        return inner_.OpenFileDialog(request);
    }
    std::optional<std::string> SaveFileDialog(const TFileDialogRequest& request) override {
        return inner_.SaveFileDialog(request);
    }
    std::optional<TColor> ColorDialog(TColor initial) override {
        return inner_.ColorDialog(initial);
    }
    void OpenWithAssociatedProgram(const std::string& pathOrUrl) override {
        inner_.OpenWithAssociatedProgram(pathOrUrl);
    }
    void RunCommandLine(const std::string& commandLine) override {
        inner_.RunCommandLine(commandLine);
    }
    void SetBusyCursor(bool busy) override { inner_.SetBusyCursor(busy); }
    void Repaint() override { inner_.Repaint(); }

  private:
    TPlatform& inner_;
};

void ShowCannotLoadRemembered(TPlatform& platform, const std::string& path) {
    ShowOk(platform, TMessageKind::Warning,
           Sjis("前回終了時の変換設定：\r\n\t") + PathForMessage(path) +
               Sjis("\r\nが読み込めません。初期の設定で起動します。"));
}

}  // namespace

std::string RememberedSettingsPath(const std::string& optionsFolder) {
    return optionsFolder + "last.prkn";
}

bool SaveRememberedSettings(TSettingsEnv& env) {
    TProfileFile profile;
    if (!WriteControlsProfile(profile, env.MainWindow, env.Platform))
        return false;
    const std::string& folder = env.State.OptionsFolder;
    const std::string path = RememberedSettingsPath(folder);
    if ((folder.empty() || MakeFolderPath(folder)) && profile.Save(path))
        return true;
    ShowCannotWrite(env.Platform, path);
    return false;
}

bool LoadRememberedSettings(TSettingsEnv& env) {
    const std::string path = RememberedSettingsPath(env.State.OptionsFolder);
    TProfileFile remembered;
    switch (remembered.Load(path)) {
        case TProfileOpenResult::Missing:
            return false;
        case TProfileOpenResult::Unreadable:
            ShowCannotLoadRemembered(env.Platform, path);
            return false;
        case TProfileOpenResult::Opened:
            break;
    }
    if (!remembered.Find("main", "SoftVer")) {
        ShowCannotLoadRemembered(env.Platform, path);
        return false;
    }
    // A load stopped part way has applied the keys before the bad one: the window's own
    // settings, taken first, are put back whole.
    TMutedPlatform muted(env.Platform);
    TSettingsEnv quiet{env.MainWindow, muted, env.State, env.History, env.BuildPreview};
    TProfileFile before;
    const std::string caption = env.MainWindow.Text("frmMain");
    if (!WriteControlsProfile(before, env.MainWindow, env.Platform))
        return false;
    const bool loaded = LoadSettingsProfile(quiet, remembered, path) == TLoadResult::Loaded;
    if (!loaded)
        LoadSettingsProfile(quiet, before, path);
    env.MainWindow.SetText("frmMain", caption);
    if (!loaded)
        ShowCannotLoadRemembered(env.Platform, path);
    return loaded;
}
