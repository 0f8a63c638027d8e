#include "settings/untFileHistory.h"

#include "engine/base/file_paths.h"
#include "engine/text/encoding.h"
#include "settings/profile_file.h"
#include "settings/settings_messages.h"
#include "settings/untIniOption.h"

namespace {

constexpr const char* kSection = "FileHistory";

std::string HistoryKey(int position) {
    return "History" + std::to_string(position + 1);
}

}  // namespace

bool LoadHistory(const std::string& optionsPath, TSettingsHistory& history, TPlatform& platform) {
    TProfileFile profile;
    if (profile.Load(optionsPath) == TProfileOpenResult::Unreadable) {
        ShowCannotOpenSettings(platform, optionsPath);
        return false;
    }
    for (int i = 0; i < kSettingsHistorySize; ++i)
        history[i].Path = SjisPathToNative(profile.ReadString(kSection, HistoryKey(i), ""));
    return true;
}

bool SaveHistory(const std::string& optionsPath, const TSettingsHistory& history,
                 TPlatform& platform) {
    TProfileFile profile;
    if (profile.Load(optionsPath) == TProfileOpenResult::Unreadable) {
        ShowCannotOpenSettings(platform, optionsPath);
        return false;
    }
    for (int i = 0; i < kSettingsHistorySize; ++i) {
        const std::optional<std::string> sjis = Utf8ToSjis(history[i].Path);
        profile.WriteString(kSection, HistoryKey(i), sjis ? *sjis : std::string());
    }
    return SaveOptionsProfile(optionsPath, profile, platform);
}

void AddToHistory(TSettingsHistory& history, const std::string& path) {
    int hit = kSettingsHistorySize - 1;  // without a hit the last entry falls out
    for (int i = 0; i < kSettingsHistorySize; ++i) {
        if (history[i].Path == path) {
            hit = i;
            break;
        }
    }
    for (int j = hit - 1; j >= 0; --j)
        history[j + 1] = history[j];
    history[0].Path = path;
}

void ShowHistoryInMenu(const TSettingsHistory& history, TForm& mainWindow) {
    for (int k = 1; k <= kSettingsHistorySize; ++k) {
        const std::string item = "mitmPrknHis" + std::to_string(k);
        if (!mainWindow.HasControl(item))
            continue;
        const std::string& path = history[k - 1].Path;
        mainWindow.SetText(item, PathForMessage(path));
        mainWindow.SetVisible(item, !path.empty());
    }
}
