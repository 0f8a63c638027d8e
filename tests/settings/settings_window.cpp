#include "tests/settings/settings_window.h"

#include <gtest/gtest.h>

TSettingsWindow::TSettingsWindow() {
    State.OptionsFolder = Folder.Path();
}

TStrInfo TSettingsWindow::Gather() {
    TStrInfo settings;
    EXPECT_TRUE(GatherSettings(*Form, Platform, settings));
    return settings;
}

std::vector<TRecordedMessage> TSettingsWindow::TakeMessages() {
    std::vector<TRecordedMessage> messages;
    messages.swap(Platform.Messages);
    return messages;
}

std::vector<std::string> HistoryPaths(const TSettingsHistory& h) {
    std::vector<std::string> paths;
    for (const TFileHistory& entry : h)
        paths.push_back(entry.Path);
    return paths;
}

std::vector<std::string> ExpectedHistory(std::initializer_list<std::string> first) {
    std::vector<std::string> paths(first);
    paths.resize(kSettingsHistorySize);
    return paths;
}
