#include "tests/settings/settings_window.h"

#include <gtest/gtest.h>

TSettingsWindow::TSettingsWindow() {
    State.ProgramFolder = Folder.Path();
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
