#include "settings/untIniOption.h"

#include "engine/base/file_paths.h"
#include "engine/base/folders.h"
#include "settings/profile_file.h"
#include "settings/settings_messages.h"

namespace {

constexpr const char* kAppVer = "0.731";

// Reads the options file; false (with the message) when it exists but cannot be read.
bool OpenOptions(const std::string& path, TProfileFile& profile, TPlatform& platform) {
    if (profile.Load(path) == TProfileOpenResult::Unreadable) {
        ShowCannotOpenSettings(platform, path);
        return false;
    }
    return true;
}

}  // namespace

std::string OptionsFilePath(const std::string& optionsFolder) {
    return optionsFolder + "porukano.ini";
}

bool SaveOptionsProfile(const std::string& path, const TProfileFile& profile, TPlatform& platform) {
    const std::string folder = FolderPartOf(path);
    if ((folder.empty() || MakeFolderPath(folder)) && profile.Save(path))
        return true;
    ShowCannotWrite(platform, path);
    return false;
}

bool ReadOptions(const std::string& path, TForm& dialog, TOption& options, TPlatform& platform) {
    TProfileFile p;
    if (!OpenOptions(path, p, platform))
        return false;
    dialog.SetText("edtStartRknPath", p.ReadString("Start", "StartRknFile", ""));
    dialog.SetChecked("chkSCnvDialogUnvisible", p.ReadBool("Start", "CnvDialogUnvisible", false));
    dialog.SetChecked("chkRememberSettings", p.ReadBool("Start", "RememberSettings", true));
    dialog.SetItemIndex("cmbExtension", p.ReadInteger("Save", "Extension", 0));
    dialog.SetChecked("chkOverWrite", p.ReadBool("Save", "OverWrite", false));
    dialog.SetChecked("chkNoDialog", p.ReadBool("Save", "NoDialog", false));
    dialog.SetText("edtBrowserPath", p.ReadString("Browser", "BrowserPath", ""));
    options.Url = HelpUrlFromOptionsFile(p.ReadString("Help", "Url", DefaultHelpUrl()));
    return true;
}

const TOption& ApplyOptionDialog(const TForm& dialog, TOption& options) {
    options.StartRknFile = dialog.Text("edtStartRknPath");
    options.CnvDialogUnvisible = dialog.Checked("chkSCnvDialogUnvisible");
    options.RememberSettings = dialog.Checked("chkRememberSettings");
    options.Extension = dialog.ItemIndex("cmbExtension");
    options.OverWrite = dialog.Checked("chkOverWrite");
    options.NoDialog = dialog.Checked("chkNoDialog");
    options.BrowserPath = dialog.Text("edtBrowserPath");
    return options;
}

TProfileWriteResult WriteOptionsFile(const std::string& path, const TOption& options,
                                     TPlatform& platform) {
    TProfileFile p;
    if (!OpenOptions(path, p, platform))
        return TProfileWriteResult::NotOpened;
    p.WriteString("main", "AppVer", kAppVer);
    p.WriteString("Start", "StartRknFile", options.StartRknFile);
    p.WriteBool("Start", "CnvDialogUnvisible", options.CnvDialogUnvisible);
    p.WriteBool("Start", "RememberSettings", options.RememberSettings);
    p.WriteInteger("Save", "Extension", options.Extension);
    p.WriteBool("Save", "OverWrite", options.OverWrite);
    p.WriteBool("Save", "NoDialog", options.NoDialog);
    p.WriteString("Browser", "BrowserPath", options.BrowserPath);
    return SaveOptionsProfile(path, p, platform) ? TProfileWriteResult::Written
                                                 : TProfileWriteResult::Refused;
}

bool WriteOptions(const std::string& path, const TOption& options, TPlatform& platform) {
    return WriteOptionsFile(path, options, platform) == TProfileWriteResult::Written;
}

bool WriteClosingOptions(const std::string& path, const TForm& mainWindow, const TOption& options,
                         TPlatform& platform) {
    TProfileFile p;
    if (!OpenOptions(path, p, platform))
        return false;
    p.WriteString("main", "AppVer", kAppVer);
    p.WriteBool("main", "BrowserView", mainWindow.Checked("chkbxPreview"));
    p.WriteString("Help", "Url", options.Url);
    return SaveOptionsProfile(path, p, platform);
}

bool ReadBrowserView(const std::string& path, TForm& mainWindow, TPlatform& platform) {
    TProfileFile p;
    if (!OpenOptions(path, p, platform))
        return false;
    mainWindow.SetChecked("chkbxPreview", p.ReadBool("main", "BrowserView", false));
    return true;
}
